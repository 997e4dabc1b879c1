// The main window's display scale. Its layout, fonts and pictures are made
// for 96 DPI; at any other DPI every length is scaled by ScaleToDpi, the one
// rule for all of them. The per-monitor calls of newer Windows versions are
// looked up at run time, so that the program also starts where they are
// missing.
#pragma once

#include <windows.h>
#include <cstdint>

// The DPI that the layout's numbers are written for.
constexpr int32_t LayoutDpi = 96;

// The DPI that the window is laid out for: taken when it is created and
// whenever it moves to a monitor of another scale; 96 before.
extern int32_t WindowDpi;

// A length of 0 or more pixels at FromDpi as pixels at ToDpi: Length x ToDpi
// / FromDpi, rounded down. Rounded down, a control never grows into its
// neighbour and a font never outgrows the box that holds its text.
int32_t ScaleLength(int32_t Length, int32_t FromDpi, int32_t ToDpi);

// A length of the 96-DPI layout at WindowDpi; at 96 DPI it stays as it is.
int32_t ScaleToDpi(int32_t Length);

// The DPI that Window is shown at: its monitor's where the platform knows
// per-monitor DPI, otherwise the screen's logical pixels per inch.
int32_t DpiOfWindow(HWND Window);

// The outer size of a window of Window's styles whose client area is Client,
// with the frame and caption that the platform draws at Dpi.
SIZE OuterSizeAt(HWND Window, SIZE Client, int32_t Dpi);
