#include "password.h"

#include "settings.h"

TPasswordBits PasswordBits;
char PasswordText[PasswordLength];

// Value -> character, Windows-1251. The soft sign (16) comes before Ы (17),
// against the order of the code page; the digit 0 is value 21.
const char PasswordAlphabet[33] = {
    '\xC1', // 0   Б
    '\xC2', // 1   В
    '\xC3', // 2   Г
    '\xC5', // 3   Е
    '\xC6', // 4   Ж
    '\xC8', // 5   И
    '\xCB', // 6   Л
    '\xCC', // 7   М
    '\xCD', // 8   Н
    '\xCF', // 9   П
    '\xD0', // 10  Р
    '\xD2', // 11  Т
    '\xD3', // 12  У
    '\xD4', // 13  Ф
    '\xD5', // 14  Х
    '\xD6', // 15  Ц
    '\xDC', // 16  Ь
    '\xDB', // 17  Ы
    '\xDD', // 18  Э
    '\xDE', // 19  Ю
    '\xDF', // 20  Я
    '0',    // 21
    '1',    // 22
    '2',    // 23
    '3',    // 24
    '4',    // 25
    '5',    // 26
    '6',    // 27
    '7',    // 28
    '8',    // 29
    '9',    // 30
    '!',    // 31
    '\0',
};

const TField CopiedFieldOrder[CopiedFieldCount] = {
    TField::MoneyHundreds, // 18..21
    TField::MoneyTens,     // 22..25
    TField::MoneyUnits,    // 26..29
    TField::Hero,          // 30..32
    TField::Division,      // 33
    TField::Planet,        // 34..36
    TField::Color,         // 37..39
    TField::Car,           // 40..42
    TField::Armor,         // 43..44
    TField::Shocks,        // 45..46
    TField::Tires,         // 47..48
    TField::Engine,        // 49..50
    TField::BoostCharges,  // 51..53
    TField::DropCharges,   // 54..56
    TField::WeaponCharges, // 57..59
};

uint8_t InvertBit(uint8_t V) {
    return V == 1 ? 0 : 1;
}

uint8_t MixBits(uint8_t X, uint8_t Y, uint8_t Z) {
    return uint8_t(X ^ InvertBit(Y) ^ InvertBit(Z));
}

namespace {

// Bit K (1..width) of the current value's pattern of Field.
uint8_t Bit(TField Field, int32_t K) {
    return ValueBit(Field, FieldOf(Settings, Field), K);
}

uint8_t &P(int32_t Position) {
    return PasswordBits.Bits[Position];
}

// Writes each pattern bit of the copied fields in turn from position 18 on.
void CopyFields() {
    int32_t Position = CheckPositionCount;
    for (TField Field : CopiedFieldOrder)
        for (int32_t K = 1; K <= FieldWidth(Field); ++K)
            P(Position++) = Bit(Field, K);
}

} // namespace

void EncodePassword() {
    using F = TField;
    P(0) = MixBits(Bit(F::Hero, 3), Bit(F::Difficulty, 1), Bit(F::Tires, 2));
    P(1) = MixBits(Bit(F::Difficulty, 2), Bit(F::Division, 1), InvertBit(Bit(F::Engine, 1)));

    // The copied positions 18..59 first: checks 2..13 mix in the money's.
    CopyFields();

    P(2) = MixBits(Bit(F::Planet, 1), Bit(F::Engine, 2), P(18));
    P(3) = MixBits(Bit(F::Planet, 2), Bit(F::BoostCharges, 1), P(19));
    P(4) = MixBits(Bit(F::Planet, 3), Bit(F::BoostCharges, 2), P(20));
    P(5) = MixBits(Bit(F::BoostCharges, 3), Bit(F::Color, 1), P(21));
    P(6) = MixBits(Bit(F::DropCharges, 1), Bit(F::Color, 2), P(22));
    P(7) = MixBits(Bit(F::DropCharges, 2), Bit(F::Color, 3), InvertBit(P(23)));
    P(8) = MixBits(Bit(F::Car, 1), Bit(F::DropCharges, 3), InvertBit(P(24)));
    P(9) = MixBits(Bit(F::Car, 2), Bit(F::WeaponCharges, 1), P(25));
    P(10) = MixBits(Bit(F::Car, 3), Bit(F::WeaponCharges, 2), InvertBit(P(26)));
    P(11) = MixBits(Bit(F::Armor, 1), Bit(F::WeaponCharges, 3), InvertBit(P(27)));
    P(12) = MixBits(Bit(F::Armor, 2), 0, P(28));
    P(13) = MixBits(Bit(F::Shocks, 1), 0, P(29));
    P(14) = MixBits(Bit(F::Hero, 1), Bit(F::Shocks, 2), 0);
    P(15) = MixBits(Bit(F::Hero, 2), Bit(F::Tires, 1), 0);
    P(16) = MixBits(Bit(F::Difficulty, 1), 1, 0);
    P(17) = MixBits(Bit(F::Difficulty, 2), 0, 1);

    ComposePasswordText();
}

void PasswordBitsToText(const TPasswordBits &Bits, char (&Text)[PasswordLength]) {
    for (int32_t I = 0; I < PasswordLength; ++I) {
        int32_t Value = 0;
        for (int32_t J = 0; J < GroupWidth; ++J)
            Value = Value * 2 + (Bits.Bits[I * GroupWidth + J] & 1);
        Text[I] = PasswordAlphabet[Value];
    }
}

void ComposePasswordText() {
    PasswordBitsToText(PasswordBits, PasswordText);
}
