// The window's string table as Windows-1251 texts, for the code that does not
// carry the window's resources: the window model, which is portable, and the
// command-line tool. The table is the resource script's (rnrr.rc); the build
// writes its entries from it (tools/string_table.py), so that the window, the
// model and the tool say the same.
#pragma once

#include <cstdint>

struct TStringTableEntry {
    uint16_t Id;
    const char *Text; // zero-terminated
};

#include "string_table_entries.h"

// The text of string Id (an IDS_ identifier of resource_ids.h); empty when
// the table holds none. For a constant Id a constant expression, so that a
// constant table can hold the text.
constexpr const char *StringTableText(uint16_t Id) {
    for (const TStringTableEntry &Entry : StringTableEntries)
        if (Entry.Id == Id)
            return Entry.Text;
    return "";
}
