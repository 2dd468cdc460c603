# Shared build rules. Our own code builds with warnings as errors; third-party code does not.
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(NETSCRY_WINDOWS ON)
else()
  set(NETSCRY_WINDOWS OFF)
endif()

set(NETSCRY_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)

# Flags for every target of ours. Interface texts are CP936 bytes in memory, like the strings
# the platform hands us, so that comparing, sorting and copying see the same bytes.
function(netscry_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Werror $<$<COMPILE_LANGUAGE:CXX>:-fexec-charset=CP936>)
  target_include_directories(${target} PUBLIC ${NETSCRY_SOURCE_DIR}/src)
  if(NETSCRY_WINDOWS)
    target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
endfunction()

# A library of ours: netscry_library(name SOURCES ... [WIN32_SOURCES ...] [NATIVE_SOURCES ...] [LIBS ...])
# WIN32_SOURCES (the *_win32.cpp glue) are compiled only into the Windows build; NATIVE_SOURCES
# (what stands in for that glue where there is no platform) only into the native one.
function(netscry_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;WIN32_SOURCES;NATIVE_SOURCES;LIBS;WIN32_LIBS" ${ARGN})
  set(srcs ${ARG_SOURCES})
  if(NETSCRY_WINDOWS)
    list(APPEND srcs ${ARG_WIN32_SOURCES})
  else()
    list(APPEND srcs ${ARG_NATIVE_SOURCES})
  endif()
  add_library(${name} STATIC ${srcs})
  netscry_defaults(${name})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  if(NETSCRY_WINDOWS)
    target_link_libraries(${name} PUBLIC ${ARG_WIN32_LIBS})
  endif()
endfunction()

# A GoogleTest program run by CTest: natively (label native) or under Wine (label wine).
# SERIAL: its tests never run beside other tests (they start the program, which runs once only).
function(netscry_test name)
  cmake_parse_arguments(ARG "SERIAL" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  netscry_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(serial)
  if(ARG_SERIAL)
    set(serial RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT} ${serial})
endfunction()

function(netscry_native_test name)
  if(NOT NETSCRY_WINDOWS)
    netscry_test(${name} LABEL native ${ARGN})
  endif()
endfunction()

function(netscry_win32_test name)
  if(NETSCRY_WINDOWS)
    netscry_test(${name} LABEL wine ${ARGN})
    # The helpers the Wine tests share: #include "common/...".
    target_include_directories(${name} PRIVATE ${NETSCRY_SOURCE_DIR}/tests/win32)
  endif()
endfunction()

# Adds every immediate subfolder of dir that has a CMakeLists.txt.
function(netscry_add_subdirectories dir)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${NETSCRY_SOURCE_DIR}/${dir} ${NETSCRY_SOURCE_DIR}/${dir}/*)
  list(SORT children)
  foreach(child ${children})
    if(EXISTS ${NETSCRY_SOURCE_DIR}/${dir}/${child}/CMakeLists.txt)
      add_subdirectory(${NETSCRY_SOURCE_DIR}/${dir}/${child} ${CMAKE_BINARY_DIR}/${dir}/${child})
    endif()
  endforeach()
endfunction()
