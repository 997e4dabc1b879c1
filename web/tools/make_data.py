#!/usr/bin/env python3
"""Write the page's data module: the texts that live outside the program's code.

    make_data.py REPO_DIR TEXTS_JSON ART_DIR OUTPUT_JS VERSION

Everything the page needs that is not a text (starting values, bar ranges,
the bars a car shows, pictures, option names, the Russian bar labels and
credits) it asks the module, which is built from the program's own code.
This writes only the texts and the picture sheet's size, as one ES module,
`export default {...}`:

  res/rnrr.rc, res/resource_ids.h   the string table, by identifier: the
                                    texts that res/english.rc has in English
                                    (the window's and what the page says of a
                                    typed password), a counted text's forms
                                    in a list (read by tools/string_table.py)
  VERSION                           the project's version, as the build
                                    hands it over (CMake's PROJECT_VERSION)
  TEXTS_JSON                        the page's own texts (Russian, English),
                                    the English bar labels and credits, and
                                    English list names
  ART_DIR/sheet.png                 the size of the picture sheet, as drawn

Stops with a message naming the file when something is not found, so a
change of those sources shows here rather than as a wrong page.
"""

import json
import os
import struct
import sys

sys.dont_write_bytecode = True  # the build writes nothing into the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tools"))
from string_table import ENGLISH_PATH, read_table  # noqa: E402


def fail(message):
    sys.exit("make_data: " + message)


def string_table(repo):
    """{NAME: {"id", "ru", "en"}} for every text that the English has; a
    counted text under the name of its first form, its forms in lists (three
    Russian, two English)."""
    def by_name(path):
        texts = {}
        for name, number, text in read_table(repo, path):
            base, _, form = name.partition("+")
            entry = texts.setdefault(base, {"id": number, "forms": []})
            entry["forms"].append(text)
            if int(form or 0) != len(entry["forms"]) - 1:
                fail(f"{path}: the forms of {base} are not in a row")
        return texts
    russian, english = by_name("res/rnrr.rc"), by_name(ENGLISH_PATH)
    # Every window text (the table's top block, 65504..65535) is on the page.
    missing = [name for name, entry in russian.items()
               if entry["id"] >= 65504 and name not in english]
    missing += [name for name in english if name not in russian]
    if missing:
        fail(f"{ENGLISH_PATH}: no English or no Russian for {', '.join(missing)}")
    text = lambda forms: forms if len(forms) > 1 else forms[0]  # noqa: E731
    return {name: {"id": russian[name]["id"], "ru": text(russian[name]["forms"]),
                   "en": text(english[name]["forms"])} for name in english}


def picture_size(path):
    """Width and height from a PNG file's header."""
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        fail(f"{path}: not a PNG file")
    width, height = struct.unpack(">II", head[16:24])
    return {"width": width, "height": height}


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    repo, texts_path, art, out, version = sys.argv[1:]
    with open(texts_path, encoding="utf-8") as f:
        texts = json.load(f)
    window = texts["window"]
    missing = [key for key, text in texts["page"].items() if set(text) != {"ru", "en"}]
    if missing or "credits" not in window:
        fail(f"{texts_path}: no English text for {', '.join(missing) or 'credits'}")
    data = {
        "version": version,
        "sheet": picture_size(os.path.join(art, "sheet.png")),
        "strings": string_table(repo),
        "window": window,
        "names": texts["names"],
        "page": texts["page"],
    }
    with open(out, "w", encoding="utf-8") as f:
        f.write("// Made by web/tools/make_data.py from the string table and web/texts.json;"
                " do not edit.\n")
        f.write("export default " + json.dumps(data, ensure_ascii=False, indent=1) + ";\n")


if __name__ == "__main__":
    main()
