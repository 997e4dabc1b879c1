// The value tables: for every field, the bit pattern of each of its values,
// written in storage order (bit 1 first), one row per value, row index = value.
//
// Invariant (checked by the tests): in every table except Car and Color the
// pattern of value v, read with bit 1 as the most significant digit, is
// v xor a fixed mask; Car and Color are each a permutation of the eight 3-bit
// patterns.

#include "settings.h"

#include <cstddef>

TSettings Settings;

namespace {

constexpr uint8_t DifficultyBits[4][2] = {
    {1, 0}, // 0  "Rookie"
    {1, 1}, // 1  "Veteran"
    {0, 0}, // 2  "Warrior"
    {0, 1}, // 3  "(простая)", hidden value
};

constexpr uint8_t HeroBits[8][3] = {
    {1, 0, 1}, // 0  "Snake Sanders"
    {1, 0, 0}, // 1  "Cyberhawk"
    {1, 1, 1}, // 2  "Ivanzypher"
    {1, 1, 0}, // 3  "Katarina Lyons"
    {0, 0, 1}, // 4  "Jake Badlands"
    {0, 0, 0}, // 5  "Tarquinn"
    {0, 1, 1}, // 6  "Olaf"
    {0, 1, 0}, // 7  "(Неизвестный)", hidden value
};

constexpr uint8_t PlanetBits[8][3] = {
    {1, 1, 0}, // 0  "CHEM VI"
    {1, 1, 1}, // 1  "DRAKONIS"
    {1, 0, 0}, // 2  "BOGMIRE"
    {1, 0, 1}, // 3  "NEW MOJAVE"
    {0, 1, 0}, // 4  "NHO"
    {0, 1, 1}, // 5  "INFERNO"
    {0, 0, 0}, // 6  "<Rip>", hidden value
    {0, 0, 1}, // 7  "<Неизвестная>", hidden value
};

constexpr uint8_t DivisionBits[2][1] = {
    {1}, // 0  "B"
    {0}, // 1  "A"
};

constexpr uint8_t CarBits[8][3] = {
    {1, 0, 1}, // 0  "Dirt Devil"
    {1, 0, 0}, // 1  "Marauder"
    {0, 1, 1}, // 2  "Air Blade"
    {1, 1, 1}, // 3  "Battle Trak"
    {1, 1, 0}, // 4  "Havac"
    {0, 0, 0}, // 5  "<Тень>", hidden value
    {0, 1, 0}, // 6  "<Седьмая>", hidden value
    {0, 0, 1}, // 7  "<Восьмая>", hidden value
};

constexpr uint8_t ColorBits[8][3] = {
    {0, 1, 0}, // 0  65529 "Чёрный"
    {0, 1, 1}, // 1  65530 "Синий"
    {0, 0, 0}, // 2  65531 "Красный"
    {0, 0, 1}, // 3  65532 "Зелёный"
    {1, 1, 0}, // 4  65533 "Золотой"
    {1, 0, 1}, // 5  65534 "(Смешанный 1)", hidden value
    {1, 1, 1}, // 6  65535 "(Смешанный 2 -SNES)", hidden value
    {1, 0, 0}, // 7  65504 "(Смешанный 3 -SNES)", hidden value
};

constexpr uint8_t WeaponChargeBits[8][3] = {
    {0, 0, 0}, // 0
    {0, 0, 1}, // 1
    {0, 1, 0}, // 2
    {0, 1, 1}, // 3
    {1, 0, 0}, // 4
    {1, 0, 1}, // 5
    {1, 1, 0}, // 6
    {1, 1, 1}, // 7
};

// BoostCharges and DropCharges share this table.
constexpr uint8_t BoostDropChargeBits[8][3] = {
    {1, 0, 0}, // 0
    {1, 0, 1}, // 1
    {1, 1, 0}, // 2
    {1, 1, 1}, // 3
    {0, 0, 0}, // 4
    {0, 0, 1}, // 5
    {0, 1, 0}, // 6
    {0, 1, 1}, // 7
};

// Engine, Shocks and Armor share this table.
constexpr uint8_t UpgradeBits[4][2] = {
    {0, 1}, // 0
    {0, 0}, // 1
    {1, 1}, // 2
    {1, 0}, // 3
};

constexpr uint8_t TiresBits[4][2] = {
    {1, 1}, // 0
    {1, 0}, // 1
    {0, 1}, // 2
    {0, 0}, // 3
};

constexpr uint8_t MoneyHundredsBits[10][4] = {
    {0, 1, 0, 1}, // 0
    {0, 1, 0, 0}, // 1
    {0, 1, 1, 1}, // 2
    {0, 1, 1, 0}, // 3
    {0, 0, 0, 1}, // 4
    {0, 0, 0, 0}, // 5
    {0, 0, 1, 1}, // 6
    {0, 0, 1, 0}, // 7
    {1, 1, 0, 1}, // 8
    {1, 1, 0, 0}, // 9
};

constexpr uint8_t MoneyTensBits[10][4] = {
    {1, 0, 1, 0}, // 0
    {1, 0, 1, 1}, // 1
    {1, 0, 0, 0}, // 2
    {1, 0, 0, 1}, // 3
    {1, 1, 1, 0}, // 4
    {1, 1, 1, 1}, // 5
    {1, 1, 0, 0}, // 6
    {1, 1, 0, 1}, // 7
    {0, 0, 1, 0}, // 8
    {0, 0, 1, 1}, // 9
};

constexpr uint8_t MoneyUnitsBits[10][4] = {
    {1, 1, 0, 0}, // 0
    {1, 1, 0, 1}, // 1
    {1, 1, 1, 0}, // 2
    {1, 1, 1, 1}, // 3
    {1, 0, 0, 0}, // 4
    {1, 0, 0, 1}, // 5
    {1, 0, 1, 0}, // 6
    {1, 0, 1, 1}, // 7
    {0, 1, 0, 0}, // 8
    {0, 1, 0, 1}, // 9
};

// One field's table: Bits[value * Width + bit - 1].
struct TValueBitTable {
    int32_t ValueCount;
    int32_t Width;
    const uint8_t *Bits;
    int32_t TSettings::*Member;
};

template <std::size_t Values, std::size_t Width>
constexpr TValueBitTable Table(const uint8_t (&Rows)[Values][Width], int32_t TSettings::*Member) {
    return {int32_t(Values), int32_t(Width), &Rows[0][0], Member};
}

// Indexed by TField, in the declared order of TSettings.
constexpr TValueBitTable ValueBitTables[FieldCount] = {
    Table(DifficultyBits, &TSettings::Difficulty),
    Table(WeaponChargeBits, &TSettings::WeaponCharges),
    Table(BoostDropChargeBits, &TSettings::BoostCharges),
    Table(BoostDropChargeBits, &TSettings::DropCharges),
    Table(UpgradeBits, &TSettings::Engine),
    Table(UpgradeBits, &TSettings::Shocks),
    Table(UpgradeBits, &TSettings::Armor),
    Table(TiresBits, &TSettings::Tires),
    Table(HeroBits, &TSettings::Hero),
    Table(PlanetBits, &TSettings::Planet),
    Table(DivisionBits, &TSettings::Division),
    Table(CarBits, &TSettings::Car),
    Table(ColorBits, &TSettings::Color),
    Table(MoneyHundredsBits, &TSettings::MoneyHundreds),
    Table(MoneyTensBits, &TSettings::MoneyTens),
    Table(MoneyUnitsBits, &TSettings::MoneyUnits),
};

constexpr int32_t TotalWidth() {
    int32_t Sum = 0;
    for (const TValueBitTable &T : ValueBitTables)
        Sum += T.Width;
    return Sum;
}
static_assert(TotalWidth() == 44, "the sixteen patterns together are 44 bits wide");

const TValueBitTable &TableOf(TField Field) {
    return ValueBitTables[int32_t(Field)];
}

} // namespace

