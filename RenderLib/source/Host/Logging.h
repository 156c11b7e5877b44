// The host's logging library and stopwatch, as the library calls them.
#ifndef ADVICEPATH_HOST_LOGGING_H
#define ADVICEPATH_HOST_LOGGING_H

#include "HostVisibility.h"

#include <stdint.h>

#if defined(__GNUC__) || defined(__clang__)
#define AP_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define AP_PRINTF_FORMAT(fmt, args)
#endif

// Log priorities as the library uses them (log4cpp's scale: lower is more
// severe).
enum
{
    AP_LOG_FATAL = 0,
    AP_LOG_ERROR = 300,
    AP_LOG_INFO = 600, // the operation probe's lines, written through log4cpp_Info
    AP_LOG_NOTSET = 800
};

// The lines a host receives. Every line has the category "pathRender", one of
// two source texts as `file` ("..\source\Render\AdvicePathRender" for the
// renderer, "..\source\Render\CrossPathEdges" for the junction builder), a
// fixed message number as `line` and the function text shown. The texts are
// fixed, odd spellings and spacing included; most end in " \n". Only the
// probe's lines have a conversion.
//
// Priority 0 and 300: a failure. Priority 600: two lines (time, then memory
// growth) after every accepted SetSize, every SetTurnInfo with a path and every
// Draw that draws the turn: a host that keeps its log quiet filters them out.
// Priority 800: lines that repeat on every Draw in an ordinary state (the turn
// hidden, the route's end, a level past the size table).
//
//   prio  line  function text, then the text and when it comes
//   Renderer, log4cpp_category_log:
//   300   47    AdvicePathRender::SetSize "AdvicePathSizeSetting is NULL \n"
//               a null table or a count of 0
//   0     54    AdvicePathRender::SetSize "new AdvicePathSizeSetting failed \n"
//               no memory for the copy of the table
//   0     279   AdvicePathRender::AutoSetCurScale "mp_MapView is NULL \n"
//               every Draw without a map view
//   800   288   AdvicePathRender::AutoSetCurScale
//               "m_CurScale > = m_SizeSetCnt && m_SizeSetCnt > AP_SCALE_DEFAULT \n"
//               every Draw at a level past a table of more than 5 records
//               (record 5 is used)
//   800   293   AdvicePathRender::AutoSetCurScale
//               "m_CurScale > = m_SizeSetCnt  && m_SizeSetCnt < AP_SCALE_DEFAULT -1 \n"
//               every Draw at a level past a table of at most 5 records (the
//               last record is used), and every Draw before the first SetSize
//   300   162   AdvicePathRender::DrawPath "mp_Path->GetFirstPosition() failed \n"
//               the route line's path has no edge
//   300   114   AdvicePathRender::DrawRedLine "Routeglow NO OrgPoint or DestPoint"
//               (no line feed) every Draw with the origin-destination line
//               enabled while the route has no origin or no destination
//   0     307   AdvicePathRender::SetTurnInfo "path is NULL \n"
//   800   197   AdvicePathRender::DrawTurn
//               "m_isClearBigArrow is ture Or mp_MapView is NULL \n"
//               every Draw asking for the turn after ClearBigArrow
//   300   231   AdvicePathRender::DrawTurn "GenerateCrossEdges failed \n"
//               the junction band could not be built (after the builder's line)
//   300   238   AdvicePathRender::DrawTurn "GenerateCrossEdges failed \n"
//               the arrow head could not be built
//   Junction builder, log4cpp_category_log:
//   300   62    CCrossPathEdges::SetCrossInfo "mp_Path->GetFirstPosition() failed \n"
//   300   68    CCrossPathEdges::SetCrossInfo "mp_Path->GetGuid() failed \n"
//   800   163   CCrossPathEdges::GenerateCrossEdges "NAV_TURN_END \n"
//               every Draw asking for the turn while the manoeuvre ends the route
//   300   197   CCrossPathEdges::GenerateCrossEdges "m_FromEdges.Size = 0  \n"
//               (two blanks) the entering guide is not on the path handed to
//               SetTurnInfo (RouteLibrary.h)
//   300   325   CCrossPathEdges::GenerateCrossEdges "m_EdgeVec.Append() failed\n"
//               a guide without points, a cut longer than a guide measures, no
//               memory, or the path ends before the leaving guide
//   Operation probe, log4cpp_Info (600), renderer source:
//   600   67    AdvicePathRender::SetSize "timerSetSize::%lfms", then "memcnterSetSize::%s"
//   600   328   AdvicePathRender::SetTurnInfo "timerSetTurnInfo::%lfms", then
//               "memcnterSetTurnInfo::%s"
//   600   268   AdvicePathRender::DrawTurn "timerDrawTurn::%lfms", then "memcnterDrawTurn::%s"
//               The time is Timer::GetTime's double; the memory text is
//               "PhsMem:%luKB VirMem:%luKB", the growth of the physical and
//               virtual use that GlobalMemoryStatus reports: use after minus
//               use before, that is available before minus available after
//               (MemoryStatus.h).

extern "C" {

// One log line: `category` (the library always passes "pathRender"), the
// priority `level`, the source `file` and `line` of the message, the qualified
// `function` text, and a printf-style `format` with its arguments. Every
// pointer is non-null and every text terminated. Must not fail or throw.
ADVICEPATH_HOST_API void log4cpp_category_log(const char* category, int level, const char* file,
                                              int line, const char* function, const char* format,
                                              ...) AP_PRINTF_FORMAT(6, 7);

// The same at the information priority (log4cpp's INFO, 600): the timing and
// memory lines of the operation probe.
ADVICEPATH_HOST_API void log4cpp_Info(const char* category, const char* file, int line,
                                      const char* function, const char* format, ...)
    AP_PRINTF_FORMAT(5, 6);
}

// A stopwatch. The library constructs it on the stack, calls StartTime, later
// EndTime, then GetTime, and destroys it on every exit. The two tick fields are
// the logging library's; the library never reads them.
class ADVICEPATH_HOST_API Timer
{
public:
    Timer();
    ~Timer();

    void StartTime();
    void EndTime();
    // Milliseconds from StartTime to EndTime; 0.0 when either was not called.
    double GetTime();

private:
    int64_t m_StartTicks;
    int64_t m_EndTicks;
};

#endif
