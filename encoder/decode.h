// Reading a password back: the 12 characters to the 60-bit vector, the vector
// to the sixteen choices, the check of its 18 check positions, and the search
// for single-character repairs of a password that fails the check.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// Every function takes its inputs and writes its outputs through its
// parameters. Those that re-encode a record (DecodePasswordBits,
// DecodePasswordText, EncodeRecord, FindRepairs) run EncodePassword on the
// global Settings, PasswordBits and PasswordText and put all three back as
// they found them before returning.
#pragma once

#include "password.h"
#include "settings.h"

#include <cstdint>

// The value 0..31 of a password character, or -1 when the byte is not one of
// the 32 characters of PasswordAlphabet.
int32_t AlphabetValue(char C);

// Text: 12 bytes of PasswordAlphabet, no blanks. Writes all 60 positions and
// returns true; returns false, leaving Bits unspecified, when a byte is not
// in the alphabet.
bool PasswordTextToBits(const char *Text, TPasswordBits &Bits);

// Record (every field within its range) -> its 60-bit vector and 12
// characters, through EncodePassword.
void EncodeRecord(const TSettings &Record, TPasswordBits &Bits, char (&Text)[PasswordLength]);

enum class TDecodeStatus : int32_t {
    Valid,         // every check position agrees with the decoded record
    ChecksFail,    // the record is whole but FailedChecks lists disagreements
    BadMoneyDigit, // a money pattern is none of the digits 0..9
    BadCharacter,  // a character is not in PasswordAlphabet (text input only)
};

struct TDecodeResult {
    TDecodeStatus Status;
    // The record read from the copied positions 18..59 and, for Difficulty,
    // from check positions 16 and 17. A money field whose pattern is no digit
    // holds -1; the other fields always hold a value within their range.
    TSettings Record;
    // Check positions 0..17 that disagree, in increasing order; FailedCount
    // entries are used. Empty unless Status is ChecksFail.
    int32_t FailedChecks[CheckPositionCount];
    int32_t FailedCount;
    // For BadCharacter: the place 1..12 of the first byte outside the alphabet.
    int32_t BadPlace;
};

// Reads Bits back into Result.Record and checks positions 0..17 against the
// positions that encoding Result.Record gives.
void DecodePasswordBits(const TPasswordBits &Bits, TDecodeResult &Result);

// The same for 12 bytes of text, after PasswordTextToBits.
void DecodePasswordText(const char *Text, TDecodeResult &Result);

// One single-character change that turns a failing password into a valid one.
struct TRepair {
    int32_t Place;             // 1..12
    char Replacement;          // the new character, from PasswordAlphabet
    char Text[PasswordLength]; // the whole repaired password
    TSettings Record;          // what the repaired password holds
};

// Every place 1..12 and every one of the 31 other characters: 372 trials.
constexpr int32_t RepairTrialCount = PasswordLength * 31;

// Text: 12 bytes of PasswordAlphabet. Tries every single-character change in
// the order place 1..12, alphabet value 0..31, and returns how many give a
// valid password; the first min(count, Capacity) of them go to Repairs.
int32_t FindRepairs(const char *Text, TRepair *Repairs, int32_t Capacity);
