// The main window of class TPasForm: its window procedure, which hands each
// message it reacts to to a small handler of the files beside it.
#pragma once

#include <windows.h>

// Window procedure of TPasForm.
LRESULT CALLBACK MainWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
