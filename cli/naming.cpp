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
