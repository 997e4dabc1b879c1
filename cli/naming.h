// How the tool names what it reads and shows: numbers, counted words and the
// values of its options.
#pragma once

#include "window_model.h"

#include <cstdint>
#include <string>

// Decimal text, a minus sign only for negatives.
std::string Number(int32_t Value);

// "1 знак", "3 знака", "12 знаков".
std::string Counted(int32_t Count, const char *One, const char *Few, const char *Many);

// The name of value 0..ControlMaximum of a list option, Windows-1251; null
// for an option that takes a number.
const char *OptionValueName(const TOptionRow &Row, int32_t Value);

// Every name of a list option, in list order, UTF-8: "Rookie, Veteran, ...".
std::string ChoiceList(const TOptionRow &Row);
