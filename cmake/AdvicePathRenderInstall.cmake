# Installation of the shared library for hosts built elsewhere: the library
# (with its version and soname), the exported header, the host-service
# declarations a host implements, a CMake package (find_package(AdvicePathRender
# CONFIG), targets AdvicePathRender::AdvicePathRender and
# AdvicePathRender::HostInterface, the headers alone), a pkg-config file
# (advicepath-render) and the minimal host example. The library's file is the
# component "Library", everything else the component "AdvicePathRender"; the
# reference host is the component "RefHost" (AdvicePathRefHostInstall.cmake).
#
# Layout under the prefix (both include folders are on a host's include path,
# as RenderLib/include and RenderLib/source/Host are in this build):
#   include/AdvicePathRender/AdvicePathRenderEx.h
#   include/AdvicePathRender/Host/*.h
#   lib/libAdvicePathRender.so.1.0.0 (+ .so.1, .so); Windows: bin/*.dll, lib/*.dll.a
#   lib/cmake/AdvicePathRender/, lib/pkgconfig/advicepath-render.pc
#   share/doc/AdvicePathRender/examples/MinimalHost/
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(AP_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/AdvicePathRender)
set(AP_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/AdvicePathRender)

target_include_directories(AdvicePathRenderHostInterface INTERFACE
  $<INSTALL_INTERFACE:${AP_INSTALL_INCLUDEDIR}>
  $<INSTALL_INTERFACE:${AP_INSTALL_INCLUDEDIR}/Host>)

# The export set of the library and its headers. An optional part of the
# package installs an export set of its own and AdvicePathRender<Part>.cmake,
# which the package configuration loads when the part is asked for as a
# component (AdvicePathRenderConfig.cmake.in).
# The shared library itself (its versioned file and the soname link) is the
# component "Library", what a program that uses it needs at run time; the
# unversioned link that a link step finds is the development files'.
install(TARGETS AdvicePathRender AdvicePathRenderHostInterface EXPORT AdvicePathRenderTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Library
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Library
                NAMELINK_COMPONENT AdvicePathRender
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT AdvicePathRender)
install(FILES ${PROJECT_SOURCE_DIR}/RenderLib/include/AdvicePathRenderEx.h
        DESTINATION ${AP_INSTALL_INCLUDEDIR} COMPONENT AdvicePathRender)
file(GLOB AP_HOST_HEADERS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/RenderLib/source/Host/*.h)
install(FILES ${AP_HOST_HEADERS} DESTINATION ${AP_INSTALL_INCLUDEDIR}/Host COMPONENT AdvicePathRender)

install(EXPORT AdvicePathRenderTargets NAMESPACE AdvicePathRender::
        DESTINATION ${AP_INSTALL_CMAKEDIR} COMPONENT AdvicePathRender)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/AdvicePathRenderConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/AdvicePathRenderConfig.cmake
                              INSTALL_DESTINATION ${AP_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/AdvicePathRenderConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/AdvicePathRenderConfig.cmake
              ${PROJECT_BINARY_DIR}/AdvicePathRenderConfigVersion.cmake
        DESTINATION ${AP_INSTALL_CMAKEDIR} COMPONENT AdvicePathRender)

# Configures cmake/<name>.pc.in into a pkg-config file and installs it with
# the install component `component`. The file finds the prefix from its own
# place, so that the installed tree may be moved (and installed with
# --prefix); on ELF targets its Libs carry the library folder as run path, so
# that a program linked with them starts without LD_LIBRARY_PATH.
function(ap_install_pkg_config name component)
  file(RELATIVE_PATH AP_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
  string(REGEX REPLACE "/$" "" AP_PC_TO_PREFIX "${AP_PC_TO_PREFIX}")
  set(AP_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/AdvicePathRender)
  set(AP_PC_RPATH "")
  if(NOT WIN32)
    set(AP_PC_RPATH "-Wl,-rpath,\${libdir} ")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/cmake/${name}.pc.in ${PROJECT_BINARY_DIR}/${name}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${name}.pc
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT ${component})
endfunction()
ap_install_pkg_config(advicepath-render AdvicePathRender)

# The minimal host, a program to start a host of one's own from, with the
# package's documentation.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Examples/MinimalHost
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples COMPONENT AdvicePathRender)
# The README of the installed files (what is where, the calling order, writing
# a host: docs/installed/README.md, not the repository's README), the targets
# the library is built and verified for, and the picture the README shows.
install(FILES ${PROJECT_SOURCE_DIR}/docs/installed/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT AdvicePathRender)
install(FILES ${PROJECT_SOURCE_DIR}/docs/TARGETS.md ${PROJECT_SOURCE_DIR}/docs/turn-example.png
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs COMPONENT AdvicePathRender)
