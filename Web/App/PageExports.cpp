// The functions the page's script calls (Module._ap_...). Texts come in as
// UTF-8 (a route file as a pointer and a length: it may be larger than the
// stack), and go out as pointers to UTF-8 text that stays valid until the
// next call.
#include "PageSession.h"

#include "LogSink.h"
#include "MapView/ScaleLevels.h"

#include <emscripten.h>

#include <string>

namespace
{

web::PageSession& Session()
{
    static web::PageSession session;
    return session;
}

std::string g_answer;

const char* Answer(std::string text)
{
    g_answer = std::move(text);
    return g_answer.c_str();
}

} // namespace

extern "C" {

// "" when the route was opened, else the error text.
EMSCRIPTEN_KEEPALIVE const char* ap_open_route(const char* text, int length, const char* name)
{
    std::string error;
    Session().OpenRoute(std::string_view(text, static_cast<size_t>(length)), name, error);
    return Answer(error);
}

EMSCRIPTEN_KEEPALIVE const char* ap_route_json()
{
    return Answer(Session().RouteJson());
}

EMSCRIPTEN_KEEPALIVE const char* ap_size_table_json()
{
    return Answer(Session().SizeTableJson());
}

// "" when taken, else the error text (the table in force stays).
EMSCRIPTEN_KEEPALIVE const char* ap_set_size_table(const char* text, const char* source)
{
    std::string error;
    Session().SetSizeTable(text, source, error);
    return Answer(error);
}

EMSCRIPTEN_KEEPALIVE const char* ap_colour_list()
{
    return Answer(Session().ColourList());
}

EMSCRIPTEN_KEEPALIVE const char* ap_set_colours(const char* list)
{
    std::string error;
    Session().SetColours(list, error);
    return Answer(error);
}

EMSCRIPTEN_KEEPALIVE void ap_draw_overview(int width, int height)
{
    Session().DrawOverview(width, height);
}

EMSCRIPTEN_KEEPALIVE const char* ap_drive_frame(double seconds, int width, int height)
{
    return Answer(Session().DriveFrame(seconds, width, height));
}

EMSCRIPTEN_KEEPALIVE const char* ap_jump_to_maneuver(int maneuver, int width, int height)
{
    return Answer(Session().JumpToManeuver(static_cast<size_t>(maneuver), width, height));
}

EMSCRIPTEN_KEEPALIVE void ap_draw_maneuver_at_level(int maneuver, int level, int width, int height)
{
    Session().DrawManeuverAtLevel(static_cast<size_t>(maneuver), level, width, height);
}

// Metres per pixel that size-table level `level` is designed for.
EMSCRIPTEN_KEEPALIVE double ap_design_resolution(int level)
{
    return refhost::DesignResolution(level);
}

// The priority up to which the library's log lines reach the console.
EMSCRIPTEN_KEEPALIVE void ap_set_log_level(int level)
{
    web::SetLogThreshold(level);
}

} // extern "C"
