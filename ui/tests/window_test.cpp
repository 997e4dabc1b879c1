// The main window built in this process, worked through its controls'
// messages: starting values, the hidden-bar rule for every car, the money
// text rules, the keyboard order, the count labels and the end of the
// window. Expected values come from the documented tables; expected
// passwords from the encoder fed with settings written out here by hand.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout.h"
#include "main_window.h"
#include "password.h"
#include "pictures.h"
#include "reading.h"
#include "settings.h"
#include "window_state.h"

namespace {

std::wstring TextOf(HWND Window) {
    wchar_t Text[512];
    int Length = GetWindowTextW(Window, Text, 512);
    return std::wstring(Text, Length);
}

std::wstring ListEntry(HWND List, int Index) {
    wchar_t Text[128];
    LRESULT Length = SendMessageW(List, CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(Text));
    return Length < 0 ? L"" : std::wstring(Text, Length);
}

// The password that the encoder gives for a record, grouped as the box shows it.
std::wstring ExpectedPassword(const TSettings &Record) {
    Settings = Record;
    EncodePassword();
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Display);
    wchar_t Wide[PasswordDisplaySize];
    MultiByteToWideChar(1251, 0, Display, -1, Wide, PasswordDisplaySize);
    return Wide;
}

// The starting values of the window, in the field order of TSettings.
TSettings StartingSettings() {
    TSettings Start = {};
    Start.Difficulty = 0;    // "Rookie"
    Start.WeaponCharges = 7; // item bars at 7
    Start.BoostCharges = 7;
    Start.DropCharges = 7;
    Start.Engine = 3;
    Start.Shocks = 3;
    Start.Armor = 0;
    Start.Tires = 3;
    Start.Hero = 0;     // "Snake Sanders"
    Start.Planet = 0;   // "CHEM VI"
    Start.Division = 0; // "B"
    Start.Car = 1;      // "Marauder"
    Start.Color = 2;    // "Красный"
    Start.MoneyHundreds = 9;
    Start.MoneyTens = 9;
    Start.MoneyUnits = 9;
    return Start;
}

// A selection as the user makes it: the list's drop-down part reports it.
void ChooseEntry(HWND List, int Index) {
    SendMessageW(List, CB_SETCURSEL, Index, 0);
    SendMessageW(List, WM_COMMAND, MAKEWPARAM(0, 1), 0);
}

class MainWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        HINSTANCE Module = GetModuleHandleW(nullptr);
        SheetBitmap = LoadBitmapW(Module, MAKEINTRESOURCEW(1));
        EmblemBitmap = LoadBitmapW(Module, MAKEINTRESOURCEW(2));
        CarBitmap1 = LoadBitmapW(Module, MAKEINTRESOURCEW(3));
        CarBitmap2 = LoadBitmapW(Module, MAKEINTRESOURCEW(4));
        ExtraIconBitmap = LoadBitmapW(Module, MAKEINTRESOURCEW(5));
        WNDCLASSW Class = {};
        Class.style = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS;
        Class.lpfnWndProc = MainWndProc;
        Class.hInstance = Module;
        Class.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        Class.lpszClassName = L"TPasForm";
        RegisterClassW(&Class);
        const TWindowArea &Area = CreatedWindowArea;
        CreateWindowExW(0, L"TPasForm", L"test", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, Area.Left,
                        Area.Top, Area.Width, Area.Height, nullptr, nullptr, nullptr, nullptr);
    }
    void SetUp() override { ASSERT_NE(Controls.MainWnd, nullptr); }
    void TearDown() override {
        // Back to the starting values for the next test.
        ChooseEntry(Controls.CarList, 1);
        SendMessageW(Controls.ShocksBar, TBM_SETPOS, TRUE, 3);
        SendMessageW(Controls.TiresBar, TBM_SETPOS, TRUE, 3);
        SetWindowTextW(Controls.MoneyBox, L"999");
    }
};

