// A folder made with a unique name and removed, with everything in it, when
// the owner ends (unless kept).
#ifndef ADVICEPATH_ROUTING_TEMPFOLDER_H
#define ADVICEPATH_ROUTING_TEMPFOLDER_H

#include <string>

namespace refhost::routing
{

class TempFolder
{
public:
    // Makes "<prefix>XXXXXX" (mkdtemp); throws RoutingFailure when it cannot.
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The folder has been moved away or is to stay: not removed.
    void Release() { m_path.clear(); }

private:
    std::string m_path;
};

// Removes a folder and everything in it, ignoring failures.
void RemoveTree(const std::string& path);

} // namespace refhost::routing

#endif
