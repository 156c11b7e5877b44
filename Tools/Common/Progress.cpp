#include "ProgressBar.h"

#include "ReplaySetup.h"

#include <cstdio>
#include <unistd.h>

namespace tools
{

namespace
{

constexpr int kBarWidth = 30;

} // namespace

ProgressBar::ProgressBar(bool wanted, size_t total, std::string what)
    : m_shown(wanted && ::isatty(STDERR_FILENO) != 0), m_total(total), m_what(std::move(what)),
      m_start(std::chrono::steady_clock::now()), m_lastDrawn(m_start)
{
}

ProgressBar::~ProgressBar()
{
    if (m_shown)
        (void)std::fprintf(stderr, "\r%*s\r", kBarWidth + 50, "");
}

void ProgressBar::Update(size_t done)
{
    if (!m_shown || m_total == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (done < m_total && now - m_lastDrawn < std::chrono::milliseconds(100))
        return;
    m_lastDrawn = now;
    const double elapsed = std::chrono::duration<double>(now - m_start).count();
    const double share = static_cast<double>(done) / static_cast<double>(m_total);
    const int filled = static_cast<int>(share * kBarWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    const std::string left = done > 0 ? FormatDuration(elapsed / static_cast<double>(done) *
                                                       static_cast<double>(m_total - done)) +
                                            " left"
                                      : std::string();
    (void)std::fprintf(stderr, "\r[%s] %zu/%zu %s %-12s", bar.c_str(), done, m_total,
                       m_what.c_str(), left.c_str());
    (void)std::fflush(stderr);
}

} // namespace tools
