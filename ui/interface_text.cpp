#include "interface_text.h"

#include <windows.h>

#include <cstdarg>

#include "russian_plural.h"
#include "settings.h"

TWideText WideText(const wchar_t *Text, int32_t Length) {
    TWideText Made;
    Made.Length = 0;
    Made.Text[0] = L'\0';
    AppendText(Made, Text, Length);
    return Made;
}

void AppendText(TWideText &To, const wchar_t *Text, int32_t Length) {
    for (int32_t I = 0;
         (Length < 0 ? Text[I] != L'\0' : I < Length) && To.Length < WideTextCapacity - 1; ++I)
        To.Text[To.Length++] = Text[I];
    To.Text[To.Length] = L'\0';
}

TWideText LoadInterfaceText(uint16_t Id) {
    TWideText Loaded;
    int32_t Length = LoadStringW(GetModuleHandleW(nullptr), Id, Loaded.Text, WideTextCapacity);
    Loaded.Length = Length > 0 ? Length : 0;
    Loaded.Text[Loaded.Length] = L'\0';
    return Loaded;
}

TWideText FormatInterfaceText(uint16_t Id, ...) {
    TWideText Format = LoadInterfaceText(Id);
    TWideText Formatted;
    va_list Arguments;
    va_start(Arguments, Id);
    // wvsprintfW writes at most 1024 units, the zero included: the capacity.
    int32_t Length = wvsprintfW(Formatted.Text, Format.Text, Arguments);
    va_end(Arguments);
    Formatted.Length = Length > 0 ? Length : 0;
    Formatted.Text[Formatted.Length] = L'\0';
    return Formatted;
}

uint16_t CountedTextId(uint16_t OneId, int32_t Count) {
    return uint16_t(OneId + int32_t(RussianPluralForm(Count)));
}

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

TWideText NumberText(int32_t Value) {
    wchar_t Text[12];
    wsprintfW(Text, L"%d", Value);
    return WideText(Text);
}

TWideText ControlValueText(TControl Control, int32_t Value) {
    if (RuleOf(Control).Kind == TControlKind::Bar)
        return NumberText(Value);
    if (Value < 0 || Value > ControlMaximum(Control))
        return WideText(L"");
    const char *const *Names = ListNames(Control);
    return Names != nullptr ? WideFrom1251(Names[Value]) : LoadInterfaceText(ColorNameIds[Value]);
}
