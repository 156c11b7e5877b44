// Which moment of a drive each frame of an animation shows.
//
// Frames come at a fixed rate of animation time. While a manoeuvre is
// announced the drive plays `speedUp` times faster than real time; the
// stretches between announcements play faster still, as fast as they must for
// the whole animation to last at most `maxSeconds`, and at least twice as
// fast as the announcements. Should the announcements alone take more than
// three quarters of `maxSeconds` at `speedUp`, they are played faster too, so
// that they take three quarters and the stretches between them the rest.
#ifndef DRIVE_ANIMATIONPLAN_H
#define DRIVE_ANIMATIONPLAN_H

#include <cstddef>
#include <utility>
#include <vector>

namespace drive
{

struct AnimationSettings
{
    double framesPerSecond = 10.0; // of animation
    double speedUp = 8.0;          // drive seconds per animation second while announced
    double maxSeconds = 60.0;      // of animation, at most
};

class AnimationPlan
{
public:
    // The drive from `startSeconds` to `endSeconds` (drive time; swapped when
    // given the wrong way round), with the announced stretches `announced`
    // (pairs of drive times; parts outside the drive are ignored, overlaps
    // merge). Settings that are not positive and finite take their defaults;
    // the frame rate is at least 1 and maxSeconds at least 3 frames' worth.
    AnimationPlan(double startSeconds, double endSeconds,
                  std::vector<std::pair<double, double>> announced,
                  const AnimationSettings& settings);

    std::size_t FrameCount() const { return m_frameCount; }
    double FramesPerSecond() const { return m_fps; }
    // Drive seconds shown by `frame` (0 ... FrameCount() - 1; later frames
    // show the end).
    double DriveTimeOf(std::size_t frame) const;
    // The speed-ups used: drive seconds per animation second.
    double AnnouncedSpeedUp() const { return m_announcedSpeedUp; }
    double BetweenSpeedUp() const { return m_betweenSpeedUp; }
    // Animation seconds: FrameCount() frames of 1 / FramesPerSecond() each.
    double Seconds() const { return static_cast<double>(m_frameCount) / m_fps; }

private:
    struct Piece
    {
        double driveStart;
        double driveEnd;
        double speedUp;
        double animationStart;
    };
    std::vector<Piece> m_pieces;
    double m_fps = 10.0;
    double m_announcedSpeedUp = 1.0;
    double m_betweenSpeedUp = 1.0;
    double m_animationLength = 0.0;
    std::size_t m_frameCount = 1;
};

} // namespace drive

#endif
