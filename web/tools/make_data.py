#!/usr/bin/env python3
"""Write the page's data module from the program's own sources.

    make_data.py REPO_DIR TEXTS_JSON OUTPUT_JS

The page keeps no copy of the window's texts, starting values, bar rules or
picture places: this reads them where the program keeps them and writes one
ES module, `export default {...}`.

  res/rnrr.rc, res/resource_ids.h   the string table, by identifier
  encoder/settings.h                the field order of TSettings (TField)
  ui/layout.cpp                     starting values, bar maxima, money box,
                                    credits text, Tab order
  ui/behaviour.cpp                  the first cars without shocks and tires
  ui/pictures.cpp                   picture sizes, sheet rows, icons by car
  tools/make_art.py                 the size of the sheet
  cli/tool.cpp                      option names and the labels of the bars
  CMakeLists.txt                    the version
  TEXTS_JSON                        the page's own texts (Russian, English)
                                    and the English window texts

Stops with a message naming the file when something is not found, so a
change of those sources shows here rather than as a wrong page.
"""

import json
import os
import re
import sys


def fail(message):
    sys.exit("make_data: " + message)


def read(repo, path):
    with open(os.path.join(repo, path), encoding="utf-8") as f:
        return f.read()


def find(pattern, text, path, flags=0):
    m = re.search(pattern, text, flags)
    if not m:
        fail(f"{path}: no match for {pattern!r}")
    return m


def int_constants(text):
    """Every `constexpr int32_t A = 1, B = 2;` as {name: value}."""
    out = {}
    for decl in re.findall(r"constexpr int32_t ([^;]+);", text):
        for part in decl.split(","):
            m = re.fullmatch(r"\s*(\w+)\s*=\s*(\d+)\s*", part)
            if m:
                out[m.group(1)] = int(m.group(2))
    return out


def pick(constants, names, path):
    missing = [n for n in names if n not in constants]
    if missing:
        fail(f"{path}: missing constants {', '.join(missing)}")
    return {n: constants[n] for n in names}


def rc_unquote(text):
    return text.replace('""', '"')


def string_table(repo):
    ids_path, rc_path = "res/resource_ids.h", "res/rnrr.rc"
    # The window's own texts are the table's top block, 65504..65535; the
    # password dialog's, below it, have no place on the page.
    ids = {name: int(value) for name, value in
           re.findall(r"#define (IDS_\w+) (\d+)", read(repo, ids_path)) if int(value) >= 65504}
    table = find(r"STRINGTABLE\s+BEGIN\n(.*?)\nEND", read(repo, rc_path), rc_path, re.S).group(1)
    strings = {}
    for name, text in re.findall(r'^\s*(IDS_\w+),\s*"((?:[^"]|"")*)"\s*$', table, re.M):
        if name not in ids:
            fail(f"{rc_path}: {name} has no number in {ids_path}")
        strings[name] = {"id": ids[name], "ru": rc_unquote(text)}
    if set(strings) != set(ids):
        fail(f"{rc_path}: the string table and {ids_path} name different texts")
    return strings


def field_order(repo):
    path = "encoder/settings.h"
    body = find(r"enum class TField : int32_t \{(.*?)\};", read(repo, path), path, re.S).group(1)
    fields = re.findall(r"(\w+),", body)
    if len(fields) != 16:
        fail(f"{path}: TField has {len(fields)} fields, not 16")
    return fields


# Starting-value constants of the window and the field each sets.
START_CONSTANTS = {
    "StartHero": "Hero", "StartColor": "Color", "StartCar": "Car",
    "StartDifficulty": "Difficulty", "StartPlanet": "Planet", "StartDivision": "Division",
    "StartWeapon": "WeaponCharges", "StartBoost": "BoostCharges", "StartDrop": "DropCharges",
    "StartEngine": "Engine", "StartArmor": "Armor", "StartShocks": "Shocks", "StartTires": "Tires",
}

# The handles of the window's Tab order and the page's controls, by field.
TAB_CONTROLS = {
    "PasswordBox": "password", "MoneyBox": "money",
    "HeroList": "Hero", "ColorList": "Color", "CarList": "Car", "DifficultyList": "Difficulty",
    "PlanetList": "Planet", "DivisionList": "Division",
    "WeaponBar": "WeaponCharges", "BoostBar": "BoostCharges", "DropBar": "DropCharges",
    "EngineBar": "Engine", "ArmorBar": "Armor", "ShocksBar": "Shocks", "TiresBar": "Tires",
}


