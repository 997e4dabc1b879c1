# Cross-compiles for 32-bit Windows with MinGW-w64 and runs the results under
# the 32-bit Wine loader, in a 32-bit prefix. This is the program shipped
# first; it runs on every 32- and 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
set(MINGW_PACKAGE g++-mingw-w64-i686)
set(RNRR_WINE_LOADER /usr/lib/wine/wine)
set(RNRR_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
