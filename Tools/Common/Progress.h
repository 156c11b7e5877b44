// The tools' one progress display on standard error: a bar, the steps done
// and in all, what is counted, the time left and the step at hand. Shown
// only to a person watching a terminal, redrawn at most ten times a second
// and wiped when done; lines said through it (Say) go out in any case.
#ifndef TOOLS_COMMON_PROGRESS_H
#define TOOLS_COMMON_PROGRESS_H

#include <chrono>
#include <cstddef>
#include <string>

namespace tools
{

class Progress
{
public:
    // Shown when `wanted` and standard error is a terminal; counts `total`
    // steps of `what` ("frames", "pictures").
    Progress(bool wanted, std::size_t total, std::string what);
    ~Progress(); // wipes the bar
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // `done` steps of the total are done; `step` names the one at hand.
    void Update(std::size_t done, const std::string& step = std::string());

    // Wipes the bar and writes `line` to standard error when wanted, also
    // off a terminal (a summary that stays).
    void Say(const std::string& line);

private:
    void Wipe();

    bool m_wanted;
    bool m_shown;
    std::size_t m_total;
    std::string m_what;
    std::chrono::steady_clock::time_point m_start;
    std::chrono::steady_clock::time_point m_lastDrawn;
    bool m_drawn = false;
};

// "1:05:12" or "4:07": seconds as hours, minutes and seconds.
std::string FormatDuration(double seconds);

} // namespace tools

#endif
