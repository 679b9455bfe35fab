# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads, so
# std::thread and GoogleTest work); the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORBEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORBEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBEL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORBEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Self-contained executables: no MinGW runtime DLLs to put beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Wine runs what the build made (test discovery, ctest).
find_program(ORBEL_WINE NAMES wine wine64)
if(ORBEL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORBEL_WINE})
endif()
