// The end-to-end driver's tools; see driver.h.
#include "driver.h"

#include "password.h"
#include "reading.h"
#include "settings.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

int FailureCount = 0;
const wchar_t *CurrentCase = L"";
std::wstring ProgramPath;
DWORD WaitDeadline = 30000;

namespace {

void PrintLine(const wchar_t *Prefix, const wchar_t *Format, va_list Arguments) {
    wchar_t Line[2048];
    _vsnwprintf(Line, 2047, Format, Arguments);
    Line[2047] = 0;
    std::wstring Whole = std::wstring(Prefix) + Line + L"\n";
    // UTF-8 on the standard output, so Cyrillic reads right in the log.
    char Bytes[8192];
    int Length = WideCharToMultiByte(CP_UTF8, 0, Whole.c_str(), static_cast<int>(Whole.size()),
                                     Bytes, sizeof(Bytes), nullptr, nullptr);
    fwrite(Bytes, 1, Length, stdout);
    fflush(stdout);
}

} // namespace

void Print(const wchar_t *Format, ...) {
    va_list Arguments;
    va_start(Arguments, Format);
    PrintLine(L"", Format, Arguments);
    va_end(Arguments);
}

bool Check(bool Condition, const wchar_t *Format, ...) {
    if (Condition)
        return true;
    ++FailureCount;
    std::wstring Prefix = L"FAIL [" + std::wstring(CurrentCase) + L"] ";
    va_list Arguments;
    va_start(Arguments, Format);
    PrintLine(Prefix.c_str(), Format, Arguments);
    va_end(Arguments);
    return false;
}

std::wstring Say(const wchar_t *Format, ...) {
    wchar_t Line[2048];
    va_list Arguments;
    va_start(Arguments, Format);
    _vsnwprintf(Line, 2047, Format, Arguments);
    va_end(Arguments);
    Line[2047] = 0;
    return Line;
}

// ---- waiting ------------------------------------------------------------------

void Await(const std::function<bool()> &Condition, const std::function<std::wstring()> &Awaited,
           DWORD DeadlineMs) {
    DWORD Start = GetTickCount();
    // Looked at again at once, then after pauses that grow to 10 ms: most
    // reactions come within a millisecond or two, and the looking takes
    // processor time from the program.
    for (DWORD Pause = 0;; Pause = std::min<DWORD>(Pause + 1, 10)) {
        if (Condition())
            return;
        if (GetTickCount() - Start > DeadlineMs) {
            if (Condition())
                return;
            Check(false, L"waited %lu ms for %ls", DeadlineMs, Awaited().c_str());
            throw TCaseEnded();
        }
        Sleep(Pause);
    }
}

void Await(const std::function<bool()> &Condition, const wchar_t *Awaited, DWORD DeadlineMs) {
    Await(
        Condition, [=] { return std::wstring(Awaited); }, DeadlineMs);
}

// ---- the display scale --------------------------------------------------------

int ExpectedDpi = 96;

int Scaled(int Length) {
    return Length * ExpectedDpi / 96;
}

POINT Scaled(POINT At) {
    return POINT{Scaled(At.x), Scaled(At.y)};
}

SIZE Scaled(SIZE Size) {
    return SIZE{Scaled(Size.cx), Scaled(Size.cy)};
}

int ReadDriverOptions(int Count, wchar_t **Arguments, int First) {
    while (First + 1 < Count) {
        if (lstrcmpW(Arguments[First], L"--dpi") == 0)
            ExpectedDpi = _wtoi(Arguments[First + 1]);
        else if (lstrcmpW(Arguments[First], L"--deadline-factor") == 0)
            WaitDeadline *= std::max(1, _wtoi(Arguments[First + 1]));
        else
            break;
        First += 2;
    }
    return First;
}

bool UseExpectedDpi() {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    HDC Screen = GetDC(nullptr);
    int Dpi = GetDeviceCaps(Screen, LOGPIXELSY);
    ReleaseDC(nullptr, Screen);
    return Check(Dpi == ExpectedDpi, L"the screen is at %d DPI, not %d (LogPixels of the prefix)",
                 Dpi, ExpectedDpi);
}

