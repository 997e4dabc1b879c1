// The end-to-end cases of the dialog that reads a password back: opened from
// the system menu and by Ctrl+V, a typed or pasted password loaded into every
// control, the notice of levels for hidden bars, repairs, and Cancel.
#include "cases.h"

#include "normalise.h"
#include "reading.h"

#include <cstdlib>
#include <cstring>

namespace {

std::wstring Grouped(const char *Text) {
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Text, Display);
    wchar_t Wide[PasswordDisplaySize] = {};
    MultiByteToWideChar(1251, 0, Display, -1, Wide, PasswordDisplaySize);
    return Wide;
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

} // namespace

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

std::wstring PasswordOf(const TSettings &Record, char (&Text)[PasswordLength]) {
    TPasswordBits Bits;
    EncodeRecord(Record, Bits, Text);
    return Grouped(Text);
}

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

HWND OpenByMenu(const TProgram &Program) {
    BringToFront(Program);
    // Wine takes the modifier keys' state from X when the window gains X's
    // focus, which on a loaded machine can come after it is in front: an Alt
    // pressed just before is then let go, and Space alone opens nothing. So
    // once the program has handled the keys and no menu shows, press again.
    const auto MenuShown = [&] { return FindProgramWindow(Program, L"#32768") != nullptr; };
    for (int Try = 0; Try < 3 && !MenuShown(); ++Try) {
        PressKeyWith(VK_MENU, VK_SPACE);
        Settle(Program);
    }
    Await(MenuShown, [&] {
        return Say(L"Alt+Space to show the system menu; %ls", InputState(Program).c_str());
    });
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    return WaitForDialog(Program, L"the system menu's last item");
}

namespace {

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

} // namespace

// The system menu item opens the dialog, empty, with OK disabled; the tip
// over the password box names the ways in; a password typed with look-alikes,
// lower case and hyphens is valid, and Enter loads it into every control.
void CaseDialogMenu(TProgram &Program) {
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
void CaseDialogHidden(TProgram &Program) {
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
void CaseDialogRepair(TProgram &Program) {
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
void CaseDialogCancel(TProgram &Program) {
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
void CaseDialogPaste(TProgram &Program) {
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
