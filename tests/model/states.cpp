// The cases that the window, the tool and the page are held against, with
// what the window model and its view say of each:
//   model-states SEED COUNT     random control states
//   model-states typed SEED     typed passwords of every kind, and the
//                               model's reading of each
// States: one line per state, read one after the other from the window's
// starting state (a money text of four or more units keeps the money read
// before):
//   S V0 .. V14 MONEY THOUSANDS PASSWORD
// V0..V14 by control (the two boxes' entries 0), MONEY the money box's text
// as UTF-16 units of four hex digits each ("-" when empty), THOUSANDS the
// money the model read, PASSWORD the grouped password as hex Windows-1251.
// Typed: one line per text a player types, each length 0..30, look-alikes,
// blanks, hyphens and marks, a character never in a password at each place,
// failing checks with and without repairs, money places without a digit, and
// valid passwords for every car and every pair of shocks and tires levels,
// zero and not:
//   T TYPED READING
// TYPED as UTF-16 units of four hex digits each ("-" when empty), READING
// the model's reading as JSON, its texts hex Windows-1251.
#include "decode.h"
#include "normalise.h"
#include "password_reading.h"
#include "reading.h"
#include "window_model.h"
#include "window_view.h"
#include "../unit/random_settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

void PrintHex(const char *Text) {
    for (const char *P = Text; *P != '\0'; ++P)
        std::printf("%02x", unsigned(static_cast<unsigned char>(*P)));
}

void PrintStates(std::mt19937 &Rng, int32_t Count) {
    // Typed digits mostly; pasted blanks, letters, a Cyrillic letter and an
    // Arabic-Indic digit, which the window counts 0.
    const char16_t Units[] = u"0123456789012345678901234567890123456789x -\u0416\u0663";
    const int32_t Lengths[] = {0, 1, 2, 3, 3, 3, 4, 5};

    TControlState State;
    StartControlState(State);
    TWindowView View;
    ViewOf(State, TSettings{}, View);
    for (int32_t Round = 0; Round < Count; ++Round) {
        std::printf("S");
        for (int32_t C = 0; C < ControlCount; ++C) {
            const TControlKind Kind = ControlRules[C].Kind;
            const bool Valued = Kind == TControlKind::List || Kind == TControlKind::Bar;
            State.Values[C] = Valued ? int32_t(Rng() % (ControlMaximum(TControl(C)) + 1)) : 0;
            std::printf(" %d", State.Values[C]);
        }
        State.Money.Length = Lengths[Rng() % (sizeof Lengths / sizeof Lengths[0])];
        std::printf(" %s", State.Money.Length == 0 ? "-" : "");
        for (int32_t I = 0; I < State.Money.Length; ++I) {
            const char16_t Unit = Units[Rng() % (sizeof Units / sizeof Units[0] - 1)];
            if (I < MoneyTextLimit)
                State.Money.Characters[I] = Unit;
            std::printf("%04x", unsigned(Unit));
        }
        ViewOf(State, View.Record, View);
        std::printf(" %d ", MoneyThousands(View.Record));
        PrintHex(View.Password);
        std::printf("\n");
    }
}

// A record of car Car, its shocks level non-zero when Levels has bit 0, its
// tires level when it has bit 1, the rest at random.
TSettings WithLevels(std::mt19937 &Rng, int32_t Car, int32_t Levels) {
    TSettings Record = RandomSettings(Rng);
    Record.Car = Car;
    Record.Shocks = Levels & 1 ? 1 + int32_t(Rng() % 3) : 0;
    Record.Tires = Levels & 2 ? 1 + int32_t(Rng() % 3) : 0;
    return Record;
}

// The twelve characters of Record's password.
std::string PasswordOf(const TSettings &Record) {
    TPasswordBits Bits;
    char Text[PasswordLength];
    EncodeRecord(Record, Bits, Text);
    return std::string(Text, PasswordLength);
}

std::u16string Utf16Of1251(const std::string &Text) {
    std::u16string Out;
    for (char C : Text) {
        const unsigned char B = static_cast<unsigned char>(C);
        Out += char16_t(B >= 0xC0 ? 0x0410 + (B - 0xC0) : B); // А..Я, or ASCII
    }
    return Out;
}

void PrintJsonHex(const char *Name, const char *Text, int32_t Length = -1) {
    std::printf("\"%s\": \"", Name);
    for (int32_t I = 0; Length < 0 ? Text[I] != '\0' : I < Length; ++I)
        std::printf("%02x", unsigned(static_cast<unsigned char>(Text[I])));
    std::printf("\"");
}

