# 32-bit Windows (i686) with Debian's mingw-w64 cross toolchain
# (g++-mingw-w64-i686). The win32 thread model variant is taken when present:
# the library starts no thread, and that variant links no pthread emulation
# into the DLL; the posix variant works as well.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(AP_MINGW_TRIPLE i686-w64-mingw32)
find_program(AP_MINGW_CXX NAMES ${AP_MINGW_TRIPLE}-g++-win32 ${AP_MINGW_TRIPLE}-g++-posix ${AP_MINGW_TRIPLE}-g++ REQUIRED)
find_program(AP_MINGW_CC NAMES ${AP_MINGW_TRIPLE}-gcc-win32 ${AP_MINGW_TRIPLE}-gcc-posix ${AP_MINGW_TRIPLE}-gcc REQUIRED)
set(CMAKE_C_COMPILER ${AP_MINGW_CC})
set(CMAKE_CXX_COMPILER ${AP_MINGW_CXX})
set(CMAKE_RC_COMPILER ${AP_MINGW_TRIPLE}-windres)
# x87 arithmetic keeps intermediates in 80 bits; SSE2 rounds every operation to
# double as the other targets do, so the drawings come out the same.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
find_program(AP_MINGW_DLLTOOL ${AP_MINGW_TRIPLE}-dlltool REQUIRED)
find_program(AP_MINGW_OBJDUMP ${AP_MINGW_TRIPLE}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${AP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
