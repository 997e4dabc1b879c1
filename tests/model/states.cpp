// The cases that the window, the tool and the page are held against, with
// what the window model and its view say of each:
//   model-states SEED COUNT     random control states
//   model-states passwords SEED passwords for every car and every pair of
//                               shocks and tires levels, zero and not
// States: one line per state, read one after the other from the window's
// starting state (a money text of four or more units keeps the money read
// before):
//   S V0 .. V14 MONEY THOUSANDS PASSWORD
// V0..V14 by control (the two boxes' entries 0), MONEY the money box's text
// as UTF-16 units of four hex digits each ("-" when empty), THOUSANDS the
// money the model read, PASSWORD the grouped password as hex Windows-1251.
// Passwords: one line per password that a player types, the rest of its
// record at random:
//   H PASSWORD WINDOW_PASSWORD HIDDEN
// PASSWORD the password's own, WINDOW_PASSWORD the one the window shows once
// it has taken it (both grouped, hex Windows-1251), HIDDEN the levels it
// holds for bars its car hides, FIELD=LEVEL joined by commas ("-" for none).
#include "decode.h"
#include "reading.h"
#include "window_model.h"
#include "window_view.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

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

void PrintPasswords(std::mt19937 &Rng) {
    for (int32_t Car = 0; Car <= ControlMaximum(TControl::CarList); ++Car)
        for (int32_t Levels = 0; Levels < 4; ++Levels) {
            TSettings Record;
            for (int32_t F = 0; F < FieldCount; ++F)
                FieldOf(Record, TField(F)) = int32_t(Rng() % FieldValueCount(TField(F)));
            Record.Car = Car;
            Record.Shocks = Levels & 1 ? 1 + int32_t(Rng() % 3) : 0;
            Record.Tires = Levels & 2 ? 1 + int32_t(Rng() % 3) : 0;
            TPasswordBits Bits;
            char Text[PasswordLength];
            EncodeRecord(Record, Bits, Text);
            char Own[PasswordDisplaySize];
            FormatPasswordDisplay(Text, Own);
            TWindowView View;
            ViewOfRecord(Record, View);
            std::printf("H ");
            PrintHex(Own);
            std::printf(" ");
            PrintHex(View.Password);
            std::printf(" ");
            for (int32_t I = 0; I < View.HiddenLevelCount; ++I)
                std::printf("%s%s=%d", I > 0 ? "," : "",
                            FieldNames[int32_t(RuleOf(View.HiddenLevels[I].Bar).Field)],
                            View.HiddenLevels[I].Level);
            std::printf("%s\n", View.HiddenLevelCount == 0 ? "-" : "");
        }
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && std::strcmp(argv[1], "passwords") == 0) {
        std::mt19937 Rng(unsigned(std::atoi(argv[2])));
        PrintPasswords(Rng);
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: model-states SEED COUNT | model-states passwords SEED\n");
        return 2;
    }
    std::mt19937 Rng(unsigned(std::atoi(argv[1])));
    PrintStates(Rng, std::atoi(argv[2]));
    return 0;
}
