// The reference host's logging: the library's log lines go to log4cpp.
//
// The library calls log4cpp_category_log and log4cpp_Info (Host/Logging.h)
// with a category, a priority on log4cpp's scale (0 fatal, 300 error, 600
// info, 800 "not set", the library's most verbose lines), the source file and
// line, the function text and a printf-style message. Each becomes one
// log4cpp event whose message reads
//     <file>:<line> <function> - <text>
// with the trailing line feeds of the text removed; the level is the event's
// priority, which a layout shows with %p (800 shows as NOTSET).
//
// Which lines are written is decided here, by one threshold, and not by
// log4cpp's category priorities: log4cpp treats 800 as "inherit" and never
// passes it, so the events are handed to the category's appenders (and, while
// the category is additive, to its ancestors') directly.
//
// Where lines go: by default standard error, through an appender on the root
// category installed at the first line unless the host has attached appenders
// of its own by then. A host may instead point log4cpp at a properties file
// (ConfigureFromFile); the file then decides the appenders and layouts.
//
// The library reads no configuration: everything here is the host's choice.
#ifndef REFHOST_LOGGING_HOSTLOGGING_H
#define REFHOST_LOGGING_HOSTLOGGING_H

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace refhost::logging
{

// Priorities on log4cpp's scale, lower is more severe.
constexpr int kFatal = 0;
constexpr int kError = 300;
constexpr int kWarn = 400;
constexpr int kInfo = 600;
constexpr int kDebug = 700;
constexpr int kNotSet = 800;
// A threshold below every priority: nothing is written.
constexpr int kOff = -1;

// The layout of the default destination and of LineCapture.
constexpr const char* kDefaultPattern = "%d{%H:%M:%S,%l} %p %c %m%n";

// Lines with a priority value <= `priority` are written. Default kInfo
// (info, error and fatal lines); kNotSet (800) shows every line of the
// library; kOff none.
void SetThreshold(int priority);
int GetThreshold();

// The priority named by `text`, case-insensitive: "off" (kOff), "fatal" (0),
// "error" (300), "warn" (400), "info" (600), "debug" (700), "all" or "notset"
// (800), or a decimal number. Empty for anything else.
std::optional<int> ParseLevel(std::string_view text);

// Configures log4cpp from a properties file (log4cpp's PropertyConfigurator
// syntax; log4cpp.rootCategory is required). Replaces the default destination.
// On failure returns false and puts the reason into `*message` (or writes it
// to standard error when `message` is null); lines then still reach standard
// error if the failed file left no appender for them.
bool ConfigureFromFile(const std::string& path, std::string* message = nullptr);

// Removes every appender of every category, makes all categories additive
// again and returns to the default destination (standard error).
void RestoreDefaultDestination();

// Collects the lines written to `category` (formatted with kDefaultPattern,
// without the final line feed) while it lives. The category stops passing
// lines to its ancestors meanwhile, so captured lines do not also reach
// standard error; its additivity is restored afterwards.
class LineCapture
{
public:
    explicit LineCapture(const std::string& category = "pathRender");
    ~LineCapture();
    LineCapture(const LineCapture&) = delete;
    LineCapture& operator=(const LineCapture&) = delete;

    std::vector<std::string> Lines() const;
    void Clear();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace refhost::logging

#endif
