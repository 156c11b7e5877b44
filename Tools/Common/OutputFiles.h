// The output folder and whole-or-nothing writes of text files into it.
#ifndef TOOLS_COMMON_OUTPUTFILES_H
#define TOOLS_COMMON_OUTPUTFILES_H

#include <string>
#include <vector>

namespace tools
{

// Creates `dir` (and its parents) when missing and checks that a file can be
// created in it. False with `error` naming the folder and the reason.
bool PrepareOutputFolder(const std::string& dir, std::string& error);

// Writes `text` to `path` through a temporary file in the same folder, renamed
// to `path` once complete: `path` is the whole new text or left as it was.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);

// The output folder rule: a run replaces what an earlier run of the same tool
// wrote into its folder and touches nothing else. `ownFiles` is a regular
// expression (ECMAScript, matched against the whole name) of the names the
// tool writes; every such file in `dir` that is not in `written` (names
// within `dir`) is removed, so that a short route drawn where a long one was
// leaves no picture of the long one beside the new page. False with `error`
// naming the first file that cannot be removed.
bool RemoveEarlierOutputs(const std::string& dir, const std::string& ownFiles,
                          const std::vector<std::string>& written, std::string& error);

// "turn-007.png": the picture of manoeuvre `number` (1-based).
std::string TurnFileName(size_t number, const std::string& extension);

} // namespace tools

#endif
