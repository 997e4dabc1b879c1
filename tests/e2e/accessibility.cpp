// The e2e cases of the window as a blind or low-vision player meets it,
// from another process: what a screen reader reads of each input control,
// the change it is told of, and the window in the system's colours.
#include "driver.h"
#include "screen_reader.h"

#include <commctrl.h>

#include <vector>

namespace {

// What a screen reader is to hear of each input control, written out from
// the window's texts: its name and role; for an item bar the car's icon
// beside it, for a bar that a car can hide whether the car shows it.
struct TSpokenFacts {
    TControl Control;
    const wchar_t *Name;
    LONG Role;
    int TCarFacts::*Icon = nullptr;
    bool TCarFacts::*Shown = nullptr;
};

using C = TCarFacts;
const TSpokenFacts SpokenFacts[] = {
    {TControl::PasswordBox, L"Пароль", ROLE_SYSTEM_TEXT},
    {TControl::HeroList, L"Герой", ROLE_SYSTEM_COMBOBOX},
    {TControl::ColorList, L"Цвет", ROLE_SYSTEM_COMBOBOX},
    {TControl::CarList, L"Машина", ROLE_SYSTEM_COMBOBOX},
    {TControl::MoneyBox, L"Деньги, тысяч долларов", ROLE_SYSTEM_TEXT},
    {TControl::DifficultyList, L"Сложность", ROLE_SYSTEM_COMBOBOX},
    {TControl::PlanetList, L"Планета", ROLE_SYSTEM_COMBOBOX},
    {TControl::DivisionList, L"Дивизия", ROLE_SYSTEM_COMBOBOX},
    {TControl::WeaponBar, L"Оружие", ROLE_SYSTEM_SLIDER, &C::WeaponIcon},
    {TControl::BoostBar, L"Ускорение", ROLE_SYSTEM_SLIDER, &C::BoostIcon},
    {TControl::DropBar, L"Сброс", ROLE_SYSTEM_SLIDER, &C::DropIcon},
    {TControl::EngineBar, L"Двигатель", ROLE_SYSTEM_SLIDER},
    {TControl::ArmorBar, L"Броня", ROLE_SYSTEM_SLIDER},
    {TControl::ShocksBar, L"Амортизаторы", ROLE_SYSTEM_SLIDER, nullptr, &C::ShocksShown},
    {TControl::TiresBar, L"Шины", ROLE_SYSTEM_SLIDER, nullptr, &C::TiresShown},
};

// The description of an item bar: what its icon shows, by the icon numbers
// of CarFacts.
const wchar_t *IconWords(int Icon) {
    const wchar_t *const Words[] = {
        L"Значок: орудийная башня", L"Значок: мина",  L"Значок: два газовых баллона",
        L"Значок: два столбика",    L"Значок: ведро", L"Значок: барабан",
        L"Значок: ракета",
    };
    return Icon == ExtraIcon ? L"Значок: диск с шипами" : Words[Icon];
}

// What the control shows, read through its own messages: a list's selected
// entry, a bar's position, a box's text.
std::wstring ShownValue(const TProgram &Program, TControl Control) {
    HWND Handle = ControlOf(Program, Control);
    const wchar_t *Class = RowOf(Control).ClassName;
    if (lstrcmpiW(Class, L"ComboBox") == 0)
        return ListEntry(Handle, SelectionOf(Handle));
    if (lstrcmpiW(Class, TRACKBAR_CLASSW) == 0)
        return std::to_wstring(PositionOf(Handle));
    return TextOf(Handle);
}

// Every input control as a screen reader reads it, against what the window
// shows; the log gets each reading.
void CheckSpoken(const TProgram &Program, const wchar_t *After) {
    const TCarFacts &Car = CarFacts[SelectionOf(ControlOf(Program, TControl::CarList)) & 7];
    for (const TSpokenFacts &Facts : SpokenFacts) {
        const wchar_t *Name = RowOf(Facts.Control).Name;
        TSpoken Read;
        std::wstring Shown;
        // The window may still be taking in the last action.
        Await(
            [&] {
                Read = SpokenOf(ControlOf(Program, Facts.Control));
                Shown = ShownValue(Program, Facts.Control);
                return SUCCEEDED(Read.Result) && Read.Value == Shown;
            },
            [&] {
                return Say(
                    L"after %ls, %ls to say what it shows (\"%ls\"); it says \"%ls\" (%08lX)",
                    After, Name, Shown.c_str(), Read.Value.c_str(),
                    static_cast<unsigned long>(Read.Result));
            });
        Print(L"%ls, %ls: %ls", After, Name, SpokenText(Read).c_str());
        Check(Read.Name == Facts.Name, L"after %ls, %ls is named \"%ls\", not \"%ls\"", After, Name,
              Read.Name.c_str(), Facts.Name);
        Check(Read.Role == Facts.Role, L"after %ls, %ls has role %ld, not %ld", After, Name,
              Read.Role, Facts.Role);
        Check(Read.Value == Shown, L"after %ls, %ls says \"%ls\", the control shows \"%ls\"", After,
              Name, Read.Value.c_str(), Shown.c_str());
        const bool ReadOnly = (Read.State & STATE_SYSTEM_READONLY) != 0;
        Check(ReadOnly == (Facts.Control == TControl::PasswordBox),
              L"after %ls, %ls is %lsread-only", After, Name, ReadOnly ? L"" : L"not ");
        const bool Invisible = (Read.State & STATE_SYSTEM_INVISIBLE) != 0;
        Check(Invisible == (Facts.Shown != nullptr && !(Car.*Facts.Shown)),
              L"after %ls, %ls is %lsinvisible", After, Name, Invisible ? L"" : L"not ");
        // An item bar's icon; no other control has a description.
        const wchar_t *Described = Facts.Icon != nullptr ? IconWords(Car.*Facts.Icon) : L"";
        Check(Read.Description == Described, L"after %ls, %ls is described \"%ls\", not \"%ls\"",
              After, Name, Read.Description.c_str(), Described);
    }
}

// Another object of a control (its window) and another child of its client
// area get the system's standard answers: what standard objects made here say.
void CheckStandardAnswers(const TProgram &Program) {
    const struct { LONG Object, Child; } Asks[] = {{OBJID_WINDOW, CHILDID_SELF}, {OBJID_CLIENT, 1}};
    for (const TSpokenFacts &Facts : SpokenFacts)
        for (const auto &Ask : Asks) {
            HWND Control = ControlOf(Program, Facts.Control);
            IAccessible *Asked = AccessibleOf(Control, Ask.Object), *Standard = nullptr;
            CreateStdAccessibleObject(Control, Ask.Object, __uuidof(IAccessible),
                                      reinterpret_cast<void **>(&Standard));
            if (Check(Asked != nullptr && Standard != nullptr, L"%ls: no object %ld",
                      RowOf(Facts.Control).Name, Ask.Object)) {
                const TSpoken Got = Spoken(Asked, Ask.Child), Want = Spoken(Standard, Ask.Child);
                Check(Got.Result == Want.Result && SpokenText(Got) == SpokenText(Want),
                      L"%ls, object %ld, child %ld: %ls (%08lX), the standard object: %ls (%08lX)",
                      RowOf(Facts.Control).Name, Ask.Object, Ask.Child, SpokenText(Got).c_str(),
                      static_cast<unsigned long>(Got.Result), SpokenText(Want).c_str(),
                      static_cast<unsigned long>(Want.Result));
            }
            for (IAccessible *Object : {Asked, Standard})
                if (Object != nullptr)
                    Object->Release();
        }
}

// The events that the program raises, seen out of context; they arrive
// while this thread takes its messages.
struct TEvent {
    DWORD Event;
    HWND Window;
    LONG Object, Child;
};
std::vector<TEvent> Events;

void CALLBACK KeepEvent(HWINEVENTHOOK, DWORD Event, HWND Window, LONG Object, LONG Child, DWORD,
                        DWORD) {
    Events.push_back({Event, Window, Object, Child});
}

void AwaitTakingMessages(const std::function<bool()> &Condition,
                         const std::function<std::wstring()> &Awaited) {
    Await(
        [&] {
            MSG Message;
            while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&Message);
            return Condition();
        },
        Awaited);
}

