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
// show now; waits for the drawing, and names each picture still wrong at the
// deadline.
void CheckPictures(const TProgram &Program, const wchar_t *After) {
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
    Await(AllRight, [&] {
        std::wstring Wrong;
        for (const TPictureCheck &Picture : Pictures)
            if (int Count = Picture.Mismatching(Screen))
                Wrong += Say(L"; the %ls has %d wrong pixels", Picture.Name, Count);
        return Say(L"the pictures after %ls, car %d", After, Car) + Wrong;
    });
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
    StartProgram(Program);
    CheckLayout(Program);
}

// ---- the lists ----------------------------------------------------------------

// Every entry of every list chosen with the keyboard: Down from Home, then Up
// and End; the password follows each selection.
void CaseListKeys() {
    TProgram Program;
    StartProgram(Program);
    for (const TListFacts &Facts : ListFacts) {
        HWND List = ControlOf(Program, Facts.List);
        const wchar_t *Name = RowOf(Facts.List).Name;
        FocusControl(Program, Facts.List);
        // Where a key leaves the list, and the password for it.
        auto Reaches = [&](int Index, const wchar_t *What) {
            Await([&] { return SelectionOf(List) == Index; },
                  [&] {
                      return Say(L"%ls to select entry %d of %ls; it selects %d", What, Index, Name,
                                 SelectionOf(List));
                  });
            CheckPassword(Program, What);
        };
        PressKey(VK_HOME);
        for (int Index = 0; Index < Facts.EntryCount; ++Index) {
            if (Index > 0)
                PressKey(VK_DOWN);
            wchar_t What[64];
            wsprintfW(What, L"Down to %ls entry %d", Name, Index);
            Reaches(Index, What);
        }
        PressKey(VK_UP);
        Reaches(Facts.EntryCount - 2, L"Up in a list");
        PressKey(VK_HOME);
        PressKey(VK_END);
        Reaches(Facts.EntryCount - 1, L"End in a list");
    }
}

// A click on a list drops it; a click on an entry of the dropped part chooses it.
void CaseListClicks() {
    TProgram Program;
    StartProgram(Program);
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
        HWND Dropped = DropList(Program, List);
        if (!Check(EntryInView(Dropped, Click.Index), L"%ls entry %d is not in view when dropped",
                   Name, Click.Index)) {
            PressKey(VK_ESCAPE);
            continue;
        }
        ClickDroppedEntry(Program, Dropped, Click.Index);
        wchar_t What[64];
        wsprintfW(What, L"a click on %ls entry %d", Name, Click.Index);
        Await([&] { return !IsWindowVisible(Dropped); },
              [&] { return Say(L"the list to close after %ls", What); });
        Await([&] { return SelectionOf(List) == Click.Index; },
              [&] { return Say(L"%ls to select it; it selects %d", What, SelectionOf(List)); });
        CheckPassword(Program, What);
    }
}

