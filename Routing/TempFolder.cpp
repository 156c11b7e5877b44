#include "TempFolder.h"

#include "RoutingFailure.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace refhost::routing
{

TempFolder::TempFolder(const std::string& prefix)
{
    std::vector<char> pattern(prefix.begin(), prefix.end());
    for (int i = 0; i < 6; ++i)
        pattern.push_back('X');
    pattern.push_back('\0');
    if (::mkdtemp(pattern.data()) == nullptr)
        Fail("cannot make a folder " + prefix + "...: " + std::strerror(errno));
    m_path = pattern.data();
}

TempFolder::~TempFolder()
{
    if (!m_path.empty())
        RemoveTree(m_path);
}

void RemoveTree(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

} // namespace refhost::routing
