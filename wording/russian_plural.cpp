#include "russian_plural.h"

TPluralForm RussianPluralForm(int64_t Count) {
    // The magnitude's last two digits decide; negated after the remainder, so
    // that the most negative count stays in range.
    int64_t LastTwo = Count % 100;
    if (LastTwo < 0)
        LastTwo = -LastTwo;
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
