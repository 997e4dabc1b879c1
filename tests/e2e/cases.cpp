// The end-to-end cases: each starts the real rnrr-password.exe, works it from
// outside as a user does and checks after every action that the password box
// holds what the encoder gives for the values the controls show.
//
//   rnrr-e2e PROGRAM [--dpi N] CASE...
//                                 runs the named cases (exit code 1 on failure)
//   rnrr-e2e PROGRAM bench BARE   prints the window figures (see bench.cpp)
//   rnrr-e2e PROGRAM [--dpi N] show
//                                 starts it, prints "shown LEFT TOP RIGHT BOTTOM" once
//                                 its password and pictures are there, then waits
//                                 for it to end (the screenshot script's helper)
//   rnrr-e2e PROGRAM [--dpi N] show-dialog
//                                 the same with the password dialog open over it
// --dpi N: the screen is at N DPI (default 96), and the window's layout is
// expected scaled to it.
#include "driver.h"

#include "decode.h"
#include "normalise.h"
#include "reading.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

int RunBenchmarks(const std::wstring &BarePath);
// accessibility.cpp
void CaseSpeaks();
void CaseColours();

namespace {

int CarOf(const TProgram &Program) {
    return SelectionOf(ControlOf(Program, TControl::CarList));
}

// ---- pictures as the window must show them ----------------------------------

struct TPictureCheck {
    const wchar_t *Name;
    std::function<int(const TImage &)> Mismatching; // pixels that are wrong
};

// Every picture of the placement table for the car and levels the controls
// show now; waits for the drawing to settle, then reports each wrong picture.
bool CheckPictures(const TProgram &Program, const wchar_t *After) {
    const TImage &Sheet = ProgramBitmap(SheetId);
    const TImage &Extra = ProgramBitmap(ExtraIconId);
    int Car = CarOf(Program);
    const TCarFacts &Facts = CarFacts[Car >= 0 && Car < 8 ? Car : 0];
    int Engine = PositionOf(ControlOf(Program, TControl::EngineBar));
    int Armor = PositionOf(ControlOf(Program, TControl::ArmorBar));
    int Shocks = PositionOf(ControlOf(Program, TControl::ShocksBar));
    int Tires = PositionOf(ControlOf(Program, TControl::TiresBar));
    // The pictures as the window must show them, scaled once here.
    using TMismatching = std::function<int(const TImage &)>;
    auto Cell = [&](POINT At, int Level, int Row) -> TMismatching {
        TImage Picture = ScaledPicture(Sheet, UpgradeCell.cx * Level, UpgradeCell.cy * Row,
                                       UpgradeCell.cx, UpgradeCell.cy);
        return [=](const TImage &Screen) { return Mismatches(Screen, At, Picture, false); };
    };
    auto Blank = [](POINT At) -> TMismatching {
        return [=](const TImage &Screen) { return NonBackground(Screen, At, UpgradeCell); };
    };
    auto Icon = [&](POINT At, int Number) -> TMismatching {
        TImage Picture = Number == ExtraIcon ? ScaledPicture(Extra, 0, 0, IconCell.cx, IconCell.cy)
                                             : ScaledPicture(Sheet, IconCell.cx * Number,
                                                             IconRowTop, IconCell.cx, IconCell.cy);
        return [=](const TImage &Screen) { return Mismatches(Screen, At, Picture, false); };
    };
    auto Whole = [](POINT At, int Id, bool KeyYellow) -> TMismatching {
        const TImage &Source = ProgramBitmap(Id);
        TImage Picture = ScaledPicture(Source, 0, 0, Source.Width, Source.Height);
        return [=](const TImage &Screen) { return Mismatches(Screen, At, Picture, KeyYellow); };
    };
    const TPictureCheck Pictures[] = {
        {L"emblem", Whole(EmblemAt, EmblemId, false)},
        {L"car picture 1", Whole(Car1At, Car1Id, true)},
        {L"car picture 2", Whole(Car2At, Car2Id, true)},
        {L"engine picture", Cell(EngineAt, Engine, 0)},
        {L"armor picture", Cell(ArmorAt, Armor, 1)},
        {Facts.ShocksShown ? L"shocks picture" : L"blank shocks area",
         Facts.ShocksShown ? Cell(ShocksAt, Shocks, 2) : Blank(ShocksAt)},
        {Facts.TiresShown ? L"tires picture" : L"blank tires area",
         Facts.TiresShown ? Cell(TiresAt, Tires, 3) : Blank(TiresAt)},
        {L"weapon icon", Icon(WeaponIconAt, Facts.WeaponIcon)},
        {L"boost icon", Icon(BoostIconAt, Facts.BoostIcon)},
        {L"drop icon", Icon(DropIconAt, Facts.DropIcon)},
    };
    TImage Screen;
    auto AllRight = [&] {
        Screen = CaptureClient(Program);
        for (const TPictureCheck &Picture : Pictures)
            if (Picture.Mismatching(Screen) != 0)
                return false;
        return true;
    };
    if (WaitFor(AllRight, 3000))
        return true;
    for (const TPictureCheck &Picture : Pictures)
        Check(Picture.Mismatching(Screen) == 0, L"after %ls, car %d: the %ls has %d wrong pixels",
              After, Car, Picture.Name, Picture.Mismatching(Screen));
    return false;
}

// ---- layout, texts and starting values ----------------------------------------

void CheckLayout(const TProgram &Program) {
    Check(TextOf(Program.Window) == CaptionText, L"the caption reads \"%ls\"",
          TextOf(Program.Window).c_str());
    RECT Outer, Client;
    GetWindowRect(Program.Window, &Outer);
    GetClientRect(Program.Window, &Client);
    Check(Outer.left == WindowLeft && Outer.top == WindowTop, L"the window is at (%ld, %ld)",
          Outer.left, Outer.top);
    // At 96 DPI the window keeps the width it is created with; at every DPI
    // its client area is the 96-DPI one scaled.
    if (ExpectedDpi == 96)
        Check(Outer.right - Outer.left == WindowWidth, L"the outer width is %ld",
              Outer.right - Outer.left);
    int LayoutWidth = LayoutClientWidth(Program.Window);
    Check(Client.right == Scaled(LayoutWidth) && Client.bottom == Scaled(ClientHeight),
          L"the client area is %ld x %ld, not %d x %d", Client.right, Client.bottom,
          Scaled(LayoutWidth), Scaled(ClientHeight));
    DWORD Style = static_cast<DWORD>(GetWindowLongW(Program.Window, GWL_STYLE));
    Check((Style & (WS_THICKFRAME | WS_MAXIMIZEBOX)) == 0 && (Style & WS_MINIMIZEBOX) != 0,
          L"the window style %08lX allows sizing or maximising, or lacks minimising", Style);

    for (const TControlRow &Row : ControlRows) {
        HWND Control = ControlOf(Program, Row.Control);
        RECT Place;
        GetWindowRect(Control, &Place);
        MapWindowPoints(HWND_DESKTOP, Program.Window, reinterpret_cast<POINT *>(&Place), 2);
        int Width = Scaled(Row.Width == FullWidth ? LayoutWidth - 10 : Row.Width);
        Check(Place.right - Place.left == Width, L"%ls is %ld wide, not %d", Row.Name,
              Place.right - Place.left, Width);
        // A closed drop-down list is as high as its selection field only.
        bool IsList = lstrcmpiW(Row.ClassName, L"ComboBox") == 0;
        if (!IsList)
            Check(Place.bottom - Place.top == Scaled(Row.Height), L"%ls is %ld high, not %d",
                  Row.Name, Place.bottom - Place.top, Scaled(Row.Height));
        // A combo box hands its vertical scroll bar to its dropped list and
        // drops WS_VSCROLL from its own style; the list-clicks case checks it there.
        DWORD Style = static_cast<DWORD>(GetWindowLongW(Control, GWL_STYLE));
        if (IsList)
            Style |= WS_VSCROLL;
        Check(Style == Row.Style, L"%ls has style %08lX, not %08lX", Row.Name, Style, Row.Style);
        Check(static_cast<DWORD>(GetWindowLongW(Control, GWL_EXSTYLE)) == Row.ExStyle,
              L"%ls has extended style %08lX, not %08lX", Row.Name,
              GetWindowLongW(Control, GWL_EXSTYLE), Row.ExStyle);
        if (Row.Text != nullptr)
            Check(TextOf(Control) == Row.Text, L"%ls reads \"%ls\", not \"%ls\"", Row.Name,
                  TextOf(Control).c_str(), Row.Text);
    }
    std::wstring Credits = TextOf(ControlOf(Program, TControl::CreditsLabel));
    size_t Break = Credits.find(L'\r');
    Check(Break != std::wstring::npos && Break > 0 && Break + 1 < Credits.size() &&
              Credits.find(L'\n') == std::wstring::npos &&
              Credits.find(L'\r', Break + 1) == std::wstring::npos,
          L"the credits \"%ls\" are not two lines split by one carriage return", Credits.c_str());

    for (const TListFacts &Facts : ListFacts) {
        HWND List = ControlOf(Program, Facts.List);
        const wchar_t *Name = RowOf(Facts.List).Name;
        Check(SendMessageW(List, CB_GETCOUNT, 0, 0) == Facts.EntryCount, L"%ls has %ld entries",
              Name, static_cast<long>(SendMessageW(List, CB_GETCOUNT, 0, 0)));
        for (int Index = 0; Index < Facts.EntryCount; ++Index)
            Check(ListEntry(List, Index) == Facts.Entries[Index],
                  L"%ls entry %d reads \"%ls\", not \"%ls\"", Name, Index,
                  ListEntry(List, Index).c_str(), Facts.Entries[Index]);
        Check(SelectionOf(List) == Facts.StartIndex, L"%ls starts at entry %d, not %d", Name,
              SelectionOf(List), Facts.StartIndex);
    }
    for (const TTrackbarFacts &Facts : TrackbarFacts) {
        HWND Bar = ControlOf(Program, Facts.Bar);
        const wchar_t *Name = RowOf(Facts.Bar).Name;
        Check(SendMessageW(Bar, TBM_GETRANGEMIN, 0, 0) == 0 &&
                  SendMessageW(Bar, TBM_GETRANGEMAX, 0, 0) == Facts.Maximum,
              L"%ls runs %ld..%ld, not 0..%d", Name,
              static_cast<long>(SendMessageW(Bar, TBM_GETRANGEMIN, 0, 0)),
              static_cast<long>(SendMessageW(Bar, TBM_GETRANGEMAX, 0, 0)), Facts.Maximum);
        Check(PositionOf(Bar) == Facts.StartPosition, L"%ls starts at %d, not %d", Name,
              PositionOf(Bar), Facts.StartPosition);
        Check(SendMessageW(Bar, TBM_GETPAGESIZE, 0, 0) == 1, L"%ls has page size %ld", Name,
              static_cast<long>(SendMessageW(Bar, TBM_GETPAGESIZE, 0, 0)));
        Check(IsWindowVisible(Bar) != 0, L"%ls is hidden at start", Name);
    }
    HWND Money = ControlOf(Program, TControl::MoneyBox);
    Check(SendMessageW(Money, EM_GETLIMITTEXT, 0, 0) == 3, L"the money box takes %ld characters",
          static_cast<long>(SendMessageW(Money, EM_GETLIMITTEXT, 0, 0)));
    Check(FocusOf(Program) == ControlOf(Program, TControl::HeroList),
          L"the focus is not on HeroList when the window opens");
    HWND Box = ControlOf(Program, TControl::PasswordBox);
    std::wstring Shown = TextOf(Box);
    Check(Shown.size() == 14 && Shown[4] == L' ' && Shown[9] == L' ',
          L"the password \"%ls\" is not three groups of four", Shown.c_str());
    CheckPassword(Program, L"opening");
    CheckPictures(Program, L"opening");
}

void CaseLayout() {
    TProgram Program;
    if (StartProgram(Program))
        CheckLayout(Program);
    StopProgram(Program);
}

// ---- the lists ----------------------------------------------------------------

// Every entry of every list chosen with the keyboard: Down from Home, then Up
// and End; the password follows each selection.
void CaseListKeys() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    for (const TListFacts &Facts : ListFacts) {
        HWND List = ControlOf(Program, Facts.List);
        const wchar_t *Name = RowOf(Facts.List).Name;
        if (!FocusControl(Program, Facts.List))
            continue;
        PressKey(VK_HOME);
        for (int Index = 0; Index < Facts.EntryCount; ++Index) {
            if (Index > 0)
                PressKey(VK_DOWN);
            wchar_t What[64];
            wsprintfW(What, L"Down to %ls entry %d", Name, Index);
            if (Check(WaitFor([&] { return SelectionOf(List) == Index; }), L"%ls: selection %d",
                      What, SelectionOf(List)))
                CheckPassword(Program, What);
        }
        PressKey(VK_UP);
        if (Check(WaitFor([&] { return SelectionOf(List) == Facts.EntryCount - 2; }),
                  L"Up in %ls leaves entry %d", Name, SelectionOf(List)))
            CheckPassword(Program, L"Up in a list");
        PressKey(VK_HOME);
        PressKey(VK_END);
        if (Check(WaitFor([&] { return SelectionOf(List) == Facts.EntryCount - 1; }),
                  L"End in %ls leaves entry %d", Name, SelectionOf(List)))
            CheckPassword(Program, L"End in a list");
    }
    StopProgram(Program);
}

