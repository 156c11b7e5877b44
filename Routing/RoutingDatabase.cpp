#include "RoutingDatabase.h"

#include "ExtractInput.h"
#include "FileDigest.h"
#include "RoutingFailure.h"
#include "RoutinoTagging.h"
#include "Subprocess.h"
#include "TempFolder.h"
#include "TextFields.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace refhost::routing
{

namespace
{

namespace fs = std::filesystem;

constexpr std::array<const char*, 4> kDatabaseFiles = {"nodes.mem", "segments.mem", "ways.mem",
                                                       "relations.mem"};
// How often a build tries to put its database in place past others.
constexpr int kPublishAttempts = 4;

bool IsWhole(const std::string& folder, const std::string& stamp)
{
    for (const char* file : kDatabaseFiles)
    {
        std::error_code error;
        if (!fs::is_regular_file(folder + "/" + file, error))
            return false;
    }
    return ReadWholeFile(folder + "/" + kDatabaseStamp) == stamp;
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out)
        Fail("cannot write " + path + ": " + std::strerror(errno != 0 ? errno : EIO));
}

// The installed tagging rules with this project's rule added.
std::string Tagging(const RoutinoPrograms& programs)
{
    for (const std::string& candidate : TaggingCandidates(programs.planetsplitter))
    {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return TaggingWithCircularJunctions(ReadWholeFile(candidate), candidate);
    }
    Fail("Routino's tagging rules (share/routino/tagging.xml beside " + programs.planetsplitter +
         ") are not installed (Debian package routino-common)");
}

void Build(const RoutinoPrograms& programs, const std::string& extractPath,
           const std::string& folder, const std::string& tagging)
{
    const std::string scratch = folder + "/input";
    std::error_code error;
    if (!fs::create_directory(scratch, error))
        Fail("cannot make " + scratch + ": " + error.message());
    const std::string rules = scratch + "/tagging.xml";
    WriteFile(rules, tagging);
    const std::string input = PrepareExtract(extractPath, scratch);

    ProgramRun run;
    run.program = programs.planetsplitter;
    run.args = {"--dir=" + folder, "--tagging=" + rules, "--prune-none", "--loggable", input};
    run.stdoutFile = scratch + "/build.log";
    run.stderrFile = scratch + "/errors.log";
    const ProgramResult result = RunProgram(run);
    if (!result.started)
        Fail(result.error);
    if (result.exitCode != 0)
    {
        const std::string log = ReadWholeFile(run.stdoutFile);
        if (log.find("Sorted Ways: Ways=0 ") != std::string::npos)
            Fail(extractPath + ": no roads in the extract");
        std::string said = LastMessageLine(ReadWholeFile(run.stderrFile));
        if (said.empty())
            said = result.signal != 0 ? "ended by signal " + std::to_string(result.signal)
                                      : "exit status " + std::to_string(result.exitCode);
        Fail(extractPath + ": the routing database cannot be built: " + said);
    }
    for (const char* file : kDatabaseFiles)
        if (!fs::is_regular_file(folder + "/" + file, error))
            Fail(extractPath + ": the routing database cannot be built: planetsplitter wrote no " +
                 file);
    RemoveTree(scratch);
}

// Moves the whole database `built` to `place`, past a stale one there; true
// when it went in, false when another process had put a whole one there.
bool Publish(TempFolder& built, const std::string& place, const std::string& stamp)
{
    for (int attempt = 0; attempt < kPublishAttempts; ++attempt)
    {
        if (std::rename(built.Path().c_str(), place.c_str()) == 0)
        {
            built.Release();
            return true;
        }
        const int error = errno;
        if (error != ENOTEMPTY && error != EEXIST)
            Fail("cannot move the routing database to " + place + ": " + std::strerror(error));
        if (IsWhole(place, stamp))
            return false;
        // One of another Routino, other rules, or broken by hand: moved aside
        // (onto an empty folder, which rename replaces) and removed.
        TempFolder aside(place + ".old-");
        if (std::rename(place.c_str(), aside.Path().c_str()) != 0 && errno != ENOENT)
            Fail("cannot replace the routing database " + place + ": " + std::strerror(errno));
    }
    Fail("cannot move the routing database to " + place + ": it keeps changing");
}

} // namespace

std::string EnsureDatabase(const RoutinoPrograms& programs, const std::string& extractPath,
                           const std::string& cacheFolder, const std::string& workFolder,
                           const std::function<void(const std::string&)>& progress)
{
    std::string readError;
    const std::string digest = Sha256OfFile(extractPath, readError);
    if (digest.empty())
        Fail(extractPath + ": cannot read: " + readError);
    const std::string tagging = Tagging(programs);
    std::error_code error;
    fs::create_directories(cacheFolder, error);
    if (error)
        Fail("cannot make the cache folder " + cacheFolder + ": " + error.message());

    std::string place = cacheFolder + "/" + digest;
    const std::string stamp = "extract sha256 " + digest + "\n" +
                              RoutinoVersion(programs, workFolder) + "\n" + "tagging sha256 " +
                              Sha256OfText(tagging) + "\n" + "planetsplitter --prune-none\n";
    if (IsWhole(place, stamp))
        return place;

    const auto started = std::chrono::steady_clock::now();
    progress("Building the routing database of " + extractPath + " (once; kept in " + place + ")");
    TempFolder building(place + ".building-");
    Build(programs, extractPath, building.Path(), tagging);
    WriteFile(building.Path() + "/" + kDatabaseStamp, stamp);
    const bool ours = Publish(building, place, stamp);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    progress(std::string(ours ? "Built" : "Another process built") + " the routing database in " +
             FormatFixed(took.count(), 1) + " s");
    return place;
}

} // namespace refhost::routing