// Every car: the shocks and tires bars follow the documented rule, the hidden
// ones count as level 0, and the icons and blank areas follow the car.
void CaseCars() {
    TProgram Program;
    StartProgram(Program);
    HWND Shocks = ControlOf(Program, TControl::ShocksBar);
    HWND Tires = ControlOf(Program, TControl::TiresBar);
    auto Shown = [](HWND Bar) { return IsWindowVisible(Bar) ? L"shown" : L"hidden"; };
    for (int Car = 0; Car < 8; ++Car) {
        ChooseWithKeys(Program, TControl::CarList, Car);
        wchar_t What[64];
        wsprintfW(What, L"choosing car %d", Car);
        const TCarFacts &Facts = CarFacts[Car];
        Await(
            [&] {
                return (IsWindowVisible(Shocks) != 0) == Facts.ShocksShown &&
                       (IsWindowVisible(Tires) != 0) == Facts.TiresShown;
            },
            [&] {
                return Say(L"the bars to follow %ls: ShocksBar is %ls, TiresBar %ls", What,
                           Shown(Shocks), Shown(Tires));
            });
        CheckPassword(Program, What);
        CheckPictures(Program, What);
    }
    // A hidden bar keeps its position, and it counts again once shown: set
    // the tires to 1 with Dirt Devil, hide the bar with Battle Trak, show it
    // again with Air Blade.
    ChooseWithKeys(Program, TControl::CarList, 0);
    FocusControl(Program, TControl::TiresBar);
    PressKey(VK_HOME);
    PressKey(VK_RIGHT);
    Await([&] { return PositionOf(Tires) == 1; },
          [&] { return Say(L"TiresBar to move to 1; it is at %d", PositionOf(Tires)); });
    ChooseWithKeys(Program, TControl::CarList, 3);
    Await([&] { return !IsWindowVisible(Tires); }, L"Battle Trak to hide TiresBar");
    CheckPassword(Program, L"hiding TiresBar at level 1");
    ChooseWithKeys(Program, TControl::CarList, 2);
    Await([&] { return IsWindowVisible(Tires) != 0; }, L"Air Blade to show TiresBar");
    Check(PositionOf(Tires) == 1, L"TiresBar lost its position while hidden: %d",
          PositionOf(Tires));
    CheckPassword(Program, L"showing TiresBar again");
    CheckPictures(Program, L"showing TiresBar again");
}

// ---- the trackbars --------------------------------------------------------------

// The count label beside an item bar (the control after it) reading Number.
void CheckCount(const TProgram &Program, TControl Bar, int Number, const wchar_t *After) {
    HWND Count = ControlOf(Program, static_cast<TControl>(static_cast<int>(Bar) + 1));
    std::wstring Wanted = std::to_wstring(Number);
    Await([&] { return TextOf(Count) == Wanted; },
          [&] {
              return Say(L"the count label after %ls to read \"%ls\"; it reads \"%ls\"", After,
                         Wanted.c_str(), TextOf(Count).c_str());
          });
}

// Keys on every bar: Home, Right, End, Left, Page Down, Page Up. Item bars
// show their number, upgrade bars their picture for the level.
void CaseTrackbarKeys() {
    TProgram Program;
    StartProgram(Program);
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
        FocusControl(Program, Facts.Bar);
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
            Await(
                [&] { return PositionOf(Bar) == Want; },
                [&] { return Say(L"%ls to reach %d; it is at %d", What, Want, PositionOf(Bar)); });
            CheckPassword(Program, What);
            if (Facts.HasCount)
                CheckCount(Program, Facts.Bar, Want, What);
        }
        CheckPictures(Program, Name);
    }
}

// A thumb dragged with the mouse across every position, there and back: the
// password and the number follow each position passed, and the release too.
void CaseThumbDrag() {
    TProgram Program;
    StartProgram(Program);
    BringToFront(Program);
    const TControl Bars[] = {TControl::WeaponBar, TControl::DropBar, TControl::EngineBar,
                             TControl::ArmorBar};
    for (TControl BarName : Bars) {
        HWND Bar = ControlOf(Program, BarName);
        const wchar_t *Name = RowOf(BarName).Name;
        int Maximum = static_cast<int>(SendMessageW(Bar, TBM_GETRANGEMAX, 0, 0));
        int Start = PositionOf(Bar);
        PressThumb(Program, BarName);
        // From the start down to 0, then up to the maximum.
        std::vector<int> Path;
        for (int Position = Start - 1; Position >= 0; --Position)
            Path.push_back(Position);
        for (int Position = 1; Position <= Maximum; ++Position)
            Path.push_back(Position);
        for (int Position : Path) {
            wchar_t What[64];
            wsprintfW(What, L"dragging %ls to %d", Name, Position);
            DragThumbTo(Program, BarName, Position);
            CheckPassword(Program, What);
            if (BarName == TControl::WeaponBar || BarName == TControl::DropBar)
                CheckCount(Program, BarName, Position, What);
        }
        MouseButton(false);
        Settle(Program);
        Check(PositionOf(Bar) == Maximum, L"releasing %ls leaves it at %d", Name, PositionOf(Bar));
        CheckPassword(Program, L"releasing a thumb");
        CheckPictures(Program, L"a thumb drag");
    }
}

