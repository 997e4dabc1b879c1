// The state that the main window's code shares: the window and control
// handles, the two drawing contexts, the class procedures that the
// replacement procedures pass messages on to, the keyboard order, the view
// shown, the two visibility flags and the five bitmaps. One global instance of each, all
// touched only by the user-interface thread.
#pragma once

#include <windows.h>
#include <cstdint>

#include "window_model.h"
#include "window_view.h"

// The main window and its controls; written once by CreateMainControls.
struct TControlHandles {
    HWND MainWnd;
    HWND PasswordBox;
    HWND PasswordLabel;
    HWND CreditsLabel;
    HWND HeroLabel, HeroList;
    HWND CarLabel, CarList;
    HWND DifficultyLabel, DifficultyList;
    HWND PlanetLabel, PlanetList;
    HWND DivisionLabel, DivisionList;
    HWND ColorLabel, ColorList;
    HWND WeaponBar, WeaponCount;
    HWND BoostBar, BoostCount;
    HWND DropBar, DropCount;
    HWND EngineBar;
    HWND ShocksBar; // hidden for cars 4..7
    HWND TiresBar;  // hidden for cars 3..7
    HWND ArmorBar;
    HWND MoneyLabel;
    HWND MoneyBox;
    HWND MoneyUnitLabel;
    HWND HelpLabel;
};
extern TControlHandles Controls;

// The tip over PasswordBox, a pop-up owned by the main window; it sees the
// mouse through the box's replacement procedure.
extern HWND PasswordBoxTip;

// WindowDC: taken once from the main window, every picture is drawn into it.
// MemoryDC: the source of every picture copy; null once it has been deleted.
extern HDC WindowDC;
extern HDC MemoryDC;

// The class procedures of EDIT, COMBOBOX and msctls_trackbar32.
extern WNDPROC SavedEditProc;
extern WNDPROC SavedListProc;
extern WNDPROC SavedTrackbarProc;

// The handle of one of the model's input controls.
HWND ControlHandle(TControl Control);

// The keyboard order of the 15 input controls, entries 0..14, the model's
// TControl order; only entries 13 and 14 (ShocksBar, TiresBar) can be hidden.
constexpr int32_t TabOrderLength = ControlCount;
constexpr uint8_t PasswordBoxTabEntry = uint8_t(TControl::PasswordBox);
constexpr uint8_t MoneyBoxTabEntry = uint8_t(TControl::MoneyBox);
extern HWND TabOrder[TabOrderLength];
// The entry of the control that last took the focus; 1 (HeroList) at start.
extern uint8_t TabIndex;

// The model's view of the window that it shows now, kept by RenderView; the
// pictures are drawn from it. ViewRendered: false until the first.
extern TWindowView ShownView;
extern bool ViewRendered;

// Nonzero while ShocksBar / TiresBar is shown; set only by
// UpdateUpgradeVisibility, as ShownView says.
extern uint8_t ShocksBarShown;
extern uint8_t TiresBarShown;

// Loaded once at start-up, never deleted.
extern HBITMAP SheetBitmap;     // resource 1
extern HBITMAP EmblemBitmap;    // resource 2
extern HBITMAP CarBitmap1;      // resource 3
extern HBITMAP CarBitmap2;      // resource 4
extern HBITMAP ExtraIconBitmap; // resource 5
