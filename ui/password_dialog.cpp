// The dialog that reads a password back. The user types or pastes one; after
// every change a line under the field says whether it is valid, and why not,
// and a list offers every single-character repair of an invalid one with what
// it would change. OK, enabled only for a valid password, loads it into the
// main window's controls; Cancel changes nothing. What is said of the field
// is the model's reading of it (ReadTypedPassword), in the string table's
// sentences.
#include "password_dialog.h"

#include <windows.h>

#include "interface_text.h"
#include "normalise.h"
#include "password_reading.h"
#include "recompute.h"
#include "resource_ids.h"
#include "settings.h"
#include "window_model.h"
#include "window_state.h"

namespace {

// A line break in the status text.
constexpr wchar_t LineBreak[] = L"\n";

static_assert(IDS_MONEY_UNITS == IDS_MONEY_HUNDREDS + MoneyDigitCount - 1,
              "the money places' names follow each other, hundreds first");

// What the model reads of the field, after every change; one instance, as
// the dialog is modal. Its repairs are the list's entries, in its order.
TPasswordReading Reading;
// The values OK takes.
TSettings ChosenSettings;

// The dialog's fixed texts.
const struct {
    int32_t Control;
    uint16_t TextId;
} ControlTexts[] = {
    {IDC_PASSWORD_PROMPT, IDS_PASSWORD_LABEL},
    {IDC_TAKE_REPAIR, IDS_TAKE_REPAIR},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
};

// The name of option row I (a value of the settings) in the description of
// a repair: the names follow the options' order.
uint16_t ValueNameId(int32_t Option) {
    return uint16_t(IDS_VALUE_FIRST + Option);
}

// Adds Entry to the list in To, after a separator (string SeparatorId) when
// the list holds one already.
void AppendListed(TWideText &To, const TWideText &Entry,
                  uint16_t SeparatorId = IDS_LIST_SEPARATOR) {
    if (To.Length > 0)
        AppendText(To, LoadInterfaceText(SeparatorId));
    AppendText(To, Entry);
}

// A value before or after a repair: a list's name, a bar's level, the
// money's three digits.
TWideText ValueText(const TValueChange &Change, int32_t Value, const char *Money) {
    const TControl Control = OptionRows[Change.Option].Control;
    return Control == TControl::MoneyBox ? WideFrom1251(Money) : ControlValueText(Control, Value);
}

// "машина Marauder -> Havac, деньги 250 -> 750", or that nothing changes.
TWideText ChangesText(const TReadingRepair &Repair) {
    TWideText Changes = WideText(L"");
    for (int32_t I = 0; I < Repair.ChangeCount; ++I) {
        const TValueChange &Change = Repair.Changes[I];
        AppendListed(Changes, FormatInterfaceText(
                                  IDS_CHANGE, LoadInterfaceText(ValueNameId(Change.Option)).Text,
                                  ValueText(Change, Change.Before, Change.BeforeMoney).Text,
                                  ValueText(Change, Change.After, Change.AfterMoney).Text));
    }
    return Repair.ChangeCount == 0 ? LoadInterfaceText(IDS_REPAIR_SAME) : Changes;
}

// The character itself, one UTF-16 unit or a surrogate pair.
TWideText CharacterText(char32_t C) {
    if (C < 0x10000) {
        const wchar_t Unit = wchar_t(C);
        return WideText(&Unit, 1);
    }
    const wchar_t Pair[2] = {wchar_t(0xD800 + ((C - 0x10000) >> 10)),
                             wchar_t(0xDC00 + ((C - 0x10000) & 0x3FF))};
    return WideText(Pair, 2);
}

// ---- the status line ----------------------------------------------------------

// "Знака «q» (U+0071) на месте 6 ...", or the code alone of one that shows
// nothing.
TWideText ForeignStatus(const TForeignCharacter &Foreign) {
    if (!Foreign.Shown)
        return FormatInterfaceText(IDS_STATUS_BAD_MARK, WideFrom1251(Foreign.Code).Text,
                                   Foreign.Place);
    return FormatInterfaceText(IDS_STATUS_BAD_CHARACTER, CharacterText(Foreign.Character).Text,
                               WideFrom1251(Foreign.Code).Text, Foreign.Place);
}

// A valid password; or, when it holds levels for bars that its car hides,
// what the window will do with them and the password it will show.
TWideText ValidStatus() {
    const TWindowView &View = Reading.View;
    if (View.HiddenLevelCount == 0)
        return LoadInterfaceText(IDS_STATUS_VALID);
    TWideText Hidden = WideText(L"");
    for (int32_t I = 0; I < View.HiddenLevelCount; ++I) {
        const THiddenLevel &Level = View.HiddenLevels[I];
        AppendListed(Hidden,
                     FormatInterfaceText(Level.Bar == TControl::ShocksBar ? IDS_HIDDEN_SHOCKS
                                                                          : IDS_HIDDEN_TIRES,
                                         Level.Level),
                     IDS_HIDDEN_AND);
    }
    return FormatInterfaceText(IDS_STATUS_HIDDEN, WideFrom1251(CarNames[Reading.Record.Car]).Text,
                               Hidden.Text, WideFrom1251(View.Password).Text);
}

// Why twelve characters are not a password: the checks that fail, or the
// money places that hold no digit.
TWideText FailureStatus() {
    TWideText Entries = WideText(L"");
    if (Reading.Status == TReadingStatus::BadMoneyDigit) {
        for (int32_t I = 0; I < Reading.MoneyPlaceCount; ++I)
            AppendListed(Entries,
                         LoadInterfaceText(uint16_t(IDS_MONEY_HUNDREDS + Reading.MoneyPlaces[I])));
        return FormatInterfaceText(IDS_STATUS_MONEY, Entries.Text);
    }
    for (int32_t I = 0; I < Reading.FailedCount; ++I)
        AppendListed(Entries, NumberText(Reading.FailedChecks[I]));
    return FormatInterfaceText(CountedTextId(IDS_STATUS_CHECKS_ONE, Reading.FailedCount),
                               Reading.FailedCount, Entries.Text);
}

// The failure, a line break, then how many repairs there are.
TWideText RepairsStatus() {
    TWideText Status = FailureStatus();
    AppendText(Status, LineBreak);
    AppendText(Status,
               Reading.RepairCount == 0
                   ? LoadInterfaceText(IDS_REPAIRS_NONE)
                   : FormatInterfaceText(CountedTextId(IDS_REPAIRS_ONE, Reading.RepairCount),
                                         Reading.RepairCount));
    return Status;
}

TWideText StatusText() {
    switch (Reading.Status) {
    case TReadingStatus::Empty:
        return LoadInterfaceText(IDS_STATUS_EMPTY);
    case TReadingStatus::TooShort:
    case TReadingStatus::TooLong:
        return FormatInterfaceText(CountedTextId(IDS_STATUS_LENGTH_ONE, Reading.Count),
                                   Reading.Count);
    case TReadingStatus::ForeignCharacter:
        return ForeignStatus(Reading.Foreign);
    case TReadingStatus::ChecksFail:
    case TReadingStatus::BadMoneyDigit:
        return RepairsStatus();
    case TReadingStatus::Valid:
        break;
    }
    return ValidStatus();
}

// ---- the repair list ----------------------------------------------------------

// "5-й знак Б -> В: ПЬФМ В02Ь ЫЫЛ1 — машина Marauder -> Havac"
TWideText RepairLine(const TReadingRepair &Repair) {
    return FormatInterfaceText(IDS_REPAIR_LINE, Repair.Place,
                               WideFrom1251(&Repair.Replaced, 1).Text,
                               WideFrom1251(&Repair.Replacement, 1).Text,
                               WideFrom1251(Repair.Password).Text, ChangesText(Repair).Text);
}

// One line per repair; the list scrolls sideways as far as its widest line.
void FillRepairList(HWND Dialog) {
    HWND List = GetDlgItem(Dialog, IDC_REPAIR_LIST);
    SendMessageW(List, LB_RESETCONTENT, 0, 0);
    HDC Context = GetDC(List);
    HGDIOBJ Previous = SelectObject(Context, HFONT(SendMessageW(List, WM_GETFONT, 0, 0)));
    LONG Widest = 0;
    for (int32_t I = 0; I < Reading.RepairCount; ++I) {
        TWideText Line = RepairLine(Reading.Repairs[I]);
        SendMessageW(List, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Line.Text));
        SIZE Extent = {};
        GetTextExtentPoint32W(Context, Line.Text, Line.Length, &Extent);
        Widest = Extent.cx > Widest ? Extent.cx : Widest;
    }
    SelectObject(Context, Previous);
    ReleaseDC(List, Context);
    SendMessageW(List, LB_SETHORIZONTALEXTENT, Widest + GetSystemMetrics(SM_CXEDGE) * 2, 0);
}

