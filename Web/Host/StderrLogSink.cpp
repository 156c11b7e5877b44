// Log lines to standard error: the native build of the browser host, which
// the checks compare with the browser build.
#include "LogSink.h"

#include <cstdio>

namespace web
{

void WriteLogLine(int /*level*/, const char* line)
{
    static_cast<void>(std::fprintf(stderr, "%s\n", line));
}

} // namespace web
