// The map view's camera during a drive, as navigation devices have it.
//
// Where: centred a quarter of the view's height ahead of the vehicle, along
// the direction of the road 30 m ahead (turned smoothly, at most 90 degrees a
// second); north-up, or heading-up with that direction pointing up.
//
// How far: the camera works in level units, lambda = log2(metres per pixel)
// + 0.5, so that the reference map view's level L is the rounded lambda and
// each level's design resolution (2^L / sqrt 2) sits at lambda = L. Its
// target is
//   - while a manoeuvre is announced: the finest level up to the turn limit
//     at which the vehicle and the whole band (the road from the entering
//     length before the junction to the leaving length and the arrow after
//     it, lengths of that level's size record) fit the view, zoomed within
//     that level so that they just fit, now and at every place still to
//     drive until the route leaves the junction (so that the camera only
//     zooms in as the junction nears, never out and back in); at most the
//     turn limit, so that the band is drawn. The level the band is shown at
//     stays while the band's need passes that level's edge by no more than a
//     few pixels of the margin (a need on the edge wobbles as the view turns);
//   - otherwise: the view that shows `lookAheadSeconds` of travel ahead at
//     the current speed, but no coarser than the fit of the next junction
//     (so the camera closes in as a junction nears);
//   - shortly before an announcement (also while the one before is shown,
//     when it comes right where that junction is left), no finer than the
//     fit the announcement will need from there on;
// and the camera moves towards it by at most `levelsPerSecond` levels per
// second of the clock it is driven with: it zooms smoothly, never by a jump.
#ifndef DRIVE_REPLAYCAMERA_H
#define DRIVE_REPLAYCAMERA_H

#include "AdvicePathRenderEx.h"
#include "Drive/RouteTimeline.h"
#include "ManeuverSchedule.h"
#include "MapView/WebMercator.h"

#include <cstddef>
#include <vector>

namespace drive
{

struct CameraSettings
{
    int width = 640;  // CSS pixels
    int height = 480; // CSS pixels
    double pixelRatio = 1.0;
    bool headingUp = true;
    double margin = 24.0;    // pixels kept free around what must show
    double topReserve = 0.0; // more pixels kept free at the top (a caption)
    double levelsPerSecond = 1.0;
    double lookAheadSeconds = 30.0;
    // lambda bounds of the view: from the reference table's level-0 design
    // resolution (0.35 m per pixel) to about 180 m per pixel.
    // Equal bounds hold the camera at that level (nothing is fitted).
    double finestLevel = -1.0;
    double coarsestLevel = 8.0;
};

// How far the band reaches around a junction at one level, metres: back from
// the junction (entering length and tolerance) and on from where the route
// leaves it (leaving length, the arrow's room and tolerance).
struct BandReach
{
    double before = 0.0;
    double after = 0.0;
};

// How far the leaving side of the band reaches from where the route leaves
// the junction at `size`, metres, tolerance aside: m_ToLength plus the arrow
// head's room, kAdvicePathArrowRoom x m_ArrowLength, as the library cuts it.
inline double LeavingReach(const AdvicePathSizeSetting& size)
{
    return static_cast<double>(size.m_ToLength) +
           kAdvicePathArrowRoom * static_cast<double>(size.m_ArrowLength);
}

class ReplayCamera
{
public:
    // `reach[L]` is the band's reach at level L, for L = 0 up to the turn
    // limit (the last level at which the library draws the turn). The
    // timeline must outlive the camera.
    ReplayCamera(const RouteTimeline& timeline, const CameraSettings& settings,
                 std::vector<BandReach> reach);

    // Moves the camera to `vehicle`, `seconds` after the previous update (the
    // first update, or a negative or non-finite `seconds`, jumps straight to
    // the target). `next` is the index in `schedule` of the manoeuvre ahead
    // (schedule.size(): none), `announced` whether its band is shown.
    // Returns the view to show.
    refhost::MapViewport Update(const VehicleState& vehicle,
                                const std::vector<ScheduledManeuver>& schedule, std::size_t next,
                                bool announced, double seconds);

    // lambda now, and the map view's level of it.
    double Lambda() const { return m_lambda; }
    int Level() const;
    // Whether the band of the announced manoeuvre fitted the view at the
    // last update (false when none was announced).
    bool BandFits() const { return m_bandFits; }

private:
    struct Fit
    {
        double lambda = 0.0; // the target for this junction
        bool fits = false;   // some level up to the turn limit shows it all
        int level = -1;      // that level, when it fits
    };
    Fit FitJunction(const VehicleState& vehicle, double heading, const ScheduledManeuver& next);
    // Raises `needed[L]` to the lambda at which level L's band and the
    // vehicle fit the view (one element per level up to the turn limit).
    void NeedBand(const tagLonLat& vehicle, double heading, const ScheduledManeuver& next,
                  std::vector<double>& needed);
    // The finest level whose band fits at its `needed` lambda, zoomed within
    // that level to it; `keepLevel` (the level the band is shown at, or -1)
    // fits with kKeepLevelSlack more.
    static Fit FitOf(const std::vector<double>& needed, int keepLevel = -1);
    // The coarsest of the junction's fits at the places from `fromMetres`
    // (not before the vehicle) on to where the route leaves the junction, the
    // view turned from `heading` towards the road as the camera will turn it
    // on the way there.
    Fit FitAhead(const VehicleState& vehicle, double heading, const ScheduledManeuver& next,
                 double fromMetres, int keepLevel = -1);
    // Shortly before `upcoming` is announced (kPrerollSeconds of travel and
    // kPrerollMetres), the fit its announcement will need from there on;
    // else -infinity.
    double Preroll(const VehicleState& vehicle, double speed, const ScheduledManeuver& upcoming,
                   double turnLimit);
    // The lambda at which the route from `from` to `to` metres and the
    // vehicle at `vehicle` fit the view turned to `heading`.
    double NeededLambda(const tagLonLat& vehicle, double heading, double from, double to);
    // The road's direction at `position`, `distance` metres along the route:
    // towards the point kHeadingLookAhead on. False, `heading` untouched,
    // within a metre of the route's end, which gives none of its own.
    bool RoadHeading(const tagLonLat& position, double distance, double& heading) const;

    // A level's stretch of the route, metres along it.
    struct Stretch
    {
        double from = 0.0;
        double to = 0.0;
    };

    const RouteTimeline& m_timeline;
    CameraSettings m_settings;
    std::vector<BandReach> m_reach;
    bool m_started = false;
    double m_lambda = 0.0;
    double m_heading = 0.0;
    bool m_bandFits = false;
    // The manoeuvre whose band was shown at the last update (none:
    // SIZE_MAX), and the level it was fitted at.
    std::size_t m_bandShown = static_cast<std::size_t>(-1);
    int m_bandLevel = -1;
    refhost::MapViewport m_viewport;
    std::vector<tagLonLat> m_points; // scratch: the stretch a fit must show
    std::vector<double> m_needed;    // scratch: each level's needed lambda
    std::vector<double> m_places;    // scratch: the places a fit looks at
    // Scratch of NeedBand: each level's stretch, the route points of them
    // all with their distances and the metres per pixel each needs.
    std::vector<Stretch> m_stretches;
    std::vector<double> m_pointDistances;
    std::vector<double> m_pointNeeds;
};

} // namespace drive

#endif