struct TPopupSearch {
    DWORD ProcessId;
    RECT Combo; // screen rectangle of the combo box
    HWND Found;
};

// The dropped part of a combo box: a visible ComboLBox of the program that
// hangs from the box's lower edge (or, with no room below, its upper edge).
BOOL CALLBACK MatchDroppedList(HWND Window, LPARAM Parameter) {
    auto *Search = reinterpret_cast<TPopupSearch *>(Parameter);
    DWORD ProcessId = 0;
    GetWindowThreadProcessId(Window, &ProcessId);
    wchar_t ClassName[64];
    GetClassNameW(Window, ClassName, 64);
    RECT Place;
    GetWindowRect(Window, &Place);
    if (ProcessId == Search->ProcessId && lstrcmpiW(ClassName, L"ComboLBox") == 0 &&
        IsWindowVisible(Window) && Place.left == Search->Combo.left &&
        (Place.top == Search->Combo.bottom || Place.bottom == Search->Combo.top)) {
        Search->Found = Window;
        return FALSE;
    }
    return TRUE;
}

HWND DroppedList(const TProgram &Program, HWND List) {
    TPopupSearch Search = {Program.Process.dwProcessId, {}, nullptr};
    GetWindowRect(List, &Search.Combo);
    EnumWindows(MatchDroppedList, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

// A click on a list drops it; a click on an entry of the dropped part chooses it.
void CaseListClicks() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    BringToFront(Program);
    struct TClick {
        TControl List;
        int Index;
    };
    const TClick Clicks[] = {
        {TControl::HeroList, 3},     {TControl::ColorList, 7},      {TControl::CarList, 4},
        {TControl::CarList, 0},      {TControl::DifficultyList, 2}, {TControl::PlanetList, 6},
        {TControl::DivisionList, 1},
    };
    for (const TClick &Click : Clicks) {
        HWND List = ControlOf(Program, Click.List);
        const wchar_t *Name = RowOf(Click.List).Name;
        RECT Place;
        GetClientRect(List, &Place);
        // A click right after the previous list closed can be taken by the
        // closing; a user clicks again.
        HWND Dropped = nullptr;
        for (int Try = 0; Try < 3 && Dropped == nullptr; ++Try) {
            ClickAt(ScreenPointOf(List, Place.right / 2, Place.bottom / 2));
            WaitFor([&] { return (Dropped = DroppedList(Program, List)) != nullptr; }, 1000);
        }
        if (!Check(Dropped != nullptr, L"clicks on %ls drop no list", Name))
            continue;
        int ItemHeight = static_cast<int>(SendMessageW(Dropped, LB_GETITEMHEIGHT, 0, 0));
        int Top = static_cast<int>(SendMessageW(Dropped, LB_GETTOPINDEX, 0, 0));
        RECT Inside;
        GetClientRect(Dropped, &Inside);
        int Y = (Click.Index - Top) * ItemHeight + ItemHeight / 2;
        if (!Check(Y > 0 && Y < Inside.bottom, L"%ls entry %d is not in view when dropped", Name,
                   Click.Index)) {
            PressKey(VK_ESCAPE);
            continue;
        }
        // Point at the entry first (the dropped list follows the mouse),
        // then click it.
        MouseTo(ScreenPointOf(Dropped, Inside.right / 2, Y - 2));
        Sleep(100);
        MouseTo(ScreenPointOf(Dropped, Inside.right / 2, Y));
        Sleep(100);
        MouseButton(true);
        Sleep(50);
        MouseButton(false);
        wchar_t What[64];
        wsprintfW(What, L"a click on %ls entry %d", Name, Click.Index);
        Check(WaitFor([&] { return !IsWindowVisible(Dropped); }), L"after %ls the list stays open",
              What);
        if (Check(WaitFor([&] { return SelectionOf(List) == Click.Index; }),
                  L"after %ls the selection is %d", What, SelectionOf(List)))
            CheckPassword(Program, What);
    }
    StopProgram(Program);
}

// Every car: the shocks and tires bars follow the documented rule, the hidden
// ones count as level 0, and the icons and blank areas follow the car.
void CaseCars() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    HWND Shocks = ControlOf(Program, TControl::ShocksBar);
    HWND Tires = ControlOf(Program, TControl::TiresBar);
    for (int Car = 0; Car < 8; ++Car) {
        if (!ChooseWithKeys(Program, TControl::CarList, Car))
            continue;
        wchar_t What[64];
        wsprintfW(What, L"choosing car %d", Car);
        const TCarFacts &Facts = CarFacts[Car];
        Check(WaitFor([&] {
                  return (IsWindowVisible(Shocks) != 0) == Facts.ShocksShown &&
                         (IsWindowVisible(Tires) != 0) == Facts.TiresShown;
              }),
              L"after %ls: ShocksBar %ls, TiresBar %ls", What,
              IsWindowVisible(Shocks) ? L"shown" : L"hidden",
              IsWindowVisible(Tires) ? L"shown" : L"hidden");
        CheckPassword(Program, What);
        CheckPictures(Program, What);
    }
    // A hidden bar keeps its position, and it counts again once shown: set
    // the tires to 1 with Dirt Devil, hide the bar with Battle Trak, show it
    // again with Air Blade.
    if (ChooseWithKeys(Program, TControl::CarList, 0) &&
        FocusControl(Program, TControl::TiresBar)) {
        PressKey(VK_HOME);
        PressKey(VK_RIGHT);
        Check(WaitFor([&] { return PositionOf(Tires) == 1; }), L"TiresBar does not move to 1");
        ChooseWithKeys(Program, TControl::CarList, 3);
        Check(WaitFor([&] { return !IsWindowVisible(Tires); }), L"Battle Trak shows TiresBar");
        CheckPassword(Program, L"hiding TiresBar at level 1");
        ChooseWithKeys(Program, TControl::CarList, 2);
        Check(WaitFor([&] { return IsWindowVisible(Tires) != 0; }), L"Air Blade hides TiresBar");
        Check(PositionOf(Tires) == 1, L"TiresBar lost its position while hidden: %d",
              PositionOf(Tires));
        CheckPassword(Program, L"showing TiresBar again");
        CheckPictures(Program, L"showing TiresBar again");
    }
    StopProgram(Program);
}

