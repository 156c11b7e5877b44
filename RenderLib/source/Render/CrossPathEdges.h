// The junction builder: what the library knows about the next manoeuvre, and
// the band and arrow head it cuts from it at every drawing.
#ifndef ADVICEPATH_RENDER_CROSSPATHEDGES_H
#define ADVICEPATH_RENDER_CROSSPATHEDGES_H

#include "../Edges/PathEdgeVec.h"
#include "../Host/PathLibrary.h"
#include "../Host/RouteLibrary.h"

#define AP_GUIDE_SLOT_NUM 10

class CCrossPathEdges
{
public:
    CCrossPathEdges();
    virtual ~CCrossPathEdges();

    // Empties every slot of m_Guides (zeroes, m_GuidePoint AP_INVALID_POINT).
    void ResetGuides();
    // Reverses the n slots from `from` on.
    void ReverseGuides(PathGuid* from, int n);
    // Takes a new manoeuvre: collects the guides of `path` up to the entering
    // guide into m_Guides and m_FromEdges. A null path only detaches.
    void SetCrossInfo(CPath* path, const CTurnInfo& turnInfo);
    // Rebuilds m_EdgeVec: entering stretch, guides between, leaving stretch.
    // 0 on success, -1 (m_EdgeVec empty) on failure.
    int GenerateCrossEdges(double toLength, double fromLength, double tolerance,
                           double arrowExtension);
    // Writes the arrow head (tip, right corner, left corner) at the end of the
    // last edge of m_EdgeVec into `out`, cutting that edge back to the base
    // when the arrow lies inside it. 0, or -1 with nothing changed.
    int GenerateArrowHead(tagLonLat* out, int capacity, double arrowLength, double arrowWidth);

    CTurnInfo m_TurnInfo;
    NavGuid m_EnterGuide;
    NavGuid m_ExitGuide;
    PathGuid m_Guides[AP_GUIDE_SLOT_NUM];
    CPath* mp_Path;
    CPathEdgeVec m_FromEdges;
    CPathEdgeVec m_EdgeVec;

private:
    CCrossPathEdges(const CCrossPathEdges&);
    CCrossPathEdges& operator=(const CCrossPathEdges&);
};

#endif