TEST_F(MainWindow, OpensWithTheStartingValuesAndTheirPassword) {
    RECT Client;
    GetClientRect(Controls.MainWnd, &Client);
    EXPECT_EQ(Client.bottom, 378);
    const struct {
        HWND List;
        int Count, Selection;
    } Lists[] = {
        {Controls.HeroList, 8, 0},       {Controls.ColorList, 8, 2},  {Controls.CarList, 8, 1},
        {Controls.DifficultyList, 4, 0}, {Controls.PlanetList, 8, 0}, {Controls.DivisionList, 2, 0},
    };
    for (const auto &List : Lists) {
        EXPECT_EQ(SendMessageW(List.List, CB_GETCOUNT, 0, 0), List.Count);
        EXPECT_EQ(SendMessageW(List.List, CB_GETCURSEL, 0, 0), List.Selection);
    }
    const struct {
        HWND Bar;
        int Maximum, Position;
    } Bars[] = {
        {Controls.WeaponBar, 7, 7}, {Controls.BoostBar, 7, 7}, {Controls.DropBar, 7, 7},
        {Controls.EngineBar, 3, 3}, {Controls.ArmorBar, 3, 0}, {Controls.ShocksBar, 3, 3},
        {Controls.TiresBar, 3, 3},
    };
    for (const auto &Bar : Bars) {
        EXPECT_EQ(SendMessageW(Bar.Bar, TBM_GETRANGEMIN, 0, 0), 0);
        EXPECT_EQ(SendMessageW(Bar.Bar, TBM_GETRANGEMAX, 0, 0), Bar.Maximum);
        EXPECT_EQ(SendMessageW(Bar.Bar, TBM_GETPOS, 0, 0), Bar.Position);
    }
    for (HWND Count : {Controls.WeaponCount, Controls.BoostCount, Controls.DropCount})
        EXPECT_EQ(TextOf(Count), L"7");
    EXPECT_EQ(TextOf(Controls.MoneyBox), L"999");
    EXPECT_EQ(TextOf(Controls.PasswordBox), ExpectedPassword(StartingSettings()));
}

TEST_F(MainWindow, ListsReadInTheDocumentedOrder) {
    const wchar_t *Colors[] = {L"Чёрный",
                               L"Синий",
                               L"Красный",
                               L"Зелёный",
                               L"Золотой",
                               L"(Смешанный 1)",
                               L"(Смешанный 2 -SNES)",
                               L"(Смешанный 3 -SNES)"};
    const wchar_t *Cars[] = {L"Dirt Devil", L"Marauder", L"Air Blade", L"Battle Trak",
                             L"Havac",      L"<Тень>",   L"<Седьмая>", L"<Восьмая>"};
    for (int I = 0; I < 8; ++I) {
        EXPECT_EQ(ListEntry(Controls.ColorList, I), Colors[I]) << "colour " << I;
        EXPECT_EQ(ListEntry(Controls.CarList, I), Cars[I]) << "car " << I;
    }
    EXPECT_EQ(ListEntry(Controls.HeroList, 0), L"Snake Sanders");
    EXPECT_EQ(ListEntry(Controls.DifficultyList, 0), L"Rookie");
    EXPECT_EQ(ListEntry(Controls.PlanetList, 0), L"CHEM VI");
    EXPECT_EQ(ListEntry(Controls.DivisionList, 0), L"B");
}

TEST_F(MainWindow, HiddenUpgradeBarsFollowTheCarAndEncodeLevelZero) {
    const struct {
        int Car;
        bool Shocks, Tires;
    } Cars[] = {
        {0, true, true},   {1, true, true},   {2, true, true},   {3, true, false},
        {4, false, false}, {5, false, false}, {6, false, false}, {7, false, false},
    };
    for (const auto &Case : Cars) {
        ChooseEntry(Controls.CarList, Case.Car);
        EXPECT_EQ(IsWindowVisible(Controls.ShocksBar) != FALSE, Case.Shocks) << "car " << Case.Car;
        EXPECT_EQ(IsWindowVisible(Controls.TiresBar) != FALSE, Case.Tires) << "car " << Case.Car;
        // A hidden bar keeps its position.
        EXPECT_EQ(SendMessageW(Controls.ShocksBar, TBM_GETPOS, 0, 0), 3);
        TSettings Expected = StartingSettings();
        Expected.Car = Case.Car;
        Expected.Shocks = Case.Shocks ? 3 : 0;
        Expected.Tires = Case.Tires ? 3 : 0;
        EXPECT_EQ(TextOf(Controls.PasswordBox), ExpectedPassword(Expected)) << "car " << Case.Car;
    }
}

