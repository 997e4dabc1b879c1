#include "text.h"

#include "normalise.h"

namespace {

// Runs of Windows-1251 bytes that map onto consecutive code points.
struct TCodeRun {
    unsigned char FirstByte;
    unsigned char LastByte;
    char32_t FirstCodePoint;
};

// The bytes that the program's texts and the string table use.
constexpr TCodeRun CodeRuns[] = {
    {0x00, 0x7F, 0x0000}, // ASCII
    {0x97, 0x97, 0x2014}, // em dash
    {0x99, 0x99, 0x2122}, // trade mark sign
    {0xA8, 0xA8, 0x0401}, // Ё
    {0xAB, 0xAB, 0x00AB}, // «
    {0xB8, 0xB8, 0x0451}, // ё
    {0xBB, 0xBB, 0x00BB}, // »
    {0xC0, 0xFF, 0x0410}, // А..Я, а..я
};

constexpr char32_t ReplacementCharacter = 0xFFFD;
constexpr char32_t LastCodePoint = 0x10FFFF;
constexpr char32_t FirstSurrogate = 0xD800; // D800..DBFF high, DC00..DFFF low
constexpr char32_t LastSurrogate = 0xDFFF;

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

namespace {

// The length of the well-formed UTF-8 sequence at Text[I] with its code
// point in C, or 0 when there is none; C then holds a surrogate that three
// bytes spell out, else 0. With KeepSurrogates such a surrogate is a
// sequence too.
size_t SequenceAt(const std::string &Text, size_t I, char32_t &C, bool KeepSurrogates = false) {
    // Lead byte form: number of continuation bytes and the smallest code
    // point that needs that many (anything below is an overlong form).
    struct TLead {
        unsigned char Mask, Value;
        size_t Continuations;
        char32_t Smallest;
    };
    constexpr TLead Leads[] = {
        {0x80, 0x00, 0, 0x0000},  // 0xxxxxxx
        {0xE0, 0xC0, 1, 0x0080},  // 110xxxxx
        {0xF0, 0xE0, 2, 0x0800},  // 1110xxxx
        {0xF8, 0xF0, 3, 0x10000}, // 11110xxx
    };
    const unsigned char B = static_cast<unsigned char>(Text[I]);
    C = 0;
    for (const TLead &Lead : Leads) {
        if ((B & Lead.Mask) != Lead.Value)
            continue;
        if (Text.size() - I < 1 + Lead.Continuations)
            return 0;
        char32_t Value = B & ~Lead.Mask & 0xFF;
        for (size_t K = 1; K <= Lead.Continuations; ++K) {
            const unsigned char Next = static_cast<unsigned char>(Text[I + K]);
            if ((Next & 0xC0) != 0x80)
                return 0;
            Value = (Value << 6) | (Next & 0x3F);
        }
        if (Value >= FirstSurrogate && Value <= LastSurrogate) {
            C = Value;
            return KeepSurrogates ? 3 : 0;
        }
        if (Value < Lead.Smallest || Value > LastCodePoint)
            return 0;
        C = Value;
        return 1 + Lead.Continuations;
    }
    return 0;
}

} // namespace

bool DecodeUtf8(const std::string &Text, std::u32string &Out, TUtf8Fault *Fault,
                bool KeepSurrogates) {
    Out.clear();
    for (size_t I = 0; I < Text.size();) {
        char32_t C;
        const size_t Length = SequenceAt(Text, I, C, KeepSurrogates);
        if (Length == 0) {
            if (Fault != nullptr)
                *Fault =
                    TUtf8Fault{int32_t(Out.size()) + 1, static_cast<unsigned char>(Text[I]), C};
            return false;
        }
        Out += C;
        I += Length;
    }
    return true;
}

std::string PrintableUtf8(const std::string &Text, size_t MaximumCharacters) {
    std::string Out;
    size_t Characters = 0;
    for (size_t I = 0; I < Text.size(); ++Characters) {
        if (Characters == MaximumCharacters)
            return Out + "\u2026";
        char32_t C;
        const size_t Length = SequenceAt(Text, I, C);
        const bool Control = C < 0x20 || (C >= 0x7F && C <= 0x9F);
        AppendUtf8(Out, Length == 0 || Control ? ReplacementCharacter : C);
        I += Length == 0 ? 1 : Length;
    }
    return Out;
}

std::string Utf8OfUtf16(const char16_t *Text, size_t Length) {
    std::u32string Points(Length, U'\0');
    Points.resize(size_t(CodePointsOfUtf16(Text, int32_t(Length), &Points[0])));
    std::string Out;
    for (char32_t C : Points)
        AppendUtf8(Out, C);
    return Out;
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
