// Walking the guides of the host's path one at a time, with a bound.
#ifndef ADVICEPATH_RENDER_GUIDEWALK_H
#define ADVICEPATH_RENDER_GUIDEWALK_H

#include "../Host/PathLibrary.h"

// The most steps one walk along the path's guides may take. A real route has
// a few thousand guides, so no real walk comes near it; a path whose guides
// never end (a host that links them into a cycle) would otherwise hold the
// drawing thread for ever. The band's walks append an edge per step to a
// vector that grows eight slots at a time, so the cost of a walk that reaches
// the bound grows with its square where the heap cannot grow blocks in place:
// this bound costs seconds there, ten times as many steps would cost minutes.
// A walk that reaches it ends as if the path had ended there.
#define AP_GUIDE_WALK_LIMIT 100000

// Advances `guide` in place to the next guide of `path` (one record as both
// arguments of GetNextGuid). `steps` counts the steps of the current walk and
// starts at 0. Returns true when `guide` now holds the next guide; false after
// the path's last guide or once the walk has taken AP_GUIDE_WALK_LIMIT steps,
// and then GetNextGuid is not called again.
inline bool AdvanceGuide(CPath& path, PathGuid& guide, int& steps)
{
    if (steps >= AP_GUIDE_WALK_LIMIT)
        return false;
    ++steps;
    return path.GetNextGuid(guide, guide) != 0;
}

#endif