int LayoutClientWidth(HWND Window) {
    RECT Frame = {0, 0, 0, 0};
    AdjustWindowRectExForDpi(&Frame, static_cast<DWORD>(GetWindowLongW(Window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongW(Window, GWL_EXSTYLE)), 96);
    return WindowWidth - (Frame.right - Frame.left);
}

// ---- the program ------------------------------------------------------------

namespace {

struct TChildList {
    HWND Parent;
    std::vector<HWND> Children;
};

BOOL CALLBACK CollectChild(HWND Window, LPARAM Parameter) {
    auto *List = reinterpret_cast<TChildList *>(Parameter);
    if (GetParent(Window) == List->Parent)
        List->Children.push_back(Window);
    return TRUE;
}

// A client pixel of Window that no child covers: a corner of its client area.
POINT UncoveredPixel(HWND Window) {
    RECT Client;
    GetClientRect(Window, &Client);
    for (POINT At : {POINT{Client.right - 1, Client.bottom - 1}, POINT{Client.right - 1, 0},
                     POINT{0, Client.bottom - 1}, POINT{0, 0}})
        if (ChildWindowFromPointEx(Window, At, CWP_SKIPINVISIBLE) == Window)
            return At;
    Check(false, L"every corner of the window's client area is under a control");
    return POINT{0, 0};
}

// A window for a failure's line: the program's control by name, else its
// class and process.
std::wstring NameOf(const TProgram &Program, HWND Window) {
    if (Window == nullptr)
        return L"none";
    if (Window == Program.Window)
        return L"the window";
    for (const TControlRow &Row : ControlRows)
        if (ControlOf(Program, Row.Control) == Window)
            return Row.Name;
    wchar_t ClassName[64] = {};
    GetClassNameW(Window, ClassName, 64);
    DWORD ProcessId = 0;
    GetWindowThreadProcessId(Window, &ProcessId);
    return Say(L"%ls of %ls", ClassName,
               ProcessId == Program.Process.dwProcessId ? L"the program"
               : ProcessId == GetCurrentProcessId()     ? L"the driver"
                                                        : L"another process");
}

} // namespace

TProgram::~TProgram() {
    StopProgram(*this);
}

void StartProgram(TProgram &Program) {
    StopProgram(Program);
    Program.Window = nullptr;
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    std::wstring CommandLine = L"\"" + ProgramPath + L"\"";
    BOOL Started = CreateProcessW(ProgramPath.c_str(), &CommandLine[0], nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &Startup, &Program.Process);
    DWORD Error = GetLastError();
    if (!Check(Started != 0, L"cannot start %ls (error %lu)", ProgramPath.c_str(), Error))
        throw TCaseEnded();
    // A new process under Wine on a loaded machine can take many seconds.
    HWND Found = nullptr;
    Await([&] { return (Found = FindProgramWindow(Program, L"TPasForm")) != nullptr; },
          [&] {
              return Say(L"a visible window of class TPasForm; the process %ls",
                         WaitForExit(Program, 0) == STILL_ACTIVE ? L"runs" : L"has ended");
          },
          2 * WaitDeadline);
    Program.Window = Found;
    if (!FindControls(Program))
        throw TCaseEnded();
    Program.Mark = UncoveredPixel(Program.Window);
    Await([&] { return !TextOf(ControlOf(Program, TControl::PasswordBox)).empty(); },
          [] { return std::wstring(L"a password in the password box; it is empty"); });
}

bool FindControls(TProgram &Program) {
    TChildList List = {Program.Window, {}};
    SetLastError(0);
    const BOOL Listed =
        EnumChildWindows(Program.Window, CollectChild, reinterpret_cast<LPARAM>(&List));
    const DWORD ListError = GetLastError();
    Check(List.Children.size() == ControlCount,
          L"the window has %u child windows, not %d (listed: %d, error %lu; the window %ls, "
          L"%ls; the process %ls)",
          static_cast<unsigned>(List.Children.size()), ControlCount, Listed, ListError,
          IsWindow(Program.Window) ? L"exists" : L"is gone",
          IsWindowVisible(Program.Window) ? L"visible" : L"hidden",
          WaitForExit(Program, 0) == STILL_ACTIVE ? L"runs" : L"has ended");
    bool AllFound = true;
    for (const TControlRow &Row : ControlRows) {
        HWND Match = nullptr;
        for (HWND Child : List.Children) {
            wchar_t ClassName[64];
            GetClassNameW(Child, ClassName, 64);
            RECT Place;
            GetWindowRect(Child, &Place);
            MapWindowPoints(HWND_DESKTOP, Program.Window, reinterpret_cast<POINT *>(&Place), 2);
            if (lstrcmpiW(ClassName, Row.ClassName) == 0 && Place.left == Scaled(Row.X) &&
                Place.top == Scaled(Row.Y)) {
                Match = Child;
                break;
            }
        }
        AllFound &= Check(Match != nullptr, L"no %ls of class %ls at (%d, %d)", Row.Name,
                          Row.ClassName, Scaled(Row.X), Scaled(Row.Y));
        Program.Controls[static_cast<int>(Row.Control)] = Match;
    }
    return AllFound;
}

DWORD WaitForExit(TProgram &Program, DWORD TimeoutMs) {
    if (Program.Process.hProcess == nullptr)
        return STILL_ACTIVE;
    if (WaitForSingleObject(Program.Process.hProcess, TimeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD Code = STILL_ACTIVE;
    GetExitCodeProcess(Program.Process.hProcess, &Code);
    return Code;
}

void StopProgram(TProgram &Program) {
    if (Program.Process.hProcess == nullptr)
        return;
    // A copy with a dialog open (its window disabled) is ended outright;
    // otherwise it gets the close command, and is ended when it stays.
    if (WaitForSingleObject(Program.Process.hProcess, 0) != WAIT_OBJECT_0) {
        if (Program.Window == nullptr || !IsWindowEnabled(Program.Window) ||
            PostMessageW(Program.Window, WM_SYSCOMMAND, SC_CLOSE, 0) == 0 ||
            WaitForSingleObject(Program.Process.hProcess, WaitDeadline) != WAIT_OBJECT_0)
            TerminateProcess(Program.Process.hProcess, 1);
        WaitForSingleObject(Program.Process.hProcess, WaitDeadline);
    }
    CloseHandle(Program.Process.hThread);
    CloseHandle(Program.Process.hProcess);
    Program.Process = {};
}

void Settle(const TProgram &Program) {
    RECT Pixel = {Program.Mark.x, Program.Mark.y, Program.Mark.x + 1, Program.Mark.y + 1};
    RedrawWindow(Program.Window, &Pixel, nullptr, RDW_INVALIDATE);
    Await([&] { return GetUpdateRect(Program.Window, nullptr, FALSE) == 0; },
          [&] {
              return Say(L"the program to handle its input and paint; %ls",
                         InputState(Program).c_str());
          });
}

namespace {

// The program's thread's input state, as GetGUIThreadInfo reads it.
bool ReadThreadInput(const TProgram &Program, GUITHREADINFO &Info) {
    Info = {};
    Info.cbSize = sizeof(Info);
    return GetGUIThreadInfo(Program.Process.dwThreadId, &Info) != FALSE;
}

} // namespace

std::wstring InputState(const TProgram &Program) {
    GUITHREADINFO Info;
    ReadThreadInput(Program, Info);
    return Say(L"in front: %ls; the program's active window: %ls, focus: %ls, capture: %ls, "
               L"menu owner: %ls (flags %lX)",
               NameOf(Program, GetForegroundWindow()).c_str(),
               NameOf(Program, Info.hwndActive).c_str(), NameOf(Program, Info.hwndFocus).c_str(),
               NameOf(Program, Info.hwndCapture).c_str(),
               NameOf(Program, Info.hwndMenuOwner).c_str(), Info.flags);
}

HWND ControlOf(const TProgram &Program, TControl Control) {
    return Program.Controls[static_cast<int>(Control)];
}

const TControlRow &RowOf(TControl Control) {
    return ControlRows[static_cast<int>(Control)];
}

// ---- reading the controls ---------------------------------------------------

std::wstring TextOf(HWND Window) {
    wchar_t Text[1024] = {};
    SendMessageW(Window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(Text));
    return Text;
}

std::wstring ListEntry(HWND List, int Index) {
    LRESULT Length = SendMessageW(List, CB_GETLBTEXTLEN, Index, 0);
    if (Length < 0 || Length > 1000)
        return L"<none>";
    wchar_t Text[1024] = {};
    SendMessageW(List, CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(Text));
    return Text;
}

int SelectionOf(HWND List) {
    return static_cast<int>(SendMessageW(List, CB_GETCURSEL, 0, 0));
}

int PositionOf(HWND Bar) {
    return static_cast<int>(SendMessageW(Bar, TBM_GETPOS, 0, 0));
}

HWND FocusOf(const TProgram &Program) {
    GUITHREADINFO Info;
    ReadThreadInput(Program, Info);
    return Info.hwndFocus;
}

DWORD SelectionRangeOf(HWND Edit) {
    return static_cast<DWORD>(SendMessageW(Edit, EM_GETSEL, 0, 0));
}

std::wstring ExpectedPassword(const TProgram &Program) {
    auto List = [&](TControl Control) { return SelectionOf(ControlOf(Program, Control)); };
    auto Bar = [&](TControl Control) { return PositionOf(ControlOf(Program, Control)); };
    auto Shown = [&](TControl Control) {
        return IsWindowVisible(ControlOf(Program, Control)) != 0;
    };
    Settings.Difficulty = List(TControl::DifficultyList);
    Settings.Hero = List(TControl::HeroList);
    Settings.Planet = List(TControl::PlanetList);
    Settings.Car = List(TControl::CarList);
    Settings.Division = List(TControl::DivisionList);
    Settings.Color = List(TControl::ColorList);
    Settings.WeaponCharges = Bar(TControl::WeaponBar);
    Settings.BoostCharges = Bar(TControl::BoostBar);
    Settings.DropCharges = Bar(TControl::DropBar);
    Settings.Engine = Bar(TControl::EngineBar);
    Settings.Shocks = Shown(TControl::ShocksBar) ? Bar(TControl::ShocksBar) : 0;
    Settings.Tires = Shown(TControl::TiresBar) ? Bar(TControl::TiresBar) : 0;
    Settings.Armor = Bar(TControl::ArmorBar);
    return PasswordOfSettings(TextOf(ControlOf(Program, TControl::MoneyBox)));
}

std::wstring PasswordOfSettings(const std::wstring &Money) {
    // The money text as the program reads it: its Windows-1251 bytes.
    char Bytes[1024] = {};
    int Length = WideCharToMultiByte(1251, 0, Money.c_str(), static_cast<int>(Money.size()), Bytes,
                                     sizeof(Bytes) - 1, nullptr, nullptr);
    ReadMoneyText(Bytes, Length, Settings);
    EncodePassword();
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Display);
    wchar_t Wide[PasswordDisplaySize] = {};
    MultiByteToWideChar(1251, 0, Display, -1, Wide, PasswordDisplaySize);
    return Wide;
}

void CheckPassword(const TProgram &Program, const wchar_t *After) {
    HWND Box = ControlOf(Program, TControl::PasswordBox);
    Await([&] { return TextOf(Box) == ExpectedPassword(Program); },
          [&] {
              return Say(L"the password box after %ls to show what the controls give, \"%ls\"; "
                         L"it shows \"%ls\"",
                         After, ExpectedPassword(Program).c_str(), TextOf(Box).c_str());
          });
}

// ---- input ------------------------------------------------------------------

namespace {

void SendKey(WORD Key, bool Up) {
    INPUT Input = {};
    Input.type = INPUT_KEYBOARD;
    Input.ki.wVk = Key;
    Input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC));
    Input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &Input, sizeof(Input));
}

} // namespace

