#!/usr/bin/env python3
"""The window's string table, read from the resource script, for the
programs that do not carry the window's resources.

    string_table.py REPO_DIR OUTPUT.h

writes a C++ header with every text of the table as Windows-1251 bytes, the
entries that StringTableText(Id) of res/string_table.h looks one up in (a
constant expression for a constant Id); the window model takes the labels of
its options from it, the command-line tool its colour names and the
dialog's wording. The page's data module (web/tools/make_data.py) reads the
table, and its English in res/english.rc, through read_table() here.

The table is every STRINGTABLE block of res/rnrr.rc; an entry's identifier
is a name of res/resource_ids.h, or NAME+N for the forms of a counted text.
Stops with a message naming the file when an entry cannot be read.
"""

import os
import re
import sys

IDS_PATH, RC_PATH, ENGLISH_PATH = "res/resource_ids.h", "res/rnrr.rc", "res/english.rc"


def fail(message):
    sys.exit("string_table: " + message)


def read(repo, path):
    with open(os.path.join(repo, path), encoding="utf-8") as f:
        return f.read()


def read_table(repo, path=RC_PATH):
    """[(name, id, text)] in the order of the script at path (the table, or
    its English); name is NAME or NAME+N."""
    ids = {name: int(value) for name, value in
           re.findall(r"#define (IDS_\w+) (\d+)", read(repo, IDS_PATH))}
    blocks = re.findall(r"STRINGTABLE\s+BEGIN\n(.*?)\nEND", read(repo, path), re.S)
    if not blocks:
        fail(f"{path}: no STRINGTABLE")
    table = []
    for block in blocks:
        for line in block.splitlines():
            if not line.strip():
                continue
            m = re.fullmatch(r'\s*(IDS_\w+)(?:\+(\d+))?,\s*"((?:[^"\\]|"")*)"\s*', line)
            if not m or m.group(1) not in ids:
                fail(f"{path}: cannot read {line.strip()!r}")
            name, offset, text = m.groups()
            number = ids[name] + int(offset or 0)
            table.append((name + (f"+{offset}" if offset else ""), number, text.replace('""', '"')))
    numbers = [number for _, number, _ in table]
    if len(set(numbers)) != len(numbers):
        fail(f"{path}: an identifier stands twice")
    return table


def octal(text):
    """A C string literal of the text's Windows-1251 bytes: printable ASCII as
    it is, every other byte in octal (never longer than three digits)."""
    out = ""
    for byte in text.encode("cp1251"):
        char = chr(byte)
        out += char if 0x20 <= byte < 0x7F and char not in '"\\?' else f"\\{byte:03o}"
    return '"' + out + '"'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    repo, out = sys.argv[1:]
    rows = "\n".join(f"    {{{number}, {octal(text)}}}, // {name}"
                     for name, number, text in read_table(repo))
    source = f"""// Made by tools/string_table.py from {RC_PATH}; do not edit.
// The entries of the string table, read through res/string_table.h.
#pragma once

inline constexpr TStringTableEntry StringTableEntries[] = {{
{rows}
}};
"""
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "w", encoding="ascii") as f:
        f.write(source)


if __name__ == "__main__":
    main()
