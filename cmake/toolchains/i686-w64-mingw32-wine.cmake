# 32-bit Windows (i686) with mingw-w64, as i686-w64-mingw32.cmake, with the
# test programs run under wine (Debian packages wine and wine32:i386).
#
# GoogleTest needs std::mutex on Windows, which the win32 thread model of
# GCC 12 lacks, so this build takes the posix thread model variant of the
# compiler. The library's objects come out the same instruction for
# instruction with either variant; only the runtime linked into the DLL
# differs in its thread support.
find_program(AP_MINGW_CXX NAMES i686-w64-mingw32-g++-posix REQUIRED)
find_program(AP_MINGW_CC NAMES i686-w64-mingw32-gcc-posix REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/i686-w64-mingw32.cmake)

# The build's own wine prefix, so that no user's ~/.wine is read or changed
# (wine-run sets up the rest of wine's environment). Its first start (wineboot)
# takes seconds; the test build makes it once (target ap_wine_prefix) before
# any test program runs.
set(AP_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
find_program(AP_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${AP_WINE_PREFIX})
