// The encoder checked stage by stage against the game's rules: the value
// tables, the bit operations, the 60-bit vector, the password text, the money
// rule and two whole passwords worked out by hand.

#include "password.h"
#include "reading.h"
#include "settings.h"
#include "random_settings.h"
#include "text1251.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using F = TField;

// The pattern of a value read as a binary number, bit 1 most significant.
int PatternNumber(F Field, int Value) {
    int N = 0;
    for (int K = 1; K <= FieldWidth(Field); ++K)
        N = N * 2 + ValueBit(Field, Value, K);
    return N;
}

std::vector<uint8_t> Encode(const TSettings &S) {
    Settings = S;
    EncodePassword();
    return std::vector<uint8_t>(PasswordBits.Bits, PasswordBits.Bits + PasswordBitCount);
}

std::string Text() {
    return std::string(PasswordText, PasswordLength);
}

// Range, width and xor mask of each field as the game's rules give them;
// mask -1 marks the two tables that are permutations instead.
struct TFieldRule {
    F Field;
    int Values;
    int Width;
    int Mask;
};
constexpr TFieldRule FieldRules[] = {
    {F::Difficulty, 4, 2, 2},   {F::WeaponCharges, 8, 3, 0},  {F::BoostCharges, 8, 3, 4},
    {F::DropCharges, 8, 3, 4},  {F::Engine, 4, 2, 1},         {F::Shocks, 4, 2, 1},
    {F::Armor, 4, 2, 1},        {F::Tires, 4, 2, 3},          {F::Hero, 8, 3, 5},
    {F::Planet, 8, 3, 6},       {F::Division, 2, 1, 1},       {F::Car, 8, 3, -1},
    {F::Color, 8, 3, -1},       {F::MoneyHundreds, 10, 4, 5}, {F::MoneyTens, 10, 4, 10},
    {F::MoneyUnits, 10, 4, 12},
};

TEST(ValueTables, FollowTheirMasksOrArePermutations) {
    for (const TFieldRule &Rule : FieldRules) {
        SCOPED_TRACE(int(Rule.Field));
        ASSERT_EQ(FieldValueCount(Rule.Field), Rule.Values);
        ASSERT_EQ(FieldWidth(Rule.Field), Rule.Width);
        std::set<int> Seen;
        for (int V = 0; V < Rule.Values; ++V) {
            for (int K = 1; K <= Rule.Width; ++K)
                EXPECT_LE(ValueBit(Rule.Field, V, K), 1);
            Seen.insert(PatternNumber(Rule.Field, V));
            if (Rule.Mask >= 0) {
                EXPECT_EQ(PatternNumber(Rule.Field, V), V ^ Rule.Mask) << "value " << V;
            }
        }
        EXPECT_EQ(int(Seen.size()), Rule.Values) << "every value has its own pattern";
    }
}

TEST(ValueTables, AllZeroPatternsAreExactlyTheKnownOnes) {
    // Field and the one value whose pattern is all zeros; tens and units have none.
    const std::set<std::pair<int, int>> Expected = {
        {int(F::Difficulty), 2},    {int(F::Hero), 5},          {int(F::Planet), 6},
        {int(F::Division), 1},      {int(F::Car), 5},           {int(F::Color), 2},
        {int(F::WeaponCharges), 0}, {int(F::BoostCharges), 4},  {int(F::DropCharges), 4},
        {int(F::Engine), 1},        {int(F::Shocks), 1},        {int(F::Armor), 1},
        {int(F::Tires), 3},         {int(F::MoneyHundreds), 5},
    };
    std::set<std::pair<int, int>> Found;
    for (F Field : AllFields)
        for (int V = 0; V < FieldValueCount(Field); ++V)
            if (PatternNumber(Field, V) == 0)
                Found.insert({int(Field), V});
    EXPECT_EQ(Found, Expected);
}

TEST(ValueTables, CarAndColorRowsAsTheGameHasThem) {
    // The two tables without a mask, bit 1 first.
    const char *CarRows[8] = {"101", "100", "011", "111", "110", "000", "010", "001"};
    const char *ColorRows[8] = {"010", "011", "000", "001", "110", "101", "111", "100"};
    for (int V = 0; V < 8; ++V)
        for (int K = 1; K <= 3; ++K) {
            EXPECT_EQ(ValueBit(F::Car, V, K), CarRows[V][K - 1] - '0') << "car " << V;
            EXPECT_EQ(ValueBit(F::Color, V, K), ColorRows[V][K - 1] - '0') << "color " << V;
        }
}

