#include "BandReach.h"

#include "Drive/ReplayCamera.h"

#include <algorithm>

namespace survey
{

namespace
{

// Guides the library keeps for the entering stretch (its ring of guides).
constexpr std::size_t kEnteringGuides = 10;

struct Piece
{
    double length = 0.0;
    bool whole = true;
    double start = 0.0; // metres along where it begins
};

double EnteringStart(const RouteTrack& track, const TurnPlace& place, double fromLength,
                     double tolerance, double slack, Piece& first)
{
    double total = 0.0;
    double start = place.junction;
    for (std::size_t i = 0; i < kEnteringGuides && i <= place.enterLink; ++i)
    {
        const std::size_t link = place.enterLink - i;
        if (link < place.pathFirstLink)
            break;
        const double linkStart =
            link == place.pathFirstLink ? place.pathStart : track.LinkStart(link);
        const double length = track.LinkEnds()[link] - linkStart;
        total += length;
        const double measured = total + slack;
        if (i == 0)
            first = {length, true, linkStart};
        if (fromLength - tolerance <= measured && measured <= fromLength + tolerance)
            return linkStart;
        if (measured > fromLength + tolerance)
        {
            if (i == 0)
                first = {fromLength, false, place.junction - fromLength};
            return place.junction - fromLength;
        }
        start = linkStart;
    }
    return start;
}

} // namespace

BandEnds ExpectedBandEnds(const RouteTrack& track, const TurnPlace& place,
                          const AdvicePathSizeSetting& size, double slack)
{
    const std::vector<double>& ends = track.LinkEnds();
    const double tolerance = size.m_LengthTolerance;
    const double arrowLength = size.m_ArrowLength;
    const double room = kAdvicePathArrowRoom * arrowLength;
    const double target = drive::LeavingReach(size);

    BandEnds band;
    Piece last;
    band.start = EnteringStart(track, place, size.m_FromLength, tolerance, slack, last);
    band.end = place.junction;
    for (std::size_t link = place.enterLink + 1; link <= place.exitLink; ++link)
        last = {ends[link] - track.LinkStart(link), true, track.LinkStart(link)};
    band.end = place.passed;

    double total = 0.0;
    for (std::size_t link = place.exitLink + 1; link < ends.size(); ++link)
    {
        const double length = ends[link] - track.LinkStart(link);
        total += length;
        const double measured = total + slack;
        if (target - tolerance <= measured && measured <= target + tolerance)
        {
            band.end = ends[link];
            last = {length, true, track.LinkStart(link)};
            if (length >= room)
                break;
        }
        else if (measured > target + tolerance)
        {
            if (length >= room)
            {
                const double excess = measured - target;
                const double cut =
                    excess < length && length - excess > room ? length - excess : room;
                band.end = track.LinkStart(link) + cut;
                last = {cut, false, track.LinkStart(link)};
                break;
            }
            band.end = ends[link];
            last = {length, true, track.LinkStart(link)};
        }
        else
        {
            band.end = ends[link];
            last = {length, true, track.LinkStart(link)};
        }
    }
    band.arrowBeyondEnd = last.whole && last.length < arrowLength;
    band.lastPieceStart = last.start;
    return band;
}

ArrowChord ExpectedArrowChord(const RouteTrack& track, double tipMetres, double lastPieceStart,
                              double arrowLength, double slack)
{
    const std::vector<double>& along = track.Along();
    // The track's points strictly between the piece's start and the tip, from
    // the tip backwards: each ends the segment before it.
    auto index = static_cast<std::size_t>(std::lower_bound(along.begin(), along.end(), tipMetres) -
                                          along.begin());
    ArrowChord chord;
    while (index > 0)
    {
        --index;
        if (along[index] <= lastPieceStart)
            break;
        if (tipMetres - along[index] + slack > arrowLength)
        {
            chord.fromMetres = along[index];
            return chord;
        }
    }
    chord.fromMetres = lastPieceStart;
    chord.fromVertex = std::binary_search(along.begin(), along.end(), lastPieceStart);
    return chord;
}

} // namespace survey
