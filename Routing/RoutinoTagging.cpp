#include "RoutinoTagging.h"

#include "RoutingFailure.h"

#include <filesystem>

namespace refhost::routing
{

namespace
{

// Inserted right after the opening tag of the node and of the way rules.
constexpr const char* kCircularRule =
    "\n    <!-- Added by AdvicePathRender: a circular junction is a roundabout -->\n"
    "    <if k=\"junction\" v=\"circular\"> <set v=\"roundabout\"/> </if>\n";

void InsertAfterOpening(std::string& text, const std::string& element, const std::string& path)
{
    const std::string opening = "<" + element + ">";
    const size_t at = text.find(opening);
    if (at == std::string::npos)
        Fail(path + ": Routino's tagging rules have no " + opening + " section");
    text.insert(at + opening.size(), kCircularRule);
}

} // namespace

std::vector<std::string> TaggingCandidates(const std::string& planetsplitterPath)
{
    std::vector<std::string> candidates;
    const std::filesystem::path bin = std::filesystem::path(planetsplitterPath).parent_path();
    if (!bin.empty())
        candidates.push_back((bin.parent_path() / "share/routino/tagging.xml").string());
    for (const char* path :
         {"/usr/share/routino/tagging.xml", "/usr/local/share/routino/tagging.xml"})
        if (candidates.empty() || candidates.front() != path)
            candidates.emplace_back(path);
    return candidates;
}

std::string TaggingWithCircularJunctions(const std::string& installed,
                                         const std::string& installedPath)
{
    std::string text = installed;
    InsertAfterOpening(text, "node", installedPath);
    InsertAfterOpening(text, "way", installedPath);
    return text;
}

} // namespace refhost::routing