TEST(ValueNames, ListsInWindowOrder) {
    const char *Heroes[] = {"Snake Sanders", "Cyberhawk", "Ivanzypher", "Katarina Lyons",
                            "Jake Badlands", "Tarquinn",  "Olaf",       "(Неизвестный)"};
    const char *Cars[] = {"Dirt Devil", "Marauder", "Air Blade", "Battle Trak",
                          "Havac",      "<Тень>",   "<Седьмая>", "<Восьмая>"};
    const char *Planets[] = {"CHEM VI", "DRAKONIS", "BOGMIRE", "NEW MOJAVE",
                             "NHO",     "INFERNO",  "<Rip>",   "<Неизвестная>"};
    const char *Difficulties[] = {"Rookie", "Veteran", "Warrior", "(простая)"};
    for (int I = 0; I < 8; ++I) {
        EXPECT_EQ(HeroNames[I], To1251(Heroes[I]));
        EXPECT_EQ(CarNames[I], To1251(Cars[I]));
        EXPECT_EQ(PlanetNames[I], To1251(Planets[I]));
    }
    for (int I = 0; I < 4; ++I)
        EXPECT_EQ(DifficultyNames[I], To1251(Difficulties[I]));
    EXPECT_STREQ(DivisionNames[0], "B");
    EXPECT_STREQ(DivisionNames[1], "A");
    const uint16_t Colors[] = {65529, 65530, 65531, 65532, 65533, 65534, 65535, 65504};
    for (int I = 0; I < 8; ++I)
        EXPECT_EQ(ColorNameIds[I], Colors[I]);
}

TEST(BitOperations, InvertAndMix) {
    EXPECT_EQ(InvertBit(0), 1);
    EXPECT_EQ(InvertBit(1), 0);
    EXPECT_EQ(InvertBit(2), 1); // anything but 1 counts as 0
    EXPECT_EQ(InvertBit(255), 1);
    for (int X = 0; X < 2; ++X)
        for (int Y = 0; Y < 2; ++Y)
            for (int Z = 0; Z < 2; ++Z) {
                EXPECT_EQ(MixBits(X, Y, Z), X ^ Y ^ Z) << X << Y << Z;
                EXPECT_EQ(MixBits(X, Y, Z), MixBits(X, Z, Y));
            }
    EXPECT_EQ(MixBits(2, 0, 0), 2); // the first operand enters unchanged
    EXPECT_EQ(MixBits(0, 2, 0), 0); // the others through InvertBit
}

// One check position as the plain exclusive-or of its terms and a constant.
struct TCheck {
    int Position;
    std::vector<std::pair<F, int>> Terms;
    int Constant;
};
const TCheck Checks[] = {
    {0, {{F::Hero, 3}, {F::Difficulty, 1}, {F::Tires, 2}}, 0},
    {1, {{F::Difficulty, 2}, {F::Division, 1}, {F::Engine, 1}}, 1},
    {2, {{F::Planet, 1}, {F::Engine, 2}, {F::MoneyHundreds, 1}}, 0},
    {3, {{F::Planet, 2}, {F::BoostCharges, 1}, {F::MoneyHundreds, 2}}, 0},
    {4, {{F::Planet, 3}, {F::BoostCharges, 2}, {F::MoneyHundreds, 3}}, 0},
    {5, {{F::BoostCharges, 3}, {F::Color, 1}, {F::MoneyHundreds, 4}}, 0},
    {6, {{F::DropCharges, 1}, {F::Color, 2}, {F::MoneyTens, 1}}, 0},
    {7, {{F::DropCharges, 2}, {F::Color, 3}, {F::MoneyTens, 2}}, 1},
    {8, {{F::Car, 1}, {F::DropCharges, 3}, {F::MoneyTens, 3}}, 1},
    {9, {{F::Car, 2}, {F::WeaponCharges, 1}, {F::MoneyTens, 4}}, 0},
    {10, {{F::Car, 3}, {F::WeaponCharges, 2}, {F::MoneyUnits, 1}}, 1},
    {11, {{F::Armor, 1}, {F::WeaponCharges, 3}, {F::MoneyUnits, 2}}, 1},
    {12, {{F::Armor, 2}, {F::MoneyUnits, 3}}, 0},
    {13, {{F::Shocks, 1}, {F::MoneyUnits, 4}}, 0},
    {14, {{F::Hero, 1}, {F::Shocks, 2}}, 0},
    {15, {{F::Hero, 2}, {F::Tires, 1}}, 0},
    {16, {{F::Difficulty, 1}}, 1},
    {17, {{F::Difficulty, 2}}, 1},
};

