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

// Whether the system shows high contrast; read when the window is made and
// whenever the system colours change.
bool HighContrast;

void ReadHighContrast() {
    HIGHCONTRASTW Contrast = {sizeof Contrast, 0, nullptr};
    HighContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof Contrast, &Contrast, 0) &&
                   (Contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void HandleCreate(HWND Window) {
    ReadHighContrast();
    CreateMainControls(Window);
}

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

// The labels, the read-only password box and the trackbars ask for the
// colours of their text and background: the system's pair for text on the
// window's face. In high contrast nothing is drawn behind the text but the
// face itself.
LRESULT HandleControlColour(WPARAM WParam) {
    HDC Context = HDC(WParam);
    SetTextColor(Context, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(Context, GetSysColor(COLOR_BTNFACE));
    if (HighContrast)
        SetBkMode(Context, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The system colours have changed: the window reads high contrast again,
// the common controls (the trackbars and the tip) renew the colours they
// keep, and the window and every control are drawn anew. The window's
// brushes are the system's own, which follow by themselves.
void HandleSysColorChange(HWND Window, WPARAM WParam, LPARAM LParam) {
    ReadHighContrast();
    for (int32_t C = 0; C < ControlCount; ++C)
        if (ControlRules[C].Kind == TControlKind::Bar)
            SendMessageW(ControlHandle(TControl(C)), WM_SYSCOLORCHANGE, WParam, LParam);
    SendMessageW(PasswordBoxTip, WM_SYSCOLORCHANGE, WParam, LParam);
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
        HandleCreate(Window);
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
    case WM_CTLCOLORSTATIC:
        return HandleControlColour(WParam);
    case WM_SYSCOLORCHANGE:
        HandleSysColorChange(Window, WParam, LParam);
        return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}