void BringToFront(const TProgram &Program) {
    if (!SetForegroundWindow(Program.Window)) {
        // Refused: as a user does, a click on the caption.
        RECT Outer;
        GetWindowRect(Program.Window, &Outer);
        ClickAt(POINT{(Outer.left + Outer.right) / 2,
                      Outer.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
    }
    // In front as the system has it, active as the program has it, and the
    // activation handled: the program takes it from a message of its own,
    // after the system has put it in front, and gives its control the focus
    // back then; a Tab pressed meanwhile may count as the one that moved the
    // focus (two-copies once pressed its keys with the focus on ColorList,
    // having seen it on HeroList).
    Await(
        [&] {
            GUITHREADINFO Info;
            return GetForegroundWindow() == Program.Window && ReadThreadInput(Program, Info) &&
                   Info.hwndActive == Program.Window;
        },
        [&] { return Say(L"the window in front and active; %ls", InputState(Program).c_str()); });
    Settle(Program);
}

void PressKey(WORD Key) {
    SendKey(Key, false);
    SendKey(Key, true);
}

void PressKeyWith(WORD Modifier, WORD Key) {
    SendKey(Modifier, false);
    SendKey(Key, false);
    SendKey(Key, true);
    SendKey(Modifier, true);
}

void TypeDigits(const wchar_t *Digits) {
    for (const wchar_t *Digit = Digits; *Digit != 0; ++Digit)
        PressKey(static_cast<WORD>(*Digit)); // the virtual keys of "0".."9" are their codes
}

void MouseTo(POINT Screen) {
    INPUT Input = {};
    Input.type = INPUT_MOUSE;
    Input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    int Width = GetSystemMetrics(SM_CXSCREEN);
    int Height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates run 0..65535 over the screen, and Wine takes the
    // pixel Value x Width / 65536, rounded down: the least such value.
    Input.mi.dx = (Screen.x * 65536 + Width - 1) / Width;
    Input.mi.dy = (Screen.y * 65536 + Height - 1) / Height;
    // Wine moves the display's pointer after the system's, under a grab of
    // the pointer on the desktop's window, and the grab gives that window an
    // enter event at the old place, which the desktop's thread (explorer's)
    // takes, in its own time, for a move back there: the pointer could go
    // back after the move. So the pointer is confined to its new pixel
    // first: the system puts it there at once, and no late event can take it
    // elsewhere. The display's pointer is then the driver's, grabbed to that
    // pixel, and its events reach no other program.
    RECT Pixel = {Screen.x, Screen.y, Screen.x + 1, Screen.y + 1};
    ClipCursor(&Pixel);
    SendInput(1, &Input, sizeof(Input));
    POINT Cursor = {};
    RECT Clip = {};
    Await(
        [&] {
            return GetCursorPos(&Cursor) && Cursor.x == Screen.x && Cursor.y == Screen.y &&
                   GetClipCursor(&Clip) && EqualRect(&Clip, &Pixel);
        },
        [&] {
            return Say(L"the pointer at (%ld, %ld), confined there; it is at (%ld, %ld), confined "
                       L"to (%ld, %ld)-(%ld, %ld)",
                       Screen.x, Screen.y, Cursor.x, Cursor.y, Clip.left, Clip.top, Clip.right,
                       Clip.bottom);
        });
}

namespace {

// The place and time of the last press, for the system's double-click rule.
POINT LastPress = {-1000, -1000};
DWORD LastPressTick = 0;

} // namespace

void MouseButton(bool Down) {
    INPUT Input = {};
    Input.type = INPUT_MOUSE;
    Input.mi.dwFlags = Down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    if (Down) {
        GetCursorPos(&LastPress);
        LastPressTick = GetTickCount();
    }
    SendInput(1, &Input, sizeof(Input));
}

void ClickAt(POINT Screen) {
    // A press within the double-click time and square of the last one would
    // make a double click, not a click: the click goes a square's width to
    // the right then.
    int Square = GetSystemMetrics(SM_CXDOUBLECLK);
    if (GetTickCount() - LastPressTick <= GetDoubleClickTime() &&
        std::abs(Screen.x - LastPress.x) <= Square / 2 &&
        std::abs(Screen.y - LastPress.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2)
        Screen.x = LastPress.x + Square;
    MouseTo(Screen);
    MouseButton(true);
    MouseButton(false);
}

POINT ScreenPointOf(HWND Window, int X, int Y) {
    POINT Point = {X, Y};
    ClientToScreen(Window, &Point);
    return Point;
}

void FocusControl(const TProgram &Program, TControl Control) {
    HWND Target = ControlOf(Program, Control);
    BringToFront(Program);
    // While the window itself holds the focus Tab does nothing: a click into
    // the read-only password box (which changes nothing) starts the order.
    if (FocusOf(Program) == Program.Window || FocusOf(Program) == nullptr) {
        HWND Box = ControlOf(Program, TControl::PasswordBox);
        RECT Inside;
        GetClientRect(Box, &Inside);
        ClickAt(ScreenPointOf(Box, Inside.right / 2, Inside.bottom / 2));
        Await([&] { return FocusOf(Program) == Box; },
              [&] {
                  return Say(L"a click to focus the password box; %ls",
                             InputState(Program).c_str());
              });
    }
    // Each press moves the focus on before the next.
    for (int Press = 0; Press < 16 && FocusOf(Program) != Target; ++Press) {
        HWND Before = FocusOf(Program);
        PressKey(VK_TAB);
        Await([&] { return FocusOf(Program) != Before; },
              [&] {
                  return Say(L"Tab to move the focus on from %ls toward %ls; %ls",
                             NameOf(Program, Before).c_str(), RowOf(Control).Name,
                             InputState(Program).c_str());
              });
    }
    if (!Check(FocusOf(Program) == Target, L"16 Tab presses do not reach %ls; %ls",
               RowOf(Control).Name, InputState(Program).c_str()))
        throw TCaseEnded();
}

void AwaitFocus(const TProgram &Program, TControl Control, const wchar_t *After) {
    Await([&] { return FocusOf(Program) == ControlOf(Program, Control); },
          [&] {
              return Say(L"%ls to focus %ls; %ls", After, RowOf(Control).Name,
                         InputState(Program).c_str());
          });
}

void ChooseWithKeys(const TProgram &Program, TControl List, int Index) {
    FocusControl(Program, List);
    HWND Handle = ControlOf(Program, List);
    PressKey(VK_HOME);
    for (int Step = 0; Step < Index; ++Step)
        PressKey(VK_DOWN);
    Await([&] { return SelectionOf(Handle) == Index; },
          [&] {
              return Say(L"Home and %d Down presses to move %ls to entry %d; it is at %d; %ls",
                         Index, RowOf(List).Name, Index, SelectionOf(Handle),
                         InputState(Program).c_str());
          });
}

void PasteText(const wchar_t *Text) {
    PutOnClipboard(Text);
    PressKeyWith(VK_CONTROL, 'V');
}

void PutOnClipboard(const wchar_t *Text) {
    size_t Bytes = (wcslen(Text) + 1) * sizeof(wchar_t);
    HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, Bytes);
    memcpy(GlobalLock(Memory), Text, Bytes);
    GlobalUnlock(Memory);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, Memory);
        CloseClipboard();
    }
}

