// The window as one of three front ends held against the window model: it
// takes the control states that model-states wrote, one after the other,
// and prints the password the window shows after each.
//   rnrr-e2e PROGRAM states FILE
// FILE holds model-states' lines; each output line is "P" and the password
// box's text as UTF-16 units of four hex digits.
#include "driver.h"

#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

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

} // namespace

int PasswordsOfStates(const wchar_t *File) {
    FILE *In = _wfopen(File, L"r");
    if (In == nullptr) {
        Print(L"cannot read %ls", File);
        return 2;
    }
    TProgram Program;
    StartProgram(Program);
    char Line[512];
    while (std::fgets(Line, sizeof Line, In) != nullptr) {
        int Values[StateLength];
        char *At = Line + 1; // past "S"
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
        std::wstring Shown = TextOf(ControlOf(Program, TControl::PasswordBox));
        std::wstring Hex = L"P ";
        for (wchar_t Unit : Shown) {
            wchar_t Digits[8];
            swprintf(Digits, 8, L"%04x", unsigned(Unit));
            Hex += Digits;
        }
        Print(L"%ls", Hex.c_str());
    }
    std::fclose(In);
    return FailureCount == 0 ? 0 : 1;
}
