# Cross-compiles for 32-bit Windows with MinGW-w64 and runs the results under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(MINGW_PREFIX i686-w64-mingw32)
# The posix thread model: the C++ library's std::thread and std::mutex, which
# GoogleTest needs, exist only there; everything is linked statically.
find_program(MINGW_GCC ${MINGW_PREFIX}-gcc-posix)
find_program(MINGW_GXX ${MINGW_PREFIX}-g++-posix)
find_program(MINGW_WINDRES ${MINGW_PREFIX}-windres)
foreach(tool MINGW_GCC MINGW_GXX MINGW_WINDRES)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} not found: install g++-mingw-w64-i686 (tools/setup.sh does)")
  endif()
endforeach()

set(CMAKE_C_COMPILER ${MINGW_GCC})
set(CMAKE_CXX_COMPILER ${MINGW_GXX})
set(CMAKE_RC_COMPILER ${MINGW_WINDRES})

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no MinGW run-time DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs every Windows test program through Wine, in the build's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
