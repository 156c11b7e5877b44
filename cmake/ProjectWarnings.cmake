# Warnings for every target of the project. They are errors where
# CMAKE_COMPILE_WARNING_AS_ERROR is on: every build that CI runs sets it
# (CMakePresets.json, the fuzz build of the Makefile).
function(ap_set_warnings target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                                             -Wold-style-cast -Wcast-align -Woverloaded-virtual)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  endif()
endfunction()
