// Typed passwords: blanks and hyphens, lower case, the look-alike table and
// the errors that name a character and its place.

#include "decode.h"
#include "normalise.h"
#include "../unit/text1251.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The alphabet as the game's documents write it.
const char32_t Alphabet[] = U"БВГЕЖИЛМНПРТУФХЦЬЫЭЮЯ0123456789!";
const char32_t AlphabetLower[] = U"бвгежилмнпртуфхцьыэюя";

struct TNormalised {
    TNormaliseResult Result;
    std::string Text; // Windows-1251, when Done
};

TNormalised Normalise(const std::u32string &Input) {
    TNormalised Out;
    char Text[PasswordLength];
    NormalisePassword(Input.data(), int32_t(Input.size()), Text, Out.Result);
    if (Out.Result.Status == TNormaliseStatus::Done)
        Out.Text.assign(Text, PasswordLength);
    return Out;
}

TEST(LookAlikes, EachMappingReadsAsItsAlphabetCharacter) {
    // The table as designed: each typed character and the one alphabet
    // character it resembles.
    struct TCase {
        char32_t Typed;
        const char *Means;
    };
    const TCase Cases[] = {
        {U'B', "В"}, {U'E', "Е"}, {U'e', "Е"}, {U'H', "Н"}, {U'M', "М"}, {U'P', "Р"}, {U'p', "Р"},
        {U'T', "Т"}, {U'X', "Х"}, {U'x', "Х"}, {U'Y', "У"}, {U'y', "У"}, {U'O', "0"}, {U'o', "0"},
        {U'О', "0"}, {U'о', "0"}, {U'З', "3"}, {U'з', "3"}, {U'Ё', "Е"}, {U'ё', "Е"},
    };
    std::set<char32_t> Covered;
    for (const TCase &Case : Cases) {
        EXPECT_EQ(PasswordCharacterOf(Case.Typed), To1251(Case.Means)[0]) << uint32_t(Case.Typed);
        Covered.insert(Case.Typed);
    }
    // Every row of the table is among the cases above.
    for (const TLookAlike &Row : LookAlikes)
        EXPECT_EQ(Covered.count(Row.From), 1u) << uint32_t(Row.From);
}

TEST(LookAlikes, NoSourceIsInTheAlphabetAndEveryTargetIs) {
    const std::u32string Letters(Alphabet);
    std::set<char32_t> Sources;
    for (const TLookAlike &Row : LookAlikes) {
        EXPECT_NE(Row.From, 0u);
        EXPECT_EQ(Letters.find(Row.From), std::u32string::npos) << uint32_t(Row.From);
        EXPECT_GE(AlphabetValue(Row.To), 0) << uint32_t(Row.From);
        EXPECT_TRUE(Sources.insert(Row.From).second) << "twice: " << uint32_t(Row.From);
        EXPECT_FALSE(IsIgnoredCharacter(Row.From));
    }
}

TEST(Normalising, AlphabetAndItsLowerCaseReadAsThemselves) {
    const std::u32string Letters(Alphabet), Lower(AlphabetLower);
    ASSERT_EQ(Letters.size(), 32u);
    for (size_t I = 0; I < Letters.size(); ++I) {
        const char Byte = PasswordAlphabet[I];
        EXPECT_EQ(PasswordCharacterOf(Letters[I]), Byte) << I;
        if (I < Lower.size()) {
            EXPECT_EQ(PasswordCharacterOf(Lower[I]), Byte) << I;
        }
    }
}

TEST(Normalising, RejectsWhatLooksLikeNothingOrLikeTwo) {
    // Not in the alphabet and resembling nothing in it (А, С, К, Д, Ш, Й, Ъ
    // and their Latin twins), or resembling two characters (I, l and | look
    // like both 1 and !; b like Ь and 6).
    // Bidirectional marks and combining marks are refused too: they can change
    // what a reader saw.
    const char32_t Rejected[] = U"АаСсКкДШЙйЪъAaCcKkIl|bQ?.,_\u200E\u200F\u202E\u2066\u0308\uFF21";
    for (const char32_t *C = Rejected; *C != 0; ++C)
        EXPECT_EQ(PasswordCharacterOf(*C), 0) << uint32_t(*C);
}

