// The tool's text conversions: the encoder's Windows-1251 texts to Unicode
// and back, and UTF-8 to code points and back. Portable; the platform entry
// points turn their arguments and output into and out of UTF-8.
#pragma once

#include <cstdint>
#include <string>

// The code point of a Windows-1251 byte that the program's texts use (ASCII,
// А..я, Ё, ё), or U+FFFD for any other byte.
char32_t CodePointOf1251(char Byte);

// The Windows-1251 byte of a code point, or 0 when it has none here.
char ByteOf1251(char32_t C);

// Zero-terminated Windows-1251 text, or its first Length bytes, as UTF-8.
std::string Utf8Of1251(const char *Text);
std::string Utf8Of1251(const char *Text, int32_t Length);

void AppendUtf8(std::string &Out, char32_t C);

// UTF-8 -> code points. Returns false on a malformed sequence, an overlong
// form, a surrogate or a value above U+10FFFF.
bool DecodeUtf8(const std::string &Text, std::u32string &Out);

// Lower case of ASCII and Cyrillic capitals; every other code point unchanged.
char32_t FoldCase(char32_t C);
