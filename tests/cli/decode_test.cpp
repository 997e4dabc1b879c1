// The reading back of passwords: text and vector, decoding with the check of
// positions 0..17, and the repair search, each checked against the game's
// rules and against the encoder.

#include "decode.h"
#include "password.h"
#include "settings.h"
#include "../unit/random_settings.h"
#include "../unit/text1251.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using F = TField;

bool SameRecord(const TSettings &A, const TSettings &B) {
    return std::memcmp(&A, &B, sizeof(TSettings)) == 0;
}

std::string Failed(const TDecodeResult &R) {
    std::string Out;
    for (int32_t I = 0; I < R.FailedCount; ++I)
        Out += (I > 0 ? "," : "") + std::to_string(R.FailedChecks[I]);
    return Out;
}

// The window's starting values and the record of all zeros, with the
// passwords worked out by hand for them (see the encoder's tests for the
// working: "ПЬФМВ02ЬЫЫЛ!" and "Э9Я0ФУ2Э0Х4Б").
TSettings StartingRecord() {
    TSettings S{};
    S.Color = 2;
    S.Car = 1;
    S.MoneyHundreds = S.MoneyTens = S.MoneyUnits = 9;
    S.WeaponCharges = S.BoostCharges = S.DropCharges = 7;
    S.Engine = S.Shocks = S.Tires = 3;
    return S;
}

TEST(PasswordTextBits, GroupsReadWithTheirLowestPositionFirst) {
    // A character and its five positions, lowest first, from the alphabet
    // table: value 16a + 8b + 4c + 2d + e.
    struct TCase {
        const char *Character;
        uint8_t Bits[5];
    };
    const TCase Cases[] = {
        {"Б", {0, 0, 0, 0, 0}}, // 0
        {"!", {1, 1, 1, 1, 1}}, // 31
        {"Ь", {1, 0, 0, 0, 0}}, // 16
        {"Ы", {1, 0, 0, 0, 1}}, // 17
        {"В", {0, 0, 0, 0, 1}}, // 1
        {"0", {1, 0, 1, 0, 1}}, // 21
        {"9", {1, 1, 1, 1, 0}}, // 30
        {"Я", {1, 0, 1, 0, 0}}, // 20
    };
    for (const TCase &Case : Cases) {
        SCOPED_TRACE(Case.Character);
        // The same character in all twelve places.
        const std::string One = To1251(Case.Character);
        const std::string Text(PasswordLength, One[0]);
        TPasswordBits Bits;
        ASSERT_TRUE(PasswordTextToBits(Text.data(), Bits));
        for (int32_t P = 0; P < PasswordBitCount; ++P)
            EXPECT_EQ(Bits.Bits[P], Case.Bits[P % GroupWidth]) << "position " << P;
        char Back[PasswordLength];
        PasswordBitsToText(Bits, Back);
        EXPECT_EQ(std::string(Back, PasswordLength), Text);
    }
}

TEST(PasswordTextBits, RejectsBytesOutsideTheAlphabet) {
    // Ы and Ь are in the alphabet; А, О, З, the Latin O, a blank and a zero byte are not.
    const char *const Outside[] = {"А", "О", "З", "O", " ", "a"};
    const std::string Good = To1251("ПЬФМВ02ЬЫЫЛ!");
    for (const char *Bad : Outside) {
        for (int32_t Place = 0; Place < PasswordLength; ++Place) {
            std::string Text = Good;
            Text[Place] = To1251(Bad)[0];
            TPasswordBits Bits;
            EXPECT_FALSE(PasswordTextToBits(Text.data(), Bits)) << Bad << " at " << Place;
            TDecodeResult R;
            DecodePasswordText(Text.data(), R);
            EXPECT_EQ(R.Status, TDecodeStatus::BadCharacter);
            EXPECT_EQ(R.BadPlace, Place + 1);
        }
    }
    std::string WithZero = Good;
    WithZero[5] = '\0';
    TPasswordBits Bits;
    EXPECT_FALSE(PasswordTextToBits(WithZero.data(), Bits));
}