void TypeText(const wchar_t *Text) {
    for (const wchar_t *C = Text; *C != 0; ++C) {
        INPUT Input[2] = {};
        for (int Stroke = 0; Stroke < 2; ++Stroke) {
            Input[Stroke].type = INPUT_KEYBOARD;
            Input[Stroke].ki.wScan = *C;
            Input[Stroke].ki.dwFlags = KEYEVENTF_UNICODE | (Stroke == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, Input, sizeof(INPUT));
    }
}

namespace {

struct TOwnWindowSearch {
    DWORD ProcessId;
    const wchar_t *ClassName;
    const std::function<bool(HWND)> &Matches;
    HWND Found;
};

BOOL CALLBACK MatchOwnWindow(HWND Window, LPARAM Parameter) {
    auto *Search = reinterpret_cast<TOwnWindowSearch *>(Parameter);
    DWORD ProcessId = 0;
    GetWindowThreadProcessId(Window, &ProcessId);
    wchar_t ClassName[64];
    GetClassNameW(Window, ClassName, 64);
    if (ProcessId == Search->ProcessId && lstrcmpiW(ClassName, Search->ClassName) == 0 &&
        IsWindowVisible(Window) && Search->Matches(Window)) {
        Search->Found = Window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindProgramWindow(const TProgram &Program, const wchar_t *ClassName,
                       const std::function<bool(HWND)> &Matches) {
    TOwnWindowSearch Search = {Program.Process.dwProcessId, ClassName, Matches, nullptr};
    EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

HWND FindProgramWindow(const TProgram &Program, const wchar_t *ClassName, const wchar_t *Title) {
    return FindProgramWindow(Program, ClassName, [&](HWND Window) {
        return Title == nullptr || TextOf(Window) == Title;
    });
}

void ClickControl(HWND Control) {
    RECT Inside;
    GetClientRect(Control, &Inside);
    ClickAt(ScreenPointOf(Control, Inside.right / 2, Inside.bottom / 2));
}

namespace {

// The Y of entry Index's middle in a dropped list's client area.
int EntryMiddle(HWND Dropped, int Index) {
    int ItemHeight = static_cast<int>(SendMessageW(Dropped, LB_GETITEMHEIGHT, 0, 0));
    int Top = static_cast<int>(SendMessageW(Dropped, LB_GETTOPINDEX, 0, 0));
    return (Index - Top) * ItemHeight + ItemHeight / 2;
}

} // namespace

HWND DropList(const TProgram &Program, HWND List) {
    GUITHREADINFO Gui;
    Await([&] { return ReadThreadInput(Program, Gui) && Gui.hwndCapture == nullptr; },
          [&] {
              return Say(L"no mouse capture before a click on a list; %ls",
                         InputState(Program).c_str());
          });
    ClickControl(List);
    RECT Combo;
    GetWindowRect(List, &Combo);
    HWND Dropped = nullptr;
    auto HangsFromBox = [&](HWND Window) {
        RECT Place;
        GetWindowRect(Window, &Place);
        return Place.left == Combo.left && (Place.top == Combo.bottom || Place.bottom == Combo.top);
    };
    Await(
        [&] {
            return (Dropped = FindProgramWindow(Program, L"ComboLBox", HangsFromBox)) != nullptr;
        },
        [&] {
            return Say(L"a click on %ls to drop its list; %ls", NameOf(Program, List).c_str(),
                       InputState(Program).c_str());
        });
    return Dropped;
}

bool EntryInView(HWND Dropped, int Index) {
    RECT Inside;
    GetClientRect(Dropped, &Inside);
    int Y = EntryMiddle(Dropped, Index);
    return Y > 0 && Y < Inside.bottom;
}

void ClickDroppedEntry(const TProgram &Program, HWND Dropped, int Index) {
    RECT Inside;
    GetClientRect(Dropped, &Inside);
    int Y = EntryMiddle(Dropped, Index);
    // Two moves, so that the list sees the pointer move within the entry
    // even when it was there already. On a loaded machine X's report of an
    // earlier move can come after them and put the pointer back: so once the
    // program has handled them and the list is elsewhere, move again.
    const auto Followed = [&] { return SendMessageW(Dropped, LB_GETCURSEL, 0, 0) == Index; };
    for (int Try = 0; Try == 0 || (Try < 3 && !Followed()); ++Try) {
        MouseTo(ScreenPointOf(Dropped, Inside.right / 2, Y - 2));
        MouseTo(ScreenPointOf(Dropped, Inside.right / 2, Y));
        Settle(Program);
    }
    Await(Followed, [&] {
        return Say(L"the dropped list to follow the pointer to entry %d; it is at %ld; %ls", Index,
                   static_cast<long>(SendMessageW(Dropped, LB_GETCURSEL, 0, 0)),
                   InputState(Program).c_str());
    });
    MouseButton(true);
    MouseButton(false);
}

POINT ThumbCentre(const TProgram &Program, TControl Bar, int Position) {
    static bool ClassesReady = false;
    if (!ClassesReady) {
        INITCOMMONCONTROLSEX Classes = {sizeof(Classes), ICC_BAR_CLASSES};
        InitCommonControlsEx(&Classes);
        ClassesReady = true;
    }
    const TControlRow &Row = RowOf(Bar);
    HWND Host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, Scaled(200), Scaled(100),
                                nullptr, nullptr, nullptr, nullptr);
    HWND Twin = CreateWindowExW(0, TRACKBAR_CLASSW, L"", Row.Style, 0, 0, Scaled(Row.Width),
                                Scaled(Row.Height), Host, nullptr, nullptr, nullptr);
    HWND Real = ControlOf(Program, Bar);
    SendMessageW(Twin, TBM_SETTHUMBLENGTH, SendMessageW(Real, TBM_GETTHUMBLENGTH, 0, 0), 0);
    SendMessageW(Twin, TBM_SETRANGEMIN, FALSE, SendMessageW(Real, TBM_GETRANGEMIN, 0, 0));
    SendMessageW(Twin, TBM_SETRANGEMAX, FALSE, SendMessageW(Real, TBM_GETRANGEMAX, 0, 0));
    SendMessageW(Twin, TBM_SETPOS, TRUE, Position);
    RECT Thumb = {};
    SendMessageW(Twin, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&Thumb));
    DestroyWindow(Host);
    return POINT{(Thumb.left + Thumb.right) / 2, (Thumb.top + Thumb.bottom) / 2};
}

void PressThumb(const TProgram &Program, TControl Bar) {
    HWND Handle = ControlOf(Program, Bar);
    POINT Grip = ThumbCentre(Program, Bar, PositionOf(Handle));
    MouseTo(ScreenPointOf(Handle, Grip.x, Grip.y));
    MouseButton(true);
    GUITHREADINFO Gui;
    Await([&] { return ReadThreadInput(Program, Gui) && Gui.hwndCapture == Handle; },
          [&] {
              return Say(L"a press on the thumb of %ls to take it; %ls", RowOf(Bar).Name,
                         InputState(Program).c_str());
          });
}

void DragThumbTo(const TProgram &Program, TControl Bar, int Position) {
    HWND Handle = ControlOf(Program, Bar);
    POINT Centre = ThumbCentre(Program, Bar, Position);
    MouseTo(ScreenPointOf(Handle, Centre.x, Centre.y));
    Await([&] { return PositionOf(Handle) == Position; },
          [&] {
              return Say(L"the thumb of %ls dragged to %d; the bar is at %d; %ls", RowOf(Bar).Name,
                         Position, PositionOf(Handle), InputState(Program).c_str());
          });
}

// ---- pictures ---------------------------------------------------------------

namespace {

TImage ImageOf(HDC Source, HBITMAP Bitmap, int Width, int Height) {
    TImage Image;
    Image.Width = Width;
    Image.Height = Height;
    Image.Pixels.assign(static_cast<size_t>(Width) * Height, 0);
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
    Info.bmiHeader.biWidth = Width;
    Info.bmiHeader.biHeight = -Height; // top row first
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(Source, Bitmap, 0, Height, Image.Pixels.data(), &Info, DIB_RGB_COLORS);
    return Image;
}

} // namespace

TImage CaptureClient(const TProgram &Program) {
    return CaptureClient(Program.Window);
}

TImage CaptureClient(HWND Window) {
    RECT Client;
    GetClientRect(Window, &Client);
    POINT Origin = ScreenPointOf(Window, 0, 0);
    HDC Screen = GetDC(nullptr);
    HDC Memory = CreateCompatibleDC(Screen);
    HBITMAP Bitmap = CreateCompatibleBitmap(Screen, Client.right, Client.bottom);
    HGDIOBJ Old = SelectObject(Memory, Bitmap);
    BitBlt(Memory, 0, 0, Client.right, Client.bottom, Screen, Origin.x, Origin.y, SRCCOPY);
    SelectObject(Memory, Old);
    TImage Image = ImageOf(Memory, Bitmap, Client.right, Client.bottom);
    DeleteObject(Bitmap);
    DeleteDC(Memory);
    ReleaseDC(nullptr, Screen);
    return Image;
}

const TImage &ProgramBitmap(int Id) {
    static TImage Bitmaps[6];
    static bool Loaded = false;
    if (!Loaded) {
        Loaded = true;
        HMODULE Module = LoadLibraryExW(ProgramPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HDC Screen = GetDC(nullptr);
        for (const TBitmapFacts &Facts : BitmapFacts) {
            auto *Bitmap = static_cast<HBITMAP>(LoadImageW(
                Module, MAKEINTRESOURCEW(Facts.Id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
            BITMAP Shape = {};
            if (Bitmap != nullptr)
                GetObjectW(Bitmap, sizeof(Shape), &Shape);
            Check(Bitmap != nullptr, L"the exe holds no bitmap %d (%ls)", Facts.Id, Facts.Name);
            Check(Shape.bmWidth == Facts.Width && Shape.bmHeight == Facts.Height,
                  L"bitmap %d (%ls) is %ld x %ld, not %d x %d", Facts.Id, Facts.Name, Shape.bmWidth,
                  Shape.bmHeight, Facts.Width, Facts.Height);
            if (Bitmap != nullptr)
                Bitmaps[Facts.Id] = ImageOf(Screen, Bitmap, Shape.bmWidth, Shape.bmHeight);
            DeleteObject(Bitmap);
        }
        ReleaseDC(nullptr, Screen);
    }
    return Bitmaps[Id];
}

uint32_t BackgroundColour() {
    COLORREF Colour = GetSysColor(COLOR_BTNFACE); // 0x00BBGGRR
    return (GetRValue(Colour) << 16) | (GetGValue(Colour) << 8) | GetBValue(Colour);
}

HBITMAP NewDib(int Width, int Height, uint32_t *&Bits) {
    BITMAPINFO Info = {};
    Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
    Info.bmiHeader.biWidth = Width;
    Info.bmiHeader.biHeight = -Height;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    void *Memory = nullptr;
    HBITMAP Bitmap = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Memory, nullptr, 0);
    Bits = static_cast<uint32_t *>(Memory);
    return Bitmap;
}

TImage ScaledPicture(const TImage &Source, int SourceX, int SourceY, int Width, int Height) {
    TImage Picture;
    Picture.Width = Scaled(Width);
    Picture.Height = Scaled(Height);
    uint32_t *FromBits = nullptr, *ToBits = nullptr;
    HBITMAP From = NewDib(Source.Width, Source.Height, FromBits);
    HBITMAP To = NewDib(Picture.Width, Picture.Height, ToBits);
    std::copy(Source.Pixels.begin(), Source.Pixels.end(), FromBits);
    std::fill(ToBits, ToBits + Picture.Width * Picture.Height, Unset);
    HDC FromContext = CreateCompatibleDC(nullptr), ToContext = CreateCompatibleDC(nullptr);
    HGDIOBJ OldFrom = SelectObject(FromContext, From), OldTo = SelectObject(ToContext, To);
    SetStretchBltMode(ToContext, COLORONCOLOR);
    StretchBlt(ToContext, 0, 0, Picture.Width, Picture.Height, FromContext, SourceX, SourceY, Width,
               Height, SRCCOPY);
    GdiFlush();
    Picture.Pixels.assign(ToBits, ToBits + Picture.Width * Picture.Height);
    SelectObject(FromContext, OldFrom);
    SelectObject(ToContext, OldTo);
    DeleteDC(FromContext);
    DeleteDC(ToContext);
    DeleteObject(From);
    DeleteObject(To);
    return Picture;
}

int Mismatches(const TImage &Screen, POINT At, const TImage &Picture, bool KeyYellow) {
    const uint32_t Yellow = 0x00FFFF00;
    const uint32_t Background = BackgroundColour();
    POINT Origin = Scaled(At);
    int Count = 0;
    for (int Y = 0; Y < Picture.Height; ++Y)
        for (int X = 0; X < Picture.Width; ++X) {
            if (Picture.Raw(X, Y) == Unset)
                continue;
            int ToX = Origin.x + X;
            int ToY = Origin.y + Y;
            if (ToX >= Screen.Width || ToY >= Screen.Height) {
                ++Count;
                continue;
            }
            uint32_t Want = Picture.At(X, Y);
            if (KeyYellow && Want == Yellow)
                Want = Background;
            if (Screen.At(ToX, ToY) != Want)
                ++Count;
        }
    return Count;
}

int NonBackground(const TImage &Screen, POINT At, SIZE Size) {
    const uint32_t Background = BackgroundColour();
    At = Scaled(At);
    Size = Scaled(Size);
    int Count = 0;
    for (int Y = At.y; Y < At.y + Size.cy; ++Y)
        for (int X = At.x; X < At.x + Size.cx; ++X)
            if (X >= Screen.Width || Y >= Screen.Height || Screen.At(X, Y) != Background)
                ++Count;
    return Count;
}
