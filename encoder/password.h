// The 60-bit password vector and its 12-character text.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// EncodePassword reads the global Settings and writes PasswordBits, then
// PasswordText. Every field of Settings must lie within its range.
#pragma once

#include <cstdint>

#include "settings.h"

constexpr int32_t PasswordBitCount = 60;   // positions 0..59
constexpr int32_t CheckPositionCount = 18; // positions 0..17 are check positions
constexpr int32_t PasswordLength = 12;     // characters 1..12, 5 positions each
constexpr int32_t GroupWidth = 5;

// Positions 0..59, each byte 0 or 1.
struct TPasswordBits {
    uint8_t Bits[PasswordBitCount];
};
extern TPasswordBits PasswordBits;

// The 12 characters of the last password, Windows-1251, no blanks, no zero.
extern char PasswordText[PasswordLength];

// The 32 characters a 5-bit group maps to (value 0..31), plus a zero byte:
// "БВГЕЖИЛМНПРТУФХЦЬЫЭЮЯ0123456789!" in Windows-1251.
extern const char PasswordAlphabet[33];

// 0 for 1, and 1 for every other byte.
uint8_t InvertBit(uint8_t V);

// X xor InvertBit(Y) xor InvertBit(Z), over the whole byte.
uint8_t MixBits(uint8_t X, uint8_t Y, uint8_t Z);

// The fields whose pattern bits the vector holds as they are, each field's
// bits in storage order, the fields in this order from position 18 up to 59:
// the three money digits, then the others.
constexpr int32_t CopiedFieldCount = 15;
extern const TField CopiedFieldOrder[CopiedFieldCount];

// Settings -> PasswordBits -> PasswordText.
void EncodePassword();

// Bits (every position 0 or 1) -> 12 characters of PasswordAlphabet:
// character i (1..12) is the alphabet entry of the group at positions
// 5(i-1)..5(i-1)+4, its lowest position the most significant bit.
void PasswordBitsToText(const TPasswordBits &Bits, char (&Text)[PasswordLength]);

// PasswordBits -> PasswordText, by PasswordBitsToText.
void ComposePasswordText();
