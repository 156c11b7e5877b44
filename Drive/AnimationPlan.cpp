#include "AnimationPlan.h"

#include <algorithm>
#include <cmath>

namespace drive
{

namespace
{

double PositiveOr(double value, double fallback)
{
    return std::isfinite(value) && value > 0.0 ? value : fallback;
}

// The share of the animation the announcements may take at most.
constexpr double kAnnouncedShare = 0.75;

} // namespace

AnimationPlan::AnimationPlan(double startSeconds, double endSeconds,
                             std::vector<std::pair<double, double>> announced,
                             const AnimationSettings& settings)
{
    const AnimationSettings defaults;
    m_fps = std::max(1.0, PositiveOr(settings.framesPerSecond, defaults.framesPerSecond));
    const double speedUp = PositiveOr(settings.speedUp, defaults.speedUp);
    const double maxSeconds =
        std::max(3.0 / m_fps, PositiveOr(settings.maxSeconds, defaults.maxSeconds));
    double start = std::isfinite(startSeconds) ? startSeconds : 0.0;
    double end = std::isfinite(endSeconds) ? endSeconds : start;
    if (end < start)
        std::swap(start, end);

    // The announced stretches inside the drive, in order, merged; the
    // stretches between them fill the rest.
    std::sort(announced.begin(), announced.end());
    struct Span
    {
        double from, to;
        bool announced;
    };
    std::vector<Span> spans;
    double at = start;
    double announcedLength = 0.0;
    for (const auto& [from, to] : announced)
    {
        const double a = std::max(from, at);
        const double b = std::min(to, end);
        if (!(b > a))
            continue;
        if (a > at)
            spans.push_back({at, a, false});
        spans.push_back({a, b, true});
        announcedLength += b - a;
        at = b;
    }
    if (end > at || spans.empty())
        spans.push_back({at, end, false});
    const double betweenLength = (end - start) - announcedLength;

    // The plan fills its budget less two frames, so that the frames at both
    // ends fit too.
    const double budget = maxSeconds - 2.0 / m_fps;
    m_announcedSpeedUp = std::max(speedUp, announcedLength / (kAnnouncedShare * budget));
    const double left = budget - announcedLength / m_announcedSpeedUp;
    m_betweenSpeedUp = std::max(2.0 * m_announcedSpeedUp, betweenLength / left);

    double animation = 0.0;
    for (const Span& span : spans)
    {
        const double rate = span.announced ? m_announcedSpeedUp : m_betweenSpeedUp;
        m_pieces.push_back({span.from, span.to, rate, animation});
        animation += (span.to - span.from) / rate;
    }
    m_animationLength = animation;
    m_frameCount = static_cast<size_t>(std::ceil(animation * m_fps - 1e-9)) + 1;
}

double AnimationPlan::DriveTimeOf(size_t frame) const
{
    const double t = std::min(static_cast<double>(frame) / m_fps, m_animationLength);
    // The last piece that starts at or before t.
    auto piece =
        std::upper_bound(m_pieces.begin(), m_pieces.end(), t,
                         [](double time, const Piece& p) { return time < p.animationStart; });
    if (piece != m_pieces.begin())
        --piece;
    return std::min(piece->driveEnd,
                    piece->driveStart + (t - piece->animationStart) * piece->speedUp);
}

} // namespace drive