// ---- the trackbars --------------------------------------------------------------

// Keys on every bar: Home, Right, End, Left, Page Down, Page Up. Item bars
// show their number, upgrade bars their picture for the level.
void CaseTrackbarKeys() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    struct TStep {
        WORD Key;
        const wchar_t *Name;
    };
    const TStep Steps[] = {
        {VK_HOME, L"Home"}, {VK_RIGHT, L"Right"},    {VK_END, L"End"},
        {VK_LEFT, L"Left"}, {VK_NEXT, L"Page Down"}, {VK_PRIOR, L"Page Up"},
    };
    for (const TTrackbarFacts &Facts : TrackbarFacts) {
        HWND Bar = ControlOf(Program, Facts.Bar);
        const wchar_t *Name = RowOf(Facts.Bar).Name;
        if (!FocusControl(Program, Facts.Bar))
            continue;
        for (const TStep &Step : Steps) {
            // Where each key leaves a bar of range 0..max (page size 1):
            // Home 0, Right +1, End max, Left -1, Page Down +1, Page Up -1.
            int Before = PositionOf(Bar);
            int Want = Before;
            switch (Step.Key) {
            case VK_HOME:
                Want = 0;
                break;
            case VK_END:
                Want = Facts.Maximum;
                break;
            case VK_RIGHT:
            case VK_NEXT:
                Want = Before < Facts.Maximum ? Before + 1 : Before;
                break;
            default:
                Want = Before > 0 ? Before - 1 : Before;
                break;
            }
            PressKey(Step.Key);
            wchar_t What[64];
            wsprintfW(What, L"%ls on %ls", Step.Name, Name);
            if (!Check(WaitFor([&] { return PositionOf(Bar) == Want; }),
                       L"%ls: position %d, not %d", What, PositionOf(Bar), Want))
                continue;
            CheckPassword(Program, What);
            if (Facts.HasCount) {
                HWND Count =
                    ControlOf(Program, static_cast<TControl>(static_cast<int>(Facts.Bar) + 1));
                wchar_t Number[8];
                wsprintfW(Number, L"%d", Want);
                Check(WaitFor([&] { return TextOf(Count) == Number; }),
                      L"%ls: the count label reads \"%ls\", not \"%ls\"", What,
                      TextOf(Count).c_str(), Number);
            }
        }
        CheckPictures(Program, Name);
    }
    StopProgram(Program);
}

// A thumb dragged with the mouse across every position, there and back: the
// password and the number follow each position passed, and the release too.
void CaseThumbDrag() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    BringToFront(Program);
    const TControl Bars[] = {TControl::WeaponBar, TControl::DropBar, TControl::EngineBar,
                             TControl::ArmorBar};
    for (TControl BarName : Bars) {
        HWND Bar = ControlOf(Program, BarName);
        const wchar_t *Name = RowOf(BarName).Name;
        int Maximum = static_cast<int>(SendMessageW(Bar, TBM_GETRANGEMAX, 0, 0));
        int Start = PositionOf(Bar);
        POINT Grip = ThumbCentre(Program, BarName, Start);
        // The press takes the thumb once the bar holds the mouse capture; on a
        // loaded machine a first press can come before the pointer's move has
        // reached the program, so it is made again, as a user would.
        GUITHREADINFO Gui = {};
        Gui.cbSize = sizeof Gui;
        bool Taken = false;
        for (int Try = 0; Try < 3 && !Taken; ++Try) {
            if (Try > 0)
                MouseButton(false);
            MouseTo(ScreenPointOf(Bar, Grip.x, Grip.y));
            MouseButton(true);
            Taken = WaitFor(
                [&] {
                    return GetGUIThreadInfo(Program.Process.dwThreadId, &Gui) &&
                           Gui.hwndCapture == Bar;
                },
                1000);
        }
        Check(Taken, L"pressing the thumb of %ls does not take it", Name);
        // From the start down to 0, then up to the maximum.
        std::vector<int> Path;
        for (int Position = Start - 1; Position >= 0; --Position)
            Path.push_back(Position);
        for (int Position = 1; Position <= Maximum; ++Position)
            Path.push_back(Position);
        for (int Position : Path) {
            POINT Centre = ThumbCentre(Program, BarName, Position);
            MouseTo(ScreenPointOf(Bar, Centre.x, Centre.y));
            wchar_t What[64];
            wsprintfW(What, L"dragging %ls to %d", Name, Position);
            if (!Check(WaitFor([&] { return PositionOf(Bar) == Position; }), L"%ls: position %d",
                       What, PositionOf(Bar)))
                continue;
            CheckPassword(Program, What);
            if (BarName == TControl::WeaponBar || BarName == TControl::DropBar) {
                HWND Count =
                    ControlOf(Program, static_cast<TControl>(static_cast<int>(BarName) + 1));
                wchar_t Number[8];
                wsprintfW(Number, L"%d", Position);
                Check(WaitFor([&] { return TextOf(Count) == Number; }),
                      L"%ls: the count label reads \"%ls\"", What, TextOf(Count).c_str());
            }
        }
        MouseButton(false);
        Check(PositionOf(Bar) == Maximum, L"releasing %ls leaves it at %d", Name, PositionOf(Bar));
        CheckPassword(Program, L"releasing a thumb");
        CheckPictures(Program, L"a thumb drag");
    }
    StopProgram(Program);
}

// ---- the money box ----------------------------------------------------------------

void CaseMoney() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    HWND Money = ControlOf(Program, TControl::MoneyBox);
    // Each step: reach the box by Tab (which selects its whole text), then act.
    struct TEdit {
        const wchar_t *Name;
        const wchar_t *Typed;  // digits typed, or nullptr
        const wchar_t *Pasted; // text pasted, or nullptr
        bool Delete;           // Delete key on the selected text
    };
    const TEdit Edits[] = {
        // name                          typed    pasted        delete
        {L"typing 7", L"7", nullptr, false},
        {L"typing 70", L"70", nullptr, false},
        {L"typing 007", L"007", nullptr, false},
        {L"typing 509", L"509", nullptr, false},
        {L"typing 1234 (one too many)", L"1234", nullptr, false},
        {L"typing letters", L"ab", nullptr, false},
        {L"pasting 1x3", nullptr, L"1x3", false},
        {L"pasting -5", nullptr, L"-5", false},
        {L"pasting Ж", nullptr, L"Ж", false},
        {L"pasting 98765 (too long)", nullptr, L"98765", false},
        {L"pasting 4 5 6 with blanks", nullptr, L" 4 5 6 ", false},
        {L"emptying the box", nullptr, nullptr, true},
        {L"typing 0", L"0", nullptr, false},
    };
    for (const TEdit &Edit : Edits) {
        // Entering the box with Tab from CarList selects its whole text, so
        // what follows replaces it.
        if (!FocusControl(Program, TControl::CarList))
            break;
        PressKey(VK_TAB);
        if (!Check(WaitFor([&] { return FocusOf(Program) == Money; }),
                   L"Tab from CarList does not reach the money box"))
            break;
        std::wstring Before = TextOf(Money);
        DWORD Range = SelectionRangeOf(Money);
        Check(LOWORD(Range) == 0 && HIWORD(Range) == Before.size(),
              L"entering the money box selects %u..%u of \"%ls\"", LOWORD(Range), HIWORD(Range),
              Before.c_str());
        if (Edit.Typed != nullptr)
            TypeDigits(Edit.Typed);
        if (Edit.Pasted != nullptr)
            PasteText(Edit.Pasted);
        if (Edit.Delete)
            PressKey(VK_DELETE);
        Sleep(100);
        std::wstring After = TextOf(Money);
        Check(After.size() <= 3, L"%ls leaves \"%ls\", longer than 3", Edit.Name, After.c_str());
        if (Edit.Typed != nullptr && Edit.Typed[0] >= L'0' && Edit.Typed[0] <= L'9')
            Check(After == std::wstring(Edit.Typed).substr(0, 3), L"%ls leaves \"%ls\"", Edit.Name,
                  After.c_str());
        if (Edit.Delete)
            Check(After.empty(), L"%ls leaves \"%ls\"", Edit.Name, After.c_str());
        CheckPassword(Program, Edit.Name);
    }
    // Tab in the box moves on to DifficultyList and leaves the text as it was.
    if (FocusControl(Program, TControl::MoneyBox)) {
        std::wstring Before = TextOf(Money);
        PressKey(VK_TAB);
        Check(WaitFor(
                  [&] { return FocusOf(Program) == ControlOf(Program, TControl::DifficultyList); }),
              L"Tab in the money box does not reach DifficultyList");
        Check(TextOf(Money) == Before, L"Tab changed the money text to \"%ls\"",
              TextOf(Money).c_str());
        CheckPassword(Program, L"Tab in the money box");
    }
    Check(WaitForExit(Program, 0) == STILL_ACTIVE, L"the program ended during the money edits");
    StopProgram(Program);
}