def window(repo):
    path = "ui/layout.cpp"
    layout = read(repo, path)
    constants = int_constants(layout)
    start = {field: value for name, field in START_CONSTANTS.items()
             for value in [pick(constants, [name], path)[name]]}
    maxima = pick(constants, ["ItemMaximum", "UpgradeMaximum", "MoneyTextLimit"], path)
    money = find(r'\{Edit, MoneyBoxStyle, \w+, 0, L"(\d*)"', layout, path).group(1)
    credits = find(r'CreditsText\[\] = L"([^"]*)"', layout, path).group(1).split("\\r")
    order = find(r"const HWND Order\[TabOrderLength\] = \{(.*?)\};", layout, path, re.S).group(1)
    tab = [TAB_CONTROLS[name] for name in re.findall(r"Controls\.(\w+)", order)]
    behaviour_path = "ui/behaviour.cpp"
    rules = pick(int_constants(read(repo, behaviour_path)),
                 ["FirstCarWithoutShocks", "FirstCarWithoutTires"], behaviour_path)
    return {
        "start": start,
        "moneyText": money,
        "moneyLimit": maxima["MoneyTextLimit"],
        "itemMaximum": maxima["ItemMaximum"],
        "upgradeMaximum": maxima["UpgradeMaximum"],
        "firstCarWithoutShocks": rules["FirstCarWithoutShocks"],
        "firstCarWithoutTires": rules["FirstCarWithoutTires"],
        "credits": credits,
        "tabOrder": tab,
    }


def icon_rule(text, function, icons, path):
    """`if (Car < 2) return A; ... return B;` or `return Car < 2 ? A : B;` as
    [[2, icon of A], [null, icon of B]]: the first row whose limit the car is below."""
    body = find(function + r"\(int32_t Car\) \{(.*?)\n\}", text, path, re.S).group(1)
    m = re.fullmatch(r"\s*return Car < (\d+) \? (\w+) : (\w+);\s*", body)
    if m:
        rows = [(int(m.group(1)), m.group(2)), (None, m.group(3))]
    else:
        rows = [(int(a), b) for a, b in re.findall(r"if \(Car < (\d+)\)\s*return (\w+);", body)]
        rows.append((None, find(r"\n\s*return (\w+);\s*$", body, path).group(1)))
    return [[limit, icons[name]] for limit, name in rows]


def pictures(repo):
    path = "ui/pictures.cpp"
    text = read(repo, path)
    c = int_constants(text)
    icons = {name: value for name, value in c.items() if name.endswith("Icon")}
    rows = {name: int(row) for name, row in
            re.findall(r"constexpr TUpgradePicture (\w+)Picture = \{(\d+),", text)}
    if set(rows) != {"Engine", "Armor", "Shocks", "Tires"}:
        fail(f"{path}: the upgrade pictures are {sorted(rows)}")
    sizes = pick(c, ["UpgradeWidth", "UpgradeHeight", "IconWidth", "IconHeight", "IconRowTop",
                     "EmblemWidth", "EmblemHeight", "CarWidth", "CarHeight", "ExtraIconCar"], path)
    art_path = "tools/make_art.py"
    sheet = find(r"SHEET_W, SHEET_H = (\d+), (\d+)", read(repo, art_path), art_path)
    return {
        **sizes,
        "SheetWidth": int(sheet.group(1)),
        "SheetHeight": int(sheet.group(2)),
        "sheetRows": rows,
        "weaponIcon": icon_rule(text, "WeaponIconOf", icons, path),
        "boostIcon": icon_rule(text, "BoostIconOf", icons, path),
        "dropIcon": icon_rule(text, "DropIconOf", icons, path),
    }


def options(repo, fields):
    path = "cli/tool.cpp"
    rows = re.findall(r'\{"--(\w+)", TField::(\w+), \w+, \w+, "([^"]*)"\}', read(repo, path))
    if len(rows) != 14 or any(f not in fields for _, f, _ in rows):
        fail(f"{path}: expected the 14 option rows of OptionRows, found {len(rows)}")
    return [{"key": key, "field": field, "ru": label} for key, field, label in rows]


def version(repo):
    path = "CMakeLists.txt"
    return find(r"project\(\w+ VERSION (\d+\.\d+)", read(repo, path), path).group(1)


def merge_texts(strings, opts, win, texts, path):
    en = texts["window"]
    missing = [n for n in strings if n not in en] + [o["field"] for o in opts if o["field"] not in en]
    missing += [k for k in texts["page"] if set(texts["page"][k]) != {"ru", "en"}]
    if missing or "credits" not in en:
        fail(f"{path}: no English text for {', '.join(missing) or 'credits'}")
    for name, s in strings.items():
        s["en"] = en[name]
    for o in opts:
        o["en"] = en[o["field"]]
    win["credits"] = {"ru": win["credits"], "en": en["credits"]}


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    repo, texts_path, out = sys.argv[1:]
    with open(texts_path, encoding="utf-8") as f:
        texts = json.load(f)
    fields = field_order(repo)
    strings = string_table(repo)
    opts = options(repo, fields)
    win = window(repo)
    merge_texts(strings, opts, win, texts, texts_path)
    data = {
        "version": version(repo),
        "fields": fields,
        "strings": strings,
        "options": opts,
        "window": win,
        "pictures": pictures(repo),
        "names": texts["names"],
        "page": texts["page"],
    }
    with open(out, "w", encoding="utf-8") as f:
        f.write("// Made by web/tools/make_data.py from the program's sources; do not edit.\n")
        f.write("export default " + json.dumps(data, ensure_ascii=False, indent=1) + ";\n")


if __name__ == "__main__":
    main()
