#!/usr/bin/env python3
"""Runs rnrr-pw as a process and checks its exit codes, output and messages.

Usage: cli_process_test.py [--spawn SPAWN_EXE PROGRAM_DOS_PATH] COMMAND...
COMMAND is the program, or wine-run and the exe. With --spawn (Windows) the
hostile command lines go through rnrr-spawn.exe, which hands them to
CreateProcessW as they are.
The expected passwords are worked out by hand from the value tables; the
working is in the comments.
"""
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

COMMAND = sys.argv[1:]
SPAWN = None
if COMMAND[:1] == ["--spawn"]:
    SPAWN, COMMAND = COMMAND[1:3], COMMAND[3:]
ENV = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", WINEDEBUG="-all")

# The window's starting values: patterns Difficulty 10, items 111/011/011,
# Engine 10, Shocks 10, Armor 01, Tires 00, Hero 101, Planet 110, Division 1,
# Car 100, Color 000, money 1100 0011 0101; checks 0..17
# 0 1 0 0 1 1 0 0 0 0 0 1 1 0 1 0 0 1; groups 9 16 13 7 1 21 23 16 17 17 6 31.
STARTING = "ПЬФМ В02Ь ЫЫЛ!"
# Every field 0 (Dirt Devil, Чёрный, no money, no charges, level 0).
ZERO = "Э9Я0 ФУ2Э 0Х4Б"
ZERO_OPTIONS = ["--color", "0", "--car", "0", "--money", "0", "--weapon", "0", "--boost",
                "0", "--drop", "0", "--engine", "0", "--shocks", "0", "--tires", "0"]
# The starting password with its last character "!" (11111) typed as "1"
# (10110): positions 56 (DropCharges.3, read by check 8) and 59
# (WeaponCharges.3, read by check 11) are wrong.
LAST_WRONG = "ПЬФМ В02Ь ЫЫЛ1"
# Position 0 flipped (П 01001 -> 4 11001): repaired by position 0, 16, 32 or
# 48, the last three giving Warrior, Cyberhawk and Tires 2.
FIRST_FLIPPED = "4ЬФМ В02Ь ЫЫЛ!"
# Positions 0, 5 and 10 flipped: no single character reaches those checks.
BEYOND_REPAIR = "4Б8М В02Ь ЫЫЛ!"
# Positions 20 and 21 set (group 20..24 00001 -> 11001, 4): the hundreds
# pattern 1111 is no digit.
BAD_HUNDREDS = "ПЬФМ 402Ь ЫЫЛ!"

failures = []


def run(*args, command=None, stdin=""):
    # Standard error goes to a file, not a pipe: under Wine the wineserver
    # that the first run starts inherits it and would hold a pipe open.
    with tempfile.TemporaryFile() as err:
        p = subprocess.run((command or COMMAND) + list(args), stdout=subprocess.PIPE, stderr=err,
                           input=stdin.encode("utf-8"), env=ENV, timeout=120)
        err.seek(0)
        return p.returncode, p.stdout.decode("utf-8"), err.read().decode("utf-8")


def check(name, condition, detail=""):
    if not condition:
        failures.append(f"{name}: {detail}")


def expect(name, args, code, out=(), err=(), out_exact=None):
    rc, so, se = run(*args)
    check(name, rc == code, f"exit {rc}, wanted {code}; stdout {so!r}; stderr {se!r}")
    for part in out:
        check(name, part in so, f"stdout lacks {part!r}: {so!r}")
    for part in err:
        check(name, part in se, f"stderr lacks {part!r}: {se!r}")
    if out_exact is not None:
        check(name, so == out_exact, f"stdout {so!r}, wanted {out_exact!r}")
    return so, se


def encoded(*args):
    rc, so, se = run("encode", *args)
    return so if rc == 0 else f"exit {rc}: {se!r}"


def decoded_json(password):
    rc, so, se = run("decode", password, "--json")
    try:
        return rc, json.loads(so)
    except ValueError:
        failures.append(f"decode --json {password}: not JSON: {so!r} {se!r}")
        return rc, {}


# ---- encode ----
expect("starting values", ["encode"], 0, out_exact=STARTING + "\n")
expect("all zero by index", ["encode"] + ZERO_OPTIONS, 0, out_exact=ZERO + "\n")
zero_by_name = ["encode", "--color", "чёрный", "--car", "DIRT DEVIL", "--money", "000",
                "--weapon=0", "--boost=0", "--drop=0", "--engine=0", "--shocks=0", "--tires=0"]
