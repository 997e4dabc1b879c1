// rnrr-e2e: the end-to-end cases (cases.txt). Each starts the real
// rnrr-password.exe, or works on a copy started for it, works it from outside
// as a user does and checks after every action that the password box holds
// what the encoder gives for the values the controls show.
//
//   rnrr-e2e PROGRAM [OPTIONS] CASE...
//                                 runs the named cases, each on a copy of its
//                                 own (exit code 1 on failure)
//   rnrr-e2e PROGRAM bench BARE   prints the window figures (see bench.cpp)
//   rnrr-e2e PROGRAM [OPTIONS] show
//                                 starts it, prints "shown LEFT TOP RIGHT BOTTOM" once
//                                 its password and pictures are there, then waits
//                                 for it to end (the screenshot script's helper)
//   rnrr-e2e PROGRAM [OPTIONS] show-dialog
//                                 the same with the password dialog open over it
//   rnrr-e2e PROGRAM [OPTIONS] states FILE | notices FILE
//                                 the front-end check's modes (states.cpp)
// OPTIONS:
//   --dpi N              the screen is at N DPI (default 96), and the window's
//                        layout is expected scaled to it
//   --one-copy           the cases run one after the other on one copy, a new
//                        one only after a case that ends its copy or fails
//   --deadline-factor F  every wait may take F times as long (a program that
//                        runs under an emulator)
#include "cases.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

int RunBenchmarks(const std::wstring &BarePath);

namespace {

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

} // namespace

struct TCase {
    const wchar_t *Name;
    void (*Run)(TProgram &Program);
};

// The rows of cases.txt: the cases' functions, and Cases, their table,
// {L"list-keys", CaseListKeys}, ...
#include "e2e_cases.inc"

namespace {

const TCase *FindCase(const wchar_t *Name) {
    for (const TCase &Case : Cases)
        if (lstrcmpW(Case.Name, Name) == 0)
            return &Case;
    return nullptr;
}

// Runs each case on a copy of its own, or with OneCopy on the copy that the
// case before it left running; a case that fails leaves its copy ended, so
// that the next starts from a fresh one.
int RunCases(wchar_t **Names, int Count, bool OneCopy) {
    for (int Index = 0; Index < Count; ++Index)
        if (FindCase(Names[Index]) == nullptr) {
            Print(L"unknown case %ls", Names[Index]);
            return 2;
        }
    std::unique_ptr<TProgram> Shared;
    for (int Index = 0; Index < Count; ++Index) {
        const TCase &Case = *FindCase(Names[Index]);
        CurrentCase = Case.Name;
        const int FailuresBefore = FailureCount;
        try {
            const bool Running = Shared != nullptr && Shared->Process.hProcess != nullptr &&
                                 WaitForExit(*Shared, 0) == STILL_ACTIVE;
            if (!Running) {
                Shared.reset(new TProgram);
                StartProgram(*Shared);
            }
            Case.Run(*Shared);
        } catch (const TCaseEnded &) {
            // Its failure is printed; the programs it started are ended.
        }
        const bool Passed = FailureCount == FailuresBefore;
        if (!OneCopy || !Passed)
            Shared.reset();
        Print(L"%ls: %ls", Case.Name, Passed ? L"passed" : L"FAILED");
    }
    return FailureCount == 0 ? 0 : 1;
}

} // namespace

int wmain(int ArgumentCount, wchar_t **Arguments) {
    if (ArgumentCount < 3) {
        Print(L"usage: rnrr-e2e PROGRAM [OPTIONS] CASE... | rnrr-e2e PROGRAM bench BARE");
        return 2;
    }
    ProgramPath = Arguments[1];
    int First = 2;
    bool OneCopy = false;
    for (;;) {
        if (First + 1 < ArgumentCount && lstrcmpW(Arguments[First], L"--dpi") == 0) {
            ExpectedDpi = _wtoi(Arguments[First + 1]);
            First += 2;
        } else if (First + 1 < ArgumentCount &&
                   lstrcmpW(Arguments[First], L"--deadline-factor") == 0) {
            WaitDeadline *= std::max(1, _wtoi(Arguments[First + 1]));
            First += 2;
        } else if (First < ArgumentCount && lstrcmpW(Arguments[First], L"--one-copy") == 0) {
            OneCopy = true;
            First += 1;
        } else {
            break;
        }
    }
    if (First >= ArgumentCount)
        return 2;
    if (!UseExpectedDpi())
        return 1;
    const wchar_t *Mode = Arguments[First];
    const wchar_t *File = First + 1 < ArgumentCount ? Arguments[First + 1] : nullptr;
    try {
        if (lstrcmpW(Mode, L"bench") == 0)
            return File != nullptr ? RunBenchmarks(File) : 2;
        if (lstrcmpW(Mode, L"show") == 0)
            return ShowProgram();
        if (lstrcmpW(Mode, L"show-dialog") == 0)
            return ShowDialog();
        if (lstrcmpW(Mode, L"states") == 0)
            return File != nullptr ? PasswordsOfStates(File) : 2;
        if (lstrcmpW(Mode, L"notices") == 0)
            return File != nullptr ? NoticesOfPasswords(File) : 2;
    } catch (const TCaseEnded &) {
        return 1;
    }
    return RunCases(Arguments + First, ArgumentCount - First, OneCopy);
}
