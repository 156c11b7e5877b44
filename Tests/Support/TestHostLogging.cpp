// Logging and timer of the test host: every line is recorded, formatted.
#include "Logging.h"
#include "TestHost.h"

#include <cstdarg>
#include <cstdio>

namespace
{

std::string Format(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size < 0)
        return {};
    std::string text(static_cast<size_t>(size) + 1, '\0');
    (void)std::vsnprintf(text.data(), text.size(), format, args); // the length is known
    text.resize(static_cast<size_t>(size));
    return text;
}

void Record(const char* category, int level, const char* file, int line, const char* function,
            bool info, const char* format, va_list args)
{
    aptest::RecordingLog::Instance().Add(
        {category, level, file, line, function, Format(format, args), info});
}

} // namespace

extern "C" void log4cpp_category_log(const char* category, int level, const char* file, int line,
                                     const char* function, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Record(category, level, file, line, function, false, format, args);
    va_end(args);
}

extern "C" void log4cpp_Info(const char* category, const char* file, int line, const char* function,
                             const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Record(category, 600, file, line, function, true, format, args);
    va_end(args);
}

double& aptest::TimerControl::ElapsedMs()
{
    static double elapsed = 1.5;
    return elapsed;
}

Timer::Timer() : m_StartTicks(0), m_EndTicks(0) {}
// The destructor and GetTime keep the forms Logging.h declares.
Timer::~Timer() {} // NOLINT(modernize-use-equals-default)
void Timer::StartTime()
{
    m_StartTicks = 1;
}
void Timer::EndTime()
{
    m_EndTicks = 1;
}
double Timer::GetTime() // NOLINT(readability-make-member-function-const)
{
    return (m_StartTicks != 0 && m_EndTicks != 0) ? aptest::TimerControl::ElapsedMs() : 0.0;
}
