// Turning a password as people type it into the 12 characters of
// PasswordAlphabet: blanks and hyphens are dropped, lower-case Cyrillic is
// raised to capitals, and a character that is not in the alphabet but looks
// like exactly one character that is (Latin B for В, Cyrillic О for the digit
// 0) is read as that one.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// The input is a sequence of Unicode code points; the caller decodes its
// UTF-8 text into them, or its UTF-16 text by CodePointsOfUtf16.
#pragma once

#include "password.h"

#include <cstdint>

// One row of the look-alike table: a code point outside the alphabet and the
// alphabet character (Windows-1251) that it is read as.
struct TLookAlike {
    char32_t From;
    char To;
};
constexpr int32_t LookAlikeCount = 17;
extern const TLookAlike LookAlikes[LookAlikeCount];

enum class TNormaliseStatus : int32_t {
    Done,         // Text holds 12 alphabet characters
    BadCharacter, // Place and Character name the first character not accepted
    TooShort,     // fewer than 12 password characters; Count says how many
    TooLong,      // more than 12 password characters; Count says how many
};

struct TNormaliseResult {
    TNormaliseStatus Status;
    int32_t Place;      // BadCharacter: 1..Length, counting every input character
    char32_t Character; // BadCharacter: the code point as typed
    int32_t Count;      // the password characters found (blanks and hyphens not counted)
};

// True for the characters dropped anywhere in the input: blanks (space, tab,
// no-break space, figure, thin, narrow and ideographic spaces), hyphens
// (hyphen-minus, hyphen, non-breaking hyphen, en dash, minus sign, soft
// hyphen) and the zero-width marks (space, non-joiner, joiner, word joiner,
// byte order mark). Bidirectional marks are not dropped.
bool IsIgnoredCharacter(char32_t C);

// The alphabet character (Windows-1251) that C is read as, or 0 when C is
// neither an alphabet character, its lower-case form, nor a look-alike. A
// full-width form (U+FF01..U+FF5E) is read as its ASCII character first.
char PasswordCharacterOf(char32_t C);

// UTF-16 Text[0..Length-1] -> code points: a surrogate pair as one, a lone
// surrogate as it is. Points has room for Length; returns how many it wrote.
int32_t CodePointsOfUtf16(const char16_t *Text, int32_t Length, char32_t *Points);

// Input[0..Length-1] -> Text. Text is written only when Status is Done.
void NormalisePassword(const char32_t *Input, int32_t Length, char (&Text)[PasswordLength],
                       TNormaliseResult &Result);
