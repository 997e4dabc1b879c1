// The pictures beside the controls, drawn straight into WindowDC from
// MemoryDC: the emblem and the two car pictures on every paint, the upgrade
// pictures and item icons of the view shown whenever a level or the car may
// have changed.
//
// At a DPI above 96 each picture is enlarged to its scaled place by repeating
// whole pixels (the stretch mode of WindowDC never blends them), so that the
// pixel art stays sharp. Where the scale is no whole number (125 %, 150 %) a
// source pixel becomes one or two screen pixels, so some are a pixel wider
// than their neighbours; that is the price of pictures that fill their scaled
// places beside the scaled controls. The largest whole factor instead (1 at
// both) would leave them at 80 % or two thirds of their places, small beside
// the larger texts, with gaps round them.
#include "pictures.h"

#include "dpi.h"
#include "layout.h"
#include "window_model.h"
#include "window_state.h"
#include "window_view.h"

namespace {

constexpr int32_t EmblemWidth = 50, EmblemHeight = 32;
constexpr int32_t CarWidth = 72, CarHeight = 60;
constexpr COLORREF CarKeyColor = RGB(255, 255, 0); // yellow around the domes

// Width x Height pixels of the bitmap in MemoryDC from (FromX, FromY) to To,
// the place and size scaled to the window's DPI.
void CopyFromMemory(TPlace To, int32_t Width, int32_t Height, int32_t FromX, int32_t FromY) {
    StretchBlt(WindowDC, ScaleToDpi(To.X), ScaleToDpi(To.Y), ScaleToDpi(Width), ScaleToDpi(Height),
               MemoryDC, FromX, FromY, Width, Height, SRCCOPY);
}

// A car picture; its yellow pixels leave the window as it was.
void CopyCarFromMemory(TPlace To) {
    TransparentBlt(WindowDC, ScaleToDpi(To.X), ScaleToDpi(To.Y), ScaleToDpi(CarWidth),
                   ScaleToDpi(CarHeight), MemoryDC, 0, 0, CarWidth, CarHeight, CarKeyColor);
}

void DrawCell(TPlace To, const TCell &Cell) {
    SelectObject(MemoryDC, Cell.Source == TCellSource::Sheet ? SheetBitmap : ExtraIconBitmap);
    CopyFromMemory(To, Cell.Width, Cell.Height, Cell.X, Cell.Y);
}

// A hidden bar's picture area shows plain window background: the system's
// face colour, as the window's class erases with.
void BlankCell(TPlace At, const TCell &Cell) {
    int32_t Left = ScaleToDpi(At.X), Top = ScaleToDpi(At.Y);
    RECT Area = {Left, Top, Left + ScaleToDpi(Cell.Width), Top + ScaleToDpi(Cell.Height)};
    FillRect(WindowDC, &Area, GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace

void PaintMainWindow() {
    if (MemoryDC == nullptr)
        return;
    SelectObject(MemoryDC, EmblemBitmap);
    CopyFromMemory(PicturePlaces.Emblem, EmblemWidth, EmblemHeight, 0, 0);
    SelectObject(MemoryDC, CarBitmap1);
    CopyCarFromMemory(PicturePlaces.Car1);
    SelectObject(MemoryDC, CarBitmap2);
    CopyCarFromMemory(PicturePlaces.Car2);
    DrawPictures();
}

void DrawPictures() {
    // The upgrade trackbars still receive messages after WM_DESTROY has
    // deleted the memory context: then there is nothing to draw from.
    if (MemoryDC == nullptr)
        return;
    for (int32_t I = 0; I < UpgradeBarCount; ++I) {
        const TControl Bar = TControl(int32_t(FirstUpgradeBar) + I);
        if (ShownView.Shown[int32_t(Bar)])
            DrawCell(PicturePlaces.UpgradePictures[I], ShownView.UpgradePictures[I]);
        else
            BlankCell(PicturePlaces.UpgradePictures[I], ShownView.UpgradePictures[I]);
    }
    for (int32_t I = 0; I < ItemBarCount; ++I)
        DrawCell(PicturePlaces.ItemIcons[I], ShownView.ItemIconCells[I]);
}
