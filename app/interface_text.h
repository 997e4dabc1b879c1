// The program's fixed Russian wording, kept in the string table of its
// resources and fetched by identifier each time it is needed.
#pragma once

#include <cstdint>
#include <string>

// The text of string Id (65504..65535) as UTF-16; empty when the table holds
// none. Texts longer than 1023 characters are cut to 1023.
std::wstring LoadInterfaceText(uint16_t Id);
