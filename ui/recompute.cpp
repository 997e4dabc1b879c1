// RecomputePassword: the one bridge from the window's controls to the
// encoder. It always reads every control and always re-encodes. And
// LoadSettingsIntoControls, the way back for a password read in.
#include "main_window.h"
#include "window_state.h"

#include <commctrl.h>

#include "password.h"
#include "reading.h"
#include "settings.h"

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

static int32_t ListSelection(HWND List) {
    return int32_t(SendMessageW(List, CB_GETCURSEL, 0, 0));
}

static int32_t TrackbarPosition(HWND Trackbar) {
    return int32_t(SendMessageW(Trackbar, TBM_GETPOS, 0, 0));
}

// The money box's first three characters as the single bytes that
// ReadMoneyText takes: the digits "0".."9" as they are, any other character
// as a byte that counts 0.
static void ReadMoneyBox() {
    wchar_t WideMoney[MoneyBufferSize] = {};
    GetWindowTextW(Controls.MoneyBox, WideMoney, MoneyBufferSize);
    int32_t Length = GetWindowTextLengthW(Controls.MoneyBox);
    char Money[MoneyBufferSize] = {};
    for (int32_t I = 0; I < MoneyBufferSize - 1 && WideMoney[I] != L'\0'; ++I)
        Money[I] = (WideMoney[I] >= L'0' && WideMoney[I] <= L'9') ? char(WideMoney[I]) : '?';
    ReadMoneyText(Money, Length);
}

void RecomputePassword() {
    Settings.Difficulty = ListSelection(Controls.DifficultyList);
    Settings.Hero = ListSelection(Controls.HeroList);
    Settings.Planet = ListSelection(Controls.PlanetList);
    Settings.Car = ListSelection(Controls.CarList);
    Settings.Division = ListSelection(Controls.DivisionList);
    Settings.Color = ListSelection(Controls.ColorList);

    Settings.WeaponCharges = TrackbarPosition(Controls.WeaponBar);
    Settings.BoostCharges = TrackbarPosition(Controls.BoostBar);
    Settings.DropCharges = TrackbarPosition(Controls.DropBar);
    Settings.Engine = TrackbarPosition(Controls.EngineBar);
    // A hidden bar keeps its position, but the password takes level 0 for it.
    Settings.Shocks = ShocksBarShown ? TrackbarPosition(Controls.ShocksBar) : 0;
    Settings.Tires = TiresBarShown ? TrackbarPosition(Controls.TiresBar) : 0;
    Settings.Armor = TrackbarPosition(Controls.ArmorBar);

    ReadMoneyBox();

    EncodePassword();
    char PasswordDisplay[PasswordDisplaySize];
    FormatPasswordDisplay(PasswordDisplay);
    SetWindowTextW(Controls.PasswordBox, WideFrom1251(PasswordDisplay).Text);
}

void LoadSettingsIntoControls(const TSettings &Record) {
    struct TControlValue {
        HWND Control;
        int32_t Value;
    };
    const TControlValue Lists[] = {
        {Controls.DifficultyList, Record.Difficulty}, {Controls.HeroList, Record.Hero},
        {Controls.PlanetList, Record.Planet},         {Controls.CarList, Record.Car},
        {Controls.DivisionList, Record.Division},     {Controls.ColorList, Record.Color},
    };
    for (const TControlValue &Row : Lists)
        SendMessageW(Row.Control, CB_SETCURSEL, Row.Value, 0);
    const TControlValue Bars[] = {
        {Controls.WeaponBar, Record.WeaponCharges}, {Controls.BoostBar, Record.BoostCharges},
        {Controls.DropBar, Record.DropCharges},     {Controls.EngineBar, Record.Engine},
        {Controls.ShocksBar, Record.Shocks},        {Controls.TiresBar, Record.Tires},
        {Controls.ArmorBar, Record.Armor},
    };
    for (const TControlValue &Row : Bars)
        SendMessageW(Row.Control, TBM_SETPOS, TRUE, Row.Value);
    ShowItemCount(Controls.WeaponBar, Controls.WeaponCount);
    ShowItemCount(Controls.BoostBar, Controls.BoostCount);
    ShowItemCount(Controls.DropBar, Controls.DropCount);

    const wchar_t Money[MoneyBufferSize] = {wchar_t(L'0' + Record.MoneyHundreds),
                                            wchar_t(L'0' + Record.MoneyTens),
                                            wchar_t(L'0' + Record.MoneyUnits), L'\0'};
    SetWindowTextW(Controls.MoneyBox, Money);

    // The bars' rule for the new car, then the password and the pictures,
    // which draw the levels the password was made from.
    UpdateUpgradeVisibility();
    RecomputePassword();
    DrawPictures();
}
