# Installation of the reference host as the package's component RefHost, for
# hosts built elsewhere that start from its services and replace one at a
# time: static libraries that define the host services, their headers, the
# targets AdvicePathRender::RefHost<Service> loaded by
# find_package(AdvicePathRender CONFIG COMPONENTS RefHost) (whose component file
# finds GeographicLib, log4cpp and Cairo), a pkg-config file
# (advicepath-refhost) and the example program that uses them. Everything is in
# the install component "RefHost". The route-file readers stay in this build.
#
# Layout under the prefix:
#   include/AdvicePathRender/RefHost/<Service>/*.h   (hosts write "Route/RouteModel.h")
#   lib/libAdvicePathRefHost<Service>.a
#   lib/cmake/AdvicePathRender/AdvicePathRenderRefHost.cmake (+ ...RefHostTargets.cmake)
#   lib/pkgconfig/advicepath-refhost.pc
#   share/doc/AdvicePathRender/examples/DrawRoute/
include(GNUInstallDirs)

set(AP_REFHOST_TARGETS refhost_logging refhost_memory refhost_geodesy refhost_geodesy_binding
                       refhost_mapprojection
                       refhost_route refhost_mapview)
# Exported and file names: the service each library defines.
set_target_properties(refhost_logging PROPERTIES EXPORT_NAME RefHostLogging)
set_target_properties(refhost_memory PROPERTIES EXPORT_NAME RefHostMemory)
set_target_properties(refhost_geodesy PROPERTIES EXPORT_NAME RefHostReferenceGeodesy)
set_target_properties(refhost_geodesy_binding PROPERTIES EXPORT_NAME RefHostGeodesy)
set_target_properties(refhost_route PROPERTIES EXPORT_NAME RefHostRoute)
set_target_properties(refhost_mapview PROPERTIES EXPORT_NAME RefHostMapView)
set_target_properties(refhost_mapprojection PROPERTIES EXPORT_NAME RefHostMapProjection)
set_target_properties(AdvicePathRefHost PROPERTIES EXPORT_NAME RefHost)
foreach(target ${AP_REFHOST_TARGETS})
  get_target_property(name ${target} EXPORT_NAME)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME AdvicePath${name})
  target_include_directories(${target} PUBLIC
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/AdvicePathRender/RefHost>)
endforeach()

install(TARGETS AdvicePathRefHost ${AP_REFHOST_TARGETS} EXPORT AdvicePathRenderRefHostTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT RefHost)
foreach(service Logging Memory Geodesy Route MapView)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/RefHost/${service}
          DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/AdvicePathRender/RefHost COMPONENT RefHost
          FILES_MATCHING PATTERN "*.h")
endforeach()

set(ap_cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/AdvicePathRender)
install(EXPORT AdvicePathRenderRefHostTargets NAMESPACE AdvicePathRender::
        DESTINATION ${ap_cmakedir} COMPONENT RefHost)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/AdvicePathRenderRefHost.cmake
        DESTINATION ${ap_cmakedir} COMPONENT RefHost)

ap_install_pkg_config(advicepath-refhost RefHost)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/Examples/DrawRoute
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT RefHost)
