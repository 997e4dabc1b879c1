// The pictures beside the controls, drawn straight into WindowDC from
// MemoryDC: the emblem and the two car pictures on every paint, the upgrade
// pictures and item icons whenever a level or the car may have changed.
#include "main_window.h"
#include "window_state.h"

#include "settings.h"
#include "window_model.h"

namespace {

constexpr int32_t EmblemWidth = 50, EmblemHeight = 32;
constexpr int32_t CarWidth = 72, CarHeight = 60;
constexpr COLORREF CarKeyColor = RGB(255, 255, 0); // yellow around the domes

// Where each picture goes, in client coordinates.
struct TPlace {
    int32_t X, Y;
};
constexpr TPlace EmblemPlace = {5, 260};
constexpr TPlace Car1Place = {196, 156};
constexpr TPlace Car2Place = {196, 232};

// The picture beside each bar; the window model says which cell it shows.
struct TBarPicture {
    TControl Bar;
    TPlace Place;
};
constexpr TBarPicture UpgradePictures[] = {
    {TControl::EngineBar, {285, 156}}, // left of EngineBar
    {TControl::ArmorBar, {410, 190}},  // right of ArmorBar
    {TControl::ShocksBar, {285, 224}}, // left of ShocksBar
    {TControl::TiresBar, {410, 258}},  // right of TiresBar
};
constexpr TBarPicture ItemIcons[] = {
    {TControl::WeaponBar, {5, 156}},
    {TControl::BoostBar, {5, 190}},
    {TControl::DropBar, {5, 224}},
};

void DrawCell(TPlace To, const TCell &Cell) {
    SelectObject(MemoryDC, Cell.Source == TCellSource::Sheet ? SheetBitmap : ExtraIconBitmap);
    StretchBlt(WindowDC, To.X, To.Y, Cell.Width, Cell.Height, MemoryDC, Cell.X, Cell.Y, Cell.Width,
               Cell.Height, SRCCOPY);
}

// A hidden bar's picture area shows plain window background.
void BlankCell(TPlace At, const TCell &Cell) {
    RECT Area = {At.X, At.Y, At.X + Cell.Width, At.Y + Cell.Height};
    FillRect(WindowDC, &Area, HBRUSH(COLOR_BTNFACE + 1));
}

} // namespace

void PaintMainWindow() {
    if (MemoryDC == nullptr)
        return;
    SelectObject(MemoryDC, EmblemBitmap);
    BitBlt(WindowDC, EmblemPlace.X, EmblemPlace.Y, EmblemWidth, EmblemHeight, MemoryDC, 0, 0,
           SRCCOPY);
    SelectObject(MemoryDC, CarBitmap1);
    TransparentBlt(WindowDC, Car1Place.X, Car1Place.Y, CarWidth, CarHeight, MemoryDC, 0, 0,
                   CarWidth, CarHeight, CarKeyColor);
    SelectObject(MemoryDC, CarBitmap2);
    TransparentBlt(WindowDC, Car2Place.X, Car2Place.Y, CarWidth, CarHeight, MemoryDC, 0, 0,
                   CarWidth, CarHeight, CarKeyColor);
    DrawPictures();
}

void DrawPictures() {
    // The upgrade trackbars still receive messages after WM_DESTROY has
    // deleted the memory context: then there is nothing to draw from.
    if (MemoryDC == nullptr)
        return;
    int32_t Car = int32_t(SendMessageW(Controls.CarList, CB_GETCURSEL, 0, 0));
    for (const TBarPicture &Picture : UpgradePictures) {
        const TControl Bar = Picture.Bar;
        const TCell Cell = UpgradePictureCell(Bar, FieldOf(Settings, RuleOf(Bar).Field));
        if (ControlShown(Bar, Car))
            DrawCell(Picture.Place, Cell);
        else
            BlankCell(Picture.Place, Cell);
    }
    for (const TBarPicture &Icon : ItemIcons)
        DrawCell(Icon.Place, ItemIconCell(Icon.Bar, Car));
}
