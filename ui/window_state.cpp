#include "window_state.h"

#include "dpi.h"

TControlHandles Controls;
HWND PasswordBoxTip;
int32_t WindowDpi = LayoutDpi;

HDC WindowDC;
HDC MemoryDC;

WNDPROC SavedEditProc;
WNDPROC SavedListProc;
WNDPROC SavedTrackbarProc;

HWND TabOrder[TabOrderLength];
uint8_t TabIndex = 1;

uint8_t ShocksBarShown;
uint8_t TiresBarShown;

HBITMAP SheetBitmap;
HBITMAP EmblemBitmap;
HBITMAP CarBitmap1;
HBITMAP CarBitmap2;
HBITMAP ExtraIconBitmap;
