// MainWndProc: the window procedure of TPasForm. Each message it reacts to
// has a small handler; every message that the handler does not answer
// itself then goes on to the default window procedure.
#include "main_window.h"

#include "accessible.h"
#include "layout.h"
#include "password_dialog.h"
#include "pictures.h"
#include "recompute.h"
#include "resource_ids.h"
#include "window_state.h"

namespace {

void HandleDestroy() {
    // Clients that keep an object of a control get an error from it now.
    EndAccessibleObjects();
    DeleteDC(MemoryDC);
    // The upgrade trackbars still get messages after this; DrawPictures sees
    // the null handle and draws nothing.
    MemoryDC = nullptr;
    PostQuitMessage(0);
}

// Paints inside the platform's paint bracket, so that the background is
// erased before the pictures are drawn and never after them.
void HandlePaint(HWND Window) {
    PAINTSTRUCT Paint;
    BeginPaint(Window, &Paint);
    PaintMainWindow();
    EndPaint(Window, &Paint);
}

void HandleCommand(WPARAM WParam, LPARAM LParam) {
    // The password box's own change notifications are not looked at.
    if (HIWORD(WParam) == EN_CHANGE && HWND(LParam) == Controls.MoneyBox)
        RecomputePassword();
}

// The password first, then the number beside an item trackbar: both are the
// view's.
void HandleHScroll() {
    RecomputePassword();
}

// The default handling of an activation puts the focus on the main window
// itself, where Tab does nothing; the control that had it takes it back.
LRESULT HandleActivate(HWND Window, WPARAM WParam, LPARAM LParam) {
    LRESULT Result = DefWindowProcW(Window, WM_ACTIVATE, WParam, LParam);
    if (LOWORD(WParam) != WA_INACTIVE && !IsIconic(Window) && GetFocus() == Window)
        SetFocus(TabOrder[TabIndex]);
    return Result;
}

// The system menu's "Ввести пароль..." opens the dialog; every other command
// is the default window procedure's.
LRESULT HandleSysCommand(HWND Window, WPARAM WParam, LPARAM LParam) {
    // The system keeps the low four bits of a command for itself.
    if ((WParam & 0xFFF0) == IDM_ENTER_PASSWORD) {
        OpenPasswordDialog(nullptr);
        return 0;
    }
    return DefWindowProcW(Window, WM_SYSCOMMAND, WParam, LParam);
}

// Moved to a monitor of another scale: the new DPI in the high word of
// WParam, the place that Windows suggests in LParam.
LRESULT HandleDpiChanged(WPARAM WParam, LPARAM LParam) {
    ChangeWindowDpi(HIWORD(WParam), *reinterpret_cast<const RECT *>(LParam));
    return 0;
}

} // namespace

LRESULT CALLBACK MainWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_CREATE:
        CreateMainControls(Window);
        break;
    case WM_DESTROY:
        HandleDestroy();
        return 0;
    case WM_PAINT:
        HandlePaint(Window);
        return 0;
    case WM_COMMAND:
        HandleCommand(WParam, LParam);
        break;
    case WM_HSCROLL:
        HandleHScroll();
        break;
    case WM_ACTIVATE:
        return HandleActivate(Window, WParam, LParam);
    case WM_SYSCOMMAND:
        return HandleSysCommand(Window, WParam, LParam);
    case WM_DPICHANGED:
        return HandleDpiChanged(WParam, LParam);
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}
