#include "normalise.h"

#include "decode.h"

namespace {

constexpr char32_t CyrillicCapitalA = 0x0410;     // А, Windows-1251 C0
constexpr char32_t CyrillicCapitalYa = 0x042F;    // Я, Windows-1251 DF
constexpr char32_t CyrillicSmallA = 0x0430;       // а
constexpr char32_t CyrillicSmallYa = 0x044F;      // я
constexpr char32_t CyrillicCapitalYo = 0x0401;    // Ё
constexpr char32_t CyrillicSmallYo = 0x0451;      // ё
constexpr int32_t CyrillicCaseDistance = 0x20;    // а - А
constexpr unsigned char CyrillicFirstByte = 0xC0; // А in Windows-1251

// Dropped wherever they stand. Beside the blanks and hyphens people type,
// the marks that show nothing and change neither a character nor the order
// in which a reader sees the characters: they come with text copied from
// web pages and chats. Bidirectional marks (U+200E, U+200F, U+061C, U+202A..
// U+202E, U+2066..U+2069) are not here: they can show the characters in
// another order than the one stored, so such a text is refused.
constexpr char32_t IgnoredCharacters[] = {
    0x0020, // space
    0x0009, // tab
    0x00A0, // no-break space
    0x002D, // hyphen-minus
    0x2010, // hyphen
    0x2011, // non-breaking hyphen
    0x2013, // en dash
    0x2212, // minus sign
    0x00AD, // soft hyphen (shows nothing unless a line breaks there)
    0x2007, // figure space
    0x2009, // thin space
    0x202F, // narrow no-break space
    0x3000, // ideographic space (the full-width blank)
    0x200B, // zero-width space
    0x200C, // zero-width non-joiner
    0x200D, // zero-width joiner
    0x2060, // word joiner
    0xFEFF, // zero-width no-break space, the byte order mark
};

// Full-width forms U+FF01..U+FF5E are ASCII 0x21..0x7E moved by this much;
// they are read as their ASCII characters (full-width digits as digits).
constexpr char32_t FullWidthFirst = 0xFF01;
constexpr char32_t FullWidthLast = 0xFF5E;
constexpr char32_t FullWidthDistance = 0xFEE0;

constexpr char32_t FirstSurrogate = 0xD800;    // high surrogates D800..DBFF
constexpr char32_t FirstLowSurrogate = 0xDC00; // low surrogates DC00..DFFF
constexpr char32_t LastSurrogate = 0xDFFF;

// Lower-case Cyrillic to its capital; every other code point unchanged.
char32_t RaiseCyrillic(char32_t C) {
    if (C >= CyrillicSmallA && C <= CyrillicSmallYa)
        return C - CyrillicCaseDistance;
    if (C == CyrillicSmallYo)
        return CyrillicCapitalYo;
    return C;
}

// The Windows-1251 byte of an ASCII or capital Cyrillic А..Я code point that
// is in the alphabet, else 0.
char AlphabetByteOf(char32_t C) {
    char Byte = 0;
    if (C > 0 && C < 0x80)
        Byte = char(C);
    else if (C >= CyrillicCapitalA && C <= CyrillicCapitalYa)
        Byte = char(CyrillicFirstByte + (C - CyrillicCapitalA));
    return Byte != 0 && AlphabetValue(Byte) >= 0 ? Byte : 0;
}

} // namespace

// Each source looks like one alphabet character and like no other. Cyrillic
// sources are capitals: lower case is raised before this table is read.
// Left out on purpose: Latin A, C, K and Cyrillic А, С, К (their look-alikes
// are not in the alphabet), Latin I, l and | (1 or !), Latin b (Ь or 6).
const TLookAlike LookAlikes[LookAlikeCount] = {
    {U'B', '\xC2'},   // Latin B          -> В
    {U'E', '\xC5'},   // Latin E          -> Е
    {U'e', '\xC5'},   // Latin e          -> Е
    {U'H', '\xCD'},   // Latin H          -> Н
    {U'M', '\xCC'},   // Latin M          -> М
    {U'P', '\xD0'},   // Latin P          -> Р
    {U'p', '\xD0'},   // Latin p          -> Р
    {U'T', '\xD2'},   // Latin T          -> Т
    {U'X', '\xD5'},   // Latin X          -> Х
    {U'x', '\xD5'},   // Latin x          -> Х
    {U'Y', '\xD3'},   // Latin Y          -> У
    {U'y', '\xD3'},   // Latin y          -> У
    {U'O', '0'},      // Latin O          -> digit 0
    {U'o', '0'},      // Latin o          -> digit 0
    {0x041E, '0'},    // Cyrillic О (о)   -> digit 0
    {0x0417, '3'},    // Cyrillic З (з)   -> digit 3
    {0x0401, '\xC5'}, // Cyrillic Ё (ё)   -> Е
};

bool IsIgnoredCharacter(char32_t C) {
    for (char32_t Ignored : IgnoredCharacters)
        if (C == Ignored)
            return true;
    return false;
}

char PasswordCharacterOf(char32_t C) {
    if (C >= FullWidthFirst && C <= FullWidthLast)
        C -= FullWidthDistance;
    const char32_t Raised = RaiseCyrillic(C);
    const char Byte = AlphabetByteOf(Raised);
    if (Byte != 0)
        return Byte;
    for (const TLookAlike &Row : LookAlikes)
        if (Row.From == Raised)
            return Row.To;
    return 0;
}

int32_t CodePointsOfUtf16(const char16_t *Text, int32_t Length, char32_t *Points) {
    int32_t Count = 0;
    for (int32_t I = 0; I < Length; ++I) {
        char32_t C = Text[I];
        if (C >= FirstSurrogate && C < FirstLowSurrogate && I + 1 < Length &&
            Text[I + 1] >= FirstLowSurrogate && Text[I + 1] <= LastSurrogate)
            C = 0x10000 + ((C - FirstSurrogate) << 10) + (Text[++I] - FirstLowSurrogate);
        Points[Count++] = C;
    }
    return Count;
}

void NormalisePassword(const char32_t *Input, int32_t Length, char (&Text)[PasswordLength],
                       TNormaliseResult &Result) {
    Result = TNormaliseResult{TNormaliseStatus::Done, 0, 0, 0};
    char Found[PasswordLength];
    for (int32_t I = 0; I < Length; ++I) {
        if (IsIgnoredCharacter(Input[I]))
            continue;
        const char Byte = PasswordCharacterOf(Input[I]);
        if (Byte == 0) {
            Result.Status = TNormaliseStatus::BadCharacter;
            Result.Place = I + 1;
            Result.Character = Input[I];
            return;
        }
        if (Result.Count < PasswordLength)
            Found[Result.Count] = Byte;
        ++Result.Count;
    }
    if (Result.Count != PasswordLength) {
        Result.Status =
            Result.Count < PasswordLength ? TNormaliseStatus::TooShort : TNormaliseStatus::TooLong;
        return;
    }
    for (int32_t I = 0; I < PasswordLength; ++I)
        Text[I] = Found[I];
}
