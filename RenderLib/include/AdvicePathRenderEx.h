// The advice-path render library: draws the route line, the origin-destination
// line and the turn at the next manoeuvre on the host's map view.
//
// The host owns the path (CNavPath), the turn information (CTurnInfo, copied by
// the library) and the map view (CMapService, handed in as void*); the library
// never frees them, and the host keeps them alive while a handle may use them.
// Every call comes from one thread, one at a time; nothing here takes a lock.
//
// Calling order: create a handle (NewPathRender, GetAdvicePath, or construct
// one); SetDrawParm when the map view is not the default one; SetSize (nothing
// is drawn before a size table is set); SetClr; EnableDrawRedLine(true) when
// the origin-destination line is wanted (it is off until then); SetPath;
// SetTurnInfo whenever the next manoeuvre changes; Draw on every repaint; Clear
// when the route is dropped; ClearBigArrow to hide the turn until the next
// SetTurnInfo; ClosePathRender (or destruction) at the end.
//
// The host defines the services the library calls, declared in the headers
// beside this one: the map view (MapService.h: also the drawing calls of one
// Draw, in order, with every argument), the path and its guides
// (PathLibrary.h), the route and the turn information with its entering and
// leaving guides (RouteLibrary.h), geodesy (Geodesy.h), logging (Logging.h:
// also every line the library logs) and the memory status (MemoryStatus.h).
// They keep default visibility (HostVisibility.h).
#ifndef ADVICEPATH_RENDER_EX_H
#define ADVICEPATH_RENDER_EX_H

#if defined(_WIN32)
#if defined(ADVICEPATH_BUILDING)
#define ADVICEPATH_API __declspec(dllexport)
#elif defined(ADVICEPATH_STATIC)
#define ADVICEPATH_API
#else
#define ADVICEPATH_API __declspec(dllimport)
#endif
#else
#define ADVICEPATH_API __attribute__((visibility("default")))
#endif

class CNavPath;
class CTurnInfo;
class AdvicePathRender;

// The four colours, each an opaque 32-bit value handed unchanged to the map
// view (the reference map view reads 0x00BBGGRR, so 255 is red).
class ADVICEPATH_API AdvicePathClrSetting
{
public:
    // The defaults: 0x000711F5, 0x0092121B, 0x00FFFFFF, 0.
    AdvicePathClrSetting();
    AdvicePathClrSetting(unsigned long pathClr, unsigned long pathBorderClr, unsigned long arrowClr,
                         unsigned long arrowBorderClr);
    AdvicePathClrSetting& operator=(const AdvicePathClrSetting& other);

    unsigned int m_PathClr;        // route line, fill pass
    unsigned int m_PathBorderClr;  // route line, border pass
    unsigned int m_ArrowClr;       // junction band fill and arrow head fill
    unsigned int m_ArrowBorderClr; // junction band border and arrow head outline
};

// One element of the size table: exactly eleven 32-bit fields, 44 bytes. The
// host passes an array, one element per scale level (element 0 is level 0),
// and fills every field: the record has no constructor. Lengths are in the
// unit of the host's geodesy library (metres on the reference host); widths
// are the map view's (pixels on the reference host). The turn is drawn only
// when 0 <= m_LengthTolerance <= m_ToLength and m_LengthTolerance <=
// m_FromLength; otherwise it is left out without a log line.
class ADVICEPATH_API AdvicePathSizeSetting
{
public:
    AdvicePathSizeSetting& operator=(const AdvicePathSizeSetting& other);