TEST(Decoding, HandWorkedPasswordsGiveTheirRecords) {
    struct TCase {
        const char *Password;
        TSettings Record;
    };
    const TCase Cases[] = {
        {"ПЬФМВ02ЬЫЫЛ!", StartingRecord()},
        {"Э9Я0ФУ2Э0Х4Б", TSettings{}},
    };
    for (const TCase &Case : Cases) {
        SCOPED_TRACE(Case.Password);
        TDecodeResult R;
        DecodePasswordText(To1251(Case.Password).data(), R);
        EXPECT_EQ(R.Status, TDecodeStatus::Valid);
        EXPECT_EQ(R.FailedCount, 0);
        EXPECT_TRUE(SameRecord(R.Record, Case.Record));
    }
}

TEST(Decoding, RoundTripsOnRandomRecords) {
    std::mt19937 Rng(20261208);
    for (int Trial = 0; Trial < 5000; ++Trial) {
        const TSettings Record = RandomSettings(Rng);
        TPasswordBits Bits;
        char Text[PasswordLength];
        EncodeRecord(Record, Bits, Text);

        TDecodeResult R;
        DecodePasswordText(Text, R);
        ASSERT_EQ(R.Status, TDecodeStatus::Valid) << "trial " << Trial;
        ASSERT_TRUE(SameRecord(R.Record, Record)) << "trial " << Trial;

        // Encoding what was decoded gives the same password back.
        TPasswordBits Again;
        char AgainText[PasswordLength];
        EncodeRecord(R.Record, Again, AgainText);
        ASSERT_EQ(std::memcmp(Again.Bits, Bits.Bits, PasswordBitCount), 0);
        ASSERT_EQ(std::memcmp(AgainText, Text, PasswordLength), 0);
    }
}

TEST(Decoding, EncodeRecordLeavesTheGlobalsAsTheyWere) {
    Settings = StartingRecord();
    EncodePassword();
    const TSettings SavedSettings = Settings;
    const TPasswordBits SavedBits = PasswordBits;
    const std::string SavedText(PasswordText, PasswordLength);

    TPasswordBits Bits;
    char Text[PasswordLength];
    EncodeRecord(TSettings{}, Bits, Text);
    static TRepair Repairs[RepairTrialCount];
    FindRepairs(To1251("4ЬФМВ02ЬЫЫЛ!").data(), Repairs, RepairTrialCount);

    EXPECT_TRUE(SameRecord(Settings, SavedSettings));
    EXPECT_EQ(std::memcmp(PasswordBits.Bits, SavedBits.Bits, PasswordBitCount), 0);
    EXPECT_EQ(std::string(PasswordText, PasswordLength), SavedText);
}

// The check position that reads each copied position 18..59, from the
// table of how positions are computed (position 2 reads P18 and Planet.1,
// position 0 reads Hero.3 and Tires.2, and so on).
constexpr int32_t CheckOfCopied[PasswordBitCount - CheckPositionCount] = {
    2,  3,  4,  5,  // 18..21 MoneyHundreds
    6,  7,  8,  9,  // 22..25 MoneyTens
    10, 11, 12, 13, // 26..29 MoneyUnits
    14, 15, 0,      // 30..32 Hero
    1,              // 33     Division
    2,  3,  4,      // 34..36 Planet
    5,  6,  7,      // 37..39 Color
    8,  9,  10,     // 40..42 Car
    11, 12,         // 43..44 Armor
    13, 14,         // 45..46 Shocks
    15, 0,          // 47..48 Tires
    1,  2,          // 49..50 Engine
    3,  4,  5,      // 51..53 BoostCharges
    6,  7,  8,      // 54..56 DropCharges
    9,  10, 11,     // 57..59 WeaponCharges
};

// The check that fails when position P alone is flipped: a check position
// 0..15 fails itself; 16 and 17 change the decoded Difficulty, whose bits
// positions 0 and 1 read; a copied position fails the check that reads it.
int32_t CheckFailingOnFlip(int32_t P) {
    if (P < 16)
        return P;
    if (P < CheckPositionCount)
        return P - 16;
    return CheckOfCopied[P - CheckPositionCount];
}

