// The sixteen choices that a game password stands for, the names the window
// shows for them and the bit pattern each value contributes to the password.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// All texts are single-byte Windows-1251, each terminated by a zero byte.
#pragma once

#include <cstdint>

// One value per field, each counted from 0 and within the range of its field.
struct TSettings {
    int32_t Difficulty;    // 0..3
    int32_t WeaponCharges; // 0..7, forward weapon (first item row)
    int32_t BoostCharges;  // 0..7, boost (second item row)
    int32_t DropCharges;   // 0..7, dropped item (third item row)
    int32_t Engine;        // 0..3
    int32_t Shocks;        // 0..3
    int32_t Armor;         // 0..3
    int32_t Tires;         // 0..3
    int32_t Hero;          // 0..7
    int32_t Planet;        // 0..7
    int32_t Division;      // 0..1, 0 is "B"
    int32_t Car;           // 0..7
    int32_t Color;         // 0..7
    int32_t MoneyHundreds; // 0..9, money in thousands of dollars, hundreds digit
    int32_t MoneyTens;     // 0..9
    int32_t MoneyUnits;    // 0..9
};

// The one settings record of the program: written by the reading of the
// window's controls, read by the encoder and the pictures.
extern TSettings Settings;

// The fields in the declared order of TSettings.
enum class TField : int32_t {
    Difficulty,
    WeaponCharges,
    BoostCharges,
    DropCharges,
    Engine,
    Shocks,
    Armor,
    Tires,
    Hero,
    Planet,
    Division,
    Car,
    Color,
    MoneyHundreds,
    MoneyTens,
    MoneyUnits,
};
constexpr int32_t FieldCount = 16;

// The field of a record, by its TField.
int32_t &FieldOf(TSettings &Record, TField Field);

// Number of values of a field (its range is 0..count-1).
int32_t FieldValueCount(TField Field);

// Width of the field's pattern in bits: 1..4.
int32_t FieldWidth(TField Field);

// Bit BitNumber (1..FieldWidth, in storage order) of the pattern that
// ValueBitTables holds for Value (0..FieldValueCount-1) of Field: 0 or 1.
uint8_t ValueBit(TField Field, int32_t Value, int32_t BitNumber);

// Display names; a list's index is the field's value.
extern const char *const HeroNames[8];
extern const char *const CarNames[8];
extern const char *const PlanetNames[8];
extern const char *const DifficultyNames[4];
extern const char *const DivisionNames[2];
// The colour names are interface texts: string identifiers in list order.
extern const uint16_t ColorNameIds[8];
