// The program's fixed Russian wording, kept in the string table of its
// resources and fetched by identifier each time it is needed.
#pragma once

#include <cstdint>

// A counted UTF-16 text held in place: Length units of Text (0..1023), then a
// zero, so that Text goes straight to the platform's W calls. The window's
// texts live in these records rather than in library strings, which would
// bring the library's exception machinery into the program.
constexpr int32_t WideTextCapacity = 1024; // 1023 characters and a zero
struct TWideText {
    int32_t Length;
    wchar_t Text[WideTextCapacity];
};

// The text of string Id (65504..65535); empty when the table holds none.
// Texts longer than 1023 characters are cut to 1023.
TWideText LoadInterfaceText(uint16_t Id);
