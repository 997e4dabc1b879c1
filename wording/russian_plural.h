// The form a Russian noun takes after a number: "1 позиция", "2 позиции",
// "5 позиций". Texts that count something come in these three forms, and
// the form is chosen by the count alone.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
#pragma once

#include <cstdint>

enum class TPluralForm : int32_t {
    One,  // a count ending in 1, but not in 11: 1, 21, 101
    Few,  // ending in 2..4, but not in 12..14: 2, 3, 24, 102
    Many, // every other count: 0, 5..20, 25, 111, 112
};
constexpr int32_t PluralFormCount = 3;

// The form for Count; a negative count takes the form of its magnitude.
TPluralForm RussianPluralForm(int64_t Count);

// One of the three words, chosen by RussianPluralForm(Count).
const char *RussianPlural(int64_t Count, const char *One, const char *Few, const char *Many);
