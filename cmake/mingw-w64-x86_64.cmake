# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix thread
# model, so std::thread and std::mutex work):
#   cmake -S . -B build/windows --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEMBROT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZEMBROT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMBROT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEMBROT_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZEMBROT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own run-time (libgcc, libstdc++, winpthread) is linked in,
# so an executable runs without DLLs copied beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest runs the test programs through Wine when it is there.
find_program(ZEMBROT_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(ZEMBROT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZEMBROT_WINE})
endif()