// Positions 18..59 copy these fields' pattern bits in storage order.
constexpr F CopyOrder[] = {F::MoneyHundreds, F::MoneyTens,   F::MoneyUnits,   F::Hero,
                           F::Division,      F::Planet,      F::Color,        F::Car,
                           F::Armor,         F::Shocks,      F::Tires,        F::Engine,
                           F::BoostCharges,  F::DropCharges, F::WeaponCharges};

std::vector<uint8_t> PlainXorVector(const TSettings &S) {
    TSettings Copy = S;
    std::vector<uint8_t> V(PasswordBitCount, 9);
    for (const TCheck &C : Checks) {
        int Bit = C.Constant;
        for (auto [Field, K] : C.Terms)
            Bit ^= ValueBit(Field, FieldOf(Copy, Field), K);
        V[C.Position] = uint8_t(Bit);
    }
    int Position = CheckPositionCount;
    for (F Field : CopyOrder)
        for (int K = 1; K <= FieldWidth(Field); ++K)
            V[Position++] = ValueBit(Field, FieldOf(Copy, Field), K);
    EXPECT_EQ(Position, PasswordBitCount);
    return V;
}

TEST(PasswordVector, EveryPositionEqualsItsPlainExclusiveOr) {
    std::mt19937 Rng(1);
    for (int Round = 0; Round < 5000; ++Round) {
        TSettings S = RandomSettings(Rng);
        ASSERT_EQ(Encode(S), PlainXorVector(S)) << "round " << Round;
    }
}

// The positions each field reaches, as the game's rules list them.
const std::pair<F, std::set<int>> FieldPositions[] = {
    {F::Difficulty, {0, 1, 16, 17}},
    {F::WeaponCharges, {9, 10, 11, 57, 58, 59}},
    {F::BoostCharges, {3, 4, 5, 51, 52, 53}},
    {F::DropCharges, {6, 7, 8, 54, 55, 56}},
    {F::Engine, {1, 2, 49, 50}},
    {F::Shocks, {13, 14, 45, 46}},
    {F::Armor, {11, 12, 43, 44}},
    {F::Tires, {0, 15, 47, 48}},
    {F::Hero, {0, 14, 15, 30, 31, 32}},
    {F::Planet, {2, 3, 4, 34, 35, 36}},
    {F::Division, {1, 33}},
    {F::Car, {8, 9, 10, 40, 41, 42}},
    {F::Color, {5, 6, 7, 37, 38, 39}},
    {F::MoneyHundreds, {2, 3, 4, 5, 18, 19, 20, 21}},
    {F::MoneyTens, {6, 7, 8, 9, 22, 23, 24, 25}},
    {F::MoneyUnits, {10, 11, 12, 13, 26, 27, 28, 29}},
};

std::set<int> Changed(const std::vector<uint8_t> &A, const std::vector<uint8_t> &B) {
    std::set<int> Out;
    for (int P = 0; P < PasswordBitCount; ++P)
        if (A[P] != B[P])
            Out.insert(P);
    return Out;
}

TEST(PasswordVector, AFieldReachesOnlyItsPositionsAndReachesThemAll) {
    std::mt19937 Rng(2);
    for (const auto &[Field, Positions] : FieldPositions) {
        SCOPED_TRACE(int(Field));
        std::set<int> Reached;
        for (int Round = 0; Round < 20; ++Round) {
            TSettings Base = RandomSettings(Rng);
            for (int From = 0; From < FieldValueCount(Field); ++From)
                for (int To = 0; To < FieldValueCount(Field); ++To) {
                    TSettings A = Base, B = Base;
                    FieldOf(A, Field) = From;
                    FieldOf(B, Field) = To;
                    for (int P : Changed(Encode(A), Encode(B))) {
                        EXPECT_TRUE(Positions.count(P)) << "position " << P;
                        Reached.insert(P);
                    }
                }
        }
        EXPECT_EQ(Reached, Positions);
    }
}

