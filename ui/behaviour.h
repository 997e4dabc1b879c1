// What the system controls do not do by themselves on a plain window: the
// replacement procedures of the input controls, the keyboard order, the
// controls' font, the trackbars' set-up and the registration of the
// common-control classes.
#pragma once

#include <windows.h>
#include <cstdint>

#include "window_model.h"

LRESULT CALLBACK ListProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK PasswordBoxProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK MoneyBoxProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);
LRESULT CALLBACK TrackbarProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam);

// Position 0..14 of Control in TabOrder, 0 when it is not there.
uint8_t FindTabIndex(HWND Control);
void FocusNextControl();

void ApplyControlFont(HWND Control);
// Bar's starting position, its range 0..ControlMaximum(Bar), a step a click
// and a tick at every position.
void SetupTrackbar(HWND Trackbar, TControl Bar);
bool InitControlClasses(DWORD Flags);
