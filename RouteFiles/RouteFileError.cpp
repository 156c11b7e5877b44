#include "RouteFileError.h"

namespace refhost::routefiles
{

std::string LineColumn(std::string_view text, size_t offset)
{
    if (offset > text.size())
        offset = text.size();
    size_t line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < offset; ++i)
    {
        if (text[i] == '\n')
        {
            ++line;
            lineStart = i + 1;
        }
    }
    return std::to_string(line) + ":" + std::to_string(offset - lineStart + 1);
}

} // namespace refhost::routefiles
