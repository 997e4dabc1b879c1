// How the tool names what it reads and shows: numbers, counted words, the
// values of its options and the characters of a typed password.
#pragma once

#include "window_model.h"

#include <cstdint>
#include <string>

// Decimal text, a minus sign only for negatives.
std::string Number(int32_t Value);

// "1 знак", "3 знака", "12 знаков".
std::string Counted(int32_t Count, const char *One, const char *Few, const char *Many);

// "U+0041", "U+1F600": four hex digits, or as many as a larger value needs.
std::string CodePointName(char32_t C);

// The name of value 0..ControlMaximum of a list option, Windows-1251; null
// for an option that takes a number.
const char *OptionValueName(const TOptionRow &Row, int32_t Value);

// Every name of a list option, in list order, UTF-8: "Rookie, Veteran, ...".
std::string ChoiceList(const TOptionRow &Row);

// A character as the messages show it: the character itself between «» and
// its code, or the code alone for one that shows nothing or changes what
// stands next to it (controls, marks, format characters, surrogates).
std::string ShownCharacter(char32_t C);
