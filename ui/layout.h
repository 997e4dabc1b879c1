// The building of the main window's 31 controls from one table, and their
// layout at the window's display scale.
#pragma once

#include <windows.h>
#include <cstdint>

// Builds the 31 controls, computes the first password and shows the window.
void CreateMainControls(HWND Window);

// Lays the window out again for Dpi, with its top left corner where
// Suggested's is: its size, every control's place, size and font, and the
// pictures.
void ChangeWindowDpi(int32_t Dpi, const RECT &Suggested);
