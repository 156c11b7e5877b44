// The reference host's default map view, as the library takes it.
#include "RasterMapView.h"

namespace refhost
{

RasterMapView& DefaultMapView()
{
    static RasterMapView view;
    return view;
}

} // namespace refhost

CMapService* CMapCreate::GetMapService(void* /*context*/)
{
    return &refhost::DefaultMapView();
}
