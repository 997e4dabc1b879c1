// The window as one of three front ends held against the window model: it
// takes the control states that model-states wrote, one after the other,
// and prints the password the window shows after each; and its password
// dialog takes the typed passwords that model-states wrote and prints what
// its status line and its repair list say of each.
//   rnrr-e2e PROGRAM states FILE
//   rnrr-e2e PROGRAM notices FILE
// FILE holds model-states' lines; each output line is "P" and the password
// box's text, "N" and the status line's or "R" and a repair's entry, as
// UTF-16 units of four hex digits.
#include "driver.h"

#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

// The controls of a state line, in its order (the window's keyboard order).
const TControl StateOrder[] = {
    TControl::PasswordBox, TControl::HeroList,       TControl::ColorList,  TControl::CarList,
    TControl::MoneyBox,    TControl::DifficultyList, TControl::PlanetList, TControl::DivisionList,
    TControl::WeaponBar,   TControl::BoostBar,       TControl::DropBar,    TControl::EngineBar,
    TControl::ArmorBar,    TControl::ShocksBar,      TControl::TiresBar,
};
constexpr int StateLength = sizeof StateOrder / sizeof StateOrder[0];

// A list chosen, a bar moved and the money typed as the window's messages
// report them: the list's own selection notice, the bar's scroll notice to
// the window, the edit's change notice.
void Apply(const TProgram &Program, const int (&Values)[StateLength], const wchar_t *Money) {
    for (int I = 0; I < StateLength; ++I) {
        HWND Control = ControlOf(Program, StateOrder[I]);
        const TControlRow &Row = RowOf(StateOrder[I]);
        if (lstrcmpW(Row.ClassName, L"ComboBox") == 0) {
            SendMessageW(Control, CB_SETCURSEL, Values[I], 0);
            SendMessageW(Control, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
        } else if (lstrcmpW(Row.ClassName, L"msctls_trackbar32") == 0) {
            SendMessageW(Control, TBM_SETPOS, TRUE, Values[I]);
            SendMessageW(Program.Window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, Values[I]),
                         reinterpret_cast<LPARAM>(Control));
        }
    }
    SendMessageW(ControlOf(Program, TControl::MoneyBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(Money));
}

// "P 0041...": a text as the output lines write it.
void PrintUnits(const wchar_t *Tag, const std::wstring &Text) {
    std::wstring Hex = Tag;
    for (wchar_t Unit : Text) {
        wchar_t Digits[8];
        swprintf(Digits, 8, L"%04x", unsigned(Unit));
        Hex += Digits;
    }
    Print(L"%ls", Hex.c_str());
}

// The UTF-16 units written at At as four hex digits each, up to the next
// blank; "-" for none.
std::wstring UnitsOfHex(const char *At) {
    std::wstring Units;
    for (; std::isxdigit(static_cast<unsigned char>(*At)); At += 4) {
        char Unit[5] = {At[0], At[1], At[2], At[3], '\0'};
        Units += wchar_t(std::strtoul(Unit, nullptr, 16));
    }
    return Units;
}

using TLines = std::vector<std::string>;

// Reads the lines of File, starts a copy, has Work do its part with them and
// ends the copy; the exit code: 2 when File cannot be read.
int WithLines(const wchar_t *File, const std::function<void(TProgram &, const TLines &)> &Work) {
    FILE *In = _wfopen(File, L"r");
    if (In == nullptr) {
        Print(L"cannot read %ls", File);
        return 2;
    }
    TLines Lines;
    char Line[512];
    while (std::fgets(Line, sizeof Line, In) != nullptr)
        Lines.push_back(Line);
    std::fclose(In);
    TProgram Program;
    StartProgram(Program);
    Work(Program, Lines);
    StopProgram(Program);
    return FailureCount == 0 ? 0 : 1;
}

void ShowStates(TProgram &Program, const TLines &Lines) {
    for (const std::string &Line : Lines) {
        int Values[StateLength];
        char *At = const_cast<char *>(Line.c_str()) + 1; // past "S"
        for (int &Value : Values)
            Value = int(std::strtol(At, &At, 10));
        while (*At == ' ')
            ++At;
        Apply(Program, Values, UnitsOfHex(At).c_str());
        PrintUnits(L"P ", TextOf(ControlOf(Program, TControl::PasswordBox)));
    }
}

void SayNotices(TProgram &Program, const TLines &Lines) {
    // The system menu's command opens the dialog, which stays open while
    // each password is written into its field.
    PostMessageW(Program.Window, WM_SYSCOMMAND, DialogMenuCommand, 0);
    HWND Dialog = nullptr;
    Await([&] { return (Dialog = FindProgramWindow(Program, L"#32770", DialogTitle)) != nullptr; },
          L"the password dialog to open");
    HWND Field = GetDlgItem(Dialog, DialogFieldId), Status = GetDlgItem(Dialog, DialogStatusId);
    HWND List = GetDlgItem(Dialog, DialogListId);
    for (const std::string &Line : Lines) {
        const std::wstring Typed = UnitsOfHex(Line.c_str() + 2); // past "T "
        SendMessageW(Field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Typed.c_str()));
        PrintUnits(L"N ", TextOf(Status));
        for (LRESULT I = 0; I < SendMessageW(List, LB_GETCOUNT, 0, 0); ++I) {
            std::wstring Entry(size_t(SendMessageW(List, LB_GETTEXTLEN, I, 0)), L'\0');
            SendMessageW(List, LB_GETTEXT, I, reinterpret_cast<LPARAM>(&Entry[0]));
            PrintUnits(L"R ", Entry);
        }
    }
    PostMessageW(Dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int PasswordsOfStates(const wchar_t *File) {
    return WithLines(File, ShowStates);
}

int NoticesOfPasswords(const wchar_t *File) {
    return WithLines(File, SayNotices);
}