bool ValueChanged(HWND Control) {
    for (const TEvent &Seen : Events)
        if (Seen.Event == EVENT_OBJECT_VALUECHANGE && Seen.Window == Control &&
            Seen.Object == OBJID_CLIENT && Seen.Child == CHILDID_SELF)
            return true;
    return false;
}

// A bar moved by its key: its value and the password box's value change,
// and the box raises its value-change event.
void CheckBarMove(const TProgram &Program) {
    HWND Bar = ControlOf(Program, TControl::WeaponBar);
    HWND Box = ControlOf(Program, TControl::PasswordBox);
    FocusControl(Program, TControl::WeaponBar);
    const std::wstring Before = SpokenOf(Box).Value;
    const int Position = PositionOf(Bar);
    HWINEVENTHOOK Hook =
        SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, KeepEvent,
                        Program.Process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    Check(Hook != nullptr, L"no WinEvent hook (error %lu)", GetLastError());
    Events.clear();
    PressKey(VK_LEFT);
    const std::wstring Moved = std::to_wstring(Position - 1);
    TSpoken BarRead, BoxRead;
    AwaitTakingMessages(
        [&] {
            BarRead = SpokenOf(Bar);
            BoxRead = SpokenOf(Box);
            return BarRead.Value == Moved && BoxRead.Value != Before &&
                   BoxRead.Value == TextOf(Box);
        },
        [&] {
            return Say(L"after Left on WeaponBar, it to say \"%ls\" and the password box a new "
                       L"password; they say \"%ls\" and \"%ls\" (before \"%ls\", shown \"%ls\")",
                       Moved.c_str(), BarRead.Value.c_str(), BoxRead.Value.c_str(), Before.c_str(),
                       TextOf(Box).c_str());
        });
    AwaitTakingMessages([&] { return ValueChanged(Box); },
                        [&] {
                            return Say(L"after Left on WeaponBar, a value change of the password "
                                       L"box; %u other events seen",
                                       static_cast<unsigned>(Events.size()));
                        });
    Print(L"value changes seen: the password box %ls, WeaponBar %ls",
          ValueChanged(Box) ? L"yes" : L"no", ValueChanged(Bar) ? L"yes" : L"no");
    UnhookWinEvent(Hook);
}

