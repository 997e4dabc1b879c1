// The program's fixed Russian wording, kept in the string table of its
// resources and fetched by identifier each time it is needed, and the
// conversions of the encoder's and the model's texts into the UTF-16 texts
// that the platform's W calls take.
#pragma once

#include <cstdint>

#include "window_model.h"

// A counted UTF-16 text held in place: Length units of Text (0..1023), then a
// zero, so that Text goes straight to the platform's W calls. The window's
// texts live in these records rather than in library strings, which would
// bring the library's exception machinery into the program.
constexpr int32_t WideTextCapacity = 1024; // 1023 characters and a zero
struct TWideText {
    int32_t Length;
    wchar_t Text[WideTextCapacity];
};

// Length units of Text (up to its zero when Length is -1) as a record, cut
// to 1023.
TWideText WideText(const wchar_t *Text, int32_t Length = -1);

// Adds Text (up to its zero when Length is -1) to the end of To; what does
// not fit in 1023 characters is cut.
void AppendText(TWideText &To, const wchar_t *Text, int32_t Length = -1);
inline void AppendText(TWideText &To, const TWideText &Text) {
    AppendText(To, Text.Text, Text.Length);
}

// The text of string Id; empty when the table holds none. Texts longer than
// 1023 characters are cut to 1023.
TWideText LoadInterfaceText(uint16_t Id);

// String Id used as a format (%d for numbers, %ls for UTF-16 texts) with the
// arguments that follow; the result is cut to 1023 characters.
TWideText FormatInterfaceText(uint16_t Id, ...);

// A text that counts something comes in three strings, OneId, OneId + 1 and
// OneId + 2, for the forms after 1, after 2..4 and after 5 ("1 замена",
// "2 замены", "5 замен"): the identifier of the one that fits Count.
uint16_t CountedTextId(uint16_t OneId, int32_t Count);

// The encoder's Windows-1251 text as UTF-16, for the platform's W calls:
// Length bytes, or up to the zero when Length is -1; cut to 1023 characters.
TWideText WideFrom1251(const char *Text, int32_t Length = -1);

// The money box's text that the model's money text stands for.
TWideText MoneyBoxText(const TMoneyText &Money);

// A number in decimal digits, "-" before a negative one.
TWideText NumberText(int32_t Value);

// What a list or bar holding Value shows in words: the list's name of entry
// Value (from the value names or, for the colours, the interface texts), a
// bar's position as a number. Empty for an entry the list does not have.
TWideText ControlValueText(TControl Control, int32_t Value);
