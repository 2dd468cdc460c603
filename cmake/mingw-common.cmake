# Cross toolchain for Windows programs built with Debian's mingw-w64 (posix thread model, which
# GoogleTest needs for std::mutex). The file that includes this one sets NETSCRY_MINGW_CPU
# (i686 or x86_64); both builds have the same code and flags.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${NETSCRY_MINGW_CPU})
set(CMAKE_C_COMPILER ${NETSCRY_MINGW_CPU}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${NETSCRY_MINGW_CPU}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${NETSCRY_MINGW_CPU}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NETSCRY_MINGW_CPU}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests and tools run under Wine through the project's wrapper, which picks the loader by the
# program's architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
