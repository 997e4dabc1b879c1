// Which form of a counted text fits a count, in each language that the
// string table has: Russian three (TPluralForm: after 1, after 2..4, after
// 5), English two (after 1, after every other count). A counted text has its
// forms under consecutive identifiers, the first for 1.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
#pragma once

#include <cstdint>

enum class TTextLanguage : int32_t {
    Russian, // the programs' language: the string table of res/rnrr.rc
    English, // its English, for the page: res/english.rc
};
constexpr int32_t TextLanguageCount = 2;

// The index of the form that fits Count, 0..2 in Russian, 0..1 in English;
// a negative count takes the form of its magnitude.
int32_t PluralFormIndex(TTextLanguage Language, int64_t Count);
