# Cross toolchain: 32-bit Windows programs.
set(NETSCRY_MINGW_CPU i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