expect("all zero by name", zero_by_name, 0, out_exact=ZERO + "\n")

# Every range to its end, and a number of four characters.
for args in [["--drop", "7"], ["--weapon", "7"], ["--money", "0999"], ["--tires=3"]]:
    check(f"encode {args}", encoded(*args) == STARTING + "\n", encoded(*args))

# Names in any case, with or without their brackets, equal their index.
for option, name, index in [("--hero", "katarina lyons", "3"), ("--hero", "неизвестный", "7"),
                            ("--planet", "<rip>", "6"), ("--planet", "Rip", "6"),
                            ("--difficulty", "(ПРОСТАЯ)", "3"), ("--division", "a", "1"),
                            ("--color", "(смешанный 2 -snes)", "6"), ("--car", "<тень>", "5")]:
    by_name, by_index = encoded(option, name), encoded(option, index)
    check(f"{option} {name}", by_name == by_index and not by_name.startswith("exit"),
          f"{by_name!r} vs {by_index!r}")

# The hidden bars: from car 3 no tires, from car 4 no shocks either.
havac = encoded("--car", "Havac")
expect("havac as zeros", ["encode", "--car", "4", "--shocks", "0", "--tires", "0"], 0,
       out_exact=havac)
_, se = expect("havac drops given shocks", ["encode", "--car", "havac", "--shocks", "2"], 0,
               out_exact=havac, err=["амортизаторов", "уровень 2"])
check("one notice line", se.count("\n") == 1, repr(se))
_, se = expect("default levels dropped silently", ["encode", "--car", "havac"], 0)
check("no notice", se == "", repr(se))
battle = encoded("--car", "3", "--tires", "0")
expect("battle trak keeps shocks", ["encode", "--car", "battle trak", "--tires", "3"], 0,
       out_exact=battle, err=["шин"])
check("battle trak shocks count", encoded("--car", "3", "--shocks", "1") != battle, battle)

so, _ = expect("encode json", ["encode", "--json", "--car", "havac", "--shocks", "2"], 0)
try:
    data = json.loads(so)
    check("encode json password", data["password"] == havac.strip(), repr(data))
    check("encode json shocks", data["settings"]["Shocks"]["value"] == 0, repr(data))
    check("encode json car name", data["settings"]["Car"]["name"] == "Havac", repr(data))
    check("encode json money", data["money"] == 999, repr(data))
    check("encode json notice", len(data["notices"]) == 1, repr(data))
except (ValueError, KeyError) as e:
    failures.append(f"encode json: {e}: {so!r}")

# ---- decode ----
expect("decode starting", ["decode", STARTING], 0,
       out=["Snake Sanders", "Marauder", "Красный", "Rookie", "CHEM VI", "999 тысяч $"])
for typed in ["пьфм-в02ь-ыыл!", "ПЬФМ B02Ь ЫЫЛ!", "ПЬФМВ02ЬЫЫЛ!"]:
    expect(f"decode typed {typed}", ["decode", typed], 0, out=[STARTING])
expect("decode in three words", ["decode"] + STARTING.split(), 0, out=[STARTING])
expect("decode zero", ["decode", ZERO], 0, out=["Dirt Devil", "Чёрный", "0 тысяч $"])

rc, data = decoded_json(STARTING)
check("decode json valid", rc == 0 and data.get("status") == "valid" and data.get("valid"), repr(data))
check("decode json fields", data.get("settings", {}).get("Color", {}).get("name") == "Красный"
      and data.get("settings", {}).get("MoneyTens", {}).get("value") == 9
      and len(data.get("settings", {})) == 16, repr(data))

# A repair names its place, the character typed there and the one it puts.
expect("last character wrong", ["decode", LAST_WRONG], 1,
       out=["8, 11", "12-й знак 1 -> !: " + STARTING])
rc, data = decoded_json(LAST_WRONG)
check("last wrong json", rc == 1 and data.get("failed_checks") == [8, 11]
      and data.get("status") == "checks_fail", repr(data))
check("last wrong repair", {"place": 12, "character": "!", "password": STARTING}.items()
      <= next((r for r in data.get("repairs", []) if r.get("place") == 12), {}).items(), repr(data))

