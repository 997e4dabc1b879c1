// The dialog that reads a password back. The user types or pastes one; after
// every change a line under the field says whether it is valid, and why not,
// and a list offers every single-character repair of an invalid one with what
// it would change. OK, enabled only for a valid password, loads it into the
// main window's controls; Cancel changes nothing. The reading back, the
// look-alike rule and the repair search are the encoder's.
#include "password_dialog.h"

#include <windows.h>

#include "decode.h"
#include "interface_text.h"
#include "normalise.h"
#include "reading.h"
#include "recompute.h"
#include "resource_ids.h"
#include "settings.h"
#include "window_model.h"
#include "window_state.h"
#include "window_view.h"

namespace {

// Room for a password typed with hyphens and extra blanks; clipboard text
// past it is not looked at.
constexpr int32_t FieldTextLimit = 64;
// A line break in the status text.
constexpr wchar_t LineBreak[] = L"\n";
// Between two changes in a repair's description, and between two entries of
// a list in the status line.
constexpr wchar_t ListSeparator[] = L", ";

// What the field holds, assessed after every change; one instance, as the
// dialog is modal.
char FieldPassword[PasswordLength]; // the 12 characters, once normalised
TDecodeResult FieldDecoded;         // valid only when the field normalised
bool FieldValid;                    // OK is enabled
TRepair Repairs[RepairTrialCount];  // the repairs the list shows, in its order
int32_t RepairCount;
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

// The places of the money digits, hundreds first, as the failure text names them.
const struct {
    TField Field;
    uint16_t NameId;
} MoneyPlaces[] = {
    {TField::MoneyHundreds, IDS_MONEY_HUNDREDS},
    {TField::MoneyTens, IDS_MONEY_TENS},
    {TField::MoneyUnits, IDS_MONEY_UNITS},
};

int32_t ValueOf(const TSettings &Record, TField Field) {
    TSettings Copy = Record;
    return FieldOf(Copy, Field);
}

// "ПЬФМ В02Ь ЫЫЛ1" for 12 password characters.
TWideText GroupedPassword(const char *Text) {
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Text, Display);
    return WideFrom1251(Display);
}

// The money as the money box shows it, three digits; "?" for a digit that
// the password does not hold.
TWideText MoneyDigits(const TSettings &Record) {
    TWideText Digits = WideText(L"");
    for (const auto &Place : MoneyPlaces) {
        int32_t Digit = ValueOf(Record, Place.Field);
        const wchar_t Shown = Digit >= 0 ? wchar_t(L'0' + Digit) : L'?';
        AppendText(Digits, &Shown, 1);
    }
    return Digits;
}

// A list's name of the value, a bar's level, or the money's three digits.
TWideText ValueText(const TOptionRow &Row, const TSettings &Record) {
    if (Row.Control == TControl::MoneyBox)
        return MoneyDigits(Record);
    return ControlValueText(Row.Control, ValueOf(Record, RuleOf(Row.Control).Field));
}

// "машина Marauder -> Havac, деньги 250 -> 750", or that nothing changes.
TWideText ChangesText(const TSettings &From, const TSettings &To) {
    TWideText Changes = WideText(L"");
    for (int32_t Option = 0; Option < OptionCount; ++Option) {
        const TOptionRow &Row = OptionRows[Option];
        TWideText Before = ValueText(Row, From), After = ValueText(Row, To);
        if (lstrcmpW(Before.Text, After.Text) == 0)
            continue;
        if (Changes.Length > 0)
            AppendText(Changes, ListSeparator);
        AppendText(Changes,
                   FormatInterfaceText(IDS_CHANGE, LoadInterfaceText(ValueNameId(Option)).Text,
                                       Before.Text, After.Text));
    }
    return Changes.Length == 0 ? LoadInterfaceText(IDS_REPAIR_SAME) : Changes;
}

// UTF-16 -> code points; a lone surrogate stays as it is.
int32_t CodePointsOf(const wchar_t *Text, int32_t Length, char32_t *Points) {
    int32_t Count = 0;
    for (int32_t I = 0; I < Length; ++I) {
        char32_t C = Text[I];
        if (C >= 0xD800 && C <= 0xDBFF && I + 1 < Length && Text[I + 1] >= 0xDC00 &&
            Text[I + 1] <= 0xDFFF)
            C = 0x10000 + ((C - 0xD800) << 10) + (Text[++I] - 0xDC00);
        Points[Count++] = C;
    }
    return Count;
}

