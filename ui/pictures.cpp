// The pictures beside the controls, drawn straight into WindowDC from
// MemoryDC: the emblem and the two car pictures on every paint, the upgrade
// pictures and item icons whenever a level or the car may have changed.
//
// At a DPI above 96 each picture is enlarged to its scaled place by repeating
// whole pixels (the stretch mode of WindowDC never blends them), so that the
// pixel art stays sharp. Where the scale is no whole number (125 %, 150 %) a
// source pixel becomes one or two screen pixels, so some are a pixel wider
// than their neighbours; that is the price of pictures that fill their scaled
// places beside the scaled controls. The largest whole factor instead (1 at
// both) would leave them at 80 % or two thirds of their places, small beside
// the larger texts, with gaps round them.
#include "main_window.h"
#include "window_state.h"

#include "dpi.h"
#include "settings.h"

namespace {

// Sizes of the sheet's cells.
constexpr int32_t UpgradeWidth = 40;  // one level per column
constexpr int32_t UpgradeHeight = 32; // one upgrade per row
constexpr int32_t IconWidth = 23;     // one item icon per cell
constexpr int32_t IconHeight = 19;
constexpr int32_t IconRowTop = 128; // the icons' row on the sheet

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
// Upgrade rows of the sheet and where each upgrade's picture goes.
struct TUpgradePicture {
    int32_t SheetRow;
    TPlace Place;
};
constexpr TUpgradePicture EnginePicture = {0, {285, 156}}; // left of EngineBar
constexpr TUpgradePicture ArmorPicture = {1, {410, 190}};  // right of ArmorBar
constexpr TUpgradePicture ShocksPicture = {2, {285, 224}}; // left of ShocksBar
constexpr TUpgradePicture TiresPicture = {3, {410, 258}};  // right of TiresBar
constexpr TPlace WeaponIconPlace = {5, 156};
constexpr TPlace BoostIconPlace = {5, 190};
constexpr TPlace DropIconPlace = {5, 224};

// Sheet icons, numbered by their cell.
constexpr int32_t TurretIcon = 0;
constexpr int32_t MineIcon = 1;
constexpr int32_t GasIcon = 2;
constexpr int32_t PostsIcon = 3;
constexpr int32_t PailIcon = 4;
constexpr int32_t DrumIcon = 5;
constexpr int32_t RocketIcon = 6;

// The car with the extra drop icon ("Air Blade").
constexpr int32_t ExtraIconCar = 2;

// Icons by car index, compared as signed numbers (-1: no selection).
int32_t WeaponIconOf(int32_t Car) {
    if (Car < 2)
        return PostsIcon;
    if (Car < 4)
        return RocketIcon;
    return TurretIcon;
}

int32_t BoostIconOf(int32_t Car) {
    return Car < 2 ? DrumIcon : GasIcon;
}

int32_t DropIconOf(int32_t Car) {
    return Car < 2 ? PailIcon : MineIcon;
}

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

void DrawUpgrade(const TUpgradePicture &Picture, int32_t Level) {
    CopyFromMemory(Picture.Place, UpgradeWidth, UpgradeHeight, UpgradeWidth * Level,
                   UpgradeHeight * Picture.SheetRow);
}

// A hidden bar's picture area shows plain window background.
void BlankUpgrade(const TUpgradePicture &Picture) {
    int32_t Left = ScaleToDpi(Picture.Place.X), Top = ScaleToDpi(Picture.Place.Y);
    RECT Area = {Left, Top, Left + ScaleToDpi(UpgradeWidth), Top + ScaleToDpi(UpgradeHeight)};
    FillRect(WindowDC, &Area, HBRUSH(COLOR_BTNFACE + 1));
}

void DrawIcon(TPlace To, int32_t Icon) {
    CopyFromMemory(To, IconWidth, IconHeight, IconWidth * Icon, IconRowTop);
}

} // namespace

void PaintMainWindow() {
    if (MemoryDC == nullptr)
        return;
    SelectObject(MemoryDC, EmblemBitmap);
    CopyFromMemory(EmblemPlace, EmblemWidth, EmblemHeight, 0, 0);
    SelectObject(MemoryDC, CarBitmap1);
    CopyCarFromMemory(Car1Place);
    SelectObject(MemoryDC, CarBitmap2);
    CopyCarFromMemory(Car2Place);
    DrawPictures();
}

void DrawPictures() {
    // The upgrade trackbars still receive messages after WM_DESTROY has
    // deleted the memory context: then there is nothing to draw from.
    if (MemoryDC == nullptr)
        return;
    SelectObject(MemoryDC, SheetBitmap);
    DrawUpgrade(EnginePicture, Settings.Engine);
    DrawUpgrade(ArmorPicture, Settings.Armor);
    if (ShocksBarShown)
        DrawUpgrade(ShocksPicture, Settings.Shocks);
    else
        BlankUpgrade(ShocksPicture);
    if (TiresBarShown)
        DrawUpgrade(TiresPicture, Settings.Tires);
    else
        BlankUpgrade(TiresPicture);

    int32_t Car = int32_t(SendMessageW(Controls.CarList, CB_GETCURSEL, 0, 0));
    DrawIcon(WeaponIconPlace, WeaponIconOf(Car));
    DrawIcon(BoostIconPlace, BoostIconOf(Car));
    if (Car == ExtraIconCar) {
        SelectObject(MemoryDC, ExtraIconBitmap);
        CopyFromMemory(DropIconPlace, IconWidth, IconHeight, 0, 0);
    } else {
        DrawIcon(DropIconPlace, DropIconOf(Car));
    }
}