// ---- the keyboard order ------------------------------------------------------------

// The control that Tab reaches from entry Index for a car, from the order
// table and the car's visibility rule.
int NextTabEntry(int Index, int Car) {
    for (;;) {
        Index = (Index + 1) % 15;
        if (Index == 13 && !CarFacts[Car].ShocksShown)
            continue;
        if (Index == 14 && !CarFacts[Car].TiresShown)
            continue;
        return Index;
    }
}

void CheckTabRound(const TProgram &Program, int Car, WORD Modifier) {
    if (!FocusControl(Program, TControl::HeroList))
        return;
    int Entry = 1;
    for (int Press = 0; Press < 15; ++Press) {
        int Next = NextTabEntry(Entry, Car);
        HWND Target = ControlOf(Program, TabOrderFacts[Next]);
        if (Modifier != 0)
            PressKeyWith(Modifier, VK_TAB);
        else
            PressKey(VK_TAB);
        const wchar_t *From = RowOf(TabOrderFacts[Entry]).Name;
        const wchar_t *To = RowOf(TabOrderFacts[Next]).Name;
        if (!Check(WaitFor([&] { return FocusOf(Program) == Target; }),
                   L"car %d: %lsTab from %ls does not reach %ls", Car,
                   Modifier != 0 ? L"Shift+" : L"", From, To))
            return;
        if (TabOrderFacts[Next] == TControl::PasswordBox ||
            TabOrderFacts[Next] == TControl::MoneyBox) {
            DWORD Range = SelectionRangeOf(Target);
            Check(LOWORD(Range) == 0 && HIWORD(Range) == TextOf(Target).size(),
                  L"car %d: entering %ls selects %u..%u", Car, To, LOWORD(Range), HIWORD(Range));
        }
        Entry = Next;
    }
    CheckPassword(Program, L"a round of Tab presses");
}

void CaseTabOrder() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    BringToFront(Program);
    CheckTabRound(Program, 1, 0);        // Marauder: every bar shown
    CheckTabRound(Program, 1, VK_SHIFT); // Shift+Tab moves forward too
    if (ChooseWithKeys(Program, TControl::CarList, 3))
        CheckTabRound(Program, 3, 0); // Battle Trak: TiresBar skipped
    if (ChooseWithKeys(Program, TControl::CarList, 4))
        CheckTabRound(Program, 4, 0); // Havac: both skipped
    // A click into PlanetList, Escape to close it, Tab: DivisionList.
    HWND Planet = ControlOf(Program, TControl::PlanetList);
    RECT Place;
    GetClientRect(Planet, &Place);
    ClickAt(ScreenPointOf(Planet, Place.right / 2, Place.bottom / 2));
    if (Check(WaitFor([&] { return FocusOf(Program) == Planet; }),
              L"a click does not focus PlanetList")) {
        PressKey(VK_ESCAPE);
        PressKey(VK_TAB);
        Check(
            WaitFor([&] { return FocusOf(Program) == ControlOf(Program, TControl::DivisionList); }),
            L"Tab after a click into PlanetList does not reach DivisionList");
    }
    CheckPassword(Program, L"clicks and Tab presses");
    StopProgram(Program);
}

// ---- covering, minimising, closing ----------------------------------------------------

void CaseRedraw() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    // Another window over the whole of it, then gone again.
    RECT Outer;
    GetWindowRect(Program.Window, &Outer);
    HWND Cover = CreateWindowExW(
        WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, Outer.left, Outer.top,
        Outer.right - Outer.left, Outer.bottom - Outer.top, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(Cover);
    Sleep(300);
    DestroyWindow(Cover);
    CheckPictures(Program, L"covering and uncovering");
    CheckPassword(Program, L"covering and uncovering");
    // Minimise and restore.
    ShowWindow(Program.Window, SW_MINIMIZE);
    Check(WaitFor([&] { return IsIconic(Program.Window) != 0; }), L"the window does not minimise");
    ShowWindow(Program.Window, SW_RESTORE);
    Check(WaitFor([&] { return IsIconic(Program.Window) == 0; }), L"the window does not restore");
    CheckPictures(Program, L"minimising and restoring");
    CheckPassword(Program, L"minimising and restoring");
    // With no control focused, Tab does nothing; a click into a control
    // starts the order again from there.
    BringToFront(Program);
    if (FocusOf(Program) == Program.Window) {
        PressKey(VK_TAB);
        Sleep(200);
        Check(FocusOf(Program) == Program.Window, L"Tab moved the focus off the main window");
    }
    HWND Money = ControlOf(Program, TControl::MoneyBox);
    RECT Place;
    GetClientRect(Money, &Place);
    ClickAt(ScreenPointOf(Money, Place.right / 2, Place.bottom / 2));
    if (Check(WaitFor([&] { return FocusOf(Program) == Money; }),
              L"a click does not focus the money box")) {
        PressKey(VK_TAB);
        Check(WaitFor(
                  [&] { return FocusOf(Program) == ControlOf(Program, TControl::DifficultyList); }),
              L"Tab after a click into the money box does not reach DifficultyList");
    }
    StopProgram(Program);
}

// A box of the program's with that caption, or null.
HWND FindDialog(const TProgram &Program, const wchar_t *Title) {
    return FindProgramWindow(Program, L"#32770", Title);
}

