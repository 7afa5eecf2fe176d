# 64-bit Windows programs: the tests' build on a host that runs no i386 code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