TEST(PasswordVector, SingleBitChangesFlipExactlyTwoPositions) {
    struct TCase {
        F Field;
        int From, To;
        std::set<int> Flipped;
    };
    const TCase Cases[] = {
        {F::MoneyUnits, 0, 1, {13, 29}}, {F::Division, 0, 1, {1, 33}},
        {F::Difficulty, 0, 1, {1, 17}},  {F::Hero, 0, 1, {0, 32}},
        {F::Engine, 0, 1, {2, 50}},
    };
    std::mt19937 Rng(3);
    for (const TCase &C : Cases)
        for (int Round = 0; Round < 50; ++Round) {
            TSettings A = RandomSettings(Rng), B = A;
            FieldOf(A, C.Field) = C.From;
            FieldOf(B, C.Field) = C.To;
            EXPECT_EQ(Changed(Encode(A), Encode(B)), C.Flipped) << int(C.Field);
        }
}

TEST(PasswordVector, DifficultyAloneSetsPositions16And17) {
    const int Expected[4][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}};
    std::mt19937 Rng(4);
    for (int D = 0; D < 4; ++D) {
        TSettings S = RandomSettings(Rng);
        S.Difficulty = D;
        std::vector<uint8_t> V = Encode(S);
        EXPECT_EQ(V[16], Expected[D][0]) << "difficulty " << D;
        EXPECT_EQ(V[17], Expected[D][1]) << "difficulty " << D;
    }
}

// The alphabet's bytes in Windows-1251, value 0 to 31.
const unsigned char AlphabetBytes[32] = {
    0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC8, 0xCB, 0xCC, 0xCD, 0xCF, 0xD0, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6,
    0xDC, 0xDB, 0xDD, 0xDE, 0xDF, '0',  '1',  '2',  '3',  '4',  '5',  '6',  '7',  '8',  '9',  '!',
};

TEST(PasswordText, AlphabetAsTheGameWritesIt) {
    EXPECT_EQ(std::string(PasswordAlphabet), To1251("БВГЕЖИЛМНПРТУФХЦЬЫЭЮЯ0123456789!"));
    for (int V = 0; V < 32; ++V)
        EXPECT_EQ((unsigned char)PasswordAlphabet[V], AlphabetBytes[V]) << "value " << V;
}

TEST(PasswordText, GroupsMapWithTheLowestPositionMostSignificant) {
    struct TCase {
        uint8_t Group[5];
        const char *Character;
    };
    const TCase Cases[] = {
        {{0, 0, 0, 0, 0}, "Б"}, {{1, 1, 1, 1, 1}, "!"}, {{1, 0, 0, 0, 0}, "Ь"},
        {{0, 0, 0, 0, 1}, "В"}, {{1, 0, 1, 0, 1}, "0"}, {{1, 1, 1, 1, 0}, "9"},
    };
    for (int Place = 0; Place < PasswordLength; ++Place)
        for (const TCase &C : Cases) {
            std::memset(PasswordBits.Bits, 0, sizeof PasswordBits.Bits);
            std::memcpy(PasswordBits.Bits + 5 * Place, C.Group, 5);
            ComposePasswordText();
            EXPECT_EQ(PasswordText[Place], To1251(C.Character)[0]) << "place " << Place;
            for (int Other = 0; Other < PasswordLength; ++Other)
                if (Other != Place) {
                    EXPECT_EQ(PasswordText[Other], To1251("Б")[0]);
                }
        }
}

TEST(PasswordText, OnlyAlphabetCharacters) {
    const std::string Alphabet(PasswordAlphabet, 32);
    std::mt19937 Rng(5);
    for (int Round = 0; Round < 2000; ++Round) {
        Encode(RandomSettings(Rng));
        for (char C : Text())
            ASSERT_NE(Alphabet.find(C), std::string::npos);
    }
}

