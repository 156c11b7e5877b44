// The exported handle, the free functions and the settings records.
#include "../../include/AdvicePathRenderEx.h"

#include "../Edges/HeapAlloc.h"
#include "AdvicePathRender.h"

#include <new>
#include <stdlib.h>
#include <string.h>

#if defined(_WIN32)
#include <windows.h>
#endif

AdvicePathClrSetting::AdvicePathClrSetting()
    : m_PathClr(0x000711F5), m_PathBorderClr(0x0092121B), m_ArrowClr(0x00FFFFFF),
      m_ArrowBorderClr(0)
{
}

AdvicePathClrSetting::AdvicePathClrSetting(unsigned long pathClr, unsigned long pathBorderClr,
                                           unsigned long arrowClr, unsigned long arrowBorderClr)
    : m_PathClr(static_cast<unsigned int>(pathClr)),
      m_PathBorderClr(static_cast<unsigned int>(pathBorderClr)),
      m_ArrowClr(static_cast<unsigned int>(arrowClr)),
      m_ArrowBorderClr(static_cast<unsigned int>(arrowBorderClr))
{
}

AdvicePathClrSetting& AdvicePathClrSetting::operator=(const AdvicePathClrSetting& other)
{
    m_PathClr = other.m_PathClr;
    m_PathBorderClr = other.m_PathBorderClr;
    m_ArrowClr = other.m_ArrowClr;
    m_ArrowBorderClr = other.m_ArrowBorderClr;
    return *this;
}

AdvicePathSizeSetting& AdvicePathSizeSetting::operator=(const AdvicePathSizeSetting& other)
{
    memmove(static_cast<void*>(this), static_cast<const void*>(&other),
            sizeof(AdvicePathSizeSetting));
    return *this;
}

namespace
{
// Drops one handle's reference; the last one frees the renderer.
void ReleaseRenderer(AdvicePathRender* render)
{
    if (render != nullptr && render->Release())
        delete render;
}
} // namespace

AdvicePathRenderEx::AdvicePathRenderEx(CNavPath* path) : mp_Render(nullptr)
{
    if (!ApAllocAllowed(AP_ALLOC_RENDERER))
        return;
    // Allocate first, then ask for the map view: an inert handle never calls
    // the map library.
    void* storage = ::operator new(sizeof(AdvicePathRender), std::nothrow);
    if (storage == nullptr)
        return;
    mp_Render = new (storage) AdvicePathRender(CMapCreate::GetMapService(nullptr));
    if (path != nullptr)
        mp_Render->mp_Path = path;
}

AdvicePathRenderEx::AdvicePathRenderEx(const AdvicePathRenderEx& other) : mp_Render(other.mp_Render)
{
    if (mp_Render != nullptr)
        mp_Render->AddRef();
}

// Safe for self-assignment: the reference is added before the release.
// NOLINTNEXTLINE(bugprone-unhandled-self-assignment)
AdvicePathRenderEx& AdvicePathRenderEx::operator=(const AdvicePathRenderEx& other)
{
    if (other.mp_Render != nullptr)
        other.mp_Render->AddRef();
    ReleaseRenderer(mp_Render);
    mp_Render = other.mp_Render;
    return *this;
}

AdvicePathRenderEx::~AdvicePathRenderEx()
{
    ReleaseRenderer(mp_Render);
    mp_Render = nullptr;
}

bool AdvicePathRenderEx::SetDrawParm(void* mapView)
{
    if (mp_Render == nullptr)
        return false;
    mp_Render->mp_MapView = static_cast<CMapService*>(mapView);
    return true;
}

bool AdvicePathRenderEx::SetPath(CNavPath* path)
{
    if (mp_Render == nullptr || path == nullptr)
        return false;
    mp_Render->mp_Path = path;
    return true;
}

