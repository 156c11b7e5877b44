# Debian packages of the library, its development files and the tools, made
# by CPack's Debian generator from an existing build (make package):
#
#   libadvicepath-render1     component Library: the shared library (soname
#                             libAdvicePathRender.so.1)
#   libadvicepath-render-dev  component AdvicePathRender: headers, the CMake
#                             package, the pkg-config file, the minimal host
#                             example and the documentation
#   advicepath-tools          component Tools: the command-line programs, their
#                             manual pages and the shipped samples
#
# The tools are made only by a build with the reference host. Each package
# carries its copyright file (packaging/<package>/copyright), its changelog
# (packaging/changelog, compressed here) and, where a lintian warning is
# overridden, the override file with the reason (packaging/<package>/lintian-
# overrides). These files are in their components only for a component's own
# installation (EXCLUDE_FROM_ALL), so an ordinary cmake --install leaves them
# out. Dependencies come from the binaries (dpkg-shlibdeps).
include(GNUInstallDirs)

set(AP_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(AP_PACKAGE_COMPONENTS Library AdvicePathRender)
if(TARGET advicepath-render)
  list(APPEND AP_PACKAGE_COMPONENTS Tools)
endif()

# The changelog, compressed as Debian wants it (gzip -9, no name or time stamp).
set(AP_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${AP_CHANGELOG_GZ}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
                   COMMAND gzip -9 -n -c ${AP_PACKAGING_DIR}/changelog > ${AP_CHANGELOG_GZ}
                   DEPENDS ${AP_PACKAGING_DIR}/changelog VERBATIM)
add_custom_target(ap_package_changelog ALL DEPENDS ${AP_CHANGELOG_GZ})

# copyright, changelog and lintian overrides of `package`, in `component`.
function(ap_install_debian_files component package)
  install(FILES ${AP_PACKAGING_DIR}/${package}/copyright ${AP_CHANGELOG_GZ}
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component}
          EXCLUDE_FROM_ALL)
  if(EXISTS ${AP_PACKAGING_DIR}/${package}/lintian-overrides)
    install(FILES ${AP_PACKAGING_DIR}/${package}/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${package}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
  endif()
endfunction()
ap_install_debian_files(Library libadvicepath-render1)
ap_install_debian_files(AdvicePathRender libadvicepath-render-dev)

if("Tools" IN_LIST AP_PACKAGE_COMPONENTS)
  # The programs link the library and the reference host statically (as they
  # are built here): the reference host is no library with a stable interface,
  # and a tool then draws with exactly the library it was tested with.
  set(AP_TOOLS advicepath-render advicepath-replay advicepath-survey roadmap-picture)
  install(TARGETS ${AP_TOOLS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Tools
          EXCLUDE_FROM_ALL)
  foreach(tool ${AP_TOOLS})
    set(AP_MAN_SOURCE_${tool} $<TARGET_FILE:${tool}>)
    set(AP_MAN_DEPENDS_${tool} ${tool})
  endforeach()
  # The survey's cluster front: a Python program over Dask distributed, which
  # it imports (so the package depends on both by name: dpkg-shlibdeps sees
  # only what binaries link).
  set(AP_SURVEY_CLUSTER ${PROJECT_SOURCE_DIR}/Tools/advicepath-survey/advicepath-survey-cluster)
  if(EXISTS ${AP_SURVEY_CLUSTER})
    install(PROGRAMS ${AP_SURVEY_CLUSTER} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Tools
            EXCLUDE_FROM_ALL)
    list(APPEND AP_TOOLS advicepath-survey-cluster)
    set(AP_MAN_SOURCE_advicepath-survey-cluster ${AP_SURVEY_CLUSTER})
    set(AP_MAN_DEPENDS_advicepath-survey-cluster ${AP_SURVEY_CLUSTER})
    set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "python3, python3-distributed")
  endif()
  ap_install_debian_files(Tools advicepath-tools)

  # A manual page per program, made by help2man from its --help.
  find_program(AP_HELP2MAN help2man)
  if(AP_HELP2MAN)
    set(AP_MAN_DIR ${PROJECT_BINARY_DIR}/packaging/man)
    set(AP_MAN_PAGES "")
    set(AP_MAN_NAME_advicepath-render "draw a route's overlays and its manoeuvres into pictures")
    set(AP_MAN_NAME_advicepath-replay "drive a route with the overlays drawn on every frame")
    set(AP_MAN_NAME_advicepath-survey "check every manoeuvre of routes in numbers")
    set(AP_MAN_NAME_advicepath-survey-cluster "run the manoeuvre survey over a cluster")
    set(AP_MAN_NAME_roadmap-picture "draw the road map of an extract into one picture")
    foreach(tool ${AP_TOOLS})
      set(page ${AP_MAN_DIR}/${tool}.1.gz)
      add_custom_command(
        OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${AP_MAN_DIR}
        COMMAND ${AP_HELP2MAN} --no-info --no-discard-stderr --section 1
                --version-string ${PROJECT_VERSION} --name "${AP_MAN_NAME_${tool}}"
                --output ${AP_MAN_DIR}/${tool}.1 ${AP_MAN_SOURCE_${tool}}
        COMMAND gzip -9 -n -f ${AP_MAN_DIR}/${tool}.1
        DEPENDS ${AP_MAN_DEPENDS_${tool}} VERBATIM)
      list(APPEND AP_MAN_PAGES ${page})
    endforeach()
    add_custom_target(ap_package_man_pages DEPENDS ${AP_MAN_PAGES})
    install(FILES ${AP_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Tools
            EXCLUDE_FROM_ALL)
  endif()

  # The shipped samples with their sources and licences: the sample route and
  # the smallest extract, for the road map.
  install(FILES ${PROJECT_SOURCE_DIR}/samples/sanfrancisco-urban-route.json
                ${PROJECT_SOURCE_DIR}/samples/SOURCE.md
                ${PROJECT_SOURCE_DIR}/data/osm/bautzen.osm
                ${PROJECT_SOURCE_DIR}/data/osm/SOURCES.md
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/advicepath-tools/examples
          COMPONENT Tools EXCLUDE_FROM_ALL)
  install(FILES ${AP_PACKAGING_DIR}/advicepath-tools/README.md
                ${PROJECT_SOURCE_DIR}/docs/ROUTE-FILES.md
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/advicepath-tools COMPONENT Tools
          EXCLUDE_FROM_ALL)
endif()

# The target of the packages: the architecture dpkg names, also for a cross
# build (the toolchain's processor).
if(CMAKE_CROSSCOMPILING AND CMAKE_SYSTEM_PROCESSOR STREQUAL "arm")
  set(AP_DEB_ARCHITECTURE armhf)
else()
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE AP_DEB_ARCHITECTURE
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()

# CPack installs what the build has built: it does not build everything
# first (the packages need a few targets of a build with tests and more;
# make package builds those).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME advicepath-render)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "AdvicePathRender developers <advicepath-render@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${AP_PACKAGE_COMPONENTS})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${AP_DEB_ARCHITECTURE})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libadvicepath-render1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# dpkg's ldconfig trigger, as Debian wants it for a shared library.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${AP_PACKAGING_DIR}/libadvicepath-render1/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# A shlibs file for every package with a shared library (the library package).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
string(CONCAT CPACK_COMPONENT_LIBRARY_DESCRIPTION
       "draws route overlays on a navigation map view\n"
       "A small C++ library that a car-navigation application loads to draw its route\n"
       "overlays on its own map view: the route line, the origin-destination line and\n"
       "the turn at the next manoeuvre as a bordered band with an arrow head. The\n"
       "application defines the map view, route, path, geodesy, logging and memory\n"
       "status services the library calls.")

set(CPACK_DEBIAN_ADVICEPATHRENDER_PACKAGE_NAME libadvicepath-render-dev)
set(CPACK_DEBIAN_ADVICEPATHRENDER_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_ADVICEPATHRENDER_DEPENDS Library)
string(CONCAT CPACK_COMPONENT_ADVICEPATHRENDER_DESCRIPTION
       "draws route overlays on a navigation map view - development files\n"
       "The exported header, the declarations of the services a host defines, the\n"
       "CMake package AdvicePathRender, the pkg-config module advicepath-render, a\n"
       "minimal host to start from and the documentation of the library.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME advicepath-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
# Run as programs, not linked: Routino computes the routes between points and
# over extracts, and the map view's captions use DejaVu Sans.
set(CPACK_DEBIAN_TOOLS_PACKAGE_RECOMMENDS "routino, fonts-dejavu-core")
string(CONCAT CPACK_COMPONENT_TOOLS_DESCRIPTION
       "draws route overlays of real routes into pictures and drives\n"
       "Command-line programs around the route overlay library: advicepath-render\n"
       "draws a route file's overview and each manoeuvre, advicepath-replay drives a\n"
       "route as a navigation device's frame loop does and writes an animation,\n"
       "advicepath-survey checks every manoeuvre of routes in numbers and\n"
       "roadmap-picture draws the road map of an OpenStreetMap extract. Routes come\n"
       "from route files or from Routino over an extract. With a sample route and\n"
       "extract.")

include(CPack)
