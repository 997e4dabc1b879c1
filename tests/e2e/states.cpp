// The window as one of three front ends held against the window model: it
// takes the control states that model-states wrote, one after the other,
// and prints the password the window shows after each; and its password
// dialog takes the passwords that model-states wrote and prints what its
// status line says of each.
//   rnrr-e2e PROGRAM states FILE
//   rnrr-e2e PROGRAM notices FILE
// FILE holds model-states' lines; each output line is "P" and the password
// box's text, or "N" and the status line's, as UTF-16 units of four hex
// digits.
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

// The hex Windows-1251 bytes at At, up to the next blank, as UTF-16.
std::wstring TextOfHex(const char *At) {
    std::string Bytes;
    for (; std::isxdigit(static_cast<unsigned char>(At[0])) && At[1] != '\0'; At += 2) {
        char Pair[3] = {At[0], At[1], '\0'};
        Bytes += char(std::strtoul(Pair, nullptr, 16));
    }
    wchar_t Wide[64] = {};
    MultiByteToWideChar(1251, 0, Bytes.data(), int(Bytes.size()), Wide, 63);
    return Wide;
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
        wchar_t Money[16] = {};
        for (int I = 0; *At != '-' && std::isxdigit(static_cast<unsigned char>(*At)) && I < 15;
             ++I) {
            char Unit[5] = {At[0], At[1], At[2], At[3], '\0'};
            Money[I] = wchar_t(std::strtoul(Unit, nullptr, 16));
            At += 4;
        }
        Apply(Program, Values, Money);
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
    for (const std::string &Line : Lines) {
        const std::wstring Password = TextOfHex(Line.c_str() + 2); // past "H "
        SendMessageW(Field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Password.c_str()));
        PrintUnits(L"N ", TextOf(Status));
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
