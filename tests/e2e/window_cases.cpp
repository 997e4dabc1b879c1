// The end-to-end cases of the window itself: its layout, texts and starting
// values, the lists, the trackbars, the money box, the keyboard order, and
// covering, closing and faulting it. Each checks after every action that the
// password box holds what the encoder gives for the values the controls show.
#include "cases.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

int CarOf(const TProgram &Program) {
    return SelectionOf(ControlOf(Program, TControl::CarList));
}

void ShowEveryBar(const TProgram &Program) {
    const int Car = CarOf(Program);
    if (Car >= 0 && Car < 8 && CarFacts[Car].ShocksShown && CarFacts[Car].TiresShown)
        return;
    for (const TListFacts &Facts : ListFacts)
        if (Facts.List == TControl::CarList)
            ChooseWithKeys(Program, TControl::CarList, Facts.StartIndex);
}

HWND FindDialog(const TProgram &Program, const wchar_t *Title) {
    return FindProgramWindow(Program, L"#32770", Title);
}

// ---- pictures as the window must show them ----------------------------------

namespace {

struct TPictureCheck {
    const wchar_t *Name;
    std::function<int(const TImage &)> Mismatching; // pixels that are wrong
};

} // namespace

void CheckPictures(const TProgram &Program, const wchar_t *After, const int *Levels) {
    const TImage &Sheet = ProgramBitmap(SheetId);
    const TImage &Extra = ProgramBitmap(ExtraIconId);
    int Car = CarOf(Program);
    const TCarFacts &Facts = CarFacts[Car >= 0 && Car < 8 ? Car : 0];
    int Level[4];
    for (int I = 0; I < 4; ++I)
        Level[I] = Levels != nullptr ? Levels[I] : PositionOf(ControlOf(Program, UpgradeBars[I]));
    const int Engine = Level[0], Armor = Level[1], Shocks = Level[2], Tires = Level[3];
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

namespace {

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

} // namespace

void CaseLayout(TProgram &Program) {
    CheckLayout(Program);
}

// ---- the lists ----------------------------------------------------------------

// Every entry of every list chosen with the keyboard: Down from Home, then Up
// and End; the password follows each selection.
void CaseListKeys(TProgram &Program) {
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
void CaseListClicks(TProgram &Program) {
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
void CaseCars(TProgram &Program) {
    HWND Shocks = ControlOf(Program, TControl::ShocksBar);
    HWND Tires = ControlOf(Program, TControl::TiresBar);
    auto Shown = [](HWND Bar) { return IsWindowVisible(Bar) ? L"shown" : L"hidden"; };
    // Each car's pictures as the window draws them by itself, before anything
    // asks a bar: the levels stay as they are.
    int Levels[4];
    for (int I = 0; I < 4; ++I)
        Levels[I] = PositionOf(ControlOf(Program, UpgradeBars[I]));
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
        CheckPictures(Program, What, Levels);
        CheckPassword(Program, What);
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

namespace {

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

} // namespace

// Keys on every bar: Home, Right, End, Left, Page Down, Page Up. Item bars
// show their number, upgrade bars their picture for the level.
void CaseTrackbarKeys(TProgram &Program) {
    ShowEveryBar(Program);
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
void CaseThumbDrag(TProgram &Program) {
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

void CaseMoney(TProgram &Program) {
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

namespace {

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

} // namespace

void CaseTabOrder(TProgram &Program) {
    BringToFront(Program);
    ShowEveryBar(Program);
    CheckTabRound(Program, CarOf(Program), 0);        // every bar shown
    CheckTabRound(Program, CarOf(Program), VK_SHIFT); // Shift+Tab moves forward too
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

void CaseRedraw(TProgram &Program) {
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

// The close command and Alt+F4 both end the process with exit code 0; the
// drawing that runs after the memory context is gone must not fault. The
// copy given is closed one way, a second copy the other.
void CaseClose(TProgram &Program) {
    TProgram Second;
    for (bool AltF4 : {false, true}) {
        TProgram &Closed = AltF4 ? Second : Program;
        const wchar_t *Way = AltF4 ? L"Alt+F4" : L"the close command";
        if (AltF4)
            StartProgram(Second);
        // Focus on an upgrade bar, so that its last messages draw.
        FocusControl(Closed, TControl::EngineBar);
        if (AltF4)
            PressKeyWith(VK_MENU, VK_F4);
        else
            PostMessageW(Closed.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
        DWORD Code = WaitForExit(Closed);
        Check(FindDialog(Closed, L"Error") == nullptr, L"%ls shows an error box", Way);
        Check(Code == 0, L"after %ls the exit code is %lu (259: still running)", Way, Code);
    }
}

// Two copies side by side: each has its own window and state. The copy given
// is the first; the second starts as the window opens.
void CaseTwoCopies(TProgram &First) {
    TProgram Second;
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
    const int SecondCar = CarOf(Second);
    ChooseWithKeys(First, TControl::CarList, 4);
    CheckPassword(First, L"a car change in the first copy");
    Check(CarOf(Second) == SecondCar &&
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
// so that is where it faults; the whole address, 16 digits in a 64-bit
// program), and the process ends with N.
void CaseFault(TProgram &Program) {
    HANDLE Thread =
        CreateRemoteThread(Program.Process.hProcess, nullptr, 0,
                           reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr, 0, nullptr);
    DWORD Error = GetLastError();
    if (!Check(Thread != nullptr, L"cannot start a thread in the program (error %lu)", Error))
        return;
    CloseHandle(Thread);
    HWND Box = nullptr;
    Await(
        [&] {
            return (Box = FindDialog(Program, L"Error")) != nullptr ||
                   WaitForExit(Program, 0) != STILL_ACTIVE;
        },
        L"a box titled \"Error\" after the fault");
    if (Check(Box != nullptr, L"the program ended with 0x%08lX after the fault, showing no box",
              WaitForExit(Program, 0))) {
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
        // A 64-bit driver may work the 32-bit program, which runs as WoW64.
        BOOL Wow64 = FALSE;
        IsWow64Process(Program.Process.hProcess, &Wow64);
        const bool Wide = sizeof(void *) == 8 && !Wow64;
        const wchar_t *Expected = Wide ? L"0000000000000010" : L"00000010";
        Check(lstrcmpW(Address, Expected) == 0, L"the fault address reads \"%ls\", not %ls",
              Address, Expected);
        Check(Number != 0, L"the error number is 0");
        PostMessageW(Box, WM_COMMAND, IDOK, 0);
        DWORD Code = WaitForExit(Program);
        Check(Code == Number, L"the exit code is %lu, the box says %u", Code, Number);
    }
}
