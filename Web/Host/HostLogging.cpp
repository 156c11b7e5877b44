// The library's logging entry points and stopwatch for the browser host: each
// line formatted once and handed to the sink (LogSink.h).
#include "LogSink.h"
#include "Logging.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>

namespace web
{

namespace
{

int g_threshold = AP_LOG_ERROR;

// "pathRender 300 ..\source\Render\AdvicePathRender:47 AdvicePathRender::SetSize:
// AdvicePathSizeSetting is NULL": the text's own line feed dropped.
void Emit(const char* category, int level, const char* file, int line, const char* function,
          const char* format, va_list arguments)
{
    if (level > g_threshold)
        return;
    char message[512];
    // A longer text is cut: the line still goes out.
    // The list is started by the entry points below before they call this.
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    static_cast<void>(std::vsnprintf(message, sizeof message, format, arguments));
    char text[768];
    int length = std::snprintf(text, sizeof text, "%s %d %s:%d %s: %s", category, level, file, line,
                               function, message);
    if (length > 0 && static_cast<size_t>(length) < sizeof text)
        while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == ' '))
            text[--length] = '\0';
    WriteLogLine(level, text);
}

} // namespace

void SetLogThreshold(int level)
{
    g_threshold = level;
}

int LogThreshold()
{
    return g_threshold;
}

} // namespace web

extern "C" void log4cpp_category_log(const char* category, int level, const char* file, int line,
                                     const char* function, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    web::Emit(category, level, file, line, function, format, arguments);
    va_end(arguments);
}

extern "C" void log4cpp_Info(const char* category, const char* file, int line, const char* function,
                             const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    web::Emit(category, AP_LOG_INFO, file, line, function, format, arguments);
    va_end(arguments);
}

namespace
{

int64_t NowTicks()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}

Timer::~Timer() {} // NOLINT(modernize-use-equals-default)

void Timer::StartTime()
{
    m_StartTicks = NowTicks();
}

void Timer::EndTime()
{
    m_EndTicks = NowTicks();
}

// Not const: the library's declaration (Logging.h) is the device's.
// NOLINTNEXTLINE(readability-make-member-function-const)
double Timer::GetTime()
{
    if (m_StartTicks == 0 || m_EndTicks == 0)
        return 0.0;
    return static_cast<double>(m_EndTicks - m_StartTicks) / 1e6;
}