rc, data = decoded_json(FIRST_FLIPPED)
repairs = {r["password"]: r for r in data.get("repairs", [])}
check("first flipped checks", data.get("failed_checks") == [0], repr(data))
check("first flipped repairs", set(repairs) == {STARTING, "4ЬФЦ В02Ь ЫЫЛ!", "4ЬФМ В0ЮЬ ЫЫЛ!",
                                                 "4ЬФМ В02Ь ЫЮЛ!"}, repr(sorted(repairs)))
if len(repairs) == 4:
    check("repair difficulty", repairs["4ЬФЦ В02Ь ЫЫЛ!"]["settings"]["Difficulty"]["name"]
          == "Warrior", "")
    check("repair hero", repairs["4ЬФМ В0ЮЬ ЫЫЛ!"]["settings"]["Hero"]["name"] == "Cyberhawk", "")
    check("repair tires", repairs["4ЬФМ В02Ь ЫЮЛ!"]["settings"]["Tires"]["value"] == 2, "")

expect("beyond repair", ["decode", BEYOND_REPAIR], 1, out=["0, 5, 10", "Ни одна замена"])
rc, data = decoded_json(BEYOND_REPAIR)
check("beyond repair json", rc == 1 and data.get("repairs") == [], repr(data))
expect("bad hundreds", ["decode", BAD_HUNDREDS], 1, out=["сотен", STARTING])
# A bad hundreds digit beside tens and units 0 names the hundreds alone;
# the listing's labels are padded to one column.
expect("bad hundreds beside zeros", ["decode", "Э9ЯГ ФУ2Э 0Х4Б"], 1, out=["на месте сотен.\n"])
expect("listing column", ["decode", STARTING], 0, out=["\nАмортизаторы: 3\n", "\nШины:         3\n"])
# A level for a bar that the car hides: said as the window's dialog says it,
# naming only that level, with the password the window shows instead.
battle_trak = "ПЫ72 В02Ь 88Л!"  # car 3, shocks 2, tires 1
so, _ = expect("hidden tires", ["decode", battle_trak], 0,
               out=["у машины Battle Trak нет шин (в пароле уровень 1)", "Амортизаторы: 2"])
check("hidden tires only", "амортизаторов" not in so, repr(so))
rc, data = decoded_json(battle_trak)
check("hidden tires json", data.get("hidden_levels") == [{"field": "Tires", "level": 1}]
      and data.get("window_password") != battle_trak and data["window_password"] in so, repr(data))
rc, data = decoded_json(BAD_HUNDREDS)
check("bad hundreds json", data.get("bad_money_digits") == ["MoneyHundreds"]
      and data.get("status") == "bad_money_digit", repr(data))

# A password of another length or with a character never in one: the
# dialog's sentence, exit 1; the JSON names the case.
for typed, status, parts in [
    ("ПЬФМ В02Ь ЫЫЛQ", "foreign_character", ["Знака «Q» (U+0051) на месте 14 не бывает"]),
    ("КЬФМ В02Ь ЫЫЛ!", "foreign_character", ["«К»", "U+041A", "месте 1"]),
    ("ПЬФМ В02Ь", "too_short", ["В пароле 8 знаков, а нужно 12"]),
    (STARTING + "Б", "too_long", ["13 знаков"]),
    (" ", "empty", ["Введите 12 знаков"]),
]:
    expect(f"decode {typed}", ["decode", typed], 1, out=parts)
    rc, data = decoded_json(typed)
    check(f"decode {typed} json", rc == 1 and data.get("status") == status, repr(data))

# ---- usage errors: exit 2, a message on stderr, nothing on stdout ----
for name, args, parts in [
    ("no command", [], ["encode"]),
    ("unknown command", ["encrypt"], ["«encrypt»"]),
    ("unknown option", ["encode", "--speed", "3"], ["«--speed»"]),
    ("missing value", ["encode", "--hero"], ["--hero"]),
    ("money too large", ["encode", "--money", "1000"], ["0..999", "«1000»"]),
    ("money not a number", ["encode", "--money", "9k"], ["«9k»"]),
    ("engine too large", ["encode", "--engine", "4"], ["0..3"]),
    ("weapon negative", ["encode", "--weapon", "-1"], ["0..7"]),
    ("unknown hero", ["encode", "--hero", "Nobody"], ["«Nobody»", "Snake Sanders"]),
    ("hero index too large", ["encode", "--hero", "8"], ["«8»"]),
    ("division cyrillic", ["encode", "--division", "Б"], ["«Б»"]),
    ("decode nothing", ["decode"], ["ПАРОЛЬ"]),
    ("decode unknown option", ["decode", STARTING, "--fix"], ["«--fix»"]),
]:
    so, _ = expect(name, args, 2, err=parts)
    check(name + " stdout", so == "", repr(so))