void AdvicePathRenderEx::SetClr(const AdvicePathClrSetting& colours)
{
    if (mp_Render == nullptr)
        return;
    mp_Render->m_PathClr = colours.m_PathClr;
    mp_Render->m_PathBorderClr = colours.m_PathBorderClr;
    mp_Render->m_ArrowClr = colours.m_ArrowClr;
    mp_Render->m_ArrowBorderClr = colours.m_ArrowBorderClr;
}

bool AdvicePathRenderEx::GetClr(AdvicePathClrSetting& colours) const
{
    if (mp_Render == nullptr)
        return false;
    colours.m_PathClr = mp_Render->m_PathClr;
    colours.m_PathBorderClr = mp_Render->m_PathBorderClr;
    colours.m_ArrowClr = mp_Render->m_ArrowClr;
    colours.m_ArrowBorderClr = mp_Render->m_ArrowBorderClr;
    return true;
}

int AdvicePathRenderEx::SetSize(AdvicePathSizeSetting* sizes, int count, int maxTurnLevel)
{
    if (mp_Render == nullptr)
        return 0;
    return mp_Render->SetSize(sizes, count, maxTurnLevel);
}

void AdvicePathRenderEx::SetTurnInfo(const CTurnInfo& turn, CNavPath* path)
{
    if (mp_Render != nullptr)
        mp_Render->SetTurnInfo(path, turn);
}

void AdvicePathRenderEx::Draw(bool drawPath, bool drawTurn)
{
    if (mp_Render != nullptr)
        mp_Render->Draw(drawPath, drawTurn);
}

void AdvicePathRenderEx::EnableDrawing(bool enable)
{
    if (mp_Render != nullptr)
        mp_Render->m_bDrawing = enable;
}

void AdvicePathRenderEx::EnableDrawRedLine(bool enable)
{
    if (mp_Render != nullptr)
        mp_Render->m_bDrawRedLine = enable;
}

void AdvicePathRenderEx::Clear()
{
    if (mp_Render != nullptr)
        mp_Render->Clear();
}

void AdvicePathRenderEx::ClearBigArrow()
{
    if (mp_Render != nullptr)
        mp_Render->ClearBigArrow();
}

AdvicePathRenderEx* NewPathRender(CNavPath* path, void* mapView)
{
    if (!ApAllocAllowed(AP_ALLOC_HANDLE))
        return nullptr;
    AdvicePathRenderEx* handle = new (std::nothrow) AdvicePathRenderEx(path);
    if (handle != nullptr && mapView != nullptr)
        handle->SetDrawParm(mapView); // refused (and harmless) on an inert handle
    return handle;
}

namespace
{
// The shared handle lives in static storage, built on the first call under a
// plain flag (all calls come from the drawing thread) and destroyed at unload.
// A union rather than alignas: the device compilers lack alignas, and the
// pointer member gives the storage the alignment of the handle (a virtual
// table pointer and a pointer).
bool g_SharedBuilt = false;
union SharedHandleStorage
{
    void* m_AlignAsPointer;
    unsigned char m_Bytes[sizeof(AdvicePathRenderEx)];
} g_SharedStorage;

AdvicePathRenderEx* SharedHandle()
{
    return static_cast<AdvicePathRenderEx*>(static_cast<void*>(&g_SharedStorage));
}

void DestroySharedHandle()
{
    if (!g_SharedBuilt)
        return;
    SharedHandle()->~AdvicePathRenderEx();
    g_SharedBuilt = false;
}
} // namespace

AdvicePathRenderEx& GetAdvicePath()
{
    if (!g_SharedBuilt)
    {
        new (&g_SharedStorage) AdvicePathRenderEx();
        g_SharedBuilt = true;
        // Should the registration fail, the handle is merely not destroyed.
        static_cast<void>(atexit(DestroySharedHandle));
    }
    return *SharedHandle();
}

bool ClosePathRender(AdvicePathRenderEx* handle)
{
    if (handle == nullptr)
        return true;
    if (handle == &GetAdvicePath())
        return false;
    delete handle;
    return true;
}

#if defined(_WIN32)
// The library sets nothing up at load: every notification succeeds.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
#endif
