#include "window_model.h"

#include "reading.h"
#include "resource_ids.h"
#include "string_table.h"

namespace {

using K = TControlKind;
using F = TField;

// The window shows the shocks bar only for the cars below the first, the
// tires bar only for those below the second.
constexpr int32_t FirstCarWithoutShocks = 4;
constexpr int32_t FirstCarWithoutTires = 3;

// Sheet geometry: four rows of upgrade pictures, one level per column, then
// the row of item icons.
constexpr int32_t UpgradeWidth = 40, UpgradeHeight = 32;
constexpr int32_t IconWidth = 23, IconHeight = 19;
constexpr int32_t IconRowTop = 4 * UpgradeHeight;

// The three item icons of each car.
using I = TItemIcon;
struct TCarIcons {
    TItemIcon Weapon, Boost, Drop;
};
constexpr TCarIcons CarIcons[8] = {
    // weapon, boost, drop
    {I::Posts, I::Drum, I::Pail},             // 0  "Dirt Devil"
    {I::Posts, I::Drum, I::Pail},             // 1  "Marauder"
    {I::Rocket, I::GasBottles, I::ExtraDrop}, // 2  "Air Blade"
    {I::Rocket, I::GasBottles, I::Mine},      // 3  "Battle Trak"
    {I::Turret, I::GasBottles, I::Mine},      // 4  "Havac"
    {I::Turret, I::GasBottles, I::Mine},      // 5  "<Тень>"
    {I::Turret, I::GasBottles, I::Mine},      // 6  "<Седьмая>"
    {I::Turret, I::GasBottles, I::Mine},      // 7  "<Восьмая>"
};

// Whether a control's entry in TControlState holds a value.
bool HoldsValue(TControl Control) {
    const TControlKind Kind = RuleOf(Control).Kind;
    return Kind == K::List || Kind == K::Bar;
}

} // namespace

const TControlRule ControlRules[ControlCount] = {
    // kind, field, start
    {K::PasswordBox, F::Hero, 0},         // PasswordBox (sets nothing)
    {K::List, F::Hero, 0},                // HeroList       "Snake Sanders"
    {K::List, F::Color, 2},               // ColorList      "Красный"
    {K::List, F::Car, 1},                 // CarList        "Marauder"
    {K::MoneyBox, F::MoneyHundreds, 999}, // MoneyBox      999 thousand dollars
    {K::List, F::Difficulty, 0},          // DifficultyList "Rookie"
    {K::List, F::Planet, 0},              // PlanetList     "CHEM VI"
    {K::List, F::Division, 0},            // DivisionList   "B"
    {K::Bar, F::WeaponCharges, 7},        // WeaponBar
    {K::Bar, F::BoostCharges, 7},         // BoostBar
    {K::Bar, F::DropCharges, 7},          // DropBar
    {K::Bar, F::Engine, 3},               // EngineBar
    {K::Bar, F::Armor, 0},                // ArmorBar
    {K::Bar, F::Shocks, 3},               // ShocksBar
    {K::Bar, F::Tires, 3},                // TiresBar
};

int32_t ControlMaximum(TControl Control) {
    switch (RuleOf(Control).Kind) {
    case K::List:
    case K::Bar:
        return FieldValueCount(RuleOf(Control).Field) - 1;
    case K::MoneyBox:
        return 999;
    case K::PasswordBox:
        break;
    }
    return 0;
}

bool ControlShown(TControl Control, int32_t Car) {
    if (Control == TControl::ShocksBar)
        return Car < FirstCarWithoutShocks;
    if (Control == TControl::TiresBar)
        return Car < FirstCarWithoutTires;
    return true;
}

const char *const *ListNames(TControl List) {
    switch (List) {
    case TControl::HeroList:
        return HeroNames;
    case TControl::CarList:
        return CarNames;
    case TControl::DifficultyList:
        return DifficultyNames;
    case TControl::PlanetList:
        return PlanetNames;
    case TControl::DivisionList:
        return DivisionNames;
    default:
        return nullptr;
    }
}

void StartControlState(TControlState &State) {
    for (int32_t C = 0; C < ControlCount; ++C)
        State.Values[C] = HoldsValue(TControl(C)) ? ControlRules[C].Start : 0;
    MoneyTextOf(RuleOf(TControl::MoneyBox).Start, State.Money);
}

int32_t MoneyThousands(const TSettings &Record) {
    return Record.MoneyHundreds * 100 + Record.MoneyTens * 10 + Record.MoneyUnits;
}

void MoneyTextOf(int32_t Thousands, TMoneyText &Text) {
    Text.Characters[0] = uint16_t('0' + Thousands / 100);
    Text.Characters[1] = uint16_t('0' + Thousands / 10 % 10);
    Text.Characters[2] = uint16_t('0' + Thousands % 10);
    Text.Length = MoneyTextLimit;
}

