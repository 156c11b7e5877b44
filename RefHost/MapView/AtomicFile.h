// A file that appears complete or not at all: written under a temporary name
// in the target's folder, then renamed over the target.
#ifndef REFHOST_MAPVIEW_ATOMICFILE_H
#define REFHOST_MAPVIEW_ATOMICFILE_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace refhost::mapview
{

class AtomicFile
{
public:
    // Nothing is created until Open.
    explicit AtomicFile(std::string path);
    // Removes the temporary file unless Commit succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file ("<path>.XXXXXX", mode 0666 less the umask).
    // False, with the reason in `error`, when the folder does not exist or is
    // not writable.
    bool Open(std::string& error);
    // Appends `size` bytes; false (and remembered, so that Commit fails) on a
    // short write.
    bool Write(const void* data, std::size_t size);
    // Flushes and closes the temporary file and renames it to the path. False,
    // with the reason in `error`, when an earlier write or any of these steps
    // failed; then the temporary file is removed and the path left as it was.
    bool Commit(std::string& error);

private:
    void Discard();

    std::string m_path;
    std::string m_tempPath;
    std::FILE* m_file = nullptr;
    int m_writeErrno = 0;
    bool m_committed = false;
};

} // namespace refhost::mapview

#endif
