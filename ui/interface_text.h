// The program's fixed Russian wording, kept in the string table of its
// resources and fetched by identifier each time it is needed.
#pragma once

#include <cstdint>
#include <string>

// The text of string Id as UTF-16; empty when the table holds none. Texts
// longer than 1023 characters are cut to 1023.
std::wstring LoadInterfaceText(uint16_t Id);

// String Id used as a format (%d for numbers, %ls for UTF-16 texts) with the
// arguments that follow; the result is cut to 1023 characters.
std::wstring FormatInterfaceText(uint16_t Id, ...);

// A text that counts something comes in three strings, OneId, OneId + 1 and
// OneId + 2, for the forms after 1, after 2..4 and after 5 ("1 замена",
// "2 замены", "5 замен"): the identifier of the one that fits Count.
uint16_t CountedTextId(uint16_t OneId, int32_t Count);
