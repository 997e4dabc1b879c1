# The part of the MinGW-w64 toolchain files that does not depend on the
# target: the including file sets CMAKE_SYSTEM_PROCESSOR, MINGW_PREFIX (the
# compilers' prefix), MINGW_PACKAGE (the Debian package that has them),
# RNRR_WINE_LOADER (the Wine loader that runs programs of this width) and
# RNRR_WINEARCH (the kind of prefix it runs them in).
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: the C++ library's std::thread and std::mutex, which
# GoogleTest needs, exist only there; everything is linked statically.
find_program(MINGW_GCC ${MINGW_PREFIX}-gcc-posix)
find_program(MINGW_GXX ${MINGW_PREFIX}-g++-posix)
find_program(MINGW_WINDRES ${MINGW_PREFIX}-windres)
foreach(tool MINGW_GCC MINGW_GXX MINGW_WINDRES)
  if(NOT ${tool})
    message(FATAL_ERROR "${tool} not found: install ${MINGW_PACKAGE} (tools/setup.sh does)")
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
