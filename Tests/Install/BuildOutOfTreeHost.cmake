# Configures, builds and runs the out-of-tree host against the installed
# prefix only. Arguments: PREFIX, MODE (cmake_package or pkg_config),
# SOURCE_DIR, WORK_DIR, GENERATOR, CXX, BUILD_TYPE, HOST_FLAGS.
file(REMOVE_RECURSE ${WORK_DIR})
set(args -S ${SOURCE_DIR} -B ${WORK_DIR} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX})
if(BUILD_TYPE)
  list(APPEND args -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
endif()
if(HOST_FLAGS)
  list(APPEND args "-DCMAKE_CXX_FLAGS=${HOST_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${HOST_FLAGS}")
endif()
if(MODE STREQUAL "pkg_config")
  # Only the prefix's .pc files, none of the system's.
  set(ENV{PKG_CONFIG_LIBDIR} ${PREFIX}/lib/pkgconfig)
  unset(ENV{PKG_CONFIG_PATH})
  list(APPEND args -DAP_USE_PKG_CONFIG=ON)
else()
  list(APPEND args -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
endif()

foreach(step configure build)
  if(step STREQUAL "configure")
    set(command ${CMAKE_COMMAND} ${args})
  else()
    set(command ${CMAKE_COMMAND} --build ${WORK_DIR})
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${step} of the out-of-tree host failed:\n${output}")
  endif()
endforeach()

execute_process(COMMAND ${WORK_DIR}/out_of_tree_host RESULT_VARIABLE result OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
message("${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the out-of-tree host failed: ${result}")
endif()
