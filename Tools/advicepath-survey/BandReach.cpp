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

ArrowBase ExpectedArrowBase(const RouteTrack& track, double tipMetres, double lastPieceStart,
                            double arrowLength)
{
    const tagLonLat tip = track.At(tipMetres);
    const std::vector<tagLonLat>& points = track.Points();
    const std::vector<double>& along = track.Along();
    // The last track point before the tip, then back point by point.
    auto after = std::lower_bound(along.begin(), along.end(), tipMetres);
    auto index = static_cast<std::size_t>(after - along.begin());
    tagLonLat nearer = tip;
    double nearerMetres = tipMetres;
    ArrowBase base;
    while (index > 0)
    {
        --index;
        const double metres = std::max(along[index], lastPieceStart);
        const tagLonLat farther = metres > along[index] ? track.At(metres) : points[index];
        const SegmentFoot offFarther = FootOnSegment(farther, tip, tip);
        if (offFarther.offMetres >= arrowLength)
        {
            // Where the segment from `nearer` to `farther` leaves the circle of
            // the arrow's length round the tip: halving its metres along.
            double low = nearerMetres;
            double high = metres;
            for (int step = 0; step < 40; ++step)
            {
                const double middle = (low + high) / 2.0;
                if (FootOnSegment(track.At(middle), tip, tip).offMetres < arrowLength)
                    low = middle;
                else
                    high = middle;
            }
            base.onRoad = true;
            base.metres = (low + high) / 2.0;
            base.point = track.At(base.metres);
            return base;
        }
        nearer = farther;
        nearerMetres = metres;
        if (metres <= lastPieceStart)
            break;
    }
    // The last piece never gets an arrow's length from its tip: the base lies
    // on the line from the piece's start to the tip, an arrow's length from
    // the tip.
    const tagLonLat start = track.At(lastPieceStart);
    const double apart = FootOnSegment(start, tip, tip).offMetres;
    base.onRoad = false;
    base.metres = lastPieceStart;
    const double k = apart > 0.0 ? arrowLength / apart : 0.0;
    base.point = {tip.lon + (start.lon - tip.lon) * k, tip.lat + (start.lat - tip.lat) * k};
    return base;
}

} // namespace survey