// ---- the money box ----------------------------------------------------------------

void CaseMoney() {
    TProgram Program;
    StartProgram(Program);
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
        FocusControl(Program, TControl::CarList);
        PressKey(VK_TAB);
        Await([&] { return FocusOf(Program) == Money; },
              [&] {
                  return Say(L"Tab from CarList to reach the money box; %ls",
                             InputState(Program).c_str());
              });
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
        Settle(Program);
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
    FocusControl(Program, TControl::MoneyBox);
    std::wstring Before = TextOf(Money);
    PressKey(VK_TAB);
    AwaitFocus(Program, TControl::DifficultyList, L"Tab in the money box");
    Check(TextOf(Money) == Before, L"Tab changed the money text to \"%ls\"", TextOf(Money).c_str());
    CheckPassword(Program, L"Tab in the money box");
    Check(WaitForExit(Program, 0) == STILL_ACTIVE, L"the program ended during the money edits");
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
    FocusControl(Program, TControl::HeroList);
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
        HWND Before = ControlOf(Program, TabOrderFacts[Entry]);
        Await([&] { return FocusOf(Program) != Before; },
              [&] {
                  return Say(L"car %d: %lsTab to move the focus on from %ls; %ls", Car,
                             Modifier != 0 ? L"Shift+" : L"", From, InputState(Program).c_str());
              });
        if (!Check(FocusOf(Program) == Target, L"car %d: %lsTab from %ls does not reach %ls; %ls",
                   Car, Modifier != 0 ? L"Shift+" : L"", From, To, InputState(Program).c_str()))
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
    StartProgram(Program);
    BringToFront(Program);
    CheckTabRound(Program, 1, 0);        // Marauder: every bar shown
    CheckTabRound(Program, 1, VK_SHIFT); // Shift+Tab moves forward too
    ChooseWithKeys(Program, TControl::CarList, 3);
    CheckTabRound(Program, 3, 0); // Battle Trak: TiresBar skipped
    ChooseWithKeys(Program, TControl::CarList, 4);
    CheckTabRound(Program, 4, 0); // Havac: both skipped
    // A click into PlanetList, Escape to close it, Tab: DivisionList.
    ClickControl(ControlOf(Program, TControl::PlanetList));
    AwaitFocus(Program, TControl::PlanetList, L"a click");
    PressKey(VK_ESCAPE);
    PressKey(VK_TAB);
    AwaitFocus(Program, TControl::DivisionList, L"Tab after a click into PlanetList");
    CheckPassword(Program, L"clicks and Tab presses");
}

// ---- covering, minimising, closing ----------------------------------------------------