TEST_F(MainWindow, MoneyTextIsReadAsRightAlignedDigits) {
    const struct {
        const wchar_t *Text;
        int Hundreds, Tens, Units;
    } Cases[] = {
        {L"", 0, 0, 0},
        {L"7", 0, 0, 7},
        {L"70", 0, 7, 0},
        {L"007", 0, 0, 7},
        {L"1x3", 1, 0, 3},
        {L"Ж5", 0, 0, 5},
        {L"-5", 0, 0, 5},
        {L"5 ", 0, 5, 0},
        {L"\x0663", 0, 0, 0}, // an Arabic-Indic three is not a digit here
        {L"509", 5, 0, 9},
        // Longer than three (pasted past the limit): the digits stay as they were.
        {L"98765", 5, 0, 9},
    };
    for (const auto &Case : Cases) {
        SetWindowTextW(Controls.MoneyBox, Case.Text); // reports EN_CHANGE to the window
        TSettings Expected = StartingSettings();
        Expected.MoneyHundreds = Case.Hundreds;
        Expected.MoneyTens = Case.Tens;
        Expected.MoneyUnits = Case.Units;
        std::wstring Shown = TextOf(Controls.PasswordBox);
        EXPECT_EQ(Shown, ExpectedPassword(Expected))
            << "money text of length " << lstrlenW(Case.Text);
    }
}

TEST_F(MainWindow, TabFollowsTheOrderAndSkipsHiddenBars) {
    SetForegroundWindow(Controls.MainWnd);
    // From entry 12 (ArmorBar): shocks and tires for Marauder, only shocks for
    // Battle Trak, neither for Havac.
    const struct {
        int Car;
        HWND After1, After2;
    } Cases[] = {
        {1, Controls.ShocksBar, Controls.TiresBar},
        {3, Controls.ShocksBar, Controls.PasswordBox},
        {4, Controls.PasswordBox, Controls.HeroList},
    };
    for (const auto &Case : Cases) {
        ChooseEntry(Controls.CarList, Case.Car);
        SetFocus(Controls.ArmorBar);
        ASSERT_EQ(GetFocus(), Controls.ArmorBar);
        SendMessageW(Controls.ArmorBar, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), Case.After1) << "car " << Case.Car;
        SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), Case.After2) << "car " << Case.Car;
    }
    // Entering the money box by Tab selects its whole text; Tab's character
    // does not reach it.
    SetFocus(Controls.CarList);
    SendMessageW(Controls.CarList, WM_KEYDOWN, VK_TAB, 0);
    ASSERT_EQ(GetFocus(), Controls.MoneyBox);
    DWORD Start = 1, End = 0;
    SendMessageW(Controls.MoneyBox, EM_GETSEL, WPARAM(&Start), LPARAM(&End));
    EXPECT_EQ(Start, 0u);
    EXPECT_EQ(End, 3u);
    SendMessageW(Controls.MoneyBox, WM_KEYDOWN, VK_TAB, 0);
    SendMessageW(Controls.MoneyBox, WM_CHAR, L'\t', 0);
    EXPECT_EQ(GetFocus(), Controls.DifficultyList);
    EXPECT_EQ(TextOf(Controls.MoneyBox), L"999");
    // A click (here: focus by other means) restarts the order there.
    SetFocus(Controls.PlanetList);
    SendMessageW(Controls.PlanetList, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Controls.DivisionList);
}

TEST_F(MainWindow, ItemBarsShowTheirCountsAndUpgradeBarsNone) {
    const struct {
        HWND Bar, Count;
    } Items[] = {{Controls.WeaponBar, Controls.WeaponCount},
                 {Controls.BoostBar, Controls.BoostCount},
                 {Controls.DropBar, Controls.DropCount}};
    for (int Position : {0, 4, 7}) {
        for (const auto &Item : Items) {
            SendMessageW(Item.Bar, TBM_SETPOS, TRUE, Position);
            SendMessageW(Controls.MainWnd, WM_HSCROLL, TB_THUMBPOSITION,
                         reinterpret_cast<LPARAM>(Item.Bar));
            EXPECT_EQ(TextOf(Item.Count), std::to_wstring(Position));
        }
        TSettings Expected = StartingSettings();
        Expected.WeaponCharges = Expected.BoostCharges = Expected.DropCharges = Position;
        EXPECT_EQ(TextOf(Controls.PasswordBox), ExpectedPassword(Expected));
    }
    SendMessageW(Controls.EngineBar, TBM_SETPOS, TRUE, 1);
    SendMessageW(Controls.MainWnd, WM_HSCROLL, TB_THUMBPOSITION,
                 reinterpret_cast<LPARAM>(Controls.EngineBar));
    for (const auto &Item : Items)
        EXPECT_EQ(TextOf(Item.Count), L"7");
    TSettings Expected = StartingSettings();
    Expected.Engine = 1;
    EXPECT_EQ(TextOf(Controls.PasswordBox), ExpectedPassword(Expected));
    SendMessageW(Controls.EngineBar, TBM_SETPOS, TRUE, 3);
    SendMessageW(Controls.MainWnd, WM_HSCROLL, TB_THUMBPOSITION,
                 reinterpret_cast<LPARAM>(Controls.EngineBar));
}

