// The plural form of a count: in Russian the last two digits decide.
#include "plural_form.h"
#include "russian_plural.h"

#include <gtest/gtest.h>

TEST(RussianPlural, FormFollowsTheLastTwoDigits) {
    const struct {
        int64_t Count;
        TPluralForm Form;
    } Cases[] = {
        {0, TPluralForm::Many},         {1, TPluralForm::One},    {2, TPluralForm::Few},
        {4, TPluralForm::Few},          {5, TPluralForm::Many},   {11, TPluralForm::Many},
        {12, TPluralForm::Many},        {14, TPluralForm::Many},  {18, TPluralForm::Many},
        {21, TPluralForm::One},         {22, TPluralForm::Few},   {25, TPluralForm::Many},
        {101, TPluralForm::One},        {111, TPluralForm::Many}, {112, TPluralForm::Many},
        {372, TPluralForm::Few},        {-1, TPluralForm::One},   {-12, TPluralForm::Many},
        {INT64_MIN, TPluralForm::Many}, // ...08
    };
    for (const auto &Case : Cases)
        EXPECT_EQ(RussianPluralForm(Case.Count), Case.Form) << Case.Count;
    EXPECT_STREQ(RussianPlural(3, "знак", "знака", "знаков"), "знака");
    // English: one form after 1, the other after every other count.
    for (auto [Count, Form] : {std::pair{0, 1}, {1, 0}, {2, 1}, {21, 1}, {-1, 0}})
        EXPECT_EQ(PluralFormIndex(TTextLanguage::English, Count), Form) << Count;
    EXPECT_EQ(PluralFormIndex(TTextLanguage::Russian, 22), 1);
}