// Whether a money pattern (bit 1 most significant) is a digit: the tables
// are the digit xor 5, 10 and 12 for hundreds, tens and units.
bool IsMoneyDigit(int32_t Position, const TPasswordBits &Bits) {
    const int32_t First = 18 + (Position - 18) / 4 * 4;
    const int32_t Masks[3] = {5, 10, 12};
    int32_t Pattern = 0;
    for (int32_t K = 0; K < 4; ++K)
        Pattern = Pattern * 2 + Bits.Bits[First + K];
    return (Pattern ^ Masks[(First - 18) / 4]) <= 9;
}

TEST(Decoding, EverySingleBitFlipIsCaughtAtItsCheckPosition) {
    std::mt19937 Rng(7);
    for (int Trial = 0; Trial < 300; ++Trial) {
        TPasswordBits Bits;
        char Text[PasswordLength];
        EncodeRecord(RandomSettings(Rng), Bits, Text);
        for (int32_t P = 0; P < PasswordBitCount; ++P) {
            SCOPED_TRACE(P);
            TPasswordBits Flipped = Bits;
            Flipped.Bits[P] ^= 1;
            TDecodeResult R;
            DecodePasswordBits(Flipped, R);
            const bool Money = P >= 18 && P < 30;
            if (Money && !IsMoneyDigit(P, Flipped)) {
                EXPECT_EQ(R.Status, TDecodeStatus::BadMoneyDigit);
                continue;
            }
            ASSERT_EQ(R.Status, TDecodeStatus::ChecksFail);
            EXPECT_EQ(Failed(R), std::to_string(CheckFailingOnFlip(P)));
        }
    }
}

TEST(Decoding, MoneyPatternsOutsideTheDigitsAreInvalid) {
    // For each money field, every one of the 16 patterns written into the
    // starting record's vector; the field reads -1 exactly when the pattern
    // is no digit.
    struct TMoney {
        F Field;
        int32_t First; // first position
    };
    const TMoney Fields[] = {{F::MoneyHundreds, 18}, {F::MoneyTens, 22}, {F::MoneyUnits, 26}};
    TPasswordBits Bits;
    char Text[PasswordLength];
    EncodeRecord(StartingRecord(), Bits, Text);
    for (const TMoney &M : Fields) {
        int32_t Invalid = 0;
        for (int32_t Pattern = 0; Pattern < 16; ++Pattern) {
            TPasswordBits Trial = Bits;
            for (int32_t K = 0; K < 4; ++K)
                Trial.Bits[M.First + K] = uint8_t((Pattern >> (3 - K)) & 1);
            TDecodeResult R;
            DecodePasswordBits(Trial, R);
            if (IsMoneyDigit(M.First, Trial)) {
                EXPECT_NE(R.Status, TDecodeStatus::BadMoneyDigit) << Pattern;
                EXPECT_GE(FieldOf(R.Record, M.Field), 0);
            } else {
                ++Invalid;
                EXPECT_EQ(R.Status, TDecodeStatus::BadMoneyDigit) << Pattern;
                EXPECT_EQ(FieldOf(R.Record, M.Field), -1);
            }
        }
        EXPECT_EQ(Invalid, 6) << "16 patterns, 10 digits";
    }
}

TEST(Decoding, DifficultyComesFromPositions16And17) {
    // Positions 16 and 17 for Difficulty 0..3: 0 1, 0 0, 1 1, 1 0.
    const uint8_t Positions[4][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}};
    for (int32_t D = 0; D < 4; ++D) {
        TSettings Record = StartingRecord();
        Record.Difficulty = D;
        TPasswordBits Bits;
        char Text[PasswordLength];
        EncodeRecord(Record, Bits, Text);
        EXPECT_EQ(Bits.Bits[16], Positions[D][0]);
        EXPECT_EQ(Bits.Bits[17], Positions[D][1]);
        TDecodeResult R;
        DecodePasswordBits(Bits, R);
        EXPECT_EQ(R.Record.Difficulty, D);
    }
}

