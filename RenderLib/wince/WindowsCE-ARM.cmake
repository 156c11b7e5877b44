# Windows Embedded Compact 2013 (Windows CE 8.0) on ARM, with the Visual Studio
# 2012/2013 generator and the CE800 toolset of a CE SDK. Pass the SDK's name
# (as the SDK installer registered it, e.g. the board support package's SDK):
#   cmake -G "Visual Studio 12 2013" -T CE800
#         -DCMAKE_TOOLCHAIN_FILE=RenderLib/wince/WindowsCE-ARM.cmake
#         -DAP_WINCE_SDK=<SDK name> -DAP_BUILD_REFHOST=OFF -DAP_BUILD_TESTS=OFF ...
# With the "NMake Makefiles" generator, run CMake from the SDK's build
# environment (cl.exe for ARM, INCLUDE and LIB set); AP_WINCE_SDK is not used.
set(CMAKE_SYSTEM_NAME WindowsCE)
set(CMAKE_SYSTEM_VERSION 8.0)
set(CMAKE_SYSTEM_PROCESSOR arm)

if(CMAKE_GENERATOR MATCHES "^Visual Studio")
  if(NOT AP_WINCE_SDK AND DEFINED ENV{AP_WINCE_SDK})
    set(AP_WINCE_SDK "$ENV{AP_WINCE_SDK}")
  endif()
  if(NOT AP_WINCE_SDK)
    message(FATAL_ERROR "Set AP_WINCE_SDK to the name of the Windows CE SDK to build with")
  endif()
  set(CMAKE_GENERATOR_PLATFORM "${AP_WINCE_SDK}")
  set(CMAKE_GENERATOR_TOOLSET CE800)
endif()
