// The output folder and whole-or-nothing writes of text files into it.
#ifndef TOOLS_COMMON_OUTPUTFILES_H
#define TOOLS_COMMON_OUTPUTFILES_H

#include <string>

namespace tools
{

// Creates `dir` (and its parents) when missing and checks that a file can be
// created in it. False with `error` naming the folder and the reason.
bool PrepareOutputFolder(const std::string& dir, std::string& error);

// Writes `text` to `path` through a temporary file in the same folder, renamed
// to `path` once complete: `path` is the whole new text or left as it was.
bool WriteTextFile(const std::string& path, const std::string& text, std::string& error);

// "turn-007.png": the picture of manoeuvre `number` (1-based).
std::string TurnFileName(size_t number, const std::string& extension);

} // namespace tools

#endif
