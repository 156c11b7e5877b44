# Configures, builds and runs an installed example against the installed
# prefix only, with warnings as errors and hidden visibility (the host
# services must stay visible all the same). Arguments: PREFIX, MODE
# (cmake_package or pkg_config), SOURCE_DIR (the example's installed folder),
# WORK_DIR, GENERATOR, CXX, BUILD_TYPE, HOST_FLAGS (compiler and linker),
# PROGRAM and ARGUMENT (run in WORK_DIR), SYSTEM_PC (pkg-config may also read
# the system's .pc files, which the reference host's dependencies need).
file(REMOVE_RECURSE ${WORK_DIR})
set(compile_flags "${HOST_FLAGS} -Wall -Wextra -Werror -fvisibility=hidden")
set(args -S ${SOURCE_DIR} -B ${WORK_DIR} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
         "-DCMAKE_CXX_FLAGS=${compile_flags}" "-DCMAKE_EXE_LINKER_FLAGS=${HOST_FLAGS}")
if(BUILD_TYPE)
  list(APPEND args -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
endif()
if(MODE STREQUAL "pkg_config")
  set(ENV{PKG_CONFIG_PATH} ${PREFIX}/lib/pkgconfig)
  if(NOT SYSTEM_PC)
    set(ENV{PKG_CONFIG_LIBDIR} ${PREFIX}/lib/pkgconfig)
  endif()
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
    message(FATAL_ERROR "${step} of ${SOURCE_DIR} failed:\n${output}")
  endif()
endforeach()

execute_process(COMMAND ${WORK_DIR}/${PROGRAM} ${ARGUMENT} WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${result}")
endif()
