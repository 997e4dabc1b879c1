#include "window_state.h"

TControlHandles Controls;
HWND PasswordBoxTip;

HDC WindowDC;
HDC MemoryDC;

WNDPROC SavedEditProc;
WNDPROC SavedListProc;
WNDPROC SavedTrackbarProc;

HWND ControlHandle(TControl Control) {
    using H = TControlHandles;
    static HWND H::*const Handles[ControlCount] = {
        &H::PasswordBox,    &H::HeroList,   &H::ColorList,    &H::CarList,   &H::MoneyBox,
        &H::DifficultyList, &H::PlanetList, &H::DivisionList, &H::WeaponBar, &H::BoostBar,
        &H::DropBar,        &H::EngineBar,  &H::ArmorBar,     &H::ShocksBar, &H::TiresBar,
    };
    return Controls.*Handles[int32_t(Control)];
}

HWND TabOrder[TabOrderLength];
uint8_t TabIndex = 1;

TWindowView ShownView;
bool ViewRendered;

uint8_t ShocksBarShown;
uint8_t TiresBarShown;

HBITMAP SheetBitmap;
HBITMAP EmblemBitmap;
HBITMAP CarBitmap1;
HBITMAP CarBitmap2;
HBITMAP ExtraIconBitmap;
