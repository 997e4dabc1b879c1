# Cross-compiles for 64-bit Windows with MinGW-w64 and runs the results under
# the 64-bit Wine loader, in a 64-bit prefix: the build for Windows
# installations without 32-bit support, and the one that runs on machines
# whose kernel runs no 32-bit code. Debian's /usr/bin/wine picks the 32-bit
# loader whenever it is installed, so the loader is named here.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
set(MINGW_PACKAGE g++-mingw-w64-x86-64)
set(RNRR_WINE_LOADER /usr/lib/wine/wine64)
set(RNRR_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
