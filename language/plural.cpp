#include "plural.h"

TPluralForm RussianPluralForm(int64_t Count) {
    // The magnitude's last two digits decide; taken without negating, which
    // would overflow for the smallest value.
    const int64_t LastTwo = Count % 100 < 0 ? -(Count % 100) : Count % 100;
    const int64_t Last = LastTwo % 10;
    if (LastTwo >= 11 && LastTwo <= 14)
        return TPluralForm::Many;
    if (Last == 1)
        return TPluralForm::One;
    if (Last >= 2 && Last <= 4)
        return TPluralForm::Few;
    return TPluralForm::Many;
}

const char *RussianPlural(int64_t Count, const char *One, const char *Few, const char *Many) {
    switch (RussianPluralForm(Count)) {
    case TPluralForm::One:
        return One;
    case TPluralForm::Few:
        return Few;
    case TPluralForm::Many:
        break;
    }
    return Many;
}
