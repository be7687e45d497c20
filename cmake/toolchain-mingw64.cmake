# Cross-compiling for Windows x64 with Debian's MinGW-w64 (POSIX thread model, so std::thread and
# std::mutex are available). Used by scripts/windows/build.sh for the dependencies and the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARNWICK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNWICK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWICK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWICK_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${TARNWICK_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARNWICK_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Search the cross prefix and the dependency cache (CMAKE_PREFIX_PATH) for libraries and headers,
# the build machine for programs.
set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
