// Russian nouns after a number: "1 знак", "2 знака", "5 знаков".
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
#pragma once

#include <cstdint>

// The three forms a Russian noun takes after a count.
enum class TPluralForm : int32_t {
    One,  // 1, 21, 101 ... (but not 11): "знак"
    Few,  // 2..4, 22..24 ... (but not 12..14): "знака"
    Many, // 0, 5..20, 25..30, 111 ...: "знаков"
};

// The form for Count; a negative count takes the form of its magnitude.
TPluralForm RussianPluralForm(int64_t Count);

// One of the three words, chosen by RussianPluralForm(Count).
const char *RussianPlural(int64_t Count, const char *One, const char *Few, const char *Many);
