// The library's log lines in one table: its messages and the lines of the
// operation probe, each with the level, source text, number, function text and
// format that hosts' log tooling matches. They never change.
//
// The numbers are stable message identifiers, not positions in any file: they
// stay what they are when the code around a message moves.
#ifndef ADVICEPATH_RENDER_LOGTABLE_H
#define ADVICEPATH_RENDER_LOGTABLE_H

// The category of every log line of the library.
#define AP_LOG_CATEGORY "pathRender"

struct ApLogEntry
{
    int level;            // AP_LOG_FATAL, AP_LOG_ERROR or AP_LOG_NOTSET; AP_LOG_INFO for the probe
    int number;           // the message identifier
    const char* source;   // the source text
    const char* function; // the function text
    const char* format;   // printf-style; only the probe's lines have a conversion
};

enum ApLogMessage
{
    // The renderer.
    AP_MSG_SIZE_TABLE_NULL,          // SetSize: null array or count 0
    AP_MSG_SIZE_TABLE_NOT_ALLOCATED, // SetSize: no memory for the copy
    AP_MSG_SCALE_NO_MAP_VIEW,        // AutoSetCurScale
    AP_MSG_SCALE_TO_DEFAULT,         // AutoSetCurScale: level past the table, default level
    AP_MSG_SCALE_TO_LAST,            // AutoSetCurScale: level past the table, last record
    AP_MSG_PATH_NO_FIRST_POSITION,   // DrawPath
    AP_MSG_RED_LINE_NO_ENDS,         // DrawRedLine: no origin or no destination
    AP_MSG_TURN_NULL_PATH,           // SetTurnInfo
    AP_MSG_TURN_HIDDEN,              // DrawTurn: hidden, or no map view
    AP_MSG_TURN_BAND_FAILED,         // DrawTurn: the junction band could not be built
    AP_MSG_TURN_ARROW_FAILED,        // DrawTurn: the arrow head could not be built

    // The junction builder.
    AP_MSG_CROSS_NO_FIRST_POSITION, // SetCrossInfo
    AP_MSG_CROSS_NO_FIRST_GUIDE,    // SetCrossInfo
    AP_MSG_CROSS_TURN_END,          // GenerateCrossEdges: the manoeuvre ends the route
    AP_MSG_CROSS_NO_FROM_EDGES,     // GenerateCrossEdges
    AP_MSG_CROSS_APPEND_FAILED,     // GenerateCrossEdges

    // The operation probe: a time line and a memory line per measured call.
    AP_MSG_PROBE_SET_SIZE_TIME,
    AP_MSG_PROBE_SET_SIZE_MEMORY,
    AP_MSG_PROBE_SET_TURN_INFO_TIME,
    AP_MSG_PROBE_SET_TURN_INFO_MEMORY,
    AP_MSG_PROBE_DRAW_TURN_TIME,
    AP_MSG_PROBE_DRAW_TURN_MEMORY,

    AP_MSG_COUNT
};

// One entry per message, in the order of ApLogMessage.
extern const ApLogEntry g_ApLogTable[AP_MSG_COUNT];

// Writes `message`, one of the messages without arguments (not a probe line),
// through log4cpp_category_log in the category AP_LOG_CATEGORY.
void ApLog(ApLogMessage message);

#endif