// The close command and Alt+F4 both end the process with exit code 0; the
// drawing that runs after the memory context is gone must not fault.
void CaseClose() {
    struct TWay {
        const wchar_t *Name;
        bool AltF4;
    };
    const TWay Ways[] = {{L"the close command", false}, {L"Alt+F4", true}};
    for (const TWay &Way : Ways) {
        TProgram Program;
        if (!StartProgram(Program)) {
            StopProgram(Program);
            continue;
        }
        // Focus on an upgrade bar, so that its last messages draw.
        FocusControl(Program, TControl::EngineBar);
        if (Way.AltF4)
            PressKeyWith(VK_MENU, VK_F4);
        else
            PostMessageW(Program.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        DWORD Code = WaitForExit(Program, 5000);
        Check(FindDialog(Program, L"Error") == nullptr, L"%ls shows an error box", Way.Name);
        Check(Code == 0, L"after %ls the exit code is %lu (259: still running)", Way.Name, Code);
        StopProgram(Program);
    }
}

// Two copies side by side: each has its own window and state.
void CaseTwoCopies() {
    TProgram First, Second;
    if (StartProgram(First) && StartProgram(Second)) {
        Check(First.Window != Second.Window, L"both copies report the same window");
        SetWindowPos(Second.Window, nullptr, 500, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Sleep(200);
        std::wstring SecondBefore = TextOf(ControlOf(Second, TControl::PasswordBox));
        if (ChooseWithKeys(First, TControl::CarList, 4))
            CheckPassword(First, L"a car change in the first copy");
        Check(SelectionOf(ControlOf(Second, TControl::CarList)) == 1 &&
                  TextOf(ControlOf(Second, TControl::PasswordBox)) == SecondBefore,
              L"a change in the first copy reached the second");
        CheckPassword(Second, L"a car change in the first copy");
        if (ChooseWithKeys(Second, TControl::HeroList, 6))
            CheckPassword(Second, L"a hero change in the second copy");
        CheckPassword(First, L"a hero change in the second copy");
        PostMessageW(First.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Check(WaitForExit(First) == 0, L"the first copy does not end with 0");
        Check(WaitForExit(Second, 0) == STILL_ACTIVE, L"closing the first copy ended the second");
        CheckPassword(Second, L"closing the first copy");
        PostMessageW(Second.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        Check(WaitForExit(Second) == 0, L"the second copy does not end with 0");
    }
    StopProgram(First);
    StopProgram(Second);
}

// An access violation on a thread of the program: the box titled "Error"
// reads "Runtime error N at 00000010" (the thread starts at address 0x10,
// so that is where it faults; the whole address, 16 digits in the 64-bit
// program, which this driver is built beside), and the process ends with N.
void CaseFault() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    HANDLE Thread =
        CreateRemoteThread(Program.Process.hProcess, nullptr, 0,
                           reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr, 0, nullptr);
    if (!Check(Thread != nullptr, L"cannot start a thread in the program (error %lu)",
               GetLastError())) {
        StopProgram(Program);
        return;
    }
    CloseHandle(Thread);
    HWND Box = nullptr;
    if (Check(WaitFor([&] { return (Box = FindDialog(Program, L"Error")) != nullptr; }, 10000),
              L"no box titled \"Error\" appears")) {
        // The message is the box's one static text that has words in it.
        std::wstring Message;
        for (HWND Child = GetWindow(Box, GW_CHILD); Child != nullptr;
             Child = GetWindow(Child, GW_HWNDNEXT)) {
            wchar_t ClassName[64];
            GetClassNameW(Child, ClassName, 64);
            if (lstrcmpiW(ClassName, L"Static") == 0 && !TextOf(Child).empty())
                Message = TextOf(Child);
        }
        unsigned Number = 0;
        wchar_t Address[24] = {};
        wchar_t Rest[8] = {};
        int Fields =
            swscanf(Message.c_str(), L"Runtime error %u at %23ls%7ls", &Number, Address, Rest);
        wchar_t Rebuilt[64];
        wsprintfW(Rebuilt, L"Runtime error %u at %ls", Number, Address);
        Check(Fields == 2 && Message == Rebuilt, L"the error box reads \"%ls\"", Message.c_str());
        const wchar_t *Expected = sizeof(void *) == 8 ? L"0000000000000010" : L"00000010";
        Check(lstrcmpW(Address, Expected) == 0, L"the fault address reads \"%ls\", not %ls",
              Address, Expected);
        Check(Number != 0, L"the error number is 0");
        PostMessageW(Box, WM_COMMAND, IDOK, 0);
        DWORD Code = WaitForExit(Program, 10000);
        Check(Code == Number, L"the exit code is %lu, the box says %u", Code, Number);
    }
    StopProgram(Program);
}

// ---- the dialog that reads a password back --------------------------------------

// Values apart from the starting ones, every bar shown (Dirt Devil).
TSettings DialogRecord() {
    TSettings Record = {};
    Record.Difficulty = 2;
    Record.WeaponCharges = 3;
    Record.BoostCharges = 5;
    Record.DropCharges = 1;
    Record.Engine = 2;
    Record.Shocks = 2;
    Record.Armor = 1;
    Record.Tires = 1;
    Record.Hero = 3;
    Record.Planet = 6;
    Record.Division = 1;
    Record.Car = 0;
    Record.Color = 5;
    Record.MoneyHundreds = 2;
    Record.MoneyTens = 5;
    Record.MoneyUnits = 0;
    return Record;
}

std::wstring Grouped(const char *Text) {
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Text, Display);
    wchar_t Wide[PasswordDisplaySize] = {};
    MultiByteToWideChar(1251, 0, Display, -1, Wide, PasswordDisplaySize);
    return Wide;
}

std::wstring PasswordOf(const TSettings &Record, char (&Text)[PasswordLength]) {
    TPasswordBits Bits;
    EncodeRecord(Record, Bits, Text);
    return Grouped(Text);
}

// The password as a player might type it: the Latin look-alike of every
// character that has one, other letters in lower case, hyphens between the
// groups and blanks round it.
std::wstring TypedForm(const char *Text) {
    std::wstring Typed = L" ";
    for (int I = 0; I < PasswordLength; ++I) {
        if (I == 4 || I == 8)
            Typed += L'-';
        wchar_t C = 0;
        for (const TLookAlike &Row : LookAlikes)
            if (Row.To == Text[I] && Row.From < 0x80 && C == 0)
                C = static_cast<wchar_t>(Row.From);
        if (C == 0) {
            MultiByteToWideChar(1251, 0, &Text[I], 1, &C, 1);
            if (C >= 0x0410 && C <= 0x042F)
                C += 0x20;
        }
        Typed += C;
    }
    return Typed + L" ";
}

// The first change of character 9 that fails the checks and has repairs.
bool BreakPassword(const char (&Text)[PasswordLength], char (&Broken)[PasswordLength],
                   TDecodeResult &Result) {
    for (int Value = 0; Value < 32; ++Value) {
        memcpy(Broken, Text, PasswordLength);
        Broken[8] = PasswordAlphabet[Value];
        DecodePasswordText(Broken, Result);
        TRepair Any[1];
        if (Result.Status == TDecodeStatus::ChecksFail && FindRepairs(Broken, Any, 1) > 0)
            return true;
    }
    return false;
}

HWND WaitForDialog(const TProgram &Program) {
    HWND Dialog = nullptr;
    WaitFor(
        [&] { return (Dialog = FindProgramWindow(Program, L"#32770", DialogTitle)) != nullptr; },
        5000);
    return Dialog;
}

// Alt+Space, then Up (round to the last item) and Enter. On a loaded
// machine the keys can reach the desktop before the window is in front
// again: then they are pressed once more.
HWND OpenByMenu(const TProgram &Program) {
    bool MenuShown = false;
    for (int Try = 0; Try < 2 && !MenuShown; ++Try) {
        BringToFront(Program);
        PressKeyWith(VK_MENU, VK_SPACE);
        MenuShown = WaitFor([&] { return FindProgramWindow(Program, L"#32768") != nullptr; });
    }
    if (!Check(MenuShown, L"Alt+Space opens no system menu"))
        return nullptr;
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    HWND Dialog = WaitForDialog(Program);
    Check(Dialog != nullptr, L"the system menu's last item opens no dialog \"%ls\"", DialogTitle);
    return Dialog;
}

std::wstring ItemText(HWND Dialog, int Id) {
    return TextOf(GetDlgItem(Dialog, Id));
}

bool WaitForStatus(HWND Dialog, const std::function<bool(const std::wstring &)> &Holds,
                   const wchar_t *What) {
    return Check(WaitFor([&] { return Holds(ItemText(Dialog, DialogStatusId)); }),
                 L"%ls: the status line reads \"%ls\"", What,
                 ItemText(Dialog, DialogStatusId).c_str());
}

bool Contains(const std::wstring &Text, const std::wstring &Part) {
    return Text.find(Part) != std::wstring::npos;
}

// OK (clicked, or Enter) closes the dialog.
bool ConfirmDialog(const TProgram &Program, HWND Dialog, bool ByEnter) {
    HWND Ok = GetDlgItem(Dialog, DialogOkId);
    if (!Check(WaitFor([&] { return IsWindowEnabled(Ok) != 0; }), L"OK stays disabled"))
        return false;
    if (ByEnter)
        PressKey(VK_RETURN);
    else
        ClickControl(Ok);
    return Check(WaitFor([&] { return !IsWindow(Dialog) || !IsWindowVisible(Dialog); }),
                 L"OK leaves the dialog open") &&
           Check(WaitFor([&] { return IsWindowEnabled(Program.Window) != 0; }),
                 L"the window stays disabled after the dialog");
}

// Every list, bar, count and the money box as Record says, read from the
// controls; the bars' visibility from the car's rule; the password box
// showing Password, which the controls give too; the pictures to match.
void CheckControlsHold(const TProgram &Program, const TSettings &Record,
                       const std::wstring &Password, const wchar_t *After) {
    // A list's selection, a bar's position, a count label's number.
    const struct {
        TControl Control;
        int Value;
    } Shown[] = {
        {TControl::DifficultyList, Record.Difficulty},
        {TControl::HeroList, Record.Hero},
        {TControl::PlanetList, Record.Planet},
        {TControl::CarList, Record.Car},
        {TControl::DivisionList, Record.Division},
        {TControl::ColorList, Record.Color},
        {TControl::WeaponBar, Record.WeaponCharges},
        {TControl::BoostBar, Record.BoostCharges},
        {TControl::DropBar, Record.DropCharges},
        {TControl::EngineBar, Record.Engine},
        {TControl::ShocksBar, Record.Shocks},
        {TControl::TiresBar, Record.Tires},
        {TControl::ArmorBar, Record.Armor},
        {TControl::WeaponCount, Record.WeaponCharges},
        {TControl::BoostCount, Record.BoostCharges},
        {TControl::DropCount, Record.DropCharges},
    };
    for (const auto &Row : Shown) {
        HWND Control = ControlOf(Program, Row.Control);
        const wchar_t *Class = RowOf(Row.Control).ClassName;
        int Value = lstrcmpiW(Class, L"ComboBox") == 0 ? SelectionOf(Control)
                    : lstrcmpiW(Class, L"Static") == 0 ? _wtoi(TextOf(Control).c_str())
                                                       : PositionOf(Control);
        Check(Value == Row.Value, L"after %ls: %ls shows %d, not %d", After,
              RowOf(Row.Control).Name, Value, Row.Value);
    }
    wchar_t Money[4] = {static_cast<wchar_t>(L'0' + Record.MoneyHundreds),
                        static_cast<wchar_t>(L'0' + Record.MoneyTens),
                        static_cast<wchar_t>(L'0' + Record.MoneyUnits), 0};
    Check(TextOf(ControlOf(Program, TControl::MoneyBox)) == Money,
          L"after %ls: the money box reads \"%ls\", not \"%ls\"", After,
          TextOf(ControlOf(Program, TControl::MoneyBox)).c_str(), Money);
    const TCarFacts &Facts = CarFacts[Record.Car];
    Check((IsWindowVisible(ControlOf(Program, TControl::ShocksBar)) != 0) == Facts.ShocksShown &&
              (IsWindowVisible(ControlOf(Program, TControl::TiresBar)) != 0) == Facts.TiresShown,
          L"after %ls: the shocks and tires bars do not follow car %d", After, Record.Car);
    HWND Box = ControlOf(Program, TControl::PasswordBox);
    Check(WaitFor([&] { return TextOf(Box) == Password; }),
          L"after %ls: the password box shows \"%ls\", not \"%ls\"", After, TextOf(Box).c_str(),
          Password.c_str());
    CheckPassword(Program, After);
    CheckPictures(Program, After);
}

// Every control's text, selection or position and visibility.
std::wstring ControlState(const TProgram &Program) {
    std::wstring State;
    for (const TControlRow &Row : ControlRows) {
        HWND Control = ControlOf(Program, Row.Control);
        int Value = 0;
        if (lstrcmpiW(Row.ClassName, L"ComboBox") == 0)
            Value = SelectionOf(Control);
        else if (lstrcmpiW(Row.ClassName, L"msctls_trackbar32") == 0)
            Value = PositionOf(Control);
        wchar_t Line[96];
        wsprintfW(Line, L"%ls %d %d ", Row.Name, Value, IsWindowVisible(Control) != 0);
        State += Line + TextOf(Control) + L"\n";
    }
    return State;
}

// The system menu item opens the dialog, empty, with OK disabled; the tip
// over the password box names the ways in; a password typed with look-alikes,
// lower case and hyphens is valid, and Enter loads it into every control.
void CaseDialogMenu() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    BringToFront(Program);
    HWND Box = ControlOf(Program, TControl::PasswordBox);
    MouseTo(ScreenPointOf(Box, 20, 8));
    MouseTo(ScreenPointOf(Box, 22, 10));
    HWND Tip = nullptr;
    Check(
        WaitFor([&] { return (Tip = FindProgramWindow(Program, L"tooltips_class32")) != nullptr; }),
        L"no tip shows over the password box");
    if (Tip != nullptr)
        Check(TextOf(Tip) == PasswordBoxTip, L"the tip reads \"%ls\"", TextOf(Tip).c_str());
    MouseTo(ScreenPointOf(Program.Window, 440, 370));

    HWND Dialog = OpenByMenu(Program);
    if (Dialog != nullptr) {
        Check(ItemText(Dialog, DialogFieldId).empty(), L"the field opens with \"%ls\"",
              ItemText(Dialog, DialogFieldId).c_str());
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusEmpty; }, L"opening");
        Check(!IsWindowEnabled(GetDlgItem(Dialog, DialogOkId)), L"OK is enabled for no password");
        Check(!IsWindowEnabled(Program.Window), L"the dialog is not modal");
        char Text[PasswordLength];
        std::wstring Password = PasswordOf(DialogRecord(), Text);
        std::wstring Typed = TypedForm(Text);
        Check(Typed.find_first_of(L"BEHMOPTXYeopxy") != std::wstring::npos,
              L"the typed form \"%ls\" has no look-alike", Typed.c_str());
        TypeText(Typed.c_str());
        Check(WaitFor([&] { return ItemText(Dialog, DialogFieldId) == Typed; }),
              L"the field reads \"%ls\", not \"%ls\"", ItemText(Dialog, DialogFieldId).c_str(),
              Typed.c_str());
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusValid; },
            L"typing with look-alikes");
        if (ConfirmDialog(Program, Dialog, true))
            CheckControlsHold(Program, DialogRecord(), Password, L"a typed password");
    }
    StopProgram(Program);
}