// ---- the handlers -------------------------------------------------------------

void EnableControl(HWND Dialog, int32_t Control, bool Enabled) {
    EnableWindow(GetDlgItem(Dialog, Control), Enabled ? TRUE : FALSE);
}

// After every change of the field: the model's reading of it, shown in the
// status line and the repair list; OK for a valid password.
void AssessField(HWND Dialog) {
    wchar_t Typed[TypedTextLimit + 1];
    const int32_t Length = GetDlgItemTextW(Dialog, IDC_PASSWORD_FIELD, Typed, TypedTextLimit + 1);
    char32_t Points[TypedTextLimit];
    ReadTypedPassword(Points,
                      CodePointsOfUtf16(reinterpret_cast<const char16_t *>(Typed), Length, Points),
                      Reading);
    SetDlgItemTextW(Dialog, IDC_PASSWORD_STATUS, StatusText().Text);
    FillRepairList(Dialog);
    EnableControl(Dialog, IDOK, Reading.Status == TReadingStatus::Valid);
    EnableControl(Dialog, IDC_TAKE_REPAIR, false);
}

// The chosen repair's password goes into the field, which is then assessed
// again; the focus moves on to OK.
void TakeRepair(HWND Dialog) {
    LRESULT Chosen = SendDlgItemMessageW(Dialog, IDC_REPAIR_LIST, LB_GETCURSEL, 0, 0);
    if (Chosen < 0 || Chosen >= Reading.RepairCount)
        return;
    TWideText Password = WideFrom1251(Reading.Repairs[Chosen].Password);
    SetDlgItemTextW(Dialog, IDC_PASSWORD_FIELD, Password.Text);
    if (Reading.Status == TReadingStatus::Valid)
        SendMessageW(Dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Dialog, IDOK)),
                     TRUE);
}