# ---- --each: the command once a line of standard input, an answer each ----
rc, so, se = run("encode", "--each", "--car", "havac", stdin="--money 0\n--bogus\n\n")
check("encode each", rc == 2 and so.split("\n") == [encoded("--car", "4", "--money", "0").strip(),
                                                    "", havac.strip(), ""]
      and "строка 2: неизвестный ключ «--bogus»" in se, f"{rc} {so!r} {se!r}")
rc, so, _ = run("decode", "--each", "--json", stdin=f"{STARTING}\r\n{LAST_WRONG}\nQ")
check("decode each", rc == 1 and [json.loads(line)["status"] for line in so.splitlines()]
      == ["valid", "checks_fail", "foreign_character"], f"{rc} {so!r}")
expect("decode each with a password", ["decode", "--each", STARTING], 2, err=["--each"])

expect("help", ["--help"], 0, out=["encode", "decode", "--money 0..999"])
expect("help of a command", ["decode", "--help"], 0, out=["decode"])

# ---- hostile arguments: exit 2 and a message naming the first bad character
# and its place, or a valid answer when the text is a password after all ----
def spawn_tail(args):
    """The command line after the program for rnrr-spawn: ASCII, UTF-16 units
    escaped, runs of one unit given once with a count."""
    line = " " + subprocess.list2cmdline(args)
    units = []
    for c in line:
        if ord(c) > 0xFFFF:
            v = ord(c) - 0x10000
            units += [0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF)]
        else:
            units.append(ord(c))  # a lone surrogate stays one unit
    tail, i = [], 0
    while i < len(units):
        j = i
        while j < len(units) and units[j] == units[i] and j - i < 99999:
            j += 1
        u = units[i]
        text = chr(u) if 0x20 <= u < 0x7F and u != 0x5C else f"\\u{u:04X}"
        tail.append(f"\\*{j - i:05d}{text}" if j - i > 4 else text * (j - i))
        i = j
    return "".join(tail), len(units)


def hostile(name, args, code, err=(), out=()):
    """One hostile run; args are str (Windows: through rnrr-spawn) or bytes (POSIX)."""
    if SPAWN:
        tail, _ = spawn_tail(args)
        rc, so, se = run(SPAWN[1], tail, command=COMMAND[:1] + [SPAWN[0]])
    else:
        rc, so, se = run(*[a if isinstance(a, bytes) else a.encode() for a in args])
    check(name, rc == code, f"exit {rc}, wanted {code}; stdout {so[:300]!r}; stderr {se[:300]!r}")
    for part in err:
        check(name, part in se, f"stderr lacks {part!r}: {se[:300]!r}")
    for part in out:
        check(name, part in so, f"stdout lacks {part!r}: {so[:300]!r}")
    check(name + " message size", len(se) < 1000, f"{len(se)} bytes of messages")


for name, typed, code, parts in [
    ("zero-width marks and a byte order mark", "\ufeffПЬФМ\u200bВ02Ь\u2060ЫЫЛ!\u200d", 0,
     [STARTING]),
    ("soft hyphen, thin and ideographic spaces", "ПЬФМ\u00adВ02Ь\u2009ЫЫЛ!\u3000", 0,
     [STARTING]),
    ("full-width digits and !", "ПЬФМ В\uff10\uff12Ь ЫЫЛ\uff01", 0, [STARTING]),
    ("right-to-left mark", "\u200fПЬФМ В02Ь ЫЫЛ!", 1, ["Знака U+200F на месте 1 "]),
    ("right-to-left override", "ПЬФМ \u202eВ02Ь ЫЫЛ!", 1, ["U+202E", "месте 6 "]),
    ("combining diaeresis", "ПЬФМ В02Ь ЫЫЕ\u0308!", 1, ["U+0308", "месте 14 "]),
    ("emoji", "ПЬФМ 😀 В02Ь ЫЫЛ!", 1, ["«😀» (U+1F600)", "месте 6 "]),
    ("plural of one", "Б", 1, ["В пароле 1 знак,"]),
    ("plural of few", "БВГ", 1, ["В пароле 3 знака,"]),
]:
    hostile(name, ["decode", typed], code, out=parts)