// A password whose car hides both bars at non-zero levels: the dialog says
// so and names the window's password, which the window then shows; the
// hidden bars keep the levels.
void CaseDialogHidden() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    TSettings Record = DialogRecord();
    Record.Car = 4; // Havac: no shocks, no tires
    TSettings WindowRecord = Record;
    WindowRecord.Shocks = 0;
    WindowRecord.Tires = 0;
    char Text[PasswordLength], WindowText[PasswordLength];
    std::wstring Password = PasswordOf(Record, Text);
    std::wstring WindowPassword = PasswordOf(WindowRecord, WindowText);
    HWND Dialog = OpenByMenu(Program);
    if (Dialog != nullptr) {
        TypeText(Password.c_str());
        WaitForStatus(
            Dialog,
            [&](const std::wstring &S) {
                return Contains(S, WindowPassword) &&
                       Contains(S, L"амортизаторов (в пароле уровень 2)") &&
                       Contains(S, L"шин (в пароле уровень 1)");
            },
            L"a password with hidden levels");
        if (ConfirmDialog(Program, Dialog, false))
            CheckControlsHold(Program, Record, WindowPassword, L"a password with hidden levels");
    }
    StopProgram(Program);
}

// A character that is never in a password is named with its place; a
// password that fails its checks names them and lists every repair with its
// password; the chosen repair goes into the field, and OK loads it.
void CaseDialogRepair() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    char Text[PasswordLength], Broken[PasswordLength];
    PasswordOf(DialogRecord(), Text);
    TDecodeResult Result;
    HWND Dialog = OpenByMenu(Program);
    if (Dialog != nullptr && Check(BreakPassword(Text, Broken, Result), L"no broken password")) {
        TypeText(L"пьфм q");
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return Contains(S, L"«q» (U+0071) на месте 6"); },
            L"typing q");
        for (int Press = 0; Press < 6; ++Press)
            PressKey(VK_BACK);
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusEmpty; }, L"deleting it all");

        static TRepair Repairs[RepairTrialCount];
        int Count = FindRepairs(Broken, Repairs, RepairTrialCount);
        std::wstring Positions;
        for (int I = 0; I < Result.FailedCount; ++I)
            Positions += (I > 0 ? L", " : L"") + std::to_wstring(Result.FailedChecks[I]);
        TypeText(Grouped(Broken).c_str());
        WaitForStatus(
            Dialog,
            [&](const std::wstring &S) {
                return Contains(S, L"0..17: " + Positions + L".") &&
                       Contains(S, L"дают " + std::to_wstring(Count) + L" замен");
            },
            L"a password that fails its checks");
        Check(!IsWindowEnabled(GetDlgItem(Dialog, DialogOkId)), L"OK is enabled for %ls",
              Grouped(Broken).c_str());
        HWND List = GetDlgItem(Dialog, DialogListId);
        Check(SendMessageW(List, LB_GETCOUNT, 0, 0) == Count, L"the list holds %ld repairs, not %d",
              static_cast<long>(SendMessageW(List, LB_GETCOUNT, 0, 0)), Count);
        int Chosen = 0;
        for (int I = 0; I < Count; ++I) {
            wchar_t Entry[512] = {};
            SendMessageW(List, LB_GETTEXT, I, reinterpret_cast<LPARAM>(Entry));
            Check(Contains(Entry, Grouped(Repairs[I].Text)), L"repair %d reads \"%ls\"", I, Entry);
            if (memcmp(Repairs[I].Text, Text, PasswordLength) == 0)
                Chosen = I;
        }
        // Into the list by a click on its first line, then down to the one.
        int ItemHeight = static_cast<int>(SendMessageW(List, LB_GETITEMHEIGHT, 0, 0));
        ClickAt(ScreenPointOf(List, 30, ItemHeight / 2));
        PressKey(VK_HOME);
        for (int Step = 0; Step < Chosen; ++Step)
            PressKey(VK_DOWN);
        HWND Take = GetDlgItem(Dialog, DialogTakeId);
        if (Check(WaitFor([&] { return IsWindowEnabled(Take) != 0; }),
                  L"choosing a repair leaves its button disabled")) {
            ClickControl(Take);
            std::wstring Repaired = Grouped(Repairs[Chosen].Text);
            Check(WaitFor([&] { return ItemText(Dialog, DialogFieldId) == Repaired; }),
                  L"the field reads \"%ls\" after taking %ls",
                  ItemText(Dialog, DialogFieldId).c_str(), Repaired.c_str());
            WaitForStatus(
                Dialog, [](const std::wstring &S) { return S == StatusValid; }, L"taking a repair");
            if (ConfirmDialog(Program, Dialog, false))
                CheckControlsHold(Program, Repairs[Chosen].Record, Repaired, L"a repair");
        }
    }
    StopProgram(Program);
}

// Cancel, and Escape, after a valid password: no control changes.
void CaseDialogCancel() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    std::wstring Before = ControlState(Program);
    char Text[PasswordLength];
    std::wstring Password = PasswordOf(DialogRecord(), Text);
    for (bool ByEscape : {false, true}) {
        HWND Dialog = OpenByMenu(Program);
        if (Dialog == nullptr)
            break;
        TypeText(Password.c_str());
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusValid; },
            L"typing before cancelling");
        if (ByEscape)
            PressKey(VK_ESCAPE);
        else
            ClickControl(GetDlgItem(Dialog, DialogCancelId));
        const wchar_t *Way = ByEscape ? L"Escape" : L"Cancel";
        Check(WaitFor([&] { return !IsWindow(Dialog); }), L"%ls leaves the dialog open", Way);
        Check(WaitFor([&] { return ControlState(Program) == Before; }),
              L"%ls changed the controls:\n%ls", Way, ControlState(Program).c_str());
    }
    StopProgram(Program);
}