// The character itself and its code, "U+0051".
TWideText CharacterText(char32_t C) {
    if (C < 0x10000) {
        const wchar_t Unit = wchar_t(C);
        return WideText(&Unit, 1);
    }
    const wchar_t Pair[2] = {wchar_t(0xD800 + ((C - 0x10000) >> 10)),
                             wchar_t(0xDC00 + ((C - 0x10000) & 0x3FF))};
    return WideText(Pair, 2);
}

TWideText CodeText(char32_t C) {
    wchar_t Text[12];
    wsprintfW(Text, C > 0xFFFF ? L"U+%06X" : L"U+%04X", unsigned(C));
    return WideText(Text);
}

// ---- the status line ----------------------------------------------------------

// "шин (в пароле уровень 1)": a level that the password holds for a bar
// that its car hides.
TWideText HiddenLevelText(const THiddenLevel &Hidden) {
    return FormatInterfaceText(
        Hidden.Bar == TControl::ShocksBar ? IDS_HIDDEN_SHOCKS : IDS_HIDDEN_TIRES, Hidden.Level);
}

// A valid password; or, when it holds levels for bars that its car hides,
// what the window will do with them and the password it will show: as the
// window's view of the record says.
TWideText ValidStatus(const TSettings &Record) {
    TWindowView View;
    ViewOfRecord(Record, View);
    if (View.HiddenLevelCount == 0)
        return LoadInterfaceText(IDS_STATUS_VALID);
    TWideText Hidden = WideText(L"");
    for (int32_t I = 0; I < View.HiddenLevelCount; ++I) {
        if (I > 0)
            AppendText(Hidden, LoadInterfaceText(IDS_HIDDEN_AND));
        AppendText(Hidden, HiddenLevelText(View.HiddenLevels[I]));
    }
    return FormatInterfaceText(IDS_STATUS_HIDDEN, WideFrom1251(CarNames[Record.Car]).Text,
                               Hidden.Text, WideFrom1251(View.Password).Text);
}

TWideText ChecksStatus(const TDecodeResult &Result) {
    TWideText Positions = WideText(L"");
    for (int32_t I = 0; I < Result.FailedCount; ++I) {
        if (I > 0)
            AppendText(Positions, ListSeparator);
        AppendText(Positions, NumberText(Result.FailedChecks[I]));
    }
    return FormatInterfaceText(CountedTextId(IDS_STATUS_CHECKS_ONE, Result.FailedCount),
                               Result.FailedCount, Positions.Text);
}

TWideText MoneyStatus(const TDecodeResult &Result) {
    TWideText Places = WideText(L"");
    for (const auto &Place : MoneyPlaces)
        if (ValueOf(Result.Record, Place.Field) < 0) {
            if (Places.Length > 0)
                AppendText(Places, ListSeparator);
            AppendText(Places, LoadInterfaceText(Place.NameId));
        }
    return FormatInterfaceText(IDS_STATUS_MONEY, Places.Text);
}

// Finds every repair of FieldPassword and says how many there are.
TWideText RepairsStatus() {
    RepairCount = FindRepairs(FieldPassword, Repairs, RepairTrialCount);
    if (RepairCount == 0)
        return LoadInterfaceText(IDS_REPAIRS_NONE);
    return FormatInterfaceText(CountedTextId(IDS_REPAIRS_ONE, RepairCount), RepairCount);
}

// Twelve password characters: valid, failing its checks, or with a money
// pattern that is no digit.
// Status, a line break, then the repairs found.
TWideText WithRepairs(TWideText Status) {
    AppendText(Status, LineBreak);
    AppendText(Status, RepairsStatus());
    return Status;
}

TWideText DecodedStatus() {
    DecodePasswordText(FieldPassword, FieldDecoded);
    switch (FieldDecoded.Status) {
    case TDecodeStatus::Valid:
        FieldValid = true;
        return ValidStatus(FieldDecoded.Record);
    case TDecodeStatus::ChecksFail:
        return WithRepairs(ChecksStatus(FieldDecoded));
    case TDecodeStatus::BadMoneyDigit:
        return WithRepairs(MoneyStatus(FieldDecoded));
    case TDecodeStatus::BadCharacter: // not after normalising
        break;
    }
    return WideText(L"");
}

