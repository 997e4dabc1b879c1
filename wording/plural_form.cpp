#include "plural_form.h"

#include "russian_plural.h"

int32_t PluralFormIndex(TTextLanguage Language, int64_t Count) {
    if (Language == TTextLanguage::Russian)
        return int32_t(RussianPluralForm(Count));
    return Count == 1 || Count == -1 ? 0 : 1;
}
