#include "AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace refhost::mapview
{

namespace
{

std::string Reason(const std::string& what, const std::string& path, int error)
{
    return path + ": " + what + ": " + std::strerror(error);
}

} // namespace

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile()
{
    if (!m_committed)
        Discard();
}

bool AtomicFile::Open(std::string& error)
{
    std::string pattern = m_path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0)
    {
        error = Reason("cannot create a file beside it", m_path, errno);
        return false;
    }
    m_tempPath = name.data();
    // mkstemp makes the file private (0600); a picture is an ordinary file.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    m_file = fdopen(fd, "wb");
    if (m_file == nullptr)
    {
        int fdopenError = errno;
        close(fd);
        Discard();
        error = Reason("cannot write", m_tempPath, fdopenError);
        return false;
    }
    return true;
}

bool AtomicFile::Write(const void* data, std::size_t size)
{
    if (m_file == nullptr || m_writeErrno != 0)
        return false;
    if (size == 0)
        return true;
    if (std::fwrite(data, 1, size, m_file) != size)
    {
        m_writeErrno = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

bool AtomicFile::Commit(std::string& error)
{
    if (m_file == nullptr)
    {
        error = m_path + ": cannot write: not open";
        return false;
    }
    int failure = m_writeErrno;
    if (failure == 0 && std::fflush(m_file) != 0)
        failure = errno;
    if (failure == 0 && fsync(fileno(m_file)) != 0)
        failure = errno;
    if (std::fclose(m_file) != 0 && failure == 0)
        failure = errno;
    m_file = nullptr;
    if (failure != 0)
    {
        Discard();
        error = Reason("cannot write", m_path, failure);
        return false;
    }
    if (std::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
    {
        int renameError = errno;
        Discard();
        error = Reason("cannot replace", m_path, renameError);
        return false;
    }
    m_committed = true;
    return true;
}

void AtomicFile::Discard()
{
    if (m_file != nullptr)
    {
        (void)std::fclose(m_file); // the file is thrown away: a failed close loses nothing
        m_file = nullptr;
    }
    if (!m_tempPath.empty())
    {
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

} // namespace refhost::mapview