void CaseRedraw() {
    TProgram Program;
    StartProgram(Program);
    // Another window over the whole of it, then gone again.
    RECT Outer;
    GetWindowRect(Program.Window, &Outer);
    HWND Cover = CreateWindowExW(
        WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, Outer.left, Outer.top,
        Outer.right - Outer.left, Outer.bottom - Outer.top, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(Cover);
    // Gone once the screen shows it over the whole client area.
    TImage Screen;
    Await(
        [&] {
            Screen = CaptureClient(Program);
            return Screen.At(0, 0) != BackgroundColour() &&
                   std::all_of(Screen.Pixels.begin(), Screen.Pixels.end(), [&](uint32_t Pixel) {
                       return (Pixel & 0xFFFFFF) == Screen.At(0, 0);
                   });
        },
        L"the screen to show the covering window over the whole client area");
    DestroyWindow(Cover);
    CheckPictures(Program, L"covering and uncovering");
    CheckPassword(Program, L"covering and uncovering");
    // Minimise and restore.
    ShowWindow(Program.Window, SW_MINIMIZE);
    Await([&] { return IsIconic(Program.Window) != 0; }, L"the window to minimise");
    ShowWindow(Program.Window, SW_RESTORE);
    Await([&] { return IsIconic(Program.Window) == 0; }, L"the window to restore");
    CheckPictures(Program, L"minimising and restoring");
    CheckPassword(Program, L"minimising and restoring");
    // With no control focused, Tab does nothing; a click into a control
    // starts the order again from there.
    BringToFront(Program);
    if (FocusOf(Program) == Program.Window) {
        PressKey(VK_TAB);
        Settle(Program);
        Check(FocusOf(Program) == Program.Window, L"Tab moved the focus off the main window");
    }
    ClickControl(ControlOf(Program, TControl::MoneyBox));
    AwaitFocus(Program, TControl::MoneyBox, L"a click");
    PressKey(VK_TAB);
    AwaitFocus(Program, TControl::DifficultyList, L"Tab after a click into the money box");
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
        StartProgram(Program);
        // Focus on an upgrade bar, so that its last messages draw.
        FocusControl(Program, TControl::EngineBar);
        if (Way.AltF4)
            PressKeyWith(VK_MENU, VK_F4);
        else
            PostMessageW(Program.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        DWORD Code = WaitForExit(Program);
        Check(FindDialog(Program, L"Error") == nullptr, L"%ls shows an error box", Way.Name);
        Check(Code == 0, L"after %ls the exit code is %lu (259: still running)", Way.Name, Code);
        StopProgram(Program);
    }
}

// Two copies side by side: each has its own window and state.
void CaseTwoCopies() {
    TProgram First, Second;
    StartProgram(First);
    StartProgram(Second);
    Check(First.Window != Second.Window, L"both copies report the same window");
    SetWindowPos(Second.Window, nullptr, 500, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Await(
        [&] {
            RECT Place;
            return GetWindowRect(Second.Window, &Place) && Place.left == 500 && Place.top == 20;
        },
        L"the second copy's window to move to (500, 20)");
    std::wstring SecondBefore = TextOf(ControlOf(Second, TControl::PasswordBox));
    ChooseWithKeys(First, TControl::CarList, 4);
    CheckPassword(First, L"a car change in the first copy");
    Check(SelectionOf(ControlOf(Second, TControl::CarList)) == 1 &&
              TextOf(ControlOf(Second, TControl::PasswordBox)) == SecondBefore,
          L"a change in the first copy reached the second");
    CheckPassword(Second, L"a car change in the first copy");
    ChooseWithKeys(Second, TControl::HeroList, 6);
    CheckPassword(Second, L"a hero change in the second copy");
    CheckPassword(First, L"a hero change in the second copy");
    PostMessageW(First.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(WaitForExit(First) == 0, L"the first copy does not end with 0");
    Check(WaitForExit(Second, 0) == STILL_ACTIVE, L"closing the first copy ended the second");
    CheckPassword(Second, L"closing the first copy");
    PostMessageW(Second.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(WaitForExit(Second) == 0, L"the second copy does not end with 0");
}

// An access violation on a thread of the program: the box titled "Error"
// reads "Runtime error N at 00000010" (the thread starts at address 0x10,
// so that is where it faults; the whole address, 16 digits in the 64-bit
// program, which this driver is built beside), and the process ends with N.
void CaseFault() {
    TProgram Program;
    StartProgram(Program);
    HANDLE Thread =
        CreateRemoteThread(Program.Process.hProcess, nullptr, 0,
                           reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr, 0, nullptr);
    DWORD Error = GetLastError();
    if (!Check(Thread != nullptr, L"cannot start a thread in the program (error %lu)", Error))
        return;
    CloseHandle(Thread);
    HWND Box = nullptr;
    Await([&] { return (Box = FindDialog(Program, L"Error")) != nullptr; },
          L"a box titled \"Error\" after the fault");
    {
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
        DWORD Code = WaitForExit(Program);
        Check(Code == Number, L"the exit code is %lu, the box says %u", Code, Number);
    }
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

// The dialog "Ввести пароль", once it shows after the input named After.
HWND WaitForDialog(const TProgram &Program, const wchar_t *After) {
    HWND Dialog = nullptr;
    Await([&] { return (Dialog = FindProgramWindow(Program, L"#32770", DialogTitle)) != nullptr; },
          [&] {
              return Say(L"%ls to open the dialog \"%ls\"; %ls", After, DialogTitle,
                         InputState(Program).c_str());
          });
    return Dialog;
}

// Alt+Space, then Up (round to the last item) and Enter.
HWND OpenByMenu(const TProgram &Program) {
    BringToFront(Program);
    PressKeyWith(VK_MENU, VK_SPACE);
    Await([&] { return FindProgramWindow(Program, L"#32768") != nullptr; },
          [&] {
              return Say(L"Alt+Space to show the system menu; %ls", InputState(Program).c_str());
          });
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    return WaitForDialog(Program, L"the system menu's last item");
}

std::wstring ItemText(HWND Dialog, int Id) {
    return TextOf(GetDlgItem(Dialog, Id));
}

void WaitForStatus(HWND Dialog, const std::function<bool(const std::wstring &)> &Holds,
                   const wchar_t *What) {
    Await([&] { return Holds(ItemText(Dialog, DialogStatusId)); },
          [&] {
              return Say(L"the status line after %ls; it reads \"%ls\"", What,
                         ItemText(Dialog, DialogStatusId).c_str());
          });
}

bool Contains(const std::wstring &Text, const std::wstring &Part) {
    return Text.find(Part) != std::wstring::npos;
}

// OK (clicked, or Enter) closes the dialog.
void ConfirmDialog(const TProgram &Program, HWND Dialog, bool ByEnter) {
    HWND Ok = GetDlgItem(Dialog, DialogOkId);
    Await([&] { return IsWindowEnabled(Ok) != 0; }, L"OK to be enabled");
    if (ByEnter)
        PressKey(VK_RETURN);
    else
        ClickControl(Ok);
    Await([&] { return !IsWindow(Dialog) || !IsWindowVisible(Dialog); }, L"OK to close the dialog");
    Await([&] { return IsWindowEnabled(Program.Window) != 0; },
          L"the window to be enabled again after the dialog");
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
    Await([&] { return TextOf(Box) == Password; },
          [&] {
              return Say(L"the password box after %ls to show \"%ls\"; it shows \"%ls\"", After,
                         Password.c_str(), TextOf(Box).c_str());
          });
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
    StartProgram(Program);
    BringToFront(Program);
    HWND Box = ControlOf(Program, TControl::PasswordBox);
    MouseTo(ScreenPointOf(Box, 20, 8));
    MouseTo(ScreenPointOf(Box, 22, 10));
    HWND Tip = nullptr;
    Await([&] { return (Tip = FindProgramWindow(Program, L"tooltips_class32")) != nullptr; },
          L"a tip over the password box");
    Check(TextOf(Tip) == PasswordBoxTip, L"the tip reads \"%ls\"", TextOf(Tip).c_str());
    MouseTo(ScreenPointOf(Program.Window, 440, 370));

    HWND Dialog = OpenByMenu(Program);
    {
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
        Await([&] { return ItemText(Dialog, DialogFieldId) == Typed; },
              [&] {
                  return Say(L"the field to read \"%ls\"; it reads \"%ls\"", Typed.c_str(),
                             ItemText(Dialog, DialogFieldId).c_str());
              });
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusValid; },
            L"typing with look-alikes");
        ConfirmDialog(Program, Dialog, true);
        CheckControlsHold(Program, DialogRecord(), Password, L"a typed password");
    }
}

// A password whose car hides both bars at non-zero levels: the dialog says
// so and names the window's password, which the window then shows; the
// hidden bars keep the levels.
void CaseDialogHidden() {
    TProgram Program;
    StartProgram(Program);
    TSettings Record = DialogRecord();
    Record.Car = 4; // Havac: no shocks, no tires
    TSettings WindowRecord = Record;
    WindowRecord.Shocks = 0;
    WindowRecord.Tires = 0;
    char Text[PasswordLength], WindowText[PasswordLength];
    std::wstring Password = PasswordOf(Record, Text);
    std::wstring WindowPassword = PasswordOf(WindowRecord, WindowText);
    HWND Dialog = OpenByMenu(Program);
    {
        TypeText(Password.c_str());
        WaitForStatus(
            Dialog,
            [&](const std::wstring &S) {
                return Contains(S, WindowPassword) &&
                       Contains(S, L"амортизаторов (в пароле уровень 2)") &&
                       Contains(S, L"шин (в пароле уровень 1)");
            },
            L"a password with hidden levels");
        ConfirmDialog(Program, Dialog, false);
        CheckControlsHold(Program, Record, WindowPassword, L"a password with hidden levels");
    }
}

// A character that is never in a password is named with its place; a
// password that fails its checks names them and lists every repair with its
// password; the chosen repair goes into the field, and OK loads it.
void CaseDialogRepair() {
    TProgram Program;
    StartProgram(Program);
    char Text[PasswordLength], Broken[PasswordLength];
    PasswordOf(DialogRecord(), Text);
    TDecodeResult Result;
    HWND Dialog = OpenByMenu(Program);
    if (Check(BreakPassword(Text, Broken, Result), L"no broken password")) {
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
        Await([&] { return IsWindowEnabled(Take) != 0; },
              [&] {
                  return Say(L"choosing repair %d to enable its button; the list is at %ld", Chosen,
                             static_cast<long>(SendMessageW(List, LB_GETCURSEL, 0, 0)));
              });
        ClickControl(Take);
        std::wstring Repaired = Grouped(Repairs[Chosen].Text);
        Await([&] { return ItemText(Dialog, DialogFieldId) == Repaired; },
              [&] {
                  return Say(L"the field to read %ls after taking it; it reads \"%ls\"",
                             Repaired.c_str(), ItemText(Dialog, DialogFieldId).c_str());
              });
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusValid; }, L"taking a repair");
        ConfirmDialog(Program, Dialog, false);
        CheckControlsHold(Program, Repairs[Chosen].Record, Repaired, L"a repair");
    }
}

// Cancel, and Escape, after a valid password: no control changes.
void CaseDialogCancel() {
    TProgram Program;
    StartProgram(Program);
    std::wstring Before = ControlState(Program);
    char Text[PasswordLength];
    std::wstring Password = PasswordOf(DialogRecord(), Text);
    for (bool ByEscape : {false, true}) {
        HWND Dialog = OpenByMenu(Program);
        TypeText(Password.c_str());
        WaitForStatus(
            Dialog, [](const std::wstring &S) { return S == StatusValid; },
            L"typing before cancelling");
        if (ByEscape)
            PressKey(VK_ESCAPE);
        else
            ClickControl(GetDlgItem(Dialog, DialogCancelId));
        const wchar_t *Way = ByEscape ? L"Escape" : L"Cancel";
        Await([&] { return !IsWindow(Dialog); },
              [&] { return Say(L"%ls to close the dialog", Way); });
        Settle(Program);
        Check(ControlState(Program) == Before, L"%ls changed the controls:\n%ls", Way,
              ControlState(Program).c_str());
    }
}

// Ctrl+V in the read-only password box opens the dialog with the clipboard's
// first line; OK loads it.
void CaseDialogPaste() {
    TProgram Program;
    StartProgram(Program);
    char Text[PasswordLength];
    std::wstring Password = PasswordOf(DialogRecord(), Text);
    std::wstring Typed = TypedForm(Text);
    PutOnClipboard((Typed + L"\r\nthe next line").c_str());
    FocusControl(Program, TControl::PasswordBox);
    PressKeyWith(VK_CONTROL, 'V');
    HWND Dialog = WaitForDialog(Program, L"Ctrl+V in the password box");
    Check(ItemText(Dialog, DialogFieldId) == Typed, L"the field opens with \"%ls\"",
          ItemText(Dialog, DialogFieldId).c_str());
    WaitForStatus(
        Dialog, [](const std::wstring &S) { return S == StatusValid; }, L"pasting");
    ConfirmDialog(Program, Dialog, false);
    CheckControlsHold(Program, DialogRecord(), Password, L"a pasted password");
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
    if (!Check(BreakPassword(Text, Broken, Result), L"no broken password"))
        return;
    TypeText(TypedForm(Broken).c_str());
    HWND List = GetDlgItem(Dialog, DialogListId);
    Await([&] { return SendMessageW(List, LB_GETCOUNT, 0, 0) > 0; },
          L"the dialog to list the repairs of a broken password");
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
    Await([&] { return !IsWindow(Dialog); }, L"Escape to close the dialog");
}

// Every text of the window and of the dialog whole, none cut by its control.
void CaseTextsWhole() {
    TProgram Program;
    StartProgram(Program);
    CheckWindowTextsWhole(Program);
    CheckDialogTextsWhole(Program);
}

// Every trackbar as the screen shows it: a channel across most of its width,
// below it one mark for each position, and nothing at its edges, where a part
// too large for the bar would be cut off.
void CaseTrackbarsDrawn() {
    TProgram Program;
    StartProgram(Program);
    const uint32_t Background = BackgroundColour();
    // What is wrong with the bars on the screen now: nothing once drawn.
    auto Faults = [&] {
        TImage Screen = CaptureClient(Program);
        std::wstring Found;
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
            if (Channel < 0)
                Found += Say(L"; %ls (%d x %d) draws no channel", Name, Width, Height);
            if (Ticks < 0)
                Found += Say(L"; %ls (%d x %d) draws no row of %d ticks below its channel (row %d)",
                             Name, Width, Height, Facts.Maximum + 1, Channel);
            if (AtEdges != 0)
                Found += Say(L"; %ls (%d x %d) draws %d pixels at its edges", Name, Width, Height,
                             AtEdges);
        }
        return Found;
    };
    Await([&] { return Faults().empty(); },
          [&] { return L"every trackbar drawn whole on the screen" + Faults(); });
}

