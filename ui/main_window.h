// The main window of class TPasForm: its window procedure and the routines
// that build it, read it into the settings, draw its pictures and give its
// controls their behaviour.
#pragma once

#include <windows.h>
#include <cstdint>

#include "interface_text.h"
#include "settings.h"
#include "window_model.h"

// The encoder's Windows-1251 text as UTF-16, for the platform's W calls:
// Length bytes, or up to the zero when Length is -1; cut to 1023 characters.
TWideText WideFrom1251(const char *Text, int32_t Length = -1);

// The money box's text that the model's money text stands for.
TWideText MoneyBoxText(const TMoneyText &Money);

// Window procedure of TPasForm.
LRESULT CALLBACK MainWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);

// Builds the 31 controls, computes the first password and shows the window.
void CreateMainControls(HWND Window);
// Lays the window out again for Dpi, with its top left corner where
// Suggested's is: its size, every control's place, size and font, and the
// pictures.
void ChangeWindowDpi(int32_t Dpi, const RECT &Suggested);

// Reads every control into Settings, encodes, and shows the grouped password.
void RecomputePassword();

// The other way: every list, bar and the money box (three digits) take the
// values of Record (each within its range), the bars follow the car's rule,
// and the password and pictures are made again from the controls. A bar that
// the car hides keeps Record's level, but the password takes 0 for it.
void LoadSettingsIntoControls(const TSettings &Record);

// The number beside an item trackbar: its position.
void ShowItemCount(HWND Bar, HWND Count);

// The modal dialog that reads a password back, opened with Text in its field
// (null for an empty field); OK loads the password into the controls, Cancel
// changes nothing.
void OpenPasswordDialog(const wchar_t *Text);
// The same with the clipboard's text up to its first line break.
void OpenPasswordDialogFromClipboard();

// Emblem and car pictures, then DrawPictures: the whole set.
void PaintMainWindow();
// Upgrade pictures for the current levels and item icons for the car.
void DrawPictures();

// Control behaviour.
LRESULT CALLBACK ListProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK PasswordBoxProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK MoneyBoxProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK TrackbarProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
// Position 0..14 of Control in TabOrder, 0 when it is not there.
uint8_t FindTabIndex(HWND Control);
void FocusNextControl();
void UpdateUpgradeVisibility();
void ApplyControlFont(HWND Control);
void SetupTrackbar(HWND Trackbar, int32_t Maximum);
bool InitControlClasses(DWORD Flags);