void SpeaksUntilClosed(TProgram &Program) {
    CheckSpoken(Program, L"opening");
    CheckStandardAnswers(Program);
    // Havac hides the shocks and tires bars.
    ChooseWithKeys(Program, TControl::CarList, 4);
    CheckSpoken(Program, L"choosing Havac");
    CheckBarMove(Program);
    // A client that keeps an object after the window has closed.
    IAccessible *Kept = AccessibleOf(ControlOf(Program, TControl::PasswordBox));
    PostMessageW(Program.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Check(WaitForExit(Program) == 0, L"the window closed with a client holding an object, but the "
                                     L"program did not end with exit code 0");
    if (Check(Kept != nullptr, L"no object of the password box to keep")) {
        const TSpoken Late = Spoken(Kept);
        Check(FAILED(Late.Result), L"the kept object still answers: %ls", SpokenText(Late).c_str());
        Kept->Release();
    }
}

// ---- the system's colours ------------------------------------------------------

// Pixels of a rectangle (of the 96-DPI layout) in Text, and in neither Text
// nor Face nor a blend of the two: text in yellow antialiased on navy, whose
// blends have red and green alike and at most navy's blue.
struct TInk {
    int InText, Foreign;
};

TInk InkOf(const TImage &Screen, RECT Area, COLORREF Text, COLORREF Face) {
    auto Pixel = [](COLORREF Colour) {
        return uint32_t(GetRValue(Colour) << 16 | GetGValue(Colour) << 8 | GetBValue(Colour));
    };
    TInk Ink = {0, 0};
    for (int Y = Scaled(Area.top); Y < Scaled(Area.bottom); ++Y)
        for (int X = Scaled(Area.left); X < Scaled(Area.right); ++X) {
            const uint32_t At = Screen.At(X, Y);
            const uint32_t Red = At >> 16, Green = (At >> 8) & 0xFF, Blue = At & 0xFF;
            Ink.InText += At == Pixel(Text);
            Ink.Foreign += At != Pixel(Text) && At != Pixel(Face) && !(Red == Green && Blue <= 128);
        }
    return Ink;
}

// The window with Havac, whose bars leave two pictures' places empty, in
// the pair Face, Text of system colours.
void CheckInColours(const TProgram &Program, const COLORREF (&Pair)[2]) {
    ChooseWithKeys(Program, TControl::CarList, 4);
    // Places of the 96-DPI layout: the gap between the two columns of
    // lists, and texts that the window's controls draw.
    const RECT Gap = {242, 40, 248, 140};
    const struct {
        const wchar_t *Name;
        RECT Area;
    } Texts[] = {
        {L"the password label", {5, 15, 75, 39}},
        {L"the weapon count", {158, 161, 168, 185}},
        {L"the help text", {5, 309, 400, 378}}, // cut by the client area's foot
    };
    TImage Screen;
    auto Face = [&](POINT At, SIZE Size) { return NonBackground(Screen, At, Size); };
    Await(
        [&] {
            Screen = CaptureClient(Program);
            return Face({Gap.left, Gap.top}, {Gap.right - Gap.left, Gap.bottom - Gap.top}) == 0 &&
                   Face(ShocksAt, UpgradeCell) == 0 && Face(TiresAt, UpgradeCell) == 0;
        },
        [&] {
            return Say(L"every pixel between the lists and in the places of the hidden bars' "
                       L"pictures in the face colour %06lX; %d, %d and %d are not",
                       Pair[0],
                       Face({Gap.left, Gap.top}, {Gap.right - Gap.left, Gap.bottom - Gap.top}),
                       Face(ShocksAt, UpgradeCell), Face(TiresAt, UpgradeCell));
        });
    for (const auto &Text : Texts) {
        const TInk Ink = InkOf(Screen, Text.Area, Pair[1], Pair[0]);
        Check(Ink.InText > 0 && Ink.Foreign == 0,
              L"%ls has %d pixels in the text colour and %d in neither colour of the pair",
              Text.Name, Ink.InText, Ink.Foreign);
    }
}

} // namespace

