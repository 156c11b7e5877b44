// The renderer: holds path, map view, colours, size table and the junction
// builder, picks the scale level before every drawing and dispatches the route
// line, the turn and the origin-destination line.
#ifndef ADVICEPATH_RENDER_ADVICEPATHRENDER_H
#define ADVICEPATH_RENDER_ADVICEPATHRENDER_H

#include "../../include/AdvicePathRenderEx.h"
#include "../Host/MapService.h"
#include "../Host/PathLibrary.h"
#include "../Host/RouteLibrary.h"
#include "CrossPathEdges.h"

#define AP_SCALE_DEFAULT 5
#define AP_MAX_TURN_SCALE_DEFAULT 30

class AdvicePathRender
{
public:
    explicit AdvicePathRender(CMapService* mapView);
    virtual ~AdvicePathRender();

    int SetSize(const AdvicePathSizeSetting* sizes, int count, int maxTurnScale);
    void Draw(bool drawPath, bool drawTurn);
    void Clear();
    void ClearBigArrow();
    void SetTurnInfo(CNavPath* path, const CTurnInfo& turn);

    void AutoSetCurScale();
    void DrawPath();
    void DrawTurn();
    void DrawRedLine();

    // Shared ownership by handles: a new renderer has one reference.
    void AddRef() { ++m_RefCount; }
    // Returns true when the last reference was released (the caller frees).
    bool Release() { return --m_RefCount == 0; }

    bool m_isClearBigArrow;
    bool m_bDrawing;
    int m_CurScale;
    tagLonLat m_ArrowHead[3];
    CNavPath* mp_Path;
    CMapService* mp_MapView;
    CCrossPathEdges m_CrossEdges;
    unsigned int m_PathClr;
    unsigned int m_PathBorderClr;
    unsigned int m_ArrowClr;
    unsigned int m_ArrowBorderClr;
    AdvicePathSizeSetting* m_pSizeSet;
    int m_SizeSetCnt;
    int m_MaxTurnScale;
    bool m_bDrawRedLine;
    int m_RefCount;

private:
    AdvicePathRender(const AdvicePathRender&);
    AdvicePathRender& operator=(const AdvicePathRender&);
};

#endif
