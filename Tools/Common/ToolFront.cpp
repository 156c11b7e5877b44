#include "ToolFront.h"

#include <exception>
#include <iostream>
#include <sstream>

namespace tools
{

namespace
{

constexpr std::size_t kHelpWidth = 86; // columns of the tools' --help texts

std::string& Name()
{
    static std::string name = "tool";
    return name;
}

// `text` broken at spaces into lines of at most kHelpWidth columns.
std::string Wrapped(const std::string& text)
{
    std::istringstream words(text);
    std::string word;
    std::string out;
    std::size_t column = 0;
    while (words >> word)
    {
        if (column > 0 && column + 1 + word.size() > kHelpWidth)
        {
            out += '\n';
            column = 0;
        }
        else if (column > 0)
        {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
    }
    return out;
}

} // namespace

std::string ExitCodeHelp(const ExitCodeMeanings& meanings)
{
    std::string text = "Exit codes: 0 " + meanings.ok;
    if (!meanings.failures.empty())
        text += ", 1 " + meanings.failures;
    text += ", 2 bad command line, 3 " + meanings.input + ", 4 " + meanings.output +
            ", 5 an unexpected failure (a fault of the tool: please report it with the command "
            "line).";
    return Wrapped(text);
}

const std::string& ToolName()
{
    return Name();
}

int Fail(int code, const std::string& message)
{
    std::cerr << Name() << ": " << message << "\n";
    return code;
}

int ReportUsageError(const std::string& message)
{
    return Fail(kExitUsage, message + " (see --help)");
}

int RunTool(const char* name, int argc, char** argv, int (*body)(int argc, char** argv))
{
    Name() = name;
    try
    {
        return body(argc, argv);
    }
    catch (const std::exception& e)
    {
        return Fail(kExitUnexpected, std::string("unexpected failure: ") + e.what());
    }
    catch (...)
    {
        return Fail(kExitUnexpected, "unexpected failure");
    }
}

} // namespace tools
