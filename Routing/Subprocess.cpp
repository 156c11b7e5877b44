#include "Subprocess.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ; // NOLINT(readability-redundant-declaration): POSIX declares it nowhere

namespace refhost::routing
{

namespace
{

bool IsExecutableFile(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Owns the file actions of one spawn.
class SpawnActions
{
public:
    SpawnActions() { m_ok = ::posix_spawn_file_actions_init(&m_actions) == 0; }
    ~SpawnActions()
    {
        if (m_ok)
            ::posix_spawn_file_actions_destroy(&m_actions);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    bool Open(int fd, const std::string& path, int flags)
    {
        const std::string& target = path.empty() ? kNull : path;
        return m_ok &&
               ::posix_spawn_file_actions_addopen(&m_actions, fd, target.c_str(), flags, 0644) == 0;
    }
    bool ChangeFolder(const std::string& folder)
    {
        return m_ok && (folder.empty() ||
                        ::posix_spawn_file_actions_addchdir_np(&m_actions, folder.c_str()) == 0);
    }
    const posix_spawn_file_actions_t* Get() const { return &m_actions; }

private:
    static inline const std::string kNull = "/dev/null";
    posix_spawn_file_actions_t m_actions{};
    bool m_ok = false;
};

} // namespace

std::string FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty() || name.find('/') != std::string::npos)
        return {};
    std::istringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':'))
    {
        if (folder.empty())
            continue; // an empty entry would mean the current folder: never searched
        std::string candidate = folder;
        candidate += '/';
        candidate += name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

ProgramResult RunProgram(const ProgramRun& run)
{
    ProgramResult result;
    std::vector<std::string> words;
    words.push_back(run.program);
    words.insert(words.end(), run.args.begin(), run.args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    SpawnActions actions;
    const int writeFlags = O_WRONLY | O_CREAT | O_TRUNC;
    if (!actions.Open(STDIN_FILENO, std::string(), O_RDONLY) ||
        !actions.Open(STDOUT_FILENO, run.stdoutFile, writeFlags) ||
        !actions.Open(STDERR_FILENO, run.stderrFile, writeFlags) ||
        !actions.ChangeFolder(run.workingFolder))
    {
        result.error = "cannot prepare to run " + run.program;
        return result;
    }
    pid_t child = 0;
    const int spawnError =
        ::posix_spawn(&child, run.program.c_str(), actions.Get(), nullptr, argv.data(), environ);
    if (spawnError != 0)
    {
        result.error = "cannot run " + run.program + ": " + std::strerror(spawnError);
        return result;
    }
    result.started = true;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
    {
        if (errno != EINTR)
        {
            result.error = "lost " + run.program + ": " + std::strerror(errno);
            return result;
        }
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string LastMessageLine(const std::string& text)
{
    std::string last;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        // Progress lines are rewritten in place with carriage returns: their
        // last state is after the last one.
        const size_t cr = line.rfind('\r');
        if (cr != std::string::npos)
            line.erase(0, cr + 1);
        const size_t begin = line.find_first_not_of(" \t");
        if (begin == std::string::npos)
            continue;
        const size_t end = line.find_last_not_of(" \t");
        last = line.substr(begin, end - begin + 1);
    }
    return last;
}

} // namespace refhost::routing
