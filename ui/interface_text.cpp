#include "interface_text.h"

#include <windows.h>

#include <cstdarg>

#include "russian_plural.h"

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
