# Cross-compiles Windows programs for CMAKE_SYSTEM_PROCESSOR (set by the
# toolchain file that includes this one) with the posix-thread mingw-w64
# compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(KILN_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER   ${KILN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KILN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KILN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KILN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and benchmarks are Windows programs; ctest starts them through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