void PrintJsonNumbers(const char *Name, const int32_t *Numbers, int32_t Count) {
    std::printf("\"%s\": [", Name);
    for (int32_t I = 0; I < Count; ++I)
        std::printf("%s%d", I > 0 ? ", " : "", Numbers[I]);
    std::printf("]");
}

TPasswordReading Reading;

// "T TYPED READING" for Typed.
void PrintTyped(const std::u16string &Typed) {
    std::printf("T %s", Typed.empty() ? "-" : "");
    for (char16_t Unit : Typed)
        std::printf("%04x", unsigned(Unit));
    char32_t Points[TypedTextLimit];
    ReadTypedPassword(Points, CodePointsOfUtf16(Typed.data(), int32_t(Typed.size()), Points),
                      Reading);
    const TPasswordReading &R = Reading;
    std::printf(" {\"status\": \"%s\", \"count\": %d, \"place\": %d, \"character\": %u, "
                "\"shown\": %s, \"code\": \"%s\", ",
                ReadingStatusNames[int32_t(R.Status)], R.Count, R.Foreign.Place,
                unsigned(R.Foreign.Character), R.Foreign.Shown ? "true" : "false", R.Foreign.Code);
    PrintJsonHex("password", R.Password);
    std::printf(", ");
    TSettings Record = R.Record;
    int32_t Values[FieldCount];
    for (int32_t F = 0; F < FieldCount; ++F)
        Values[F] = FieldOf(Record, TField(F));
    PrintJsonNumbers("record", Values, FieldCount);
    std::printf(", ");
    PrintJsonNumbers("failed", R.FailedChecks, R.FailedCount);
    std::printf(", ");
    PrintJsonNumbers("moneyPlaces", R.MoneyPlaces, R.MoneyPlaceCount);
    std::printf(", \"repairs\": [");
    for (int32_t I = 0; I < R.RepairCount; ++I) {
        const TReadingRepair &Repair = R.Repairs[I];
        std::printf("%s{\"place\": %d, ", I > 0 ? ", " : "", Repair.Place);
        PrintJsonHex("replaced", &Repair.Replaced, 1);
        std::printf(", ");
        PrintJsonHex("character", &Repair.Replacement, 1);
        std::printf(", ");
        PrintJsonHex("password", Repair.Password);
        std::printf(", \"changes\": [");
        for (int32_t C = 0; C < Repair.ChangeCount; ++C) {
            const TValueChange &Change = Repair.Changes[C];
            std::printf("%s{\"option\": %d, \"before\": %d, \"after\": %d, ", C > 0 ? ", " : "",
                        Change.Option, Change.Before, Change.After);
            PrintJsonHex("beforeMoney", Change.BeforeMoney);
            std::printf(", ");
            PrintJsonHex("afterMoney", Change.AfterMoney);
            std::printf("}");
        }
        std::printf("]}");
    }
    std::printf("], \"hidden\": [");
    if (R.Status == TReadingStatus::Valid)
        for (int32_t I = 0; I < R.View.HiddenLevelCount; ++I)
            std::printf("%s[\"%s\", %d]", I > 0 ? ", " : "",
                        FieldNames[int32_t(RuleOf(R.View.HiddenLevels[I].Bar).Field)],
                        R.View.HiddenLevels[I].Level);
    std::printf("], ");
    PrintJsonHex("window", R.Status == TReadingStatus::Valid ? R.View.Password : "");
    std::printf("}\n");
}

// Record's password with the money places in Places (0 hundreds, 1 tens, 2
// units) at a pattern that is no digit.
std::string WithoutDigits(const TSettings &Record, std::initializer_list<int32_t> Places) {
    TPasswordBits Bits;
    char Text[PasswordLength];
    EncodeRecord(Record, Bits, Text);
    for (int32_t Place : Places) {
        const TField Field = TField(int32_t(TField::MoneyHundreds) + Place);
        int32_t Position = CheckPositionCount;
        for (int32_t I = 0; CopiedFieldOrder[I] != Field; ++I)
            Position += FieldWidth(CopiedFieldOrder[I]);
        // The first pattern that the reading back finds no digit in.
        TDecodeResult Result;
        for (int32_t Pattern = 0; Pattern < 16; ++Pattern) {
            for (int32_t K = 1; K <= FieldWidth(Field); ++K)
                Bits.Bits[Position + K - 1] = uint8_t((Pattern >> (K - 1)) & 1);
            DecodePasswordBits(Bits, Result);
            if (FieldOf(Result.Record, Field) < 0)
                break;
        }
    }
    PasswordBitsToText(Bits, Text);
    return std::string(Text, PasswordLength);
}

