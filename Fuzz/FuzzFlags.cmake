# Compiler flags of the fuzz build (AP_BUILD_FUZZERS): clang's libFuzzer
# coverage instrumentation with AddressSanitizer and UndefinedBehaviorSanitizer
# on every target, so that the library and the readers are instrumented; the
# fuzz targets alone link libFuzzer's main (Fuzz/CMakeLists.txt).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "AP_BUILD_FUZZERS needs clang (CC=clang CXX=clang++), not ${CMAKE_CXX_COMPILER_ID}")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize=vptr
                    -fno-sanitize-recover=all -fno-omit-frame-pointer -gline-tables-only)
add_link_options(-fsanitize=address,undefined)
