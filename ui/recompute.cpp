// RecomputePassword: the one bridge from the window's controls to the
// encoder, through the window model's reading. It always reads every control
// and always re-encodes. And the other way: the numbers beside the item bars,
// and LoadSettingsIntoControls for a password read in.
#include "main_window.h"
#include "window_state.h"

#include <commctrl.h>

#include "password.h"
#include "reading.h"
#include "settings.h"
#include "window_model.h"

TWideText WideFrom1251(const char *Text, int32_t Length) {
    constexpr UINT CodePage1251 = 1251;
    if (Length < 0)
        Length = lstrlenA(Text);
    if (Length > WideTextCapacity - 1)
        Length = WideTextCapacity - 1;
    // One UTF-16 unit for each byte of the single-byte code page.
    TWideText Wide;
    int32_t WideLength = Length > 0 ? MultiByteToWideChar(CodePage1251, 0, Text, Length, Wide.Text,
                                                          WideTextCapacity - 1)
                                    : 0;
    Wide.Length = WideLength > 0 ? WideLength : 0;
    Wide.Text[Wide.Length] = L'\0';
    return Wide;
}

TWideText MoneyBoxText(const TMoneyText &Money) {
    TWideText Text;
    for (Text.Length = 0; Text.Length < Money.Length && Text.Length < MoneyTextLimit; ++Text.Length)
        Text.Text[Text.Length] = wchar_t(Money.Characters[Text.Length]);
    Text.Text[Text.Length] = L'\0';
    return Text;
}

// What the controls hold now: every list's selection, every bar's position
// (a hidden bar's too) and the money box's text, as the model reads them.
static void ReadControlState(TControlState &State) {
    for (int32_t C = 0; C < ControlCount; ++C) {
        const HWND Control = ControlHandle(TControl(C));
        switch (ControlRules[C].Kind) {
        case TControlKind::List:
            State.Values[C] = int32_t(SendMessageW(Control, CB_GETCURSEL, 0, 0));
            break;
        case TControlKind::Bar:
            State.Values[C] = int32_t(SendMessageW(Control, TBM_GETPOS, 0, 0));
            break;
        default:
            State.Values[C] = 0;
            break;
        }
    }
    wchar_t Money[MoneyTextLimit + 1] = {};
    GetWindowTextW(Controls.MoneyBox, Money, MoneyTextLimit + 1);
    for (int32_t I = 0; I < MoneyTextLimit; ++I)
        State.Money.Characters[I] = uint16_t(Money[I]);
    State.Money.Length = GetWindowTextLengthW(Controls.MoneyBox);
}

void RecomputePassword() {
    TControlState State;
    ReadControlState(State);
    ReadControls(State, Settings);

    EncodePassword();
    char PasswordDisplay[PasswordDisplaySize];
    FormatPasswordDisplay(PasswordDisplay);
    SetWindowTextW(Controls.PasswordBox, WideFrom1251(PasswordDisplay).Text);
}

void ShowItemCount(HWND Bar, HWND Count) {
    int32_t Position = int32_t(SendMessageW(Bar, TBM_GETPOS, 0, 0));
    wchar_t Text[12];
    wsprintfW(Text, L"%d", Position);
    SetWindowTextW(Count, Text);
}

void LoadSettingsIntoControls(const TSettings &Record) {
    TControlState State;
    ControlStateOf(Record, State);
    for (int32_t C = 0; C < ControlCount; ++C) {
        const HWND Control = ControlHandle(TControl(C));
        if (ControlRules[C].Kind == TControlKind::List)
            SendMessageW(Control, CB_SETCURSEL, State.Values[C], 0);
        else if (ControlRules[C].Kind == TControlKind::Bar)
            SendMessageW(Control, TBM_SETPOS, TRUE, State.Values[C]);
    }
    ShowItemCount(Controls.WeaponBar, Controls.WeaponCount);
    ShowItemCount(Controls.BoostBar, Controls.BoostCount);
    ShowItemCount(Controls.DropBar, Controls.DropCount);

    SetWindowTextW(Controls.MoneyBox, MoneyBoxText(State.Money).Text);

    // The bars' rule for the new car, then the password and the pictures,
    // which draw the levels the password was made from.
    UpdateUpgradeVisibility();
    RecomputePassword();
    DrawPictures();
}
