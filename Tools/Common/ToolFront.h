// The tools' one front: the exit codes every tool's --help lists, the one
// failure path (a line "<tool>: <message>" on standard error and an exit
// code) and main's frame, which turns a failure nobody foresaw into an exit
// code of its own instead of an abort.
//
// Messages name what they are about first: "<file>: <problem>", e.g.
// "route.json: cannot open: No such file or directory".
#ifndef TOOLS_COMMON_TOOLFRONT_H
#define TOOLS_COMMON_TOOLFRONT_H

#include <string>

namespace tools
{

// Exit codes, listed by every tool's --help (ExitCodeHelp). A tool may give
// 1 a meaning of its own (the survey: some manoeuvre failed).
enum ExitCode
{
    kExitOk = 0,
    kExitUsage = 2,      // a bad option or option value
    kExitInput = 3,      // an input (route file, size table, extract) cannot be read or used
    kExitOutput = 4,     // the pictures, the page or another output cannot be written
    kExitUnexpected = 5, // a failure the tool did not foresee: a fault of the tool
};

// What a tool's exit codes mean in its own words, for ExitCodeHelp. 2 and 5
// read the same for every tool.
struct ExitCodeMeanings
{
    std::string ok = "done";
    std::string failures; // what 1 means; empty when the tool does not use it
    std::string input = "an input cannot be read or used";
    std::string output = "the output cannot be written";
};

// "Exit codes: 0 done, 2 bad command line, ..., 5 an unexpected failure
// (...)." wrapped to the width of --help, for its footer.
std::string ExitCodeHelp(const ExitCodeMeanings& meanings);

// The running tool's name, as RunTool was given it ("tool" before).
const std::string& ToolName();

// Writes "<tool>: <message>" to standard error; returns `code`.
int Fail(int code, const std::string& message);

// Writes "<tool>: <message> (see --help)" to standard error; returns
// kExitUsage.
int ReportUsageError(const std::string& message);

// Runs `body` as the tool `name`'s main: its exit code, or kExitUnexpected
// with "<tool>: unexpected failure: <what>" for an exception that reaches
// this far.
int RunTool(const char* name, int argc, char** argv, int (*body)(int argc, char** argv));

} // namespace tools

#endif