TWideText NormaliseStatus(const wchar_t *Typed, int32_t Length) {
    char32_t Points[FieldTextLimit];
    TNormaliseResult Result;
    NormalisePassword(Points, CodePointsOf(Typed, Length, Points), FieldPassword, Result);
    switch (Result.Status) {
    case TNormaliseStatus::Done:
        return DecodedStatus();
    case TNormaliseStatus::BadCharacter:
        return FormatInterfaceText(IDS_STATUS_BAD_CHARACTER, CharacterText(Result.Character).Text,
                                   CodeText(Result.Character).Text, Result.Place);
    case TNormaliseStatus::TooShort:
    case TNormaliseStatus::TooLong:
        break;
    }
    if (Result.Count == 0)
        return LoadInterfaceText(IDS_STATUS_EMPTY);
    return FormatInterfaceText(CountedTextId(IDS_STATUS_LENGTH_ONE, Result.Count), Result.Count);
}

// ---- the repair list ----------------------------------------------------------

// "5-й знак Б -> В: ПЬФМ В02Ь ЫЫЛ1 — машина Marauder -> Havac"
TWideText RepairLine(const TRepair &Repair) {
    return FormatInterfaceText(
        IDS_REPAIR_LINE, Repair.Place, WideFrom1251(&FieldPassword[Repair.Place - 1], 1).Text,
        WideFrom1251(&Repair.Replacement, 1).Text, GroupedPassword(Repair.Text).Text,
        ChangesText(FieldDecoded.Record, Repair.Record).Text);
}

// One line per repair; the list scrolls sideways as far as its widest line.
void FillRepairList(HWND Dialog) {
    HWND List = GetDlgItem(Dialog, IDC_REPAIR_LIST);
    SendMessageW(List, LB_RESETCONTENT, 0, 0);
    HDC Context = GetDC(List);
    HGDIOBJ Previous = SelectObject(Context, HFONT(SendMessageW(List, WM_GETFONT, 0, 0)));
    LONG Widest = 0;
    for (int32_t I = 0; I < RepairCount; ++I) {
        TWideText Line = RepairLine(Repairs[I]);
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

// After every change of the field: the status line, the repairs, OK.
void AssessField(HWND Dialog) {
    wchar_t Typed[FieldTextLimit + 1];
    int32_t Length = GetDlgItemTextW(Dialog, IDC_PASSWORD_FIELD, Typed, FieldTextLimit + 1);
    FieldValid = false;
    RepairCount = 0;
    TWideText Status = NormaliseStatus(Typed, Length);
    SetDlgItemTextW(Dialog, IDC_PASSWORD_STATUS, Status.Text);
    FillRepairList(Dialog);
    EnableControl(Dialog, IDOK, FieldValid);
    EnableControl(Dialog, IDC_TAKE_REPAIR, false);
}

// The chosen repair's password goes into the field, which is then assessed
// again; the focus moves on to OK.
void TakeRepair(HWND Dialog) {
    LRESULT Chosen = SendDlgItemMessageW(Dialog, IDC_REPAIR_LIST, LB_GETCURSEL, 0, 0);
    if (Chosen < 0 || Chosen >= RepairCount)
        return;
    TWideText Password = GroupedPassword(Repairs[Chosen].Text);
    SetDlgItemTextW(Dialog, IDC_PASSWORD_FIELD, Password.Text);
    if (FieldValid)
        SendMessageW(Dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(Dialog, IDOK)),
                     TRUE);
}

void HandleOk(HWND Dialog) {
    // Enter reaches here whether or not OK is enabled.
    if (!FieldValid)
        return;
    ChosenSettings = FieldDecoded.Record;
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
    SendDlgItemMessageW(Dialog, IDC_PASSWORD_FIELD, EM_LIMITTEXT, FieldTextLimit, 0);
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
// skipped), at most FieldTextLimit characters; empty without text.
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
        for (; *Text != L'\0' && *Text != L'\r' && *Text != L'\n' && Line.Length < FieldTextLimit;
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
