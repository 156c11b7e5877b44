// A C file that closes itself.
#ifndef ADVICEPATH_ROUTING_OPENFILE_H
#define ADVICEPATH_ROUTING_OPENFILE_H

#include <cstdio>
#include <memory>
#include <string>

namespace refhost::routing
{

struct FileCloser
{
    // Only files that were read, or whose writes were flushed and checked,
    // are closed here: its result says nothing new.
    void operator()(std::FILE* file) const { static_cast<void>(std::fclose(file)); }
};

using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

// fopen; empty when the file cannot be opened (errno says why).
inline OpenFile Open(const std::string& path, const char* mode)
{
    return OpenFile(std::fopen(path.c_str(), mode));
}

} // namespace refhost::routing

#endif
