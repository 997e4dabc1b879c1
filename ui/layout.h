// The building of the main window's 31 controls from one table, and their
// layout at the window's display scale. Every number of the layout lives in
// layout.cpp: the controls' table, the window's size and the pictures'
// places beside it.
#pragma once

#include <windows.h>
#include <cstdint>

#include "window_view.h"

// Builds the 31 controls, computes the first password and shows the window.
void CreateMainControls(HWND Window);

// Lays the window out again for Dpi, with its top left corner where
// Suggested's is: its size, every control's place, size and font, and the
// pictures.
void ChangeWindowDpi(int32_t Dpi, const RECT &Suggested);

// The main window as it is created: its top left corner on the screen and
// its outer size; CreateMainControls then makes its client area the
// layout's, keeping the corner (and, at 96 DPI, the outer width).
struct TWindowArea {
    int32_t Left, Top, Width, Height;
};
extern const TWindowArea CreatedWindowArea;

// A picture's top left corner in client coordinates at 96 DPI.
struct TPlace {
    int32_t X, Y;
};

// Where the window's pictures go; the view says which cell each picture
// beside a bar shows.
struct TPicturePlaces {
    TPlace Emblem;
    TPlace Car1, Car2;
    TPlace UpgradePictures[UpgradeBarCount]; // in the view's order
    TPlace ItemIcons[ItemBarCount];          // in the view's order
};
extern const TPicturePlaces PicturePlaces;
