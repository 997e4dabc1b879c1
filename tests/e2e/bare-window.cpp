// The smallest window program that does what the benchmarks time in the real
// one: a window that shows a text when it opens, and a bare trackbar whose
// every movement rewrites that text (its position in decimal). The driver
// measures both programs the same way and reports the ratio.
#include <windows.h>
#include <commctrl.h>

namespace {

HWND PositionBox;
HWND Bar;

void ShowPosition() {
    wchar_t Text[16];
    wsprintfW(Text, L"%d", static_cast<int>(SendMessageW(Bar, TBM_GETPOS, 0, 0)));
    SetWindowTextW(PositionBox, Text);
}

void OnCreate(HWND Window) {
    PositionBox =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_READONLY, 10, 10,
                        100, 24, Window, nullptr, nullptr, nullptr);
    Bar = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 10, 44,
                          110, 30, Window, nullptr, nullptr, nullptr);
    SendMessageW(Bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 7));
    SendMessageW(Bar, TBM_SETPOS, TRUE, 7);
    ShowPosition();
}

LRESULT CALLBACK BareWndProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_CREATE:
        OnCreate(Window);
        break;
    case WM_HSCROLL:
        ShowPosition();
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX Classes = {sizeof(Classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&Classes);
    WNDCLASSW Class = {};
    Class.lpfnWndProc = BareWndProc;
    Class.hInstance = Instance;
    Class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    Class.lpszClassName = L"TBareForm";
    RegisterClassW(&Class);
    HWND Window = CreateWindowExW(0, L"TBareForm", L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  20, 20, 200, 140, nullptr, nullptr, Instance, nullptr);
    ShowWindow(Window, SW_SHOW);
    UpdateWindow(Window);
    MSG Msg;
    while (GetMessageW(&Msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&Msg);
        DispatchMessageW(&Msg);
    }
    return 0;
}
