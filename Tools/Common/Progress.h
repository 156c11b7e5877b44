// Progress on standard error while frames are made: a bar, the frames done,
// the frames in all and the time left. Shown only to a person watching a
// terminal; redrawn at most ten times a second.
#ifndef TOOLS_ADVICEPATH_REPLAY_PROGRESSBAR_H
#define TOOLS_ADVICEPATH_REPLAY_PROGRESSBAR_H

#include <chrono>
#include <cstddef>
#include <string>

namespace tools
{

class ProgressBar
{
public:
    // Shown when `wanted` and standard error is a terminal.
    ProgressBar(bool wanted, std::size_t total, std::string what);
    ~ProgressBar(); // wipes the line
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(std::size_t done);

private:
    bool m_shown;
    std::size_t m_total;
    std::string m_what;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDrawn;
};

} // namespace tools

#endif
