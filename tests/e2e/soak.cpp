// rnrr-soak: one copy of the program worked for a long session by random
// user actions, each followed by a check of the password box against the
// driver's own model of what the controls hold, and by a screen reader's
// reading of the focused control and of the password box, whose value must
// be the password shown. Every 1 000 actions the
// program's private bytes and handle counts are read from outside; after the
// first 1 000 they may not grow beyond the noise allowed below.
//   rnrr-soak PROGRAM [--deadline-factor F] ACTIONS [SEED]
#include "driver.h"
#include "screen_reader.h"

#include "settings.h"

#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

#include <random>
#include <string>

namespace {

constexpr int SampleEvery = 1000;
// Growth allowed after the first sample: Wine's heap takes memory in blocks
// of 64 KiB, and one block more is noise; a handle or GUI object more is not.
// Wine's RPC server may start one thread more, for a second connection of
// the screen reader's calls, at a moment of its own (seen after 259 requests
// and after some 18 000); its stack, just under 1 MiB, is not the window's.
constexpr SIZE_T PrivateBytesNoise = 64 * 1024;
constexpr DWORD HandleNoise = 0;
constexpr DWORD ThreadNoise = 1;
constexpr SIZE_T ThreadStack = 1024 * 1024;

constexpr int ListCount = sizeof(ListFacts) / sizeof(ListFacts[0]);
constexpr int BarCount = sizeof(TrackbarFacts) / sizeof(TrackbarFacts[0]);

// What the driver expects the controls to hold.
struct TModel {
    int Lists[ListCount];
    int Bars[BarCount];
    std::wstring Money;
};

int CarOf(const TModel &Model) {
    for (int I = 0; I < ListCount; ++I)
        if (ListFacts[I].List == TControl::CarList)
            return Model.Lists[I];
    return 0;
}

bool BarShown(const TModel &Model, TControl Bar) {
    const TCarFacts &Car = CarFacts[CarOf(Model)];
    return (Bar != TControl::ShocksBar || Car.ShocksShown) &&
           (Bar != TControl::TiresBar || Car.TiresShown);
}

std::wstring PasswordOfModel(const TModel &Model) {
    int *const ListFields[ListCount] = {&Settings.Hero,       &Settings.Color,  &Settings.Car,
                                        &Settings.Difficulty, &Settings.Planet, &Settings.Division};
    int *const BarFields[BarCount] = {
        &Settings.WeaponCharges, &Settings.BoostCharges, &Settings.DropCharges, &Settings.Engine,
        &Settings.Armor,         &Settings.Shocks,       &Settings.Tires};
    for (int I = 0; I < ListCount; ++I)
        *ListFields[I] = Model.Lists[I];
    for (int I = 0; I < BarCount; ++I)
        *BarFields[I] = BarShown(Model, TrackbarFacts[I].Bar) ? Model.Bars[I] : 0;
    return PasswordOfSettings(Model.Money);
}

TModel StartingModel() {
    TModel Model;
    for (int I = 0; I < ListCount; ++I)
        Model.Lists[I] = ListFacts[I].StartIndex;
    for (int I = 0; I < BarCount; ++I)
        Model.Bars[I] = TrackbarFacts[I].StartPosition;
    Model.Money = L"999";
    return Model;
}

TModel ModelOfControls(const TProgram &Program) {
    TModel Model;
    for (int I = 0; I < ListCount; ++I)
        Model.Lists[I] = SelectionOf(ControlOf(Program, ListFacts[I].List));
    for (int I = 0; I < BarCount; ++I)
        Model.Bars[I] = PositionOf(ControlOf(Program, TrackbarFacts[I].Bar));
    Model.Money = TextOf(ControlOf(Program, TControl::MoneyBox));
    return Model;
}

// "lists 0 2 1 0 0 0, bars 7 7 7 3 0 3 3, money 999"
std::wstring ModelText(const TModel &Model) {
    std::wstring Out = L"lists";
    for (int Entry : Model.Lists)
        Out += L" " + std::to_wstring(Entry);
    Out += L", bars";
    for (int Position : Model.Bars)
        Out += L" " + std::to_wstring(Position);
    return Out + L", money \"" + Model.Money + L"\"";
}

bool SameModel(const TModel &A, const TModel &B) {
    for (int I = 0; I < ListCount; ++I)
        if (A.Lists[I] != B.Lists[I])
            return false;
    for (int I = 0; I < BarCount; ++I)
        if (A.Bars[I] != B.Bars[I])
            return false;
    return A.Money == B.Money;
}

// ---- the actions -------------------------------------------------------------

std::mt19937 Random;

int Pick(int Count) {
    return std::uniform_int_distribution<int>(0, Count - 1)(Random);
}

int ListIndexOf(HWND Control, const TProgram &Program) {
    for (int I = 0; I < ListCount; ++I)
        if (ControlOf(Program, ListFacts[I].List) == Control)
            return I;
    return -1;
}

int BarIndexOf(HWND Control, const TProgram &Program) {
    for (int I = 0; I < BarCount; ++I)
        if (ControlOf(Program, TrackbarFacts[I].Bar) == Control)
            return I;
    return -1;
}

// Selects the whole text of the focused money box, as a user does with the
// keys, and returns 1..Longest random digits to put in its place.
std::wstring SelectMoneyText(int Longest) {
    PressKey(VK_HOME);
    PressKeyWith(VK_SHIFT, VK_END);
    std::wstring Digits(size_t(1 + Pick(Longest)), L'0');
    for (wchar_t &Digit : Digits)
        Digit = wchar_t(L'0' + Pick(10));
    return Digits;
}

// A key where the focus is: Up, Down, Home or End in a list; a moving key on
// a bar; digits typed over the whole text of the money box.
const wchar_t *KeyOnFocus(const TProgram &Program, TModel &Model) {
    HWND Focus = FocusOf(Program);
    const int List = ListIndexOf(Focus, Program);
    const int Bar = BarIndexOf(Focus, Program);
    if (List >= 0) {
        const WORD Keys[] = {VK_UP, VK_DOWN, VK_HOME, VK_END};
        const WORD Key = Keys[Pick(4)];
        const int Last = ListFacts[List].EntryCount - 1;
        int &Entry = Model.Lists[List];
        Entry = Key == VK_HOME  ? 0
                : Key == VK_END ? Last
                : Key == VK_UP  ? (Entry > 0 ? Entry - 1 : 0)
                                : (Entry < Last ? Entry + 1 : Last);
        PressKey(Key);
        return L"a key in a list";
    }
    if (Bar >= 0) {
        const WORD Keys[] = {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT};
        const WORD Key = Keys[Pick(6)];
        const int Maximum = TrackbarFacts[Bar].Maximum;
        int &Position = Model.Bars[Bar];
        if (Key == VK_HOME)
            Position = 0;
        else if (Key == VK_END)
            Position = Maximum;
        else if (Key == VK_RIGHT || Key == VK_NEXT)
            Position = Position < Maximum ? Position + 1 : Maximum;
        else
            Position = Position > 0 ? Position - 1 : 0;
        PressKey(Key);
        return L"a key on a bar";
    }
    if (Focus == ControlOf(Program, TControl::MoneyBox)) {
        const std::wstring Digits = SelectMoneyText(4);
        TypeDigits(Digits.c_str());
        Model.Money = Digits.substr(0, 3); // the box takes three
        return L"digits typed into the money box";
    }
    PressKey(VK_END); // the password box: moves its caret only
    return L"End in the password box";
}

const wchar_t *TabKey() {
    if (Pick(4) == 0)
        PressKeyWith(VK_SHIFT, VK_TAB);
    else
        PressKey(VK_TAB);
    return L"Tab";
}

// A click drops a list; a click on an entry of its dropped part chooses it.
const wchar_t *ListClick(const TProgram &Program, TModel &Model) {
    const int List = Pick(ListCount);
    const int Entry = Pick(ListFacts[List].EntryCount);
    HWND Box = ControlOf(Program, ListFacts[List].List);
    HWND Dropped = DropList(Program, Box);
    if (!EntryInView(Dropped, Entry)) {
        PressKey(VK_ESCAPE);
        return L"a list dropped and closed (its entry out of view)";
    }
    ClickDroppedEntry(Program, Dropped, Entry);
    Await([&] { return SendMessageW(Box, CB_GETDROPPEDSTATE, 0, 0) == 0; },
          L"a click on a list entry to close the list");
    Model.Lists[List] = Entry;
    return L"a click on a list entry";
}

// A thumb dragged from its position to another of a shown bar.
const wchar_t *ThumbDrag(const TProgram &Program, TModel &Model) {
    const int Bar = Pick(BarCount);
    const TControl Name = TrackbarFacts[Bar].Bar;
    if (!BarShown(Model, Name))
        return L"nothing (a hidden bar)";
    const int Target = Pick(TrackbarFacts[Bar].Maximum + 1);
    // Through every position on the way, each reached before the next, as
    // the thumb-drag case moves.
    PressThumb(Program, Name);
    const int Step = Target > Model.Bars[Bar] ? 1 : -1;
    for (int Position = Model.Bars[Bar]; Position != Target;) {
        Position += Step;
        DragThumbTo(Program, Name, Position);
    }
    MouseButton(false);
    Model.Bars[Bar] = Target;
    return L"a thumb drag";
}

// Digits pasted over the whole text of the money box, entered by a click.
const wchar_t *MoneyPaste(const TProgram &Program, TModel &Model) {
    ClickControl(ControlOf(Program, TControl::MoneyBox));
    AwaitFocus(Program, TControl::MoneyBox, L"a click");
    const std::wstring Digits = SelectMoneyText(3);
    PasteText(Digits.c_str());
    Model.Money = Digits;
    return L"digits pasted into the money box";
}

// Minimised and restored from outside, as the redraw case does it (the Wine
// desktop has no task bar to click); then the window comes to the front.
const wchar_t *MinimiseRestore(const TProgram &Program) {
    ShowWindow(Program.Window, SW_MINIMIZE);
    Await([&] { return IsIconic(Program.Window) != 0; }, L"the window to minimise");
    ShowWindow(Program.Window, SW_RESTORE);
    Await([&] { return IsIconic(Program.Window) == 0; }, L"the window to restore");
    BringToFront(Program);
    return L"minimise and restore";
}

const wchar_t *RandomAction(const TProgram &Program, TModel &Model) {
    // Weights out of 20: keys where the focus is 8, Tab 4, list clicks 3,
    // thumb drags 3, pasting 1, minimising 1.
    const int Roll = Pick(20);
    if (Roll < 8)
        return KeyOnFocus(Program, Model);
    if (Roll < 12)
        return TabKey();
    if (Roll < 15)
        return ListClick(Program, Model);
    if (Roll < 18)
        return ThumbDrag(Program, Model);
    if (Roll < 19)
        return MoneyPaste(Program, Model);
    return MinimiseRestore(Program);
}

// ---- the figures -------------------------------------------------------------

struct TSample {
    int Actions;
    SIZE_T PrivateBytes;
    DWORD Handles;
    DWORD GdiObjects;
    DWORD UserObjects;
    DWORD Threads;
};

// The handle and thread counts that the system's process list gives for a
// process, or 0s. (Wine answers GetProcessHandleCount with 0; its process
// list has the count.)
struct TListed {
    DWORD Handles, Threads;
};

TListed ListedCounts(DWORD ProcessId) {
    using TQuery = LONG(WINAPI *)(ULONG, PVOID, ULONG, PULONG);
    const auto Query = reinterpret_cast<TQuery>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (Query == nullptr)
        return {0, 0};
    std::vector<BYTE> Buffer(1 << 20);
    ULONG Needed = 0;
    if (Query(SystemProcessInformation, Buffer.data(), ULONG(Buffer.size()), &Needed) != 0)
        return {0, 0};
    for (size_t At = 0;;) {
        const auto *Entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION *>(&Buffer[At]);
        if (DWORD(reinterpret_cast<ULONG_PTR>(Entry->UniqueProcessId)) == ProcessId)
            return {Entry->HandleCount, Entry->NumberOfThreads};
        if (Entry->NextEntryOffset == 0)
            return {0, 0};
        At += Entry->NextEntryOffset;
    }
}

// Read from outside. Wine leaves PrivateUsage 0 and fills PagefileUsage, the
// same figure on Windows (the process' committed private memory); it answers
// GetProcessHandleCount with 0, so the process list's count stands in; its
// GetGuiResources gives 0 for both kinds of object.
TSample SampleOf(const TProgram &Program, int Actions) {
    TSample Sample = {Actions, 0, 0, 0, 0, 0};
    PROCESS_MEMORY_COUNTERS_EX Memory = {};
    Memory.cb = sizeof(Memory);
    if (GetProcessMemoryInfo(Program.Process.hProcess,
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&Memory), sizeof(Memory)))
        Sample.PrivateBytes = Memory.PrivateUsage != 0 ? Memory.PrivateUsage : Memory.PagefileUsage;
    const TListed Listed = ListedCounts(Program.Process.dwProcessId);
    if (!GetProcessHandleCount(Program.Process.hProcess, &Sample.Handles) || Sample.Handles == 0)
        Sample.Handles = Listed.Handles;
    Sample.Threads = Listed.Threads;
    Sample.GdiObjects = GetGuiResources(Program.Process.hProcess, GR_GDIOBJECTS);
    Sample.UserObjects = GetGuiResources(Program.Process.hProcess, GR_USEROBJECTS);
    Print(L"after %d actions: private bytes %lu, handles %lu, GDI objects %lu, USER objects %lu, "
          L"threads %lu",
          Actions, static_cast<unsigned long>(Sample.PrivateBytes), Sample.Handles,
          Sample.GdiObjects, Sample.UserObjects, Sample.Threads);
    return Sample;
}

