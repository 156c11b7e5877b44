// Log lines to the browser's console (node's in the checks): failures as
// errors and warnings, the probe's lines as information, repeats as debug.
#include "LogSink.h"

#include <emscripten.h>

namespace
{

// clang-format off
EM_JS(void, ConsoleLine, (int level, const char* line), {
    const text = UTF8ToString(line);
    if (level <= 0) console.error(text);
    else if (level <= 300) console.warn(text);
    else if (level <= 600) console.info(text);
    else console.debug(text);
});
// clang-format on

} // namespace

namespace web
{

void WriteLogLine(int level, const char* line)
{
    ConsoleLine(level, line);
}

} // namespace web