TEST(WholePasswords, WorkedOutByHand) {
    // All fields 0. Patterns: Difficulty 10, items 000/100/100, Engine 01,
    // Shocks 01, Armor 01, Tires 11, Hero 101, Planet 110, Division 1,
    // Car 101, Color 010, money 0101 1010 1100.
    // Checks 0..17: 1 0 0 1 0 1 1 1 1 0 1 0 1 0 0 1 0 1; then the money bits
    // and the fields in copy order:
    //   10010 11110 10100 10101 01101 01100 10111 10010 10101 01110 11001 00000
    //   = 18 30 20 21 13 12 23 18 21 14 25 0
    TSettings Zero{};
    Encode(Zero);
    EXPECT_EQ(Text(), To1251("Э9Я0ФУ2Э0Х4Б"));

    // The window's starting values: Snake Sanders, Красный (2), Marauder (1),
    // Rookie, CHEM VI, B, money 999, items 7 7 7, Engine 3, Armor 0,
    // Shocks 3, Tires 3. Patterns: Difficulty 10, items 111/011/011,
    // Engine 10, Shocks 10, Armor 01, Tires 00, Hero 101, Planet 110,
    // Division 1, Car 100, Color 000, money 1100 0011 0101.
    // Checks 0..17: 0 1 0 0 1 1 0 0 0 0 0 1 1 0 1 0 0 1, giving
    //   01001 10000 01101 00111 00001 10101 10111 10000 10001 10001 00110 11111
    //   = 9 16 13 7 1 21 23 16 17 17 6 31
    TSettings Start{};
    Start.Color = 2;
    Start.Car = 1;
    Start.MoneyHundreds = Start.MoneyTens = Start.MoneyUnits = 9;
    Start.WeaponCharges = Start.BoostCharges = Start.DropCharges = 7;
    Start.Engine = 3;
    Start.Shocks = 3;
    Start.Tires = 3;
    Encode(Start);
    EXPECT_EQ(Text(), To1251("ПЬФМВ02ЬЫЫЛ!"));
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Display);
    EXPECT_EQ(std::string(Display), To1251("ПЬФМ В02Ь ЫЫЛ!"));
}

TEST(MoneyText, RightAlignedDigitsWithOthersAsZero) {
    struct TCase {
        const char *Text;
        int Hundreds, Tens, Units;
    };
    const TCase Cases[] = {
        {"", 0, 0, 0},    {"7", 0, 0, 7},   {"70", 0, 7, 0}, {"007", 0, 0, 7}, {"999", 9, 9, 9},
        {"123", 1, 2, 3}, {"1x3", 1, 0, 3}, {"x", 0, 0, 0},  {"9 ", 0, 9, 0},  {"-5", 0, 0, 5},
    };
    for (const TCase &C : Cases) {
        Settings.MoneyHundreds = Settings.MoneyTens = Settings.MoneyUnits = 4;
        ReadMoneyText(C.Text, int32_t(std::strlen(C.Text)), Settings);
        EXPECT_EQ(Settings.MoneyHundreds, C.Hundreds) << '"' << C.Text << '"';
        EXPECT_EQ(Settings.MoneyTens, C.Tens) << '"' << C.Text << '"';
        EXPECT_EQ(Settings.MoneyUnits, C.Units) << '"' << C.Text << '"';
    }
}

TEST(MoneyText, FourOrMoreCharactersKeepTheDigits) {
    for (int Length : {4, 5, 1000}) {
        Settings.MoneyHundreds = 1;
        Settings.MoneyTens = 2;
        Settings.MoneyUnits = 3;
        ReadMoneyText("987", Length, Settings); // only the first three characters are read
        EXPECT_EQ(Settings.MoneyHundreds, 1);
        EXPECT_EQ(Settings.MoneyTens, 2);
        EXPECT_EQ(Settings.MoneyUnits, 3);
    }
}

TEST(PasswordDisplay, ThreeGroupsOfFour) {
    std::mt19937 Rng(6);
    for (int Round = 0; Round < 100; ++Round) {
        Encode(RandomSettings(Rng));
        char Display[PasswordDisplaySize];
        std::memset(Display, 'x', sizeof Display);
        FormatPasswordDisplay(Display);
        ASSERT_EQ(std::strlen(Display), 14u);
        EXPECT_EQ(std::string(Display),
                  Text().substr(0, 4) + " " + Text().substr(4, 4) + " " + Text().substr(8, 4));
    }
}

} // namespace
