// The library's two logging calls. They are C functions called from code built
// without exceptions: nothing may leave them but a return.
#include "Logging.h"

#include "LogDestination.h"
#include "Logging/HostLogging.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace
{

const char* OrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

std::string FormatText(const char* format, va_list args)
{
    char small[512];
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (size < 0)
        return format; // an encoding error: the bare format still says which message it was
    std::string text;
    if (static_cast<size_t>(size) < sizeof small)
    {
        text.assign(small, static_cast<size_t>(size));
    }
    else
    {
        text.resize(static_cast<size_t>(size) + 1);
        // The length is known from the first pass.
        (void)std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(size));
    }
    // Most of the library's messages end in a line feed; the layout adds its own.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

void Log(const char* category, int level, const char* file, int line, const char* function,
         const char* format, va_list args) noexcept
{
    if (level > refhost::logging::GetThreshold() || format == nullptr)
        return;
    try
    {
        std::string message = OrEmpty(file);
        message += ':';
        message += std::to_string(line);
        message += ' ';
        message += OrEmpty(function);
        message += " - ";
        message += FormatText(format, args);
        refhost::logging::Emit(category != nullptr ? category : refhost::logging::kLibraryCategory,
                               level, message);
    }
    catch (...)
    {
    }
}

} // namespace

extern "C" void log4cpp_category_log(const char* category, int level, const char* file, int line,
                                     const char* function, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Log(category, level, file, line, function, format, args);
    va_end(args);
}

extern "C" void log4cpp_Info(const char* category, const char* file, int line, const char* function,
                             const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Log(category, refhost::logging::kInfo, file, line, function, format, args);
    va_end(args);
}