void HandleOk(HWND Dialog) {
    // Enter reaches here whether or not OK is enabled.
    if (Reading.Status != TReadingStatus::Valid)
        return;
    ChosenSettings = Reading.Record;
    EndDialog(Dialog, IDOK);
}

// Over the middle of the main window, kept on the screen.
void CentreOverOwner(HWND Dialog) {
    RECT Owner, Own;
    GetWindowRect(GetWindow(Dialog, GW_OWNER), &Owner);
    GetWindowRect(Dialog, &Own);
    int32_t Width = Own.right - Own.left, Height = Own.bottom - Own.top;
    int32_t Left = (Owner.left + Owner.right - Width) / 2;
    int32_t Top = (Owner.top + Owner.bottom - Height) / 2;
    SetWindowPos(Dialog, nullptr, Left > 0 ? Left : 0, Top > 0 ? Top : 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HandleInitDialog(HWND Dialog, const wchar_t *Text) {
    SetWindowTextW(Dialog, LoadInterfaceText(IDS_DIALOG_TITLE).Text);
    for (const auto &Row : ControlTexts)
        SetDlgItemTextW(Dialog, Row.Control, LoadInterfaceText(Row.TextId).Text);
    SendDlgItemMessageW(Dialog, IDC_PASSWORD_FIELD, EM_LIMITTEXT, TypedTextLimit, 0);
    SetDlgItemTextW(Dialog, IDC_PASSWORD_FIELD, Text != nullptr ? Text : L"");
    AssessField(Dialog);
    CentreOverOwner(Dialog);
}

void HandleDialogCommand(HWND Dialog, WORD Control, WORD Notification) {
    switch (Control) {
    case IDC_PASSWORD_FIELD:
        if (Notification == EN_CHANGE)
            AssessField(Dialog);
        break;
    case IDC_REPAIR_LIST:
        if (Notification == LBN_SELCHANGE)
            EnableControl(Dialog, IDC_TAKE_REPAIR, true);
        else if (Notification == LBN_DBLCLK)
            TakeRepair(Dialog);
        break;
    case IDC_TAKE_REPAIR:
        TakeRepair(Dialog);
        break;
    case IDOK:
        HandleOk(Dialog);
        break;
    case IDCANCEL:
        EndDialog(Dialog, IDCANCEL);
        break;
    }
}

INT_PTR CALLBACK PasswordDialogProc(HWND Dialog, UINT Message, WPARAM WParam, LPARAM LParam) {
    switch (Message) {
    case WM_INITDIALOG:
        HandleInitDialog(Dialog, reinterpret_cast<const wchar_t *>(LParam));
        return TRUE; // the focus goes to the field
    case WM_COMMAND:
        HandleDialogCommand(Dialog, LOWORD(WParam), HIWORD(WParam));
        return TRUE;
    }
    return FALSE;
}

// The clipboard's text up to its first line break (leading line breaks
// skipped), at most TypedTextLimit characters; empty without text.
TWideText ClipboardLine() {
    TWideText Line = WideText(L"");
    if (!OpenClipboard(Controls.MainWnd))
        return Line;
    HANDLE Data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t *Text =
        Data != nullptr ? static_cast<const wchar_t *>(GlobalLock(Data)) : nullptr;
    if (Text != nullptr) {
        while (*Text == L'\r' || *Text == L'\n')
            ++Text;
        for (; *Text != L'\0' && *Text != L'\r' && *Text != L'\n' && Line.Length < TypedTextLimit;
             ++Text)
            AppendText(Line, Text, 1);
        GlobalUnlock(Data);
    }
    CloseClipboard();
    return Line;
}

} // namespace

void OpenPasswordDialog(const wchar_t *Text) {
    INT_PTR Result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PASSWORD_DIALOG),
                        Controls.MainWnd, PasswordDialogProc, reinterpret_cast<LPARAM>(Text));
    if (Result == IDOK)
        LoadSettingsIntoControls(ChosenSettings);
}

void OpenPasswordDialogFromClipboard() {
    TWideText Line = ClipboardLine();
    OpenPasswordDialog(Line.Text);
}