// Starts the program and works it by Actions random actions.
int Soak(int Actions) {
    TProgram Program;
    StartProgram(Program);
    BringToFront(Program);
    // A screen reader keeps the objects of the window's controls while it
    // works with the window, and asks for them anew at every event. (Wine's
    // COM keeps about 2 KiB in the program whenever it hands out anew an
    // object that no client holds, the system's standard objects too.)
    std::vector<IAccessible *> Kept;
    for (HWND Control : Program.Controls)
        Kept.push_back(AccessibleOf(Control));
    TModel Model = StartingModel();
    int Mismatches = 0, Misses = 0;
    TSample First = {};
    DWORD Start = GetTickCount();
    for (int Done = 1; Done <= Actions; ++Done) {
        // A failed wait names the action it ended.
        std::wstring Name = L"soak, action " + std::to_wstring(Done);
        CurrentCase = Name.c_str();
        const wchar_t *What = RandomAction(Program, Model);
        HWND Box = ControlOf(Program, TControl::PasswordBox);
        const std::wstring Expected = PasswordOfModel(Model);
        // Two checks: the password box against the encoding of what the
        // controls hold (a fault of the program), and the controls against
        // the model (input that did not land as the driver meant: a miss).
        // Both once the program has handled the action's input.
        Settle(Program);
        const TModel Shown = ModelOfControls(Program);
        const std::wstring ShownPassword = TextOf(Box);
        if (!SameModel(Shown, Model) || ShownPassword != Expected) {
            const std::wstring OfControls = PasswordOfModel(Shown);
            if (ShownPassword != OfControls)
                Mismatches += !Check(false,
                                     L"action %d, %ls: the password box shows \"%ls\", the "
                                     L"controls (%ls) give \"%ls\"",
                                     Done, What, ShownPassword.c_str(), ModelText(Shown).c_str(),
                                     OfControls.c_str());
            else
                Print(L"miss at action %d, %ls: the controls hold %ls, the model %ls", Done, What,
                      ModelText(Shown).c_str(), ModelText(Model).c_str());
            Misses += !SameModel(Shown, Model);
            Model = Shown; // go on from what the window holds
        }
        SpokenOf(FocusOf(Program));
        const TSpoken Password = SpokenOf(Box);
        Check(SUCCEEDED(Password.Result) && Password.Value == TextOf(Box),
              L"action %d, %ls: the password box says \"%ls\" (%08lX), shows \"%ls\"", Done, What,
              Password.Value.c_str(), static_cast<unsigned long>(Password.Result),
              TextOf(Box).c_str());
        if (!Check(WaitForExit(Program, 0) == STILL_ACTIVE, L"the program ended at action %d",
                   Done))
            break;
        if (Done % SampleEvery == 0 || Done == Actions) {
            Print(L"%d actions in %lu ms", Done, GetTickCount() - Start);
            const TSample Sample = SampleOf(Program, Done);
            if (First.Actions == 0) {
                First = Sample;
                continue;
            }
            const DWORD AddedThreads =
                Sample.Threads > First.Threads ? Sample.Threads - First.Threads : 0;
            Check(AddedThreads <= ThreadNoise, L"threads grew from %lu to %lu", First.Threads,
                  Sample.Threads);
            Check(Sample.PrivateBytes <=
                      First.PrivateBytes + PrivateBytesNoise + AddedThreads * ThreadStack,
                  L"private bytes grew from %lu to %lu (threads from %lu to %lu)",
                  static_cast<unsigned long>(First.PrivateBytes),
                  static_cast<unsigned long>(Sample.PrivateBytes), First.Threads, Sample.Threads);
            Check(Sample.Handles <= First.Handles + HandleNoise &&
                      Sample.GdiObjects <= First.GdiObjects + HandleNoise &&
                      Sample.UserObjects <= First.UserObjects + HandleNoise,
                  L"handles or GUI objects grew: %lu/%lu/%lu -> %lu/%lu/%lu", First.Handles,
                  First.GdiObjects, First.UserObjects, Sample.Handles, Sample.GdiObjects,
                  Sample.UserObjects);
        }
    }
    CurrentCase = L"soak";
    Print(L"soak: %d actions, %d mismatches, %d misses of the driver's input, %lu ms", Actions,
          Mismatches, Misses, GetTickCount() - Start);
    for (IAccessible *Object : Kept)
        if (Object != nullptr)
            Object->Release();
    return FailureCount == 0 ? 0 : 1;
}

} // namespace

int wmain(int ArgumentCount, wchar_t **Arguments) {
    const int First = ReadDriverOptions(ArgumentCount, Arguments, 2);
    if (ArgumentCount < 3 || First >= ArgumentCount) {
        Print(L"usage: rnrr-soak PROGRAM [--deadline-factor F] ACTIONS [SEED]");
        return 2;
    }
    ProgramPath = Arguments[1];
    const int Actions = _wtoi(Arguments[First]);
    Random.seed(First + 1 < ArgumentCount ? _wtoi(Arguments[First + 1]) : 13);
    CurrentCase = L"soak";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // a screen reader's thread
    try {
        return Soak(Actions);
    } catch (const TCaseEnded &) {
        return 1; // the failed wait is printed
    }
}