// For the README's picture: the dialog over the window, holding a password
// that fails its checks, with its repairs.
int ShowDialog() {
    TProgram Program;
    StartProgram(Program);
    char Text[PasswordLength], Broken[PasswordLength];
    PasswordOf(DialogRecord(), Text);
    TDecodeResult Result;
    HWND Dialog = OpenByMenu(Program);
    if (!BreakPassword(Text, Broken, Result))
        return 1;
    TypeText(TypedForm(Broken).c_str());
    HWND List = GetDlgItem(Dialog, DialogListId);
    Await([&] { return SendMessageW(List, LB_GETCOUNT, 0, 0) > 0; },
          L"the dialog to list the repairs of a broken password");
    // The first repair chosen, and its line drawn chosen on the screen.
    ClickAt(ScreenPointOf(List, 30, 6));
    Await([&] { return SendMessageW(List, LB_GETCURSEL, 0, 0) == 0; },
          L"a click to choose the first repair");
    uint32_t Chosen = GetSysColor(COLOR_HIGHLIGHT);
    Chosen = (GetRValue(Chosen) << 16) | (GetGValue(Chosen) << 8) | GetBValue(Chosen);
    Await(
        [&] {
            TImage Shown = CaptureClient(List);
            return std::any_of(Shown.Pixels.begin(), Shown.Pixels.end(),
                               [&](uint32_t Pixel) { return (Pixel & 0xFFFFFF) == Chosen; });
        },
        L"the screen to show the chosen repair");
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
    StartProgram(Program);
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
    try {
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
    } catch (const TCaseEnded &) {
        return 1;
    }
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
        try {
            Found->Run();
        } catch (const TCaseEnded &) {
            // Its failure is printed; the programs it started are ended.
        }
        Print(L"%ls: %ls", Found->Name, FailureCount == FailuresBefore ? L"passed" : L"FAILED");
    }
    return FailureCount == 0 ? 0 : 1;
}
