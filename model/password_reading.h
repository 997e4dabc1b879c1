// What a front end says of a password as people type it, as one record: how
// the typed text normalises (the first character that is never in a
// password, or how many password characters it holds), the decoding of
// twelve, the check positions that fail, the money places that hold no
// digit, every single-character repair with what it changes, and for a valid
// password the window once it has taken it. The password dialog, the tool
// and the page render this record in the string table's sentences; none of
// them derives any of it again.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// Texts are single-byte Windows-1251 (the code names ASCII), each terminated
// by a zero byte. A record holds room for every repair the search can find
// (about 75 KB): keep it in static storage. Not reentrant (the repair search
// has one scratch table). The encoder's global Settings, PasswordBits and
// PasswordText are left as they were found.
#pragma once

#include <cstdint>

#include "decode.h"
#include "password.h"
#include "reading.h"
#include "settings.h"
#include "window_model.h"
#include "window_view.h"

// The longest text a password field takes, in UTF-16 units. A password typed
// with a blank or a hyphen between every two characters and blanks round it
// is 25 units; 64 leaves room for text pasted with an invisible mark beside
// every character as well. The dialog's field and the page's (through the
// module) take this many, and the module's input buffer holds this many code
// points; text past it is never read. The tool reads its whole argument.
constexpr int32_t TypedTextLimit = 64;

enum class TReadingStatus : int32_t {
    Empty,            // no password character: nothing, or blanks and hyphens only
    TooShort,         // 1..11 password characters, Count of them
    TooLong,          // 13 or more, Count of them
    ForeignCharacter, // Foreign names the first character that is never in a password
    ChecksFail,       // twelve characters whose check positions FailedChecks disagree
    BadMoneyDigit,    // twelve characters whose money places MoneyPlaces hold no digit
    Valid,            // twelve characters that hold Record; View shows it
};
constexpr int32_t ReadingStatusCount = 7;

// By TReadingStatus, as the tool's JSON and the page name the cases:
// "empty", "too_short", "too_long", "foreign_character", "checks_fail",
// "bad_money_digit", "valid".
extern const char *const ReadingStatusNames[ReadingStatusCount];

// "U+0051", "U+1F600": four hex digits, or as many as the value needs.
constexpr int32_t CodeNameSize = 9; // "U+10FFFF" and a zero

struct TForeignCharacter {
    int32_t Place;      // 1..: every typed character before it counted, plus one
    char32_t Character; // as typed
    bool Shown;         // false for one that shows nothing or changes what stands
                        // next to it (controls, marks, format characters,
                        // surrogates): it is named by its code alone
    char Code[CodeNameSize];
};

// The money as its box shows it, three digits and a zero: "250", and "?" in
// a place that holds no digit, "?50".
constexpr int32_t MoneyDigitsSize = 4;

// One value that a repair changes, as the option that sets it names it.
struct TValueChange {
    int32_t Option;        // 0..OptionCount-1, into OptionRows
    int32_t Before, After; // a list's index, a bar's level; money in thousands,
                           // -1 where a place holds no digit
    char BeforeMoney[MoneyDigitsSize], AfterMoney[MoneyDigitsSize]; // money only
};

// A character holds five positions, each of one field or a check: a repair
// changes at most five values.
constexpr int32_t RepairChangeCapacity = GroupWidth;

struct TReadingRepair {
    int32_t Place;                      // 1..12
    char Replaced, Replacement;         // the character there and the one put there
    char Password[PasswordDisplaySize]; // the repaired password, grouped
    TSettings Record;                   // what it holds
    // In the options' order; none when the repair changes check positions only.
    TValueChange Changes[RepairChangeCapacity];
    int32_t ChangeCount;
};

// The three money places, hundreds first, as MoneyPlaces numbers them 0..2.
constexpr int32_t MoneyDigitCount = 3;

struct TPasswordReading {
    TReadingStatus Status;
    // The password characters found: all of them, or for ForeignCharacter
    // those before it.
    int32_t Count;
    TForeignCharacter Foreign; // ForeignCharacter only
    // From ChecksFail on, the twelve characters grouped, "ПЬФМ В02Ь ЫЫЛ1",
    // and what they hold: a money field -1 where its place holds no digit.
    char Password[PasswordDisplaySize];
    TSettings Record;
    int32_t FailedChecks[CheckPositionCount]; // ChecksFail: positions 0..17, increasing
    int32_t FailedCount;
    int32_t MoneyPlaces[MoneyDigitCount]; // BadMoneyDigit: 0 hundreds, 1 tens, 2 units
    int32_t MoneyPlaceCount;
    // ChecksFail and BadMoneyDigit: every single-character change that gives
    // a valid password, by place 1..12, then by alphabet value.
    TReadingRepair Repairs[RepairTrialCount];
    int32_t RepairCount;
    // Valid: the window once it has taken Record, with the levels that bars
    // its car hides hold and the password it shows instead.
    TWindowView View;
};

// Typed[0..Length-1], code points as typed, read as a password.
void ReadTypedPassword(const char32_t *Typed, int32_t Length, TPasswordReading &Reading);