// Every input control's name, role, value and state and the item bars'
// descriptions, at the start and with bars hidden; a bar moved and the
// password box's value-change event; other objects and children; an
// object kept after the window has closed.
void CaseSpeaks(TProgram &Program) {
    // A screen reader's thread, in an apartment of its own.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SpeaksUntilClosed(Program);
    CoUninitialize();
}

// A high-contrast pair of system colours set before the window opens: its
// face, the places of the hidden bars' pictures and its texts are in them.
// Wine gives a process the system's colours as they were when it started, so
// the copy given is started again once they are set, and ended with the case.
void CaseColours(TProgram &Program) {
    // Yellow on navy, a pair of high contrast unlike Wine's defaults.
    const int Elements[2] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF Pair[2] = {RGB(0, 0, 128), RGB(255, 255, 0)};
    const COLORREF Before[2] = {GetSysColor(Elements[0]), GetSysColor(Elements[1])};
    if (!Check(SetSysColors(2, Elements, Pair) != 0, L"SetSysColors fails (error %lu)",
               GetLastError()))
        return;
    // The colours go back however the case ends.
    struct TRestore {
        const int *Elements;
        const COLORREF *Colours;
        ~TRestore() { SetSysColors(2, Elements, Colours); }
    } Restore = {Elements, Before};
    StartProgram(Program);
    CheckInColours(Program, Pair);
    StopProgram(Program);
}
