// Window figures, measured from outside like the cases (not tests: nothing
// here fails on a slow machine):
// - a trackbar step (a Right or Left key message to the focused bar) until the
//   password box shows the new password, against the same step on the bare
//   trackbar of bare-window.exe until its text box shows the new position;
// - start-up until the window shows its password, against start-up of
//   bare-window.exe until its window shows its text.
// Each figure is the median of its runs (for the steps also the time that the
// fastest tenth do not exceed); the ratios are real over bare. The two
// programs are timed in turn, start by start and step by step.
#include "driver.h"

#include <commctrl.h>

#include <algorithm>

namespace {

double Milliseconds(LARGE_INTEGER From, LARGE_INTEGER To) {
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    return 1000.0 * static_cast<double>(To.QuadPart - From.QuadPart) /
           static_cast<double>(Frequency.QuadPart);
}

// The value that Share of the values (0..1) do not exceed.
double Quantile(std::vector<double> Values, double Share) {
    std::sort(Values.begin(), Values.end());
    return Values.empty() ? 0.0 : Values[static_cast<size_t>(Share * (Values.size() - 1))];
}

double Median(const std::vector<double> &Values) {
    return Quantile(Values, 0.5);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER Counter;
    QueryPerformanceCounter(&Counter);
    return Counter;
}

struct TChildSearch {
    const wchar_t *ClassName;
    HWND Found;
};

BOOL CALLBACK MatchChild(HWND Window, LPARAM Parameter) {
    auto *Search = reinterpret_cast<TChildSearch *>(Parameter);
    wchar_t ClassName[64];
    GetClassNameW(Window, ClassName, 64);
    if (lstrcmpiW(ClassName, Search->ClassName) == 0) {
        Search->Found = Window;
        return FALSE;
    }
    return TRUE;
}

HWND ChildOfClass(HWND Parent, const wchar_t *ClassName) {
    TChildSearch Search = {ClassName, nullptr};
    EnumChildWindows(Parent, MatchChild, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

// A started copy of a program: its window and the text box that shows its result.
// Starts Path and waits until its visible window of ClassName shows a
// nonempty text in its first edit box; the time that took, in milliseconds.
double TimeStart(const std::wstring &Path, const wchar_t *ClassName, TProgram &Started) {
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    std::wstring CommandLine = L"\"" + Path + L"\"";
    LARGE_INTEGER Begin = Now();
    if (!CreateProcessW(Path.c_str(), &CommandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &Startup, &Started.Process))
        return -1;
    HWND Found = nullptr;
    for (;;) {
        Found = FindProgramWindow(Started, ClassName);
        if (Found != nullptr) {
            HWND Box = ChildOfClass(Found, L"Edit");
            if (Box != nullptr && !TextOf(Box).empty())
                break;
        }
        if (Milliseconds(Begin, Now()) > 30000)
            return -1;
        Sleep(1);
    }
    Started.Window = Found;
    return Milliseconds(Begin, Now());
}

// One trackbar step: a Left or Right key message to Bar, timed until Box
// shows another text.
double TimeStep(HWND Bar, HWND Box, WPARAM Key) {
    std::wstring Before = TextOf(Box);
    LARGE_INTEGER Begin = Now();
    PostMessageW(Bar, WM_KEYDOWN, Key, 1);
    PostMessageW(Bar, WM_KEYUP, Key, 0xC0000001);
    while (TextOf(Box) == Before) {
        if (Milliseconds(Begin, Now()) > 5000)
            break;
    }
    return Milliseconds(Begin, Now());
}

struct TStepTimes {
    std::vector<double> Real, Bare;
};

// Steps both bars back and forth, one step of each in turn (which goes first
// alternates), so that whatever else loads the machine weighs on both alike.
TStepTimes TimeSteps(HWND RealBar, HWND RealBox, HWND BareBar, HWND BareBox, int Steps) {
    TStepTimes Times;
    for (int Step = 0; Step < Steps; ++Step) {
        WPARAM Key = Step % 2 == 0 ? VK_LEFT : VK_RIGHT;
        bool RealFirst = Step % 4 < 2;
        if (RealFirst)
            Times.Real.push_back(TimeStep(RealBar, RealBox, Key));
        Times.Bare.push_back(TimeStep(BareBar, BareBox, Key));
        if (!RealFirst)
            Times.Real.push_back(TimeStep(RealBar, RealBox, Key));
    }
    return Times;
}

} // namespace

int RunBenchmarks(const std::wstring &BarePath, int StepRuns) {
    const int StartRuns = 7;
    std::vector<double> RealStarts, BareStarts;
    for (int Run = 0; Run < StartRuns; ++Run) {
        TProgram Real, Bare;
        RealStarts.push_back(TimeStart(ProgramPath, L"TPasForm", Real));
        StopProgram(Real);
        BareStarts.push_back(TimeStart(BarePath, L"TBareForm", Bare));
        StopProgram(Bare);
    }
    // A start that never showed its text is no figure: say so instead.
    const auto Missed = [](const std::vector<double> &Starts) {
        return int(std::count(Starts.begin(), Starts.end(), -1.0));
    };
    if (Missed(RealStarts) + Missed(BareStarts) > 0) {
        Print(L"start-up: not measured, as %d of %d starts of rnrr-password.exe and %d of the "
              L"bare window showed no text within 30 s",
              Missed(RealStarts), StartRuns, Missed(BareStarts));
        return 1;
    }
    const double RealStart = Median(RealStarts), BareStart = Median(BareStarts);
    Print(L"start-up to the shown password: %.1f ms (median of %d, %.1f to %.1f); bare window: "
          L"%.1f ms (%.1f to %.1f); ratio %.2f",
          RealStart, StartRuns, Quantile(RealStarts, 0), Quantile(RealStarts, 1), BareStart,
          Quantile(BareStarts, 0), Quantile(BareStarts, 1),
          BareStart > 0 ? RealStart / BareStart : 0.0);
    if (StepRuns == 0)
        return FailureCount == 0 ? 0 : 1;

    TProgram Real, Bare;
    TimeStart(ProgramPath, L"TPasForm", Real);
    TimeStart(BarePath, L"TBareForm", Bare);
    // The first item bar (weapon, at 7) and the password box of the real
    // window: the controls at their documented places.
    FindControls(Real);
    TStepTimes Steps = TimeSteps(
        ControlOf(Real, TControl::WeaponBar), ControlOf(Real, TControl::PasswordBox),
        ChildOfClass(Bare.Window, TRACKBAR_CLASSW), ChildOfClass(Bare.Window, L"Edit"), StepRuns);
    StopProgram(Real);
    StopProgram(Bare);
    double RealStep = Median(Steps.Real), BareStep = Median(Steps.Bare);
    // The fastest tenth of the steps is the least disturbed by other work on
    // the machine.
    double RealFast = Quantile(Steps.Real, 0.1), BareFast = Quantile(Steps.Bare, 0.1);
    Print(L"trackbar step to the new password: %.3f ms (median of %d); bare trackbar: %.3f ms; "
          L"ratio %.2f; the fastest tenth: %.3f ms and %.3f ms, ratio %.2f",
          RealStep, StepRuns, BareStep, BareStep > 0 ? RealStep / BareStep : 0.0, RealFast,
          BareFast, BareFast > 0 ? RealFast / BareFast : 0.0);
    return FailureCount == 0 ? 0 : 1;
}
