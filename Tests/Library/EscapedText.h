// Texts in failure messages as C writes them, so that a line feed at the end
// of a log text shows.
#ifndef AP_TESTS_ESCAPEDTEXT_H
#define AP_TESTS_ESCAPEDTEXT_H

#include <string>

namespace aptest
{

// `text` with line feeds, tabs, quotes and backslashes escaped as in C.
inline std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
    {
        if (c == '\n')
            escaped += "\\n";
        else if (c == '\t')
            escaped += "\\t";
        else if (c == '"' || c == '\\')
            escaped += std::string("\\") + c;
        else
            escaped += c;
    }
    return escaped;
}

} // namespace aptest

#endif
