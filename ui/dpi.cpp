// The display scale: the scaling rule, and the window's DPI and frame from
// the calls of Windows 10 (1607) and later where they exist, from the
// screen's DPI and the system's frame where they do not.
#include "dpi.h"

int32_t WindowDpi = LayoutDpi;

namespace {

typedef UINT(WINAPI *TGetDpiForWindow)(HWND);
typedef BOOL(WINAPI *TAdjustWindowRectExForDpi)(RECT *, DWORD, BOOL, DWORD, UINT);

// An entry of user32, which the program imports and so has loaded; null
// where this version of Windows lacks it.
template <typename TEntry> TEntry User32Entry(const char *Name) {
    // Through void (*)(): a cast between unrelated function types is flagged.
    return reinterpret_cast<TEntry>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), Name)));
}

} // namespace

int32_t ScaleLength(int32_t Length, int32_t FromDpi, int32_t ToDpi) {
    return Length * ToDpi / FromDpi;
}

int32_t ScaleToDpi(int32_t Length) {
    return ScaleLength(Length, LayoutDpi, WindowDpi);
}

int32_t DpiOfWindow(HWND Window) {
    auto GetDpiForWindowEntry = User32Entry<TGetDpiForWindow>("GetDpiForWindow");
    if (GetDpiForWindowEntry != nullptr)
        return int32_t(GetDpiForWindowEntry(Window));
    HDC Screen = GetDC(nullptr);
    int32_t Dpi = GetDeviceCaps(Screen, LOGPIXELSY);
    ReleaseDC(nullptr, Screen);
    return Dpi;
}

SIZE OuterSizeAt(HWND Window, SIZE Client, int32_t Dpi) {
    DWORD Style = DWORD(GetWindowLongW(Window, GWL_STYLE));
    DWORD ExStyle = DWORD(GetWindowLongW(Window, GWL_EXSTYLE));
    RECT Outer = {0, 0, Client.cx, Client.cy};
    auto AdjustForDpi = User32Entry<TAdjustWindowRectExForDpi>("AdjustWindowRectExForDpi");
    if (AdjustForDpi != nullptr)
        AdjustForDpi(&Outer, Style, FALSE, ExStyle, UINT(Dpi));
    else // one DPI for the whole system: its frame
        AdjustWindowRectEx(&Outer, Style, FALSE, ExStyle);
    return SIZE{Outer.right - Outer.left, Outer.bottom - Outer.top};
}
