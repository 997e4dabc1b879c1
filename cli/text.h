// The tool's text conversions: the encoder's Windows-1251 texts to Unicode
// and back, and UTF-8 to code points and back. Portable; the platform entry
// points turn their arguments and output into and out of UTF-8.
#pragma once

#include <cstdint>
#include <string>

// The code point of a Windows-1251 byte that the program's texts use (ASCII,
// А..я, Ё, ё, «, », the em dash and the trade mark sign), or U+FFFD for any
// other byte.
char32_t CodePointOf1251(char Byte);

// The Windows-1251 byte of a code point, or 0 when it has none here.
char ByteOf1251(char32_t C);

// Zero-terminated Windows-1251 text, or its first Length bytes, as UTF-8.
std::string Utf8Of1251(const char *Text);
std::string Utf8Of1251(const char *Text, int32_t Length);

void AppendUtf8(std::string &Out, char32_t C);

// Where UTF-8 text stops being UTF-8.
struct TUtf8Fault {
    int32_t Place;      // 1..: the characters before it, plus one
    unsigned char Byte; // the first byte of the bad sequence
    char32_t Surrogate; // a surrogate written as three bytes (U+D800..U+DFFF), else 0
};

// UTF-8 -> code points. Returns false on a malformed sequence, an overlong
// form, a value above U+10FFFF or, unless KeepSurrogates, a surrogate, and
// then names the first such place in Fault when it is given. With
// KeepSurrogates a surrogate in three bytes (a lone one of UTF-16 text, as
// Utf8OfUtf16 writes it) is read as that code point.
bool DecodeUtf8(const std::string &Text, std::u32string &Out, TUtf8Fault *Fault = nullptr,
                bool KeepSurrogates = false);

// Text of any bytes, as a message may quote it: its first MaximumCharacters
// characters and "…" when there are more; each byte that is not UTF-8 and
// each control character as U+FFFD.
std::string PrintableUtf8(const std::string &Text, size_t MaximumCharacters);

// UTF-16 -> UTF-8. A surrogate without its partner is written in the
// three-byte form of its value, which DecodeUtf8 reports as that surrogate.
std::string Utf8OfUtf16(const char16_t *Text, size_t Length);

// Lower case of ASCII and Cyrillic capitals; every other code point unchanged.
char32_t FoldCase(char32_t C);