// Ctrl+V in the read-only password box opens the dialog with the clipboard's
// first line; OK loads it.
void CaseDialogPaste() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    char Text[PasswordLength];
    std::wstring Password = PasswordOf(DialogRecord(), Text);
    std::wstring Typed = TypedForm(Text);
    PutOnClipboard((Typed + L"\r\nthe next line").c_str());
    if (FocusControl(Program, TControl::PasswordBox)) {
        PressKeyWith(VK_CONTROL, 'V');
        HWND Dialog = WaitForDialog(Program);
        if (Check(Dialog != nullptr, L"Ctrl+V in the password box opens no dialog")) {
            Check(ItemText(Dialog, DialogFieldId) == Typed, L"the field opens with \"%ls\"",
                  ItemText(Dialog, DialogFieldId).c_str());
            WaitForStatus(
                Dialog, [](const std::wstring &S) { return S == StatusValid; }, L"pasting");
            if (ConfirmDialog(Program, Dialog, false))
                CheckControlsHold(Program, DialogRecord(), Password, L"a pasted password");
        }
    }
    StopProgram(Program);
}

// ---- at every display scale ------------------------------------------------------

// Texts are measured with fonts and controls made here, in the driver's own
// process at the DPI that the program runs at.

// The window's font: FontFace with the 96-DPI em scaled.
HFONT WindowFont() {
    LOGFONTW Record = {};
    Record.lfHeight = -Scaled(FontEm);
    lstrcpynW(Record.lfFaceName, FontFace, LF_FACESIZE);
    return CreateFontIndirectW(&Record);
}

// The size of the ink of Text in Font, drawn black on white from (0, 0) with
// Format (DrawText's flags) into lines of at most Width pixels: the width to
// its rightmost inked column, the height to its lowest inked row. Ink is a
// pixel darker than mid-grey: the faint edge that smoothing adds is not. A
// word wider than Width reaches past it.
SIZE TextExtent(HFONT Font, const std::wstring &Text, int Width, UINT Format) {
    const int CanvasWidth = 4096, CanvasHeight = 1024;
    const uint32_t White = 0x00FFFFFF;
    const uint32_t MidGrey = 0x80;
    uint32_t *Pixels = nullptr;
    HBITMAP Canvas = NewDib(CanvasWidth, CanvasHeight, Pixels);
    std::fill(Pixels, Pixels + CanvasWidth * CanvasHeight, White);
    HDC Context = CreateCompatibleDC(nullptr);
    HGDIOBJ PreviousBitmap = SelectObject(Context, Canvas);
    HGDIOBJ PreviousFont = SelectObject(Context, Font);
    SetBkMode(Context, TRANSPARENT);
    RECT Box = {0, 0, Width > 0 ? Width : CanvasWidth, CanvasHeight};
    DrawTextW(Context, Text.c_str(), static_cast<int>(Text.size()), &Box, Format | DT_NOCLIP);
    GdiFlush();
    SIZE Ink = {0, 0};
    for (int Y = 0; Y < CanvasHeight; ++Y)
        for (int X = 0; X < CanvasWidth; ++X)
            if ((Pixels[Y * CanvasWidth + X] >> 8 & 0xFF) < MidGrey) { // its green
                Ink.cx = std::max<LONG>(Ink.cx, X + 1);
                Ink.cy = std::max<LONG>(Ink.cy, Y + 1);
            }
    SelectObject(Context, PreviousFont);
    SelectObject(Context, PreviousBitmap);
    DeleteDC(Context);
    DeleteObject(Canvas);
    return Ink;
}

constexpr UINT LabelFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS; // as a static control draws
constexpr UINT LineFormat = DT_SINGLELINE;

// Whether Text inks no more than Room in Font, wrapped at Room's width with
// LabelFormat.
bool CheckWhole(const wchar_t *Name, const std::wstring &Text, HFONT Font, UINT Format, SIZE Room) {
    SIZE Ink = TextExtent(Font, Text, Room.cx, Format);
    return Check(Ink.cx <= Room.cx && Ink.cy <= Room.cy,
                 L"%ls: \"%ls\" inks %ld x %ld pixels, %ld x %ld show", Name, Text.c_str(), Ink.cx,
                 Ink.cy, Room.cx, Room.cy);
}

// Control's own text in the part of its client area that Window's client
// area shows, less Inset (the margins of an edit box, a button's frame).
bool CheckTextIn(HWND Control, HWND Window, HFONT Font, const wchar_t *Name, UINT Format,
                 SIZE Inset = {0, 0}) {
    RECT Inside, Client;
    GetClientRect(Control, &Inside);
    MapWindowPoints(Control, Window, reinterpret_cast<POINT *>(&Inside), 2);
    GetClientRect(Window, &Client);
    IntersectRect(&Inside, &Inside, &Client);
    SIZE Room = {Inside.right - Inside.left - Inset.cx, Inside.bottom - Inside.top - Inset.cy};
    return CheckWhole(Name, TextOf(Control), Font, Format, Room);
}

SIZE EditMargins(HWND Box) {
    DWORD Margins = static_cast<DWORD>(SendMessageW(Box, EM_GETMARGINS, 0, 0));
    return SIZE{LOWORD(Margins) + HIWORD(Margins), 0};
}

