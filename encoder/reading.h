// The platform-free steps of reading the window into Settings and showing the
// result: the money text rule and the grouped display form of the password.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
#pragma once

#include <cstdint>

#include "settings.h"

// The first three characters of the money text and the text's whole length.
constexpr int32_t MoneyBufferSize = 4; // at most 3 characters and a zero

// Sets Record.MoneyHundreds, MoneyTens and MoneyUnits from the money text,
// read as a right-aligned number of up to three digits (a missing leading
// digit is 0, a character other than "0".."9" counts 0 in its place).
// Text holds the first min(Length, 3) characters; Length is the text's whole
// length, 0 or more. At a length of 4 or more the three fields keep their
// values.
void ReadMoneyText(const char *Text, int32_t Length, TSettings &Record);

// The digit value of one money character: 0..9 for "0".."9", else 0.
int32_t MoneyDigitValue(char C);

// "XXXX XXXX XXXX": PasswordText in three groups of four, 14 characters and a
// terminating zero.
constexpr int32_t PasswordDisplaySize = 15;
void FormatPasswordDisplay(char (&Display)[PasswordDisplaySize]);
// The same for Text, 12 characters of PasswordAlphabet.
void FormatPasswordDisplay(const char *Text, char (&Display)[PasswordDisplaySize]);
