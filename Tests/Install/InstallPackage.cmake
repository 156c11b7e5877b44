# Installs the library components (and, with REFHOST, the reference host's)
# into PREFIX (emptied first) and checks the files a host relies on. Arguments:
# BUILD_DIR, PREFIX, CONFIG, REFHOST.
file(REMOVE_RECURSE ${PREFIX})
set(components Library AdvicePathRender)
set(files include/AdvicePathRender/AdvicePathRenderEx.h
          include/AdvicePathRender/Host/MapService.h
          include/AdvicePathRender/Host/PathLibrary.h
          include/AdvicePathRender/Host/RouteLibrary.h
          include/AdvicePathRender/Host/Geodesy.h
          include/AdvicePathRender/Host/Logging.h
          include/AdvicePathRender/Host/MemoryStatus.h
          include/AdvicePathRender/Host/LonLat.h
          include/AdvicePathRender/Host/HostVisibility.h
          lib/cmake/AdvicePathRender/AdvicePathRenderConfig.cmake
          lib/cmake/AdvicePathRender/AdvicePathRenderConfigVersion.cmake
          lib/cmake/AdvicePathRender/AdvicePathRenderTargets.cmake
          lib/pkgconfig/advicepath-render.pc
          lib/libAdvicePathRender.so
          share/doc/AdvicePathRender/examples/MinimalHost/MinimalHost.cpp
          share/doc/AdvicePathRender/examples/MinimalHost/CMakeLists.txt
          share/doc/AdvicePathRender/examples/MinimalHost/crossing.route
          share/doc/AdvicePathRender/README.md
          share/doc/AdvicePathRender/docs/TARGETS.md
          share/doc/AdvicePathRender/docs/turn-example.png)
if(REFHOST)
  list(APPEND components RefHost)
  list(APPEND files include/AdvicePathRender/RefHost/Route/RouteModel.h
                    include/AdvicePathRender/RefHost/MapView/RasterMapView.h
                    lib/libAdvicePathRefHostRoute.a
                    lib/cmake/AdvicePathRender/AdvicePathRenderRefHost.cmake
                    lib/cmake/AdvicePathRender/AdvicePathRenderRefHostTargets.cmake
                    lib/pkgconfig/advicepath-refhost.pc
                    share/doc/AdvicePathRender/examples/DrawRoute/DrawRoute.cpp)
endif()

set(config_args "")
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
foreach(component ${components})
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                          --component ${component} ${config_args}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install of ${component} failed: ${result}")
  endif()
endforeach()

foreach(file ${files})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The soname carries the major version; the file name the whole version.
file(GLOB versioned RELATIVE ${PREFIX}/lib ${PREFIX}/lib/libAdvicePathRender.so.*)
list(SORT versioned)
if(NOT versioned STREQUAL "libAdvicePathRender.so.1;libAdvicePathRender.so.1.0.0")
  message(FATAL_ERROR "versioned library files: ${versioned}")
endif()
message(STATUS "installed ${components} into ${PREFIX}")