int32_t &FieldOf(TSettings &Record, TField Field) {
    return Record.*TableOf(Field).Member;
}

int32_t FieldValueCount(TField Field) {
    return TableOf(Field).ValueCount;
}

int32_t FieldWidth(TField Field) {
    return TableOf(Field).Width;
}

uint8_t ValueBit(TField Field, int32_t Value, int32_t BitNumber) {
    const TValueBitTable &T = TableOf(Field);
    return T.Bits[Value * T.Width + BitNumber - 1];
}

// Display names in Windows-1251; the comment gives each text as it reads.
const char *const HeroNames[8] = {
    "Snake Sanders",                                  // 0
    "Cyberhawk",                                      // 1
    "Ivanzypher",                                     // 2
    "Katarina Lyons",                                 // 3
    "Jake Badlands",                                  // 4
    "Tarquinn",                                       // 5
    "Olaf",                                           // 6
    "(\xCD\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xFB\xE9)", // 7  "(Неизвестный)"
};

const char *const CarNames[8] = {
    "Dirt Devil",                     // 0
    "Marauder",                       // 1
    "Air Blade",                      // 2
    "Battle Trak",                    // 3
    "Havac",                          // 4
    "<\xD2\xE5\xED\xFC>",             // 5  "<Тень>"
    "<\xD1\xE5\xE4\xFC\xEC\xE0\xFF>", // 6  "<Седьмая>"
    "<\xC2\xEE\xF1\xFC\xEC\xE0\xFF>", // 7  "<Восьмая>"
};

const char *const PlanetNames[8] = {
    "CHEM VI",                                        // 0
    "DRAKONIS",                                       // 1
    "BOGMIRE",                                        // 2
    "NEW MOJAVE",                                     // 3
    "NHO",                                            // 4
    "INFERNO",                                        // 5
    "<Rip>",                                          // 6
    "<\xCD\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xE0\xFF>", // 7  "<Неизвестная>"
};

const char *const DifficultyNames[4] = {
    "Rookie",                         // 0
    "Veteran",                        // 1
    "Warrior",                        // 2
    "(\xEF\xF0\xEE\xF1\xF2\xE0\xFF)", // 3  "(простая)"
};

// The list shows B before A.
const char *const DivisionNames[2] = {
    "B", // 0
    "A", // 1
};

const uint16_t ColorNameIds[8] = {
    65529, // 0  "Чёрный"
    65530, // 1  "Синий"
    65531, // 2  "Красный"
    65532, // 3  "Зелёный"
    65533, // 4  "Золотой"
    65534, // 5  "(Смешанный 1)"
    65535, // 6  "(Смешанный 2 -SNES)"
    65504, // 7  "(Смешанный 3 -SNES)"
};