// The fixed layout is measured for Tahoma: a prefix without it draws in a
// wider substitute and cuts labels.
TEST_F(MainWindow, TextControlsDrawInTahomaSixteenPixelsHigh) {
    HDC Context = CreateCompatibleDC(nullptr);
    for (HWND Control : {Controls.HelpLabel, Controls.DifficultyLabel, Controls.PasswordBox,
                         Controls.HeroList, Controls.MoneyBox}) {
        HGDIOBJ Previous = SelectObject(Context, HFONT(SendMessageW(Control, WM_GETFONT, 0, 0)));
        wchar_t Face[LF_FACESIZE] = {};
        GetTextFaceW(Context, LF_FACESIZE, Face);
        TEXTMETRICW Metrics = {};
        GetTextMetricsW(Context, &Metrics);
        EXPECT_STREQ(Face, L"Tahoma");
        EXPECT_EQ(Metrics.tmHeight, 16);
        SelectObject(Context, Previous);
    }
    DeleteDC(Context);
}

// A move to a monitor of another scale, as Windows reports it: the client
// area, every control's place and size (a list's closed height follows its
// font), the fonts' em and the trackbars' thumbs scale, rounded down; the
// move back to 96 DPI gives the window it had.
TEST_F(MainWindow, FollowsItsDisplayScaleAndBack) {
    struct TShape {
        RECT Place;
        bool IsList;
    };
    auto Shapes = [] {
        std::vector<TShape> All;
        for (HWND Child = GetWindow(Controls.MainWnd, GW_CHILD); Child != nullptr;
             Child = GetWindow(Child, GW_HWNDNEXT)) {
            TShape Shape = {};
            GetWindowRect(Child, &Shape.Place);
            MapWindowPoints(HWND_DESKTOP, Controls.MainWnd, reinterpret_cast<POINT *>(&Shape.Place),
                            2);
            wchar_t Class[16] = {};
            GetClassNameW(Child, Class, 16);
            Shape.IsList = lstrcmpiW(Class, L"ComboBox") == 0;
            All.push_back(Shape);
        }
        return All;
    };
    auto Em = [](HWND Control) {
        HDC Context = CreateCompatibleDC(nullptr);
        SelectObject(Context, HFONT(SendMessageW(Control, WM_GETFONT, 0, 0)));
        TEXTMETRICW Metrics = {};
        GetTextMetricsW(Context, &Metrics);
        DeleteDC(Context);
        return Metrics.tmHeight - Metrics.tmInternalLeading;
    };
    const std::vector<TShape> Before = Shapes();
    ASSERT_EQ(Before.size(), 31u);
    RECT Client, Outer;
    GetClientRect(Controls.MainWnd, &Client);
    GetWindowRect(Controls.MainWnd, &Outer);
    const LRESULT Thumb = SendMessageW(Controls.EngineBar, TBM_GETTHUMBLENGTH, 0, 0);
    const LONG FontEm = Em(Controls.HelpLabel);
    for (int Dpi : {144, 120, 192, 96}) {
        SendMessageW(Controls.MainWnd, WM_DPICHANGED, MAKEWPARAM(Dpi, Dpi), LPARAM(&Outer));
        auto Scaled = [Dpi](LONG Length) { return Length * Dpi / 96; };
        RECT Now;
        GetClientRect(Controls.MainWnd, &Now);
        EXPECT_EQ(Now.right, Scaled(Client.right)) << Dpi << " DPI";
        EXPECT_EQ(Now.bottom, Scaled(Client.bottom)) << Dpi << " DPI";
        const std::vector<TShape> After = Shapes();
        for (size_t I = 0; I < Before.size(); ++I) {
            const RECT &From = Before[I].Place, &To = After[I].Place;
            EXPECT_EQ(To.left, Scaled(From.left)) << "control " << I << " at " << Dpi << " DPI";
            EXPECT_EQ(To.top, Scaled(From.top)) << "control " << I << " at " << Dpi << " DPI";
            EXPECT_EQ(To.right - To.left, Scaled(From.right - From.left)) << "control " << I;
            if (!Before[I].IsList) {
                EXPECT_EQ(To.bottom - To.top, Scaled(From.bottom - From.top)) << "control " << I;
            }
        }
        for (HWND Control : {Controls.HelpLabel, Controls.MoneyBox, Controls.CarList}) {
            EXPECT_EQ(Em(Control), Scaled(FontEm)) << Dpi << " DPI";
        }
        EXPECT_EQ(SendMessageW(Controls.TiresBar, TBM_GETTHUMBLENGTH, 0, 0), Scaled(Thumb));
    }
}

