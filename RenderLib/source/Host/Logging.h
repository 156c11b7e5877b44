// The host's logging library and stopwatch, as the library calls them.
#ifndef ADVICEPATH_HOST_LOGGING_H
#define ADVICEPATH_HOST_LOGGING_H

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

extern "C" {

// One log line: `category` (the library always passes "pathRender"), the
// priority `level`, the source `file` and `line` of the message, the qualified
// `function` text, and a printf-style `format` with its arguments. Every
// pointer is non-null and every text terminated. Must not fail or throw.
void log4cpp_category_log(const char* category, int level, const char* file, int line,
                          const char* function, const char* format, ...) AP_PRINTF_FORMAT(6, 7);

// The same at the information priority (log4cpp's INFO, 600): the timing and
// memory lines of the operation probe.
void log4cpp_Info(const char* category, const char* file, int line, const char* function,
                  const char* format, ...) AP_PRINTF_FORMAT(5, 6);
}

// A stopwatch. The library constructs it on the stack, calls StartTime, later
// EndTime, then GetTime, and destroys it on every exit. The two tick fields are
// the logging library's; the library never reads them.
class Timer
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