void ReadControls(const TControlState &State, TSettings &Record) {
    const int32_t Car = State.Values[int32_t(TControl::CarList)];
    for (int32_t C = 0; C < ControlCount; ++C)
        if (HoldsValue(TControl(C)))
            FieldOf(Record, ControlRules[C].Field) =
                ControlShown(TControl(C), Car) ? State.Values[C] : 0;

    // The units as the single bytes that ReadMoneyText takes: a digit as it
    // is, any other unit as a byte that counts 0.
    char Money[MoneyBufferSize] = {};
    for (int32_t I = 0; I < MoneyTextLimit && I < State.Money.Length; ++I) {
        const uint16_t Unit = State.Money.Characters[I];
        Money[I] = Unit >= '0' && Unit <= '9' ? char(Unit) : '?';
    }
    ReadMoneyText(Money, State.Money.Length, Record);
}

void ControlStateOf(const TSettings &Record, TControlState &State) {
    TSettings Copy = Record;
    for (int32_t C = 0; C < ControlCount; ++C)
        State.Values[C] = HoldsValue(TControl(C)) ? FieldOf(Copy, ControlRules[C].Field) : 0;
    MoneyTextOf(MoneyThousands(Record), State.Money);
}

TCell UpgradePictureCell(TControl Bar, int32_t Level) {
    // The sheet's rows follow the upgrade bars' order: engine, armor, shocks,
    // tires.
    const int32_t Row = int32_t(Bar) - int32_t(TControl::EngineBar);
    return {TCellSource::Sheet, UpgradeWidth * Level, UpgradeHeight * Row, UpgradeWidth,
            UpgradeHeight};
}

TItemIcon ItemIconOf(TControl Bar, int32_t Car) {
    const TCarIcons &Icons = CarIcons[Car < 0 ? 0 : Car > 7 ? 7 : Car];
    return Bar == TControl::WeaponBar  ? Icons.Weapon
           : Bar == TControl::BoostBar ? Icons.Boost
                                       : Icons.Drop;
}

TCell ItemIconCell(TItemIcon Icon) {
    if (Icon == TItemIcon::ExtraDrop)
        return {TCellSource::ExtraIcon, 0, 0, IconWidth, IconHeight};
    return {TCellSource::Sheet, IconWidth * int32_t(Icon), IconRowTop, IconWidth, IconHeight};
}

const char *const FieldNames[FieldCount] = {
    "Difficulty",    // TField::Difficulty
    "WeaponCharges", // TField::WeaponCharges
    "BoostCharges",  // TField::BoostCharges
    "DropCharges",   // TField::DropCharges
    "Engine",        // TField::Engine
    "Shocks",        // TField::Shocks
    "Armor",         // TField::Armor
    "Tires",         // TField::Tires
    "Hero",          // TField::Hero
    "Planet",        // TField::Planet
    "Division",      // TField::Division
    "Car",           // TField::Car
    "Color",         // TField::Color
    "MoneyHundreds", // TField::MoneyHundreds
    "MoneyTens",     // TField::MoneyTens
    "MoneyUnits",    // TField::MoneyUnits
};

// The labels are the string table's: the window's labels, and for the bars,
// which the window shows with pictures only, the bars' own. Constant, so that
// the table holds them before any code runs.
constexpr TOptionRow OptionRows[OptionCount] = {
    // option, control, label
    {"difficulty", TControl::DifficultyList, StringTableText(IDS_DIFFICULTY_LABEL)},
    {"hero", TControl::HeroList, StringTableText(IDS_HERO_LABEL)},
    {"car", TControl::CarList, StringTableText(IDS_CAR_LABEL)},
    {"color", TControl::ColorList, StringTableText(IDS_COLOR_LABEL)},
    {"planet", TControl::PlanetList, StringTableText(IDS_PLANET_LABEL)},
    {"division", TControl::DivisionList, StringTableText(IDS_DIVISION_LABEL)},
    {"money", TControl::MoneyBox, StringTableText(IDS_MONEY_LABEL)},
    {"weapon", TControl::WeaponBar, StringTableText(IDS_WEAPON_LABEL)},
    {"boost", TControl::BoostBar, StringTableText(IDS_BOOST_LABEL)},
    {"drop", TControl::DropBar, StringTableText(IDS_DROP_LABEL)},
    {"engine", TControl::EngineBar, StringTableText(IDS_ENGINE_LABEL)},
    {"armor", TControl::ArmorBar, StringTableText(IDS_ARMOR_LABEL)},
    {"shocks", TControl::ShocksBar, StringTableText(IDS_SHOCKS_LABEL)},
    {"tires", TControl::TiresBar, StringTableText(IDS_TIRES_LABEL)},
};

// "Код: RnRR" and "Рисунки: свои".
const char CreditsText[] = "\xCA\xEE\xE4: RnRR\r\xD0\xE8\xF1\xF3\xED\xEA\xE8: \xF1\xE2\xEE\xE8";