TEST(Normalising, WholePasswordsAsPeopleTypeThem) {
    const std::string Starting = To1251("ПЬФМВ02ЬЫЫЛ!");
    const std::u32string Typed[] = {
        U"ПЬФМВ02ЬЫЫЛ!",
        U"ПЬФМ В02Ь ЫЫЛ!",
        U"пьфм-в02ь-ыыл!",
        U"  ПЬФМ\tВ02Ь\u00A0ЫЫЛ!  ",
        U"ПЬФМ\u2013В02Ь\u2010ЫЫЛ!\u2212",
        U"ПЬФM B02Ь ЫЫЛ!", // Latin M and B
        U"П-Ь-Ф-М-В-0-2-Ь-Ы-Ы-Л-!",
        // Copied from a page: zero-width marks, a soft hyphen, thin and
        // ideographic spaces, full-width digits and "!".
        U"\uFEFFПЬФМ\u200BВ\uFF10\uFF12Ь\u00ADЫ\u200DЫ\u2060Л\uFF01\u3000\u2009",
        // The other blanks and joiners people paste: non-breaking hyphen,
        // figure space, narrow no-break space, zero-width non-joiner.
        U"ПЬФМ\u2011В02Ь\u2007ЫЫ\u202FЛ\u200C!",
    };
    for (const std::u32string &Input : Typed) {
        const TNormalised N = Normalise(Input);
        EXPECT_EQ(N.Result.Status, TNormaliseStatus::Done);
        EXPECT_EQ(N.Text, Starting);
    }
    // Cyrillic О and З and the Latin O for the digits: Э9Я0ФУ2Э0Х4Б.
    EXPECT_EQ(Normalise(U"Э9ЯО ФУ2Э oХ4Б").Text, To1251("Э9Я0ФУ2Э0Х4Б"));
    EXPECT_EQ(Normalise(U"ЗЗЗЗ ЗЗЗЗ ЗЗЗЗ").Text, std::string(12, '3'));
}

TEST(Normalising, ErrorsNameTheCharacterAndItsPlace) {
    struct TCase {
        std::u32string Input;
        TNormaliseStatus Status;
        int32_t Place; // counting every typed character, from 1
        char32_t Character;
        int32_t Count; // password characters found
    };
    const TCase Cases[] = {
        {U"ПЬФМ В02Ь ЫЫЛA", TNormaliseStatus::BadCharacter, 14, U'A', 0},
        {U"КЬФМВ02ЬЫЫЛ!", TNormaliseStatus::BadCharacter, 1, U'К', 0},
        {U"ПЬ ФМ-В02Ь ЫЫЛ! ъ", TNormaliseStatus::BadCharacter, 17, U'ъ', 0},
        {U"ПЬФМ\u200FВ02Ь ЫЫЛ!", TNormaliseStatus::BadCharacter, 5, 0x200F, 0},
        {U"ПЬФМ В02Ь ЫЫЕ\u0308!", TNormaliseStatus::BadCharacter, 14, 0x0308, 0},
        {U"ПЬФМ В02Ь ЫЫЛ", TNormaliseStatus::TooShort, 0, 0, 11},
        {U"", TNormaliseStatus::TooShort, 0, 0, 0},
        {U" - ", TNormaliseStatus::TooShort, 0, 0, 0},
        {U"ПЬФМ В02Ь ЫЫЛ!!", TNormaliseStatus::TooLong, 0, 0, 13},
        {U"ПЬФМВ02ЬЫЫЛ!ПЬФМВ02ЬЫЫЛ!", TNormaliseStatus::TooLong, 0, 0, 24},
    };
    for (const TCase &Case : Cases) {
        const TNormalised N = Normalise(Case.Input);
        EXPECT_EQ(N.Result.Status, Case.Status);
        if (Case.Status == TNormaliseStatus::BadCharacter) {
            EXPECT_EQ(N.Result.Place, Case.Place);
            EXPECT_EQ(N.Result.Character, Case.Character);
        } else {
            EXPECT_EQ(N.Result.Count, Case.Count);
        }
    }
}

} // namespace
