# Installs the library component into PREFIX (emptied first) and checks the
# files a host relies on. Arguments: BUILD_DIR, PREFIX, CONFIG.
file(REMOVE_RECURSE ${PREFIX})
set(config_args "")
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                        --component AdvicePathRender ${config_args}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file include/AdvicePathRender/AdvicePathRenderEx.h
             include/AdvicePathRender/Host/MapService.h
             include/AdvicePathRender/Host/PathLibrary.h
             include/AdvicePathRender/Host/RouteLibrary.h
             include/AdvicePathRender/Host/Geodesy.h
             include/AdvicePathRender/Host/Logging.h
             include/AdvicePathRender/Host/MemoryStatus.h
             include/AdvicePathRender/Host/LonLat.h
             lib/cmake/AdvicePathRender/AdvicePathRenderConfig.cmake
             lib/cmake/AdvicePathRender/AdvicePathRenderConfigVersion.cmake
             lib/cmake/AdvicePathRender/AdvicePathRenderTargets.cmake
             lib/pkgconfig/advicepath-render.pc
             lib/libAdvicePathRender.so)
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
message(STATUS "installed into ${PREFIX}")