    int m_PathWidth;       // route line fill width; low 16 bits, unsigned
    int m_PathBorderWidth; // route line border width; low 16 bits, unsigned
    int m_EdgeWidth;       // junction band fill width
    int m_EdgeBorderWidth; // junction band border width
    // DrawPolygon's third argument for the arrow head fill: a fill parameter
    // of the map view's (the reference map view: opacity in percent).
    int m_ArrowFillParam;
    // DrawLine's third argument for the arrow head outline: the outline width,
    // which tells the outline from a plain line (with 0 the map view would see
    // a plain line as wide as the colour's value); the map view closes it.
    int m_ArrowBorderParam;
    // The leaving stretch, measured from the end of the leaving guide. The
    // library adds kAdvicePathArrowRoom (1.1) x m_ArrowLength to it, the room
    // the arrow head takes from the stretch's end.
    int m_ToLength;
    // The entering stretch, measured back from the end of the entering guide.
    int m_FromLength;
    // Slack within which a stretch counts as complete: the guide that brings
    // it within m_LengthTolerance of its length is taken whole, not cut.
    int m_LengthTolerance;
    // The arrow head's size: lengths in the geodesy's unit like the stretches
    // above (metres on the reference host), not pixels, so the head grows
    // with the map's zoom as the band does.
    // The tip is the leaving stretch's end and the axis the chord from the
    // start of the segment on which the walk back from the tip passes
    // m_ArrowLength; the base lies on that chord, off a road that bends
    // under the arrow (MapService.h).
    int m_ArrowLength; // arrow head length, base to tip
    int m_ArrowWidth;  // half the width of the arrow head's base
};

// The room the arrow head takes at the end of the leaving stretch, in arrow
// lengths: the leaving stretch is cut m_ToLength + kAdvicePathArrowRoom x
// m_ArrowLength after the end of the leaving guide. A host that frames the
// band (a camera, a picture) measures it the same way.
static const double kAdvicePathArrowRoom = 1.1;

static_assert(sizeof(AdvicePathSizeSetting) == 44, "AdvicePathSizeSetting is 44 bytes");
static_assert(sizeof(AdvicePathClrSetting) == 16, "AdvicePathClrSetting is four 32-bit colours");

// A handle on one renderer. A handle is two pointers wide: its virtual table
// pointer and the pointer to its renderer. Copies share the renderer (and so
// its path, colours, size table and turn); the renderer lives until the last
// handle that refers to it is destroyed. A handle whose renderer could not be
// allocated is inert: it answers false / 0 and ignores every call. A host
// tells the two apart by SetDrawParm: it answers true for every working handle
// (even with a null map view) and false only for an inert one. The library
// is built without run-time type information: a host neither derives from the
// handle nor applies typeid or dynamic_cast to it.
class ADVICEPATH_API AdvicePathRenderEx
{
public:
    // Creates a renderer with the host's default map view
    // (CMapCreate::GetMapService(nullptr)) and, when `path` is not null, that
    // path. Not owned: the host keeps the path alive.
    AdvicePathRenderEx(CNavPath* path = nullptr);
    // Shares `other`'s renderer.
    AdvicePathRenderEx(const AdvicePathRenderEx& other);
    // Releases this handle's renderer (freeing it when this was the last
    // handle on it) and shares `other`'s. Self-assignment changes nothing.
    AdvicePathRenderEx& operator=(const AdvicePathRenderEx& other);
    // Releases the renderer; the last handle on it frees it.
    virtual ~AdvicePathRenderEx();

