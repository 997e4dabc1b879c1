// Start-up of rnrr-password: registers TPasForm, loads the bitmaps, creates
// the main window (built, shown and holding its first password before the
// creation returns), runs the message loop and ends with exit code 0.
#include <windows.h>

#include "fault_report.h"
#include "interface_text.h"
#include "layout.h"
#include "main_window.h"
#include "resource_ids.h"
#include "version.h"
#include "window_state.h"

namespace {

constexpr wchar_t MainClassName[] = L"TPasForm";
constexpr wchar_t CaptionSuffix[] = L" " RNRR_VERSION_TEXT; // " 2.1"
// Title bar, system menu and minimise button; no sizing border, no
// maximise button; shown by the window's own creation step.
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

WNDCLASSW MainClass;
MSG Message;

HBITMAP LoadProgramBitmap(HINSTANCE Module, int32_t Id) {
    return LoadBitmapW(Module, MAKEINTRESOURCEW(Id));
}

bool CreateMainWindow() {
    HINSTANCE Module = GetModuleHandleW(nullptr);
    ZeroMemory(&MainClass, sizeof MainClass);
    MainClass.style = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS;
    MainClass.lpfnWndProc = MainWndProc;
    MainClass.hInstance = Module;
    MainClass.hIcon = LoadIconW(Module, MAKEINTRESOURCEW(IDI_APP));
    MainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    MainClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    MainClass.lpszClassName = MainClassName;

    EmblemBitmap = LoadProgramBitmap(Module, IDB_EMBLEM);
    CarBitmap1 = LoadProgramBitmap(Module, IDB_CAR_1);
    CarBitmap2 = LoadProgramBitmap(Module, IDB_CAR_2);
    ExtraIconBitmap = LoadProgramBitmap(Module, IDB_EXTRA_ICON);
    SheetBitmap = LoadProgramBitmap(Module, IDB_SHEET);

    if (RegisterClassW(&MainClass) == 0)
        return false;
    TWideText Caption = LoadInterfaceText(IDS_CAPTION);
    lstrcpynW(Caption.Text + Caption.Length, CaptionSuffix, WideTextCapacity - Caption.Length);
    const TWindowArea &Area = CreatedWindowArea;
    HWND Window =
        CreateWindowExW(0, MainClassName, Caption.Text, MainWindowStyle, Area.Left, Area.Top,
                        Area.Width, Area.Height, nullptr, nullptr, nullptr, nullptr);
    return Window != nullptr;
}

void RunMessageLoop() {
    while (GetMessageW(&Message, nullptr, 0, 0)) {
        TranslateMessage(&Message);
        DispatchMessageW(&Message);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InstallFaultReport();
    if (!CreateMainWindow()) {
        TWideText Title = LoadInterfaceText(IDS_CREATE_FAILED_TITLE);
        MessageBoxW(nullptr, LoadInterfaceText(IDS_CREATE_FAILED).Text, Title.Text,
                    MB_OK | MB_ICONHAND);
        return 0;
    }
    RunMessageLoop();
    return 0;
}
