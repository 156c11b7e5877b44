#include "OutputFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <unistd.h>

namespace tools
{

namespace fs = std::filesystem;

bool PrepareOutputFolder(const std::string& dir, std::string& error)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec))
    {
        error = dir + ": cannot create the output folder: " +
                (ec ? ec.message() : std::string("not a folder"));
        return false;
    }
    std::string probe = (fs::path(dir) / ".advicepath-render-probe").string();
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr)
    {
        error = dir + ": cannot write into the output folder: " + std::strerror(errno);
        return false;
    }
    (void)std::fclose(file); // an empty probe, removed at once
    fs::remove(probe, ec);
    return true;
}

bool WriteTextFile(const std::string& path, const std::string& text, std::string& error)
{
    std::string temporary = path + ".part-" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
        {
            error = path + ": cannot write: " + std::strerror(errno);
            return false;
        }
        out << text;
        out.flush();
        if (!out)
        {
            error = path + ": cannot write: " + std::strerror(errno);
            out.close();
            (void)std::remove(temporary.c_str()); // the write failed already: said above
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        error = path + ": cannot write: " + std::strerror(errno);
        (void)std::remove(temporary.c_str()); // the rename failed already: said above
        return false;
    }
    return true;
}

bool RemoveEarlierOutputs(const std::string& dir, const std::string& ownFiles,
                          const std::vector<std::string>& written, std::string& error)
{
    const std::regex own(ownFiles);
    std::error_code ec;
    std::vector<fs::path> earlier;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec))
    {
        const std::string name = entry.path().filename().string();
        if (std::regex_match(name, own) &&
            std::find(written.begin(), written.end(), name) == written.end() &&
            !entry.is_directory(ec))
            earlier.push_back(entry.path());
    }
    if (ec)
    {
        error = dir + ": cannot list the output folder: " + ec.message();
        return false;
    }
    for (const fs::path& file : earlier)
        if (!fs::remove(file, ec) && ec)
        {
            error = file.string() + ": cannot remove the earlier run's file: " + ec.message();
            return false;
        }
    return true;
}

std::string TurnFileName(size_t number, const std::string& extension)
{
    char name[64];
    (void)std::snprintf(name, sizeof(name), "turn-%03zu.%s", number, extension.c_str());
    return name;
}

} // namespace tools