std::set<std::string> RepairTexts(const char *Text) {
    static TRepair Repairs[RepairTrialCount];
    const int32_t Count = FindRepairs(Text, Repairs, RepairTrialCount);
    std::set<std::string> Out;
    for (int32_t I = 0; I < Count; ++I) {
        const TRepair &R = Repairs[I];
        // Each answer differs from the input in its one place only and is valid.
        for (int32_t J = 0; J < PasswordLength; ++J)
            EXPECT_EQ(R.Text[J] == Text[J], J != R.Place - 1);
        EXPECT_EQ(R.Text[R.Place - 1], R.Replacement);
        TDecodeResult D;
        DecodePasswordText(R.Text, D);
        EXPECT_EQ(D.Status, TDecodeStatus::Valid);
        EXPECT_TRUE(SameRecord(D.Record, R.Record));
        Out.insert(std::string(R.Text, PasswordLength));
    }
    return Out;
}

TEST(Repair, EverySingleCharacterErrorIsFoundWithTheOriginal) {
    std::mt19937 Rng(42);
    for (int Trial = 0; Trial < 20; ++Trial) {
        TPasswordBits Bits;
        char Text[PasswordLength];
        EncodeRecord(RandomSettings(Rng), Bits, Text);
        const std::string Original(Text, PasswordLength);
        for (int32_t Place = 0; Place < PasswordLength; ++Place) {
            for (int32_t Value = 0; Value < 32; ++Value) {
                std::string Wrong = Original;
                Wrong[Place] = PasswordAlphabet[Value];
                if (Wrong == Original)
                    continue;
                TDecodeResult R;
                DecodePasswordText(Wrong.data(), R);
                if (R.Status == TDecodeStatus::Valid)
                    continue; // another valid password, not an error to repair
                const std::set<std::string> Found = RepairTexts(Wrong.data());
                ASSERT_EQ(Found.count(Original), 1u) << "place " << Place << " value " << Value;
            }
        }
    }
}

TEST(Repair, HandWorkedCases) {
    // The starting password ПЬФМВ02ЬЫЫЛ! with position 0 flipped: its first
    // group 01001 (П) becomes 11001 (4). Only check 0 fails. A single
    // change that fails check 0 alone and nothing else: position 0 back (П),
    // position 16 (group 15..19 00111 -> 01111, Ц: Difficulty Warrior),
    // position 32 Hero.3 (group 30..34 10111 -> 10011, Ю) or position 48
    // Tires.2 (group 45..49 10001 -> 10011, Ю).
    EXPECT_EQ(RepairTexts(To1251("4ЬФМВ02ЬЫЫЛ!").data()),
              (std::set<std::string>{To1251("ПЬФМВ02ЬЫЫЛ!"), To1251("4ЬФЦВ02ЬЫЫЛ!"),
                                     To1251("4ЬФМВ0ЮЬЫЫЛ!"), To1251("4ЬФМВ02ЬЫЮЛ!")}));

    // Positions 0, 5 and 10 flipped (П -> 4, Ь 10000 -> Б 00000, Ф 01101 ->
    // 8 11101). No one character reaches checks 0, 5 and 10 together: a
    // group's copied bits reach five neighbouring checks (counting round
    // from 15 to 0) and checks 0..14 lie in three different groups.
    TDecodeResult R;
    DecodePasswordText(To1251("4Б8МВ02ЬЫЫЛ!").data(), R);
    EXPECT_EQ(Failed(R), "0,5,10");
    EXPECT_TRUE(RepairTexts(To1251("4Б8МВ02ЬЫЫЛ!").data()).empty());
}

TEST(Repair, CapacityLimitsWhatIsStoredNotWhatIsCounted) {
    const std::string Text = To1251("4ЬФМВ02ЬЫЫЛ!");
    TRepair All[4], Few[3];
    ASSERT_EQ(FindRepairs(Text.data(), All, 4), 4);
    Few[2].Place = -7; // past the capacity: must stay as it is
    EXPECT_EQ(FindRepairs(Text.data(), Few, 2), 4);
    EXPECT_EQ(Few[2].Place, -7);
    for (int I = 0; I < 2; ++I)
        EXPECT_EQ(std::string(Few[I].Text, PasswordLength),
                  std::string(All[I].Text, PasswordLength));
    EXPECT_EQ(FindRepairs(Text.data(), nullptr, 0), 4);
}

} // namespace
