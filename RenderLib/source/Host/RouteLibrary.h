// The host's route library: origin and destinations of the route, and the turn
// information of a manoeuvre.
#ifndef ADVICEPATH_HOST_ROUTELIBRARY_H
#define ADVICEPATH_HOST_ROUTELIBRARY_H

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
// the route library defines. mp_Data is the route library's own; the default
// constructor must not allocate, and copy and assignment must give an
// independent copy.
class CTurnInfo
{
public:
    CTurnInfo();
    CTurnInfo(const CTurnInfo& other);
    CTurnInfo& operator=(const CTurnInfo& other);
    ~CTurnInfo();

    // The turn type of the manoeuvre at `index` (the library asks for 0).
    // A default-constructed turn information answers NAV_TURN_NONE.
    NAV_TURN_TYPE_tag GetTurnType(int index) const;
    // The guide on which the route enters (leaves) the junction of the
    // manoeuvre at `index`. Returns false and zeroes `guide` when there is none.
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

// The route library's process-wide route manager.
RouteManager& GetRouteManager();

#endif