// The password box's object as a client in this thread gets it: the
// window's own, itself (one apartment).
IAccessible *PasswordBoxObject() {
    IAccessible *Object = nullptr;
    AccessibleObjectFromWindow(Controls.PasswordBox, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void **>(&Object));
    return Object;
}

// Asked for again and again, the object is the same one, and each client's
// reference goes with its Release: the count is the window's one and ours.
TEST_F(MainWindow, HandsOutOneObjectPerControlCountedRight) {
    IAccessible *First = PasswordBoxObject();
    ASSERT_NE(First, nullptr);
    for (int Request = 0; Request < 100; ++Request) {
        IAccessible *Again = PasswordBoxObject();
        ASSERT_EQ(Again, First) << "request " << Request;
        Again->Release();
    }
    EXPECT_EQ(First->AddRef(), 3u);
    First->Release();
    First->Release();
}

// The system colours changed in this process, as a high-contrast theme
// changes them: the face, a hidden bar's picture place, a label's text and
// a bar's background follow. Then back.
TEST_F(MainWindow, FollowsTheSystemColours) {
    const int Elements[2] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF Pair[2] = {RGB(0, 0, 128), RGB(255, 255, 0)};
    const COLORREF Before[2] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
    ChooseEntry(Controls.CarList, 4); // Havac: the shocks bar's place is blank
    ASSERT_TRUE(SetSysColors(2, Elements, Pair));
    UpdateWindow(Controls.MainWnd);
    // Pixels of Window's client area from (Left, Top), Width x Height, in Colour.
    auto Count = [](HWND Window, int Left, int Top, int Width, int Height, COLORREF Colour) {
        HDC Context = GetDC(Window);
        int Found = 0;
        for (int Y = Top; Y < Top + Height; ++Y)
            for (int X = Left; X < Left + Width; ++X)
                Found += GetPixel(Context, X, Y) == Colour;
        ReleaseDC(Window, Context);
        return Found;
    };
    EXPECT_EQ(Count(Controls.MainWnd, 242, 40, 6, 100, Pair[0]), 600) << "between the lists";
    EXPECT_EQ(Count(Controls.MainWnd, 285, 224, 40, 32, Pair[0]), 40 * 32) << "shocks' place";
    EXPECT_GT(Count(Controls.PasswordLabel, 0, 0, 70, 24, Pair[1]), 0) << "label text";
    EXPECT_EQ(Count(Controls.WeaponBar, 0, 0, 4, 4, Pair[0]), 16) << "a bar's background";
    SetSysColors(2, Elements, Before);
}

// Runs last (gtest keeps the order of a file): destroying the window.
TEST_F(MainWindow, SystemMenuEndsInTheItemThatOpensThePasswordDialog) {
    HMENU Menu = GetSystemMenu(Controls.MainWnd, FALSE);
    int Last = GetMenuItemCount(Menu) - 1;
    ASSERT_GT(Last, 0);
    wchar_t Text[64] = {};
    GetMenuStringW(Menu, Last, Text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(Text), L"Ввести пароль...");
    EXPECT_EQ(GetMenuItemID(Menu, Last), 0x0100u); // a multiple of 16, as system commands are
    EXPECT_EQ(GetMenuState(Menu, Last - 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
}

TEST_F(MainWindow, ZzDestroyingEndsTheLoopAndLaterDrawingIsHarmless) {
    // A client keeps an object of a control past the window's end.
    IAccessible *Kept = PasswordBoxObject();
    ASSERT_NE(Kept, nullptr);
    DestroyWindow(Controls.MainWnd);
    EXPECT_EQ(MemoryDC, nullptr);
    VARIANT Self;
    VariantInit(&Self);
    Self.vt = VT_I4;
    Self.lVal = CHILDID_SELF;
    BSTR Name = nullptr;
    EXPECT_EQ(Kept->get_accName(Self, &Name), RPC_E_DISCONNECTED);
    EXPECT_EQ(Name, nullptr);
    EXPECT_EQ(Kept->Release(), 0u);
    MSG Message;
    bool Quit = false;
    while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE))
        Quit = Quit || Message.message == WM_QUIT;
    EXPECT_TRUE(Quit);
    // What the upgrade bars may still run: nothing happens, nothing breaks.
    DrawPictures();
    PaintMainWindow();
    Controls.MainWnd = nullptr;
}

} // namespace
