#include "naming.h"

#include "russian_plural.h"
#include "settings.h"
#include "string_table.h"
#include "text.h"

std::string Number(int32_t Value) {
    if (Value < 0)
        return "-" + Number(-Value);
    std::string Digits;
    do {
        Digits.insert(Digits.begin(), char('0' + Value % 10));
        Value /= 10;
    } while (Value > 0);
    return Digits;
}

std::string Counted(int32_t Count, const char *One, const char *Few, const char *Many) {
    return Number(Count) + " " + RussianPlural(Count, One, Few, Many);
}

std::string CodePointName(char32_t C) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string Out = "U+";
    int32_t Shift = 12;
    while (Shift < 28 && (C >> (Shift + 4)) != 0)
        Shift += 4;
    for (; Shift >= 0; Shift -= 4)
        Out += Hex[(C >> Shift) & 0xF];
    return Out;
}

const char *OptionValueName(const TOptionRow &Row, int32_t Value) {
    // The colours' names are the window's interface texts.
    if (Row.Control == TControl::ColorList)
        return StringTableText(ColorNameIds[Value]);
    const char *const *Names = ListNames(Row.Control);
    return Names != nullptr ? Names[Value] : nullptr;
}

std::string ChoiceList(const TOptionRow &Row) {
    std::string Out;
    for (int32_t Value = 0; Value <= ControlMaximum(Row.Control); ++Value)
        Out += (Value > 0 ? ", " : "") + Utf8Of1251(OptionValueName(Row, Value));
    return Out;
}

std::string ShownCharacter(char32_t C) {
    struct TRange {
        char32_t First, Last;
    };
    constexpr TRange Unshown[] = {
        {0x0000, 0x001F}, // C0 controls
        {0x007F, 0x009F}, // DEL and the C1 controls
        {0x0300, 0x036F}, // combining diacritical marks
        {0x061C, 0x061C}, // Arabic letter mark
        {0x200B, 0x200F}, // zero-width marks and the left-to-right, right-to-left marks
        {0x2028, 0x202E}, // line and paragraph separators, bidirectional embeddings
        {0x2060, 0x206F}, // word joiner, bidirectional isolates, other format marks
        {0xD800, 0xDFFF}, // surrogates
        {0xFE00, 0xFE0F}, // variation selectors
        {0xFEFF, 0xFEFF}, // byte order mark
    };
    for (const TRange &Range : Unshown)
        if (C >= Range.First && C <= Range.Last)
            return CodePointName(C);
    std::string Out = "«";
    AppendUtf8(Out, C);
    return Out + "» (" + CodePointName(C) + ")";
}
