# The package's component RefHost, loaded by
# find_package(AdvicePathRender CONFIG COMPONENTS RefHost): the reference host's
# services as static libraries that define the host services, after the
# library in a link (AdvicePathRender::RefHost brings it first):
#
#   AdvicePathRender::RefHost                  all of the services below
#   AdvicePathRender::RefHostLogging           log4cpp logging and the stopwatch
#   AdvicePathRender::RefHostMemory            GlobalMemoryStatus of this process (its
#                                              own allocator kept)
#   AdvicePathRender::RefHostGeodesy           WGS84 geodesy in metres
#   AdvicePathRender::RefHostReferenceGeodesy  the same under its own names
#                                              ("Geodesy/ReferenceGeodesy.h")
#   AdvicePathRender::RefHostRoute             the route model, path views, turn
#                                              information and route manager
#   AdvicePathRender::RefHostMapView           the Cairo raster map view
#   AdvicePathRender::RefHostMapProjection     its viewport, scale levels and clipping
#
# A host that defines one service itself links the others instead of
# AdvicePathRender::RefHost. What the services need is found through
# pkg-config: GeographicLib, log4cpp, Cairo (the modules of RefHost/).
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(AP_GEOGRAPHICLIB QUIET IMPORTED_TARGET geographiclib)
  pkg_check_modules(AP_LOG4CPP QUIET IMPORTED_TARGET log4cpp)
  pkg_check_modules(AP_CAIRO QUIET IMPORTED_TARGET cairo cairo-png cairo-svg cairo-pdf fontconfig)
endif()
if(NOT (PkgConfig_FOUND AND AP_GEOGRAPHICLIB_FOUND AND AP_LOG4CPP_FOUND AND AP_CAIRO_FOUND))
  set(AdvicePathRender_RefHost_FOUND FALSE)
  string(CONCAT AdvicePathRender_NOT_FOUND_MESSAGE
         "the component RefHost needs pkg-config and the pkg-config modules geographiclib, "
         "log4cpp, cairo and fontconfig (Debian: pkg-config libgeographiclib-dev "
         "liblog4cpp5-dev libcairo2-dev)")
  return()
endif()
include("${CMAKE_CURRENT_LIST_DIR}/AdvicePathRenderRefHostTargets.cmake")
