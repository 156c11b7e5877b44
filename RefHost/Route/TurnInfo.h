// Turn information of the reference route library. CTurnInfo (declared in
// Host/RouteLibrary.h) holds a pointer to an immutable, reference-counted
// record: copies share it, so copying and assigning never allocate and never
// fail, and since nothing can change a record, every copy behaves as an
// independent value. A default-constructed CTurnInfo holds nothing.
#ifndef REFHOST_ROUTE_TURNINFO_H
#define REFHOST_ROUTE_TURNINFO_H

#include "RouteLibrary.h"

namespace refhost
{

// Turn information of type `type` at index 0, with copies of the entering and
// leaving guides (null: none, GetEnterGuide / GetExitGuide answer false).
// Allocates the record (std::bad_alloc propagates).
CTurnInfo MakeTurnInfo(NAV_TURN_TYPE_tag type, const NavGuid* enter, const NavGuid* exit);

} // namespace refhost

#endif
