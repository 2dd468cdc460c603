# Cross toolchain: 64-bit Windows programs.
set(NETSCRY_MINGW_CPU x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
