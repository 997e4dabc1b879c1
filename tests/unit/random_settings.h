// Test helper: every field in declared order, and settings records drawn at
// random within each field's range.
#pragma once

#include "settings.h"

#include <random>

constexpr TField AllFields[FieldCount] = {
    TField::Difficulty, TField::WeaponCharges, TField::BoostCharges, TField::DropCharges,
    TField::Engine,     TField::Shocks,        TField::Armor,        TField::Tires,
    TField::Hero,       TField::Planet,        TField::Division,     TField::Car,
    TField::Color,      TField::MoneyHundreds, TField::MoneyTens,    TField::MoneyUnits,
};

inline TSettings RandomSettings(std::mt19937 &Rng) {
    TSettings S{};
    for (TField Field : AllFields)
        FieldOf(S, Field) = int32_t(Rng() % unsigned(FieldValueCount(Field)));
    return S;
}
