// The window's string table as Windows-1251 texts, for the programs that do
// not carry the window's resources: the command-line tool. The table is the
// resource script's (rnrr.rc); the build writes this lookup from it
// (tools/string_table.py), so that the tool and the window say the same.
#pragma once

#include <cstdint>

// The text of string Id (an IDS_ identifier of resource_ids.h); empty when
// the table holds none.
const char *StringTableText(uint16_t Id);