    // Sets the map view (a CMapService*, not owned). Null is accepted and
    // suppresses all drawing. Returns false only for an inert handle.
    bool SetDrawParm(void* mapView);
    // Sets the path of the route line. Null is refused (false, the current path
    // stays): Clear drops a path.
    bool SetPath(CNavPath* path);
    void SetClr(const AdvicePathClrSetting& colours);
    // Copies the four colours into `colours`; false (and `colours` untouched)
    // for an inert handle.
    bool GetClr(AdvicePathClrSetting& colours) const;
    // Copies `count` elements of `sizes` (the host may free its array after the
    // call; element k is the record of level k) and sets `maxTurnLevel`, the
    // largest level at which the turn is drawn: a level as the map view's
    // ScaleToLevel returns it (MapService.h), not a scale. Returns 1 on
    // success; 0 for a null array, a count of 0, a count whose byte size does
    // not fit 32 bits (negative counts included) or an allocation failure, and
    // then the previous table and turn level stay.
    int SetSize(AdvicePathSizeSetting* sizes, int count, int maxTurnLevel);
    // Hands over the next manoeuvre (copied) and the path it lies on, and shows
    // the turn again after ClearBigArrow. A null path is refused and logged.
    // The library walks `path`'s guides from the first to the entering guide
    // (RouteLibrary.h) now, and on through the leaving guide and the leaving
    // stretch at every Draw, so `path`:
    //  - contains the entering guide and, before it, the guides of the
    //    entering stretch (of which at most ten guides count); it may start
    //    anywhere before them, typically at the vehicle's position on the
    //    remaining route, or a few hundred metres before the junction;
    //  - contains no earlier guide with the entering guide's m_GuidePoint
    //    (a route that passes the junction twice: start after the first pass);
    //  - goes on through the leaving guide and the leaving stretch (where the
    //    path ends, the stretch ends);
    //  - stays alive and unchanged until the next SetTurnInfo or Clear.
    // It need not be the route line's path. A path without the entering guide
    // draws no turn ("m_FromEdges.Size = 0" logged at every Draw, Logging.h).
    void SetTurnInfo(const CTurnInfo& turn, CNavPath* path);
    // Draws on the map view: the route line when `drawPath`, the turn when
    // `drawTurn` and the level is at most the turn limit, then the
    // origin-destination line when enabled. Nothing is drawn while drawing is
    // disabled or before a size table and a map view are set. MapService.h has
    // the calls in order. Pass `drawTurn` false whenever there is no turn to
    // draw, which is quiet:
    //  - before the first SetTurnInfo: asking then logs "GenerateCrossEdges
    //    failed" (300) at every Draw;
    //  - at the route's end, once the turn information's type is NAV_TURN_END
    //    (no manoeuvre left): asking then logs "NAV_TURN_END" (800) and
    //    "GenerateCrossEdges failed" (300) at every Draw, and draws no turn;
    //  - after ClearBigArrow: asking then logs the hidden turn's line (800).
    // A level past the size table uses record 5 when the table has more than 5
    // records, else its last record (MapService.h).
    void Draw(bool drawPath, bool drawTurn);
    // Drawing is enabled from the start.
    void EnableDrawing(bool enable);
    // The straight line from the route's origin to its first destination
    // (GetRouteManager, RouteLibrary.h), drawn last in colour 255 and width 2
    // whatever the colours set. Off from the start.
    void EnableDrawRedLine(bool enable);
    // Drops the route line's path and the junction band. The
    // origin-destination line stays: it comes from the route manager
    // (GetRouteManager), not from the path, so every Draw still draws it while
    // it is enabled; call EnableDrawRedLine(false) with Clear to drop it too.
    // Until the next SetPath and SetTurnInfo, pass Draw false for the turn
    // (asking logs "GenerateCrossEdges failed" at every Draw).
    void Clear();
    // Hides the turn until the next SetTurnInfo.
    void ClearBigArrow();

private:
    AdvicePathRender* mp_Render;
};

// Allocates a handle with `path` (may be null) and, when `mapView` is not null,
// that map view instead of the default one. Returns null when the handle cannot
// be allocated; the handle may be inert. Release it with ClosePathRender.
ADVICEPATH_API AdvicePathRenderEx* NewPathRender(CNavPath* path, void* mapView);

// The process-wide shared handle, created on the first call (with no path and
// the default map view) and destroyed when the library is unloaded. The first
// call must not race with another.
ADVICEPATH_API AdvicePathRenderEx& GetAdvicePath();

// Deletes a handle made by NewPathRender and returns true; null returns true
// and does nothing. The shared handle is refused (false, nothing destroyed);
// the call creates the shared handle if it does not exist yet. Never pass a
// handle that the host constructed itself.
ADVICEPATH_API bool ClosePathRender(AdvicePathRenderEx* handle);

#endif