// The labels, both boxes and every entry of every list (in the selection
// field, which is narrower than the dropped list).
void CheckWindowTextsWhole(const TProgram &Program) {
    HFONT Font = WindowFont();
    for (const TControlRow &Row : ControlRows)
        if (lstrcmpiW(Row.ClassName, L"Static") == 0 && Row.ExStyle != StaticEdge) // no separator
            CheckTextIn(ControlOf(Program, Row.Control), Program.Window, Font, Row.Name,
                        LabelFormat);
    for (TControl Box : {TControl::PasswordBox, TControl::MoneyBox}) {
        HWND Handle = ControlOf(Program, Box);
        CheckTextIn(Handle, Program.Window, Font, RowOf(Box).Name, LineFormat, EditMargins(Handle));
    }
    // The selection field of a list of the same style and size.
    HWND Host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, Scaled(500), Scaled(300),
                                nullptr, nullptr, nullptr, nullptr);
    for (const TListFacts &Facts : ListFacts) {
        HWND List = ControlOf(Program, Facts.List);
        RECT Place;
        GetWindowRect(List, &Place);
        HWND Twin = CreateWindowExW(0, L"COMBOBOX", L"", RowOf(Facts.List).Style, 0, 0,
                                    Place.right - Place.left, Scaled(RowOf(Facts.List).Height),
                                    Host, nullptr, nullptr, nullptr);
        SendMessageW(Twin, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        COMBOBOXINFO Info = {};
        Info.cbSize = sizeof Info;
        GetComboBoxInfo(Twin, &Info);
        // The text starts a pixel into the field.
        SIZE Room = {Info.rcItem.right - Info.rcItem.left - 1,
                     Info.rcItem.bottom - Info.rcItem.top};
        for (int Index = 0; Index < Facts.EntryCount; ++Index)
            CheckWhole(RowOf(Facts.List).Name, ListEntry(List, Index), Font, LineFormat, Room);
    }
    DestroyWindow(Host);
    DeleteObject(Font);
}

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The dialog holding a password with repairs: every control inside it, its
// texts whole in the font that its template gives at this DPI (taken from a
// copy of the dialog made here from the program's resources).
void CheckDialogTextsWhole(const TProgram &Program) {
    char Text[PasswordLength], Broken[PasswordLength];
    PasswordOf(DialogRecord(), Text);
    TDecodeResult Result;
    HWND Dialog = OpenByMenu(Program);
    if (Dialog == nullptr || !Check(BreakPassword(Text, Broken, Result), L"no broken password"))
        return;
    TypeText(TypedForm(Broken).c_str());
    HWND List = GetDlgItem(Dialog, DialogListId);
    Check(WaitFor([&] { return SendMessageW(List, LB_GETCOUNT, 0, 0) > 0; }),
          L"the dialog lists no repairs");
    HMODULE Module = LoadLibraryExW(ProgramPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND Copy =
        CreateDialogParamW(Module, MAKEINTRESOURCEW(DialogTemplateId), nullptr, IdleDialogProc, 0);
    HFONT Font = reinterpret_cast<HFONT>(SendMessageW(Copy, WM_GETFONT, 0, 0));
    RECT Client;
    GetClientRect(Dialog, &Client);
    for (HWND Child = GetWindow(Dialog, GW_CHILD); Child != nullptr;
         Child = GetWindow(Child, GW_HWNDNEXT)) {
        RECT Place;
        GetWindowRect(Child, &Place);
        MapWindowPoints(HWND_DESKTOP, Dialog, reinterpret_cast<POINT *>(&Place), 2);
        RECT Inside;
        IntersectRect(&Inside, &Place, &Client);
        Check(EqualRect(&Inside, &Place) != 0, L"dialog control %d reaches out of the dialog",
              GetDlgCtrlID(Child));
    }
    CheckTextIn(GetDlgItem(Dialog, DialogPromptId), Dialog, Font, L"the prompt", LabelFormat);
    CheckTextIn(GetDlgItem(Dialog, DialogStatusId), Dialog, Font, L"the status", LabelFormat);
    HWND Field = GetDlgItem(Dialog, DialogFieldId);
    CheckTextIn(Field, Dialog, Font, L"the field", LineFormat, EditMargins(Field));
    // A button's raised frame and focus rectangle take about 3 pixels a side.
    for (int Id : {DialogTakeId, DialogOkId, DialogCancelId})
        CheckTextIn(GetDlgItem(Dialog, Id), Dialog, Font, L"a button", LineFormat,
                    Scaled(SIZE{6, 6}));
    DestroyWindow(Copy);
    FreeLibrary(Module);
    PressKey(VK_ESCAPE);
    Check(WaitFor([&] { return !IsWindow(Dialog); }), L"Escape leaves the dialog open");
}

// Every text of the window and of the dialog whole, none cut by its control.
void CaseTextsWhole() {
    TProgram Program;
    if (StartProgram(Program)) {
        CheckWindowTextsWhole(Program);
        CheckDialogTextsWhole(Program);
    }
    StopProgram(Program);
}

// Every trackbar as the screen shows it: a channel across most of its width,
// below it one mark for each position, and nothing at its edges, where a part
// too large for the bar would be cut off.
void CaseTrackbarsDrawn() {
    TProgram Program;
    if (!StartProgram(Program)) {
        StopProgram(Program);
        return;
    }
    const uint32_t Background = BackgroundColour();
    TImage Screen = CaptureClient(Program);
    for (const TTrackbarFacts &Facts : TrackbarFacts) {
        const wchar_t *Name = RowOf(Facts.Bar).Name;
        HWND Bar = ControlOf(Program, Facts.Bar);
        RECT Place;
        GetClientRect(Bar, &Place);
        MapWindowPoints(Bar, Program.Window, reinterpret_cast<POINT *>(&Place), 2);
        int Width = Place.right - Place.left, Height = Place.bottom - Place.top;
        auto Ink = [&](int X, int Y) {
            return Screen.At(Place.left + X, Place.top + Y) != Background;
        };
        // The channel: the first row inked across more than half the bar.
        int Channel = -1;
        for (int Y = 0; Y < Height && Channel < 0; ++Y) {
            int Inked = 0;
            for (int X = 0; X < Width; ++X)
                Inked += Ink(X, Y);
            if (Inked > Width / 2)
                Channel = Y;
        }
        // The ticks: a row below it with as many separate marks as positions.
        int Ticks = -1;
        for (int Y = Channel + 1; Channel >= 0 && Y < Height && Ticks < 0; ++Y) {
            int Marks = 0;
            for (int X = 0; X < Width; ++X)
                Marks += Ink(X, Y) && (X == 0 || !Ink(X - 1, Y));
            if (Marks == Facts.Maximum + 1)
                Ticks = Y;
        }
        // The ticks may run down to the bottom row; nothing else may.
        int AtEdges = 0;
        for (int X = 0; X < Width; ++X)
            AtEdges += Ink(X, 0) + (Ink(X, Height - 1) && !(Ticks >= 0 && Ink(X, Ticks)));
        for (int Y = 0; Y < Height; ++Y)
            AtEdges += Ink(0, Y) + Ink(Width - 1, Y);
        Check(Channel >= 0, L"%ls (%d x %d) draws no channel", Name, Width, Height);
        Check(Ticks >= 0, L"%ls (%d x %d) draws no row of %d ticks below its channel (row %d)",
              Name, Width, Height, Facts.Maximum + 1, Channel);
        Check(AtEdges == 0, L"%ls (%d x %d) draws %d pixels at its edges", Name, Width, Height,
              AtEdges);
    }
    StopProgram(Program);
}

// For the README's picture: the dialog over the window, holding a password
// that fails its checks, with its repairs.
int ShowDialog() {
    TProgram Program;
    if (!StartProgram(Program))
        return 1;
    char Text[PasswordLength], Broken[PasswordLength];
    PasswordOf(DialogRecord(), Text);
    TDecodeResult Result;
    HWND Dialog = OpenByMenu(Program);
    if (Dialog == nullptr || !BreakPassword(Text, Broken, Result))
        return 1;
    TypeText(TypedForm(Broken).c_str());
    HWND List = GetDlgItem(Dialog, DialogListId);
    WaitFor([&] { return SendMessageW(List, LB_GETCOUNT, 0, 0) > 0; });
    ClickAt(ScreenPointOf(List, 30, 6));
    Sleep(300);
    RECT Outer, Own;
    GetWindowRect(Program.Window, &Outer);
    GetWindowRect(Dialog, &Own);
    Print(L"shown %ld %ld %ld %ld", std::min(Outer.left, Own.left), std::min(Outer.top, Own.top),
          std::max(Outer.right, Own.right), std::max(Outer.bottom, Own.bottom));
    WaitForExit(Program, 120000);
    StopProgram(Program);
    return FailureCount == 0 ? 0 : 1;
}

int ShowProgram() {
    TProgram Program;
    if (!StartProgram(Program))
        return 1;
    CheckPassword(Program, L"opening");
    CheckPictures(Program, L"opening");
    RECT Outer;
    GetWindowRect(Program.Window, &Outer);
    Print(L"shown %ld %ld %ld %ld", Outer.left, Outer.top, Outer.right, Outer.bottom);
    WaitForExit(Program, 120000);
    StopProgram(Program);
    return FailureCount == 0 ? 0 : 1;
}

struct TCase {
    const wchar_t *Name;
    void (*Run)();
};

const TCase Cases[] = {
    {L"layout", CaseLayout},          // caption, frame, 31 controls, lists, bars, first password
    {L"list-keys", CaseListKeys},     // every entry of every list by keyboard
    {L"list-clicks", CaseListClicks}, // entries chosen in the dropped lists
    {L"cars", CaseCars},              // the visibility rule and pictures for all eight cars
    {L"trackbar-keys", CaseTrackbarKeys},     // keys on all seven bars, numbers and pictures
    {L"thumb-drag", CaseThumbDrag},           // thumbs dragged through every position
    {L"money", CaseMoney},                    // typing, pasting, bad input, the empty box
    {L"tab-order", CaseTabOrder},             // keyboard order, hidden bars skipped, selections
    {L"redraw", CaseRedraw},                  // covering, minimising, focus on the window
    {L"close", CaseClose},                    // close command and Alt+F4: exit code 0
    {L"two-copies", CaseTwoCopies},           // two copies side by side
    {L"fault", CaseFault},                    // the default fault report and its exit code
    {L"dialog-menu", CaseDialogMenu},         // tip, system menu, a typed password loaded
    {L"dialog-hidden", CaseDialogHidden},     // levels of hidden bars: notice, window's password
    {L"dialog-repair", CaseDialogRepair},     // bad character, failing checks, a repair loaded
    {L"dialog-cancel", CaseDialogCancel},     // Cancel and Escape change nothing
    {L"dialog-paste", CaseDialogPaste},       // Ctrl+V in the password box
    {L"texts-whole", CaseTextsWhole},         // no text of the window or the dialog cut
    {L"trackbars-drawn", CaseTrackbarsDrawn}, // channel, ticks, nothing cut off
    {L"speaks", CaseSpeaks},                  // what a screen reader reads and is told
    {L"colours", CaseColours},                // a high-contrast pair of system colours
};

} // namespace

int wmain(int ArgumentCount, wchar_t **Arguments) {
    if (ArgumentCount < 3) {
        Print(L"usage: rnrr-e2e PROGRAM CASE... | rnrr-e2e PROGRAM bench BARE");
        return 2;
    }
    ProgramPath = Arguments[1];
    if (lstrcmpW(Arguments[2], L"--dpi") == 0 && ArgumentCount >= 5) {
        ExpectedDpi = _wtoi(Arguments[3]);
        Arguments += 2;
        ArgumentCount -= 2;
    }
    if (!UseExpectedDpi())
        return 1;
    if (lstrcmpW(Arguments[2], L"bench") == 0)
        return ArgumentCount > 3 ? RunBenchmarks(Arguments[3]) : 2;
    if (lstrcmpW(Arguments[2], L"show") == 0)
        return ShowProgram();
    if (lstrcmpW(Arguments[2], L"show-dialog") == 0)
        return ShowDialog();
    if (lstrcmpW(Arguments[2], L"states") == 0)
        return ArgumentCount > 3 ? PasswordsOfStates(Arguments[3]) : 2;
    if (lstrcmpW(Arguments[2], L"notices") == 0)
        return ArgumentCount > 3 ? NoticesOfPasswords(Arguments[3]) : 2;
    for (int Index = 2; Index < ArgumentCount; ++Index) {
        const TCase *Found = nullptr;
        for (const TCase &Case : Cases)
            if (lstrcmpW(Case.Name, Arguments[Index]) == 0)
                Found = &Case;
        if (Found == nullptr) {
            Print(L"unknown case %ls", Arguments[Index]);
            return 2;
        }
        CurrentCase = Found->Name;
        int FailuresBefore = FailureCount;
        Found->Run();
        Print(L"%ls: %ls", Found->Name, FailureCount == FailuresBefore ? L"passed" : L"FAILED");
    }
    return FailureCount == 0 ? 0 : 1;
}
