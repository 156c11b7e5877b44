// The host's route library: origin and destinations of the route, and the turn
// information of a manoeuvre.
#ifndef ADVICEPATH_HOST_ROUTELIBRARY_H
#define ADVICEPATH_HOST_ROUTELIBRARY_H

#include "HostVisibility.h"
#include "LonLat.h"
#include "PathLibrary.h"

#include <string.h>

// Turn types at index 0 of a CTurnInfo. The library tests only NAV_TURN_END,
// the manoeuvre that ends the route; the others are the route library's.
enum NAV_TURN_TYPE_tag
{
    NAV_TURN_NONE = 0,
    NAV_TURN_END = 1,
    NAV_TURN_STRAIGHT = 2,
    NAV_TURN_SLIGHT_RIGHT = 3,
    NAV_TURN_RIGHT = 4,
    NAV_TURN_SHARP_RIGHT = 5,
    NAV_TURN_UTURN = 6,
    NAV_TURN_SHARP_LEFT = 7,
    NAV_TURN_LEFT = 8,
    NAV_TURN_SLIGHT_LEFT = 9,
    NAV_TURN_ROUNDABOUT = 10,
    NAV_TURN_MERGE = 11,
    NAV_TURN_FORK = 12
};

// A destination record. The library default-constructs it, hands it to the
// path manager and reads only m_Position (byte offset 560), the point that
// GetOrgPoint and GetDestPoint write.
struct NavDest
{
    uint8_t m_RouteData[560];
    tagLonLat m_Position;

    NavDest()
    {
        memset(m_RouteData, 0, sizeof(m_RouteData));
        m_Position = AP_INVALID_POINT;
    }
};

static_assert(offsetof(NavDest, m_Position) == 560, "NavDest position at byte 560");

// The turn information of one manoeuvre: a value type whose member functions
// the route library defines (all but the constructor from the route library's
// data, which only stores the pointer). mp_Data is the route library's own; the
// default constructor must not allocate, and copy and assignment must give an
// independent copy. The library copies the turn information handed to
// SetTurnInfo, keeps the copy until the next one, and asks it for the turn type
// and the two guides of the manoeuvre at index 0.
//
// The entering guide is the guide that ends where the route enters the
// junction. The leaving guide is the last guide INSIDE the junction, not the
// road after it: at a simple crossing it is the entering guide itself, at a
// roundabout the guide of the circle that ends where the route leaves it. The
// junction band is drawn from them:
//
//   simple crossing, right turn            roundabout, second exit
//
//                                                  ^  leaving stretch:
//                  |                               |  the guides after R2
//                  |                          .----Y----.
//       -----------X------->  leaving        /           \  R2: the leaving
//                  ^          stretch:      |             |     guide, ends at Y
//                  |          the guides     \           /  R1
//                  |  E       after E         '----X----'
//                  |                               ^
//                                                  |  E: the entering guide,
//   E: the entering guide and                      |     ends at X
//   the leaving guide, ends at X
//
//   - entering stretch: the entering guide and the guides before it on the
//     path (at most ten guides in all), cut to m_FromLength measured back from
//     the end of the entering guide;
//   - the guides after the entering guide up to the leaving guide, whole (none
//     at a simple crossing; R1 and R2 above);
//   - leaving stretch: the guides after the leaving guide, cut to m_ToLength +
//     kAdvicePathArrowRoom (1.1) x m_ArrowLength measured from the end of the
//     leaving guide, its last piece never shorter than kAdvicePathArrowRoom x
//     m_ArrowLength; the arrow head ends it (AdvicePathSizeSetting in
//     AdvicePathRenderEx.h has the lengths), the band ending at the arrow's
//     base: on the chord from the start of the segment on which the walk back
//     from the tip passes m_ArrowLength, which is off the road where the road
//     bends under the arrow (MapService.h).
//
// A leaving guide that is the road after the junction draws that whole road as
// part of the junction and the arrow on the road after it, without any error.
//
// A U-turn at a dead end (the route drives to the end of a road and back): the
// junction is the road's last point and nothing lies inside it, so the
// leaving guide is the entering guide, the guide that ends at the dead end, as
// at a simple crossing. The leaving stretch is then the way back, and the
// arrow lies on it. Passing the first guide of the way back instead draws that
// whole guide as part of the junction and the arrow one guide further on.
//
// Both guides are found on the path by their m_GuidePoint (PathLibrary.h): the
// entering guide by a walk from the path's first guide, the leaving guide by a
// walk on from the entering guide. A leaving guide that is another record than
// the entering guide (another point array or head) is walked to even when it
// ends at the same point: a route round the whole of a roundabout leaves it
// where it came in, and the band goes round the circle. The library then
// walks on from copies of the two records with the path's GetNextGuid, so they
// must be records that the path's GetNextGuid can advance from: the path
// library's own records of those guides.
class ADVICEPATH_HOST_API CTurnInfo
{
public:
    CTurnInfo();
    // Turn information holding `data`, the route library's record of a
    // manoeuvre (null: as default-constructed). Only stores the pointer, which
    // the other members, the route library's, then copy and release; so a
    // route library makes its turn information with it and hands over a record
    // the way its destructor expects. The library never calls it.
    explicit CTurnInfo(void* data) : mp_Data(data) {}
    CTurnInfo(const CTurnInfo& other);
    CTurnInfo& operator=(const CTurnInfo& other);
    ~CTurnInfo();

    // The turn type of the manoeuvre at `index` (the library asks for 0).
    // A default-constructed turn information answers NAV_TURN_NONE. At
    // NAV_TURN_END the library draws no turn (Logging.h, message 163).
    NAV_TURN_TYPE_tag GetTurnType(int index) const;
    // The entering (leaving) guide of the manoeuvre at `index`, as described
    // above, into `guide`. Returns false and zeroes `guide` when there is none.
    bool GetEnterGuide(int index, NavGuid& guide) const;
    bool GetExitGuide(int index, NavGuid& guide) const;

private:
    void* mp_Data;
};

// The route's origin and destinations.
class CPathManagerEx
{
public:
    virtual ~CPathManagerEx() {}
    // The origin into `dest.m_Position`; false when the route has none.
    virtual bool GetOrgPoint(NavDest& dest) = 0;
    // The number of destinations; nothing is drawn below 1.
    virtual int GetDestCount() = 0;
    // Destination `index` into `dest.m_Position`; false when it cannot be read.
    virtual bool GetDestPoint(int index, NavDest& dest) = 0;
};

class RouteManager
{
public:
    virtual ~RouteManager() {}
    virtual CPathManagerEx& GetPathManager() = 0;
};

// The route library's process-wide route manager. The library asks it for the
// origin and the first destination on every Draw with the origin-destination
// line enabled.
ADVICEPATH_HOST_API RouteManager& GetRouteManager();

#endif
