#include "Progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace tools
{

namespace
{

constexpr int kBarWidth = 30;
constexpr int kLineWidth = kBarWidth + 60; // what a drawn line can take at most

} // namespace

Progress::Progress(bool wanted, std::size_t total, std::string what)
    : m_wanted(wanted), m_shown(wanted && ::isatty(STDERR_FILENO) != 0), m_total(total),
      m_what(std::move(what)), m_start(std::chrono::steady_clock::now()), m_lastDrawn(m_start)
{
}

Progress::~Progress()
{
    Wipe();
}

void Progress::Wipe()
{
    if (m_drawn)
        (void)std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
    m_drawn = false;
}

void Progress::Update(std::size_t done, const std::string& step)
{
    if (!m_shown || m_total == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_drawn && done < m_total && now - m_lastDrawn < std::chrono::milliseconds(100))
        return;
    m_lastDrawn = now;
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    const double share =
        static_cast<double>(std::min(done, m_total)) / static_cast<double>(m_total);
    std::string bar(static_cast<std::size_t>(share * kBarWidth), '#');
    bar.resize(kBarWidth, '.');
    const std::string left = done > 0 && done <= m_total
                                 ? FormatDuration(elapsed / static_cast<double>(done) *
                                                  static_cast<double>(m_total - done)) +
                                       " left"
                                 : std::string();
    std::string line = "[" + bar + "] " + std::to_string(done) + "/" + std::to_string(m_total) +
                       " " + m_what + " " + left;
    if (!step.empty())
        line += "  " + step;
    line.resize(kLineWidth, ' ');
    (void)std::fprintf(stderr, "\r%s", line.c_str());
    (void)std::fflush(stderr);
    m_drawn = true;
}

void Progress::Say(const std::string& line)
{
    Wipe();
    if (m_wanted)
        (void)std::fprintf(stderr, "%s\n", line.c_str());
}

std::string FormatDuration(double seconds)
{
    const long total = std::lround(std::max(0.0, seconds));
    char text[32];
    if (total >= 3600)
        (void)std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                            total % 60);
    else
        (void)std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}

} // namespace tools
