#include "RoutinoPrograms.h"

#include "RoutingFailure.h"
#include "Subprocess.h"

namespace refhost::routing
{

RoutinoPrograms FindRoutino()
{
    RoutinoPrograms programs;
    programs.planetsplitter = FindOnPath("planetsplitter");
    programs.router = FindOnPath("routino-router");
    if (programs.router.empty())
        programs.router = FindOnPath("router");
    programs.filedumper = FindOnPath("filedumper");
    if (programs.planetsplitter.empty() || programs.router.empty() || programs.filedumper.empty())
        Fail("Routino is not installed (Debian package routino): planetsplitter, routino-router "
             "and filedumper are needed on PATH");
    return programs;
}

std::string RoutinoVersion(const RoutinoPrograms& programs, const std::string& scratchFolder)
{
    ProgramRun run;
    run.program = programs.planetsplitter;
    run.args = {"--version"};
    run.stdoutFile = scratchFolder + "/version.out";
    run.stderrFile = scratchFolder + "/version.err";
    RunProgram(run);
    const std::string said = LastMessageLine(ReadWholeFile(run.stderrFile));
    return said.empty() ? LastMessageLine(ReadWholeFile(run.stdoutFile)) : said;
}

} // namespace refhost::routing
