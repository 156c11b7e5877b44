#include "OutputFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
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
        error = "cannot create the output folder " + dir + ": " +
                (ec ? ec.message() : std::string("not a folder"));
        return false;
    }
    std::string probe = (fs::path(dir) / ".advicepath-render-probe").string();
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr)
    {
        error = "cannot write into the output folder " + dir + ": " + std::strerror(errno);
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
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        out << text;
        out.flush();
        if (!out)
        {
            error = "cannot write " + path + ": " + std::strerror(errno);
            out.close();
            (void)std::remove(temporary.c_str()); // the write failed already: said above
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        error = "cannot write " + path + ": " + std::strerror(errno);
        (void)std::remove(temporary.c_str()); // the rename failed already: said above
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
