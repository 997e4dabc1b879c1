#include "russian_plural.h"

TPluralForm RussianPluralForm(int32_t Count) {
    // The magnitude's last two digits decide; negated after the remainder, so
    // that the most negative count stays in range.
    int32_t LastTwo = Count % 100;
    if (LastTwo < 0)
        LastTwo = -LastTwo;
    const int32_t Last = LastTwo % 10;
    if (LastTwo >= 11 && LastTwo <= 14)
        return TPluralForm::Many;
    if (Last == 1)
        return TPluralForm::One;
    if (Last >= 2 && Last <= 4)
        return TPluralForm::Few;
    return TPluralForm::Many;
}
