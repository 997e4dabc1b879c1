// Random states of the window's controls and what the window model reads
// from them, for the window, the tool and the page's module to be held
// against:
//   model-states SEED COUNT
// One line per state, read one after the other from the window's starting
// state (a money text of four or more units keeps the money read before):
//   S V0 .. V14 MONEY THOUSANDS PASSWORD
// V0..V14 by control (the two boxes' entries 0), MONEY the money box's text
// as UTF-16 units of four hex digits each ("-" when empty), THOUSANDS the
// money the model read, PASSWORD the grouped password as hex Windows-1251.
#include "decode.h"
#include "reading.h"
#include "window_model.h"

#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: model-states SEED COUNT\n");
        return 2;
    }
    std::mt19937 Rng(unsigned(std::atoi(argv[1])));
    const int32_t Count = std::atoi(argv[2]);
    // Typed digits mostly; pasted blanks, letters, a Cyrillic letter and an
    // Arabic-Indic digit, which the window counts 0.
    const char16_t Units[] = u"0123456789012345678901234567890123456789x -\u0416\u0663";
    const int32_t Lengths[] = {0, 1, 2, 3, 3, 3, 4, 5};

    TControlState State;
    StartControlState(State);
    TSettings Record = {};
    ReadControls(State, Record);
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
        ReadControls(State, Record);
        std::printf(" %d ", MoneyThousands(Record));
        TPasswordBits Bits;
        char Text[PasswordLength];
        EncodeRecord(Record, Bits, Text);
        char Display[PasswordDisplaySize];
        FormatPasswordDisplay(Text, Display);
        for (const char *P = Display; *P != '\0'; ++P)
            std::printf("%02x", unsigned(static_cast<unsigned char>(*P)));
        std::printf("\n");
    }
    return 0;
}
