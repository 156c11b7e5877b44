// CMapCreate::GetMapService of the test host.
#include "MapService.h"
#include "TestHost.h"

CMapService*& aptest::MapCreateControl::DefaultMapView()
{
    static CMapService* view = nullptr;
    return view;
}

int& aptest::MapCreateControl::Calls()
{
    static int calls = 0;
    return calls;
}

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    ++aptest::MapCreateControl::Calls();
    return aptest::MapCreateControl::DefaultMapView();
}
