# 32-bit ARM (ARMv7, hard-float) Linux with Debian's cross toolchain
# (g++-arm-linux-gnueabihf). Test programs run through qemu-arm (qemu-user),
# which finds the ARM C and C++ runtimes under AP_ARM_RUNTIME_PREFIX (and only
# there: see below).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(AP_ARM_TRIPLE arm-linux-gnueabihf)
set(CMAKE_C_COMPILER ${AP_ARM_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${AP_ARM_TRIPLE}-g++)
# Every object of this build comes from one compiler, so the notes about the
# GCC 7.1 and 10.1 changes of ARM argument passing do not apply.
set(CMAKE_CXX_FLAGS_INIT -Wno-psabi)

# Debian installs the target's libraries and headers (libc6-dev-armhf-cross,
# libstdc++-dev for the cross compiler) under /usr/<triple>.
set(AP_ARM_RUNTIME_PREFIX /usr/${AP_ARM_TRIPLE} CACHE PATH "Root of the ARM runtime libraries")
set(CMAKE_FIND_ROOT_PATH ${AP_ARM_RUNTIME_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest, and the test discovery of GoogleTest before each test, run the ARM
# programs through the emulator.
#
# The dynamic loader comes from the prefix, and it must load the C runtime of
# the same glibc build: loader and libc share private data whose layout
# changes between Debian's updates. But the loader first searches
# /lib/arm-linux-gnueabihf, which qemu takes from the build machine when the
# prefix lacks it, and where libc6:armhf (installed for the packages' symbol
# dependencies) keeps a newer libc. That mix starts fine and crashes in the
# child of every fork. LD_LIBRARY_PATH, searched first, keeps the loader to the
# runtimes the programs were linked against.
find_program(AP_QEMU_ARM qemu-arm REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${AP_QEMU_ARM} -L ${AP_ARM_RUNTIME_PREFIX} -E
                                  LD_LIBRARY_PATH=${AP_ARM_RUNTIME_PREFIX}/lib)
