#include "text.h"

namespace {

// Runs of Windows-1251 bytes that map onto consecutive code points.
struct TCodeRun {
    unsigned char FirstByte;
    unsigned char LastByte;
    char32_t FirstCodePoint;
};

constexpr TCodeRun CodeRuns[] = {
    {0x00, 0x7F, 0x0000}, // ASCII
    {0xA8, 0xA8, 0x0401}, // Ё
    {0xB8, 0xB8, 0x0451}, // ё
    {0xC0, 0xFF, 0x0410}, // А..Я, а..я
};

constexpr char32_t ReplacementCharacter = 0xFFFD;
constexpr char32_t LastCodePoint = 0x10FFFF;

} // namespace

char32_t CodePointOf1251(char Byte) {
    const unsigned char B = static_cast<unsigned char>(Byte);
    for (const TCodeRun &Run : CodeRuns)
        if (B >= Run.FirstByte && B <= Run.LastByte)
            return Run.FirstCodePoint + (B - Run.FirstByte);
    return ReplacementCharacter;
}

char ByteOf1251(char32_t C) {
    for (const TCodeRun &Run : CodeRuns) {
        const char32_t Last = Run.FirstCodePoint + (Run.LastByte - Run.FirstByte);
        if (C >= Run.FirstCodePoint && C <= Last)
            return char(Run.FirstByte + (C - Run.FirstCodePoint));
    }
    return 0;
}

std::string Utf8Of1251(const char *Text, int32_t Length) {
    std::string Out;
    for (int32_t I = 0; I < Length; ++I)
        AppendUtf8(Out, CodePointOf1251(Text[I]));
    return Out;
}

std::string Utf8Of1251(const char *Text) {
    int32_t Length = 0;
    while (Text[Length] != '\0')
        ++Length;
    return Utf8Of1251(Text, Length);
}

void AppendUtf8(std::string &Out, char32_t C) {
    if (C < 0x80) {
        Out += char(C);
    } else if (C < 0x800) {
        Out += char(0xC0 | (C >> 6));
        Out += char(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        Out += char(0xE0 | (C >> 12));
        Out += char(0x80 | ((C >> 6) & 0x3F));
        Out += char(0x80 | (C & 0x3F));
    } else {
        Out += char(0xF0 | (C >> 18));
        Out += char(0x80 | ((C >> 12) & 0x3F));
        Out += char(0x80 | ((C >> 6) & 0x3F));
        Out += char(0x80 | (C & 0x3F));
    }
}

bool DecodeUtf8(const std::string &Text, std::u32string &Out) {
    // Lead byte form: number of continuation bytes and the smallest code
    // point that needs that many (anything below is an overlong form).
    struct TLead {
        unsigned char Mask, Value;
        int32_t Continuations;
        char32_t Smallest;
    };
    constexpr TLead Leads[] = {
        {0x80, 0x00, 0, 0x0000},  // 0xxxxxxx
        {0xE0, 0xC0, 1, 0x0080},  // 110xxxxx
        {0xF0, 0xE0, 2, 0x0800},  // 1110xxxx
        {0xF8, 0xF0, 3, 0x10000}, // 11110xxx
    };
    Out.clear();
    for (size_t I = 0; I < Text.size();) {
        const unsigned char B = static_cast<unsigned char>(Text[I]);
        const TLead *Lead = nullptr;
        for (const TLead &L : Leads)
            if ((B & L.Mask) == L.Value)
                Lead = &L;
        if (Lead == nullptr || Text.size() - I < size_t(1 + Lead->Continuations))
            return false;
        char32_t C = B & ~Lead->Mask & 0xFF;
        for (int32_t K = 1; K <= Lead->Continuations; ++K) {
            const unsigned char Next = static_cast<unsigned char>(Text[I + K]);
            if ((Next & 0xC0) != 0x80)
                return false;
            C = (C << 6) | (Next & 0x3F);
        }
        if (C < Lead->Smallest || C > LastCodePoint || (C >= 0xD800 && C <= 0xDFFF))
            return false;
        Out += C;
        I += 1 + Lead->Continuations;
    }
    return true;
}

char32_t FoldCase(char32_t C) {
    if (C >= U'A' && C <= U'Z')
        return C + (U'a' - U'A');
    if (C >= 0x0410 && C <= 0x042F) // А..Я
        return C + 0x20;
    if (C == 0x0401) // Ё
        return 0x0451;
    return C;
}
