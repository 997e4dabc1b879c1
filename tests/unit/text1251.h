// Test helper: UTF-8 text as the program's Windows-1251 bytes, for comparing
// the encoder's texts with how the game's documents write them. Covers
// exactly what those texts use: ASCII, the Cyrillic capitals and small
// letters, Ё and ё.
#pragma once

#include <string>

inline std::string To1251(const std::string &Utf8) {
    std::string Out;
    for (size_t I = 0; I < Utf8.size();) {
        unsigned char Lead = Utf8[I];
        if (Lead < 0x80) {
            Out += char(Lead);
            ++I;
            continue;
        }
        unsigned Code = ((Lead & 0x1F) << 6) | (Utf8[I + 1] & 0x3F);
        I += 2;
        if (Code >= 0x410 && Code <= 0x44F)
            Out += char(0xC0 + (Code - 0x410));
        else if (Code == 0x401)
            Out += '\xA8';
        else if (Code == 0x451)
            Out += '\xB8';
        else
            Out += '?';
    }
    return Out;
}