void PrintTypedCases(std::mt19937 &Rng) {
    TControlState State;
    StartControlState(State);
    TSettings Start = {};
    ReadControls(State, Start);
    const std::string Starting = PasswordOf(Start);
    // Each length 0..30: the start of the starting password, over and over.
    for (size_t Length = 0; Length <= 30; ++Length) {
        std::string Text;
        while (Text.size() < Length)
            Text += Starting[Text.size() % PasswordLength];
        PrintTyped(Utf16Of1251(Text));
    }
    // As people type and paste them: lower case, the Latin look-alike of
    // every character that has one, hyphens, blanks, marks that show nothing.
    const char16_t *const Between[] = {u" ", u"\u00a0", u"\u200b", u"\u2013", u"\u2060"};
    for (int32_t Round = 0; Round < 3; ++Round) {
        const std::u16string Password = Utf16Of1251(PasswordOf(RandomSettings(Rng)));
        std::u16string Lower, Latin, Spaced;
        for (size_t I = 0; I < Password.size(); ++I) {
            char16_t Alike = 0;
            for (const TLookAlike &Row : LookAlikes)
                if (Row.From < 0x80 && Row.To == char(PasswordCharacterOf(Password[I])) && !Alike)
                    Alike = char16_t(Row.From);
            const char16_t Small =
                Password[I] >= 0x0410 ? char16_t(Password[I] + 0x20) : Password[I];
            Lower += std::u16string(I % 4 == 0 && I > 0 ? u"-" : u"") + Small;
            Latin += Alike ? Alike : Password[I];
            Spaced += std::u16string(I > 0 ? Between[I % 5] : u"") + Password[I];
        }
        for (const std::u16string &Typed : {Lower, Latin, u" " + Spaced + u"\ufeff"})
            PrintTyped(Typed);
    }
    PrintTyped(u"");
    PrintTyped(u" - \u00ad ");
    // A character never in a password at each place: shown, not shown, or
    // beyond the first plane.
    const std::u16string Grouped =
        Utf16Of1251(Starting.substr(0, 4) + " " + Starting.substr(4, 4) + " " + Starting.substr(8));
    const std::u16string Foreign[] = {u"Q", u"\u041a", u"\u200f", u"\U0001F600", u"\u0308"};
    for (size_t Place = 0; Place <= Grouped.size(); ++Place)
        PrintTyped(Grouped.substr(0, Place) + Foreign[Place % 5] + Grouped.substr(Place));
    // One character changed at random, mostly with repairs; and one beyond
    // repair, three checks off that no character reaches.
    for (int32_t Round = 0; Round < 8; ++Round) {
        std::string Text = PasswordOf(RandomSettings(Rng));
        const int32_t Place = int32_t(Rng() % PasswordLength);
        Text[Place] = PasswordAlphabet[(AlphabetValue(Text[Place]) + 1 + Rng() % 31) % 32];
        PrintTyped(Utf16Of1251(Text));
    }
    std::string Beyond = Starting;
    Beyond[0] = '4', Beyond[1] = '\xC1', Beyond[2] = '8'; // "4Б8", positions 0, 5 and 10
    PrintTyped(Utf16Of1251(Beyond));
    // Money places without a digit: one, two and three of them, beside zeros too.
    TSettings Zeros = RandomSettings(Rng);
    Zeros.MoneyTens = Zeros.MoneyUnits = 0;
    PrintTyped(Utf16Of1251(WithoutDigits(Zeros, {0})));
    PrintTyped(Utf16Of1251(WithoutDigits(RandomSettings(Rng), {1})));
    PrintTyped(Utf16Of1251(WithoutDigits(RandomSettings(Rng), {2, 0})));
    PrintTyped(Utf16Of1251(WithoutDigits(RandomSettings(Rng), {0, 1, 2})));
    // Valid, for every car and every pair of shocks and tires levels.
    for (int32_t Car = 0; Car <= ControlMaximum(TControl::CarList); ++Car)
        for (int32_t Levels = 0; Levels < 4; ++Levels)
            PrintTyped(Utf16Of1251(PasswordOf(WithLevels(Rng, Car, Levels))));
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::strcmp(argv[1], "typed") == 0) {
        std::mt19937 Rng(unsigned(std::atoi(argv[2])));
        PrintTypedCases(Rng);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: model-states SEED COUNT | model-states typed SEED\n");
        return 2;
    }
    std::mt19937 Rng(unsigned(std::atoi(argv[1])));
    PrintStates(Rng, std::atoi(argv[2]));
    return 0;
}