# A mark that shows nothing is named by its code alone, never printed.
for mark in ["\u200f", "\u061c"]:
    _, so, _ = run("decode", mark + STARTING)
    check(f"U+{ord(mark):04X} by its code", f"U+{ord(mark):04X}" in so and mark not in so, repr(so))
if SPAWN:
    # Windows: lone surrogates, and a command line of 32 767 units with the
    # terminating zero.
    hostile("lone high surrogate", ["decode", "ПЬФМ\ud83dВ02Ь ЫЫЛ!"], 1,
            out=["U+D83D", "месте 5 "])
    hostile("lone low surrogate at the end", ["decode", STARTING + "\udc00"], 1,
            out=["U+DC00", "месте 15 "])
    room = 32767 - 1 - len('"' + SPAWN[1] + '"') - len(' decode ')
    _, used = spawn_tail(["decode", "Б" * room])
    check("longest command line", used + len('"' + SPAWN[1] + '"') == 32766, repr(used))
    hostile("longest command line of letters", ["decode", "Б" * room], 1,
            out=[f"В пароле {room} знак"])
    hostile("longest command line, a password in blanks",
            ["decode", STARTING + "\u00a0" * (room - len(STARTING))], 0, out=[STARTING])
    hostile("longest command line, bad at the end", ["decode", "\u00a0" * (room - 1) + "Q"], 1,
            out=[f"месте {room} "])
else:
    # POSIX: invalid UTF-8, and one argument of 128 KiB less its zero
    # (MAX_ARG_STRLEN).
    longest = 128 * 1024 - 1
    hostile("invalid UTF-8", [b"decode", "ПЬФМ".encode() + b"\xff" + "В02Ь ЫЫЛ!".encode()], 2,
            ["байт 0xFF", "месте 5 "])
    hostile("cut-off UTF-8", [b"decode", STARTING.encode() + b"\xd0"], 2,
            ["байт 0xD0", "месте 15 "])
    hostile("overlong UTF-8", [b"decode", b"\xc0\x80" + STARTING.encode()], 2,
            ["байт 0xC0", "месте 1 "])
    hostile("encoded surrogate", [b"decode", b"\xed\xa0\x80"], 1, out=["U+D800", "месте 1 "])
    hostile("unknown command not UTF-8", [b"\xff\x1b[2J" + b"x" * 100], 2, ["«\ufffd\ufffd[2Jxx"])
    hostile("longest argument of letters", [b"decode", "Б".encode() * (longest // 2)], 1,
            out=[f"В пароле {longest // 2} знаков"])
    hostile("longest argument, a password in blanks",
            [b"decode", STARTING.encode() + b" " * (longest - len(STARTING.encode()))], 0,
            out=[STARTING])
    hostile("longest argument, bad at the end", [b"decode", b" " * (longest - 1) + b"Q"], 1,
            out=[f"месте {longest} "])
    hostile("longest unknown option", [b"encode", b"--" + b"x" * (longest - 2)], 2, ["x\u2026»"])

# ---- a console (Windows only): the text goes through WriteConsoleW ----
# Under a pseudo-terminal Wine gives the program a real console; what shows
# there, without the terminal's control sequences, equals the UTF-8 that a
# pipe receives.
if COMMAND[0].endswith("wine-run") and shutil.which("script"):
    args = ["encode", "--car", "Havac", "--shocks", "1"]
    _, piped_out, piped_err = run(*args)
    with tempfile.TemporaryFile() as err:
        p = subprocess.run(["script", "-qec", shlex.join(COMMAND + args), "/dev/null"],
                           stdout=subprocess.PIPE, stderr=err, stdin=subprocess.DEVNULL,
                           env=ENV, timeout=120)
    shown = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07|\r", "",
                   p.stdout.decode("utf-8", "replace"))
    check("console exit", p.returncode == 0, repr(p.returncode))
    check("console password", piped_out.strip() in shown.splitlines(), repr(shown))
    check("console notice", piped_err.strip() in shown.splitlines(), repr(shown))
    check("console cyrillic", "амортизаторов" in shown, repr(shown))

for failure in failures:
    print("FAIL", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
