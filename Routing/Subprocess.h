// Running the routing engine's programs as separate processes: no shell, the
// arguments handed over as they are (a file name with blanks or quotes is one
// argument and runs nothing else), the program's output kept in files.
#ifndef ADVICEPATH_ROUTING_SUBPROCESS_H
#define ADVICEPATH_ROUTING_SUBPROCESS_H

#include <string>
#include <vector>

namespace refhost::routing
{

// The full path of the first executable file called `name` in the folders of
// PATH, or "" when there is none (or PATH is unset or empty).
std::string FindOnPath(const std::string& name);

struct ProgramRun
{
    std::string program;           // full path of the executable
    std::vector<std::string> args; // argv[1...]
    std::string workingFolder;     // "" for the caller's
    std::string stdoutFile;        // created or truncated; "" for /dev/null
    std::string stderrFile;        // likewise
};

struct ProgramResult
{
    bool started = false; // false: `error` says why (and nothing ran)
    std::string error;
    int exitCode = -1; // the exit status, or -1 when a signal ended it
    int signal = 0;    // the signal that ended it, or 0
};

// Starts the program (posix_spawn, stdin from /dev/null), waits for it, and
// reports how it ended.
ProgramResult RunProgram(const ProgramRun& run);

// The text of a file the program wrote, "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// The last non-empty line of `text`, trimmed (of a line rewritten in place
// with carriage returns, as progress is, its last state): what a program
// says when it fails.
std::string LastMessageLine(const std::string& text);

} // namespace refhost::routing

#endif
