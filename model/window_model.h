// The window's rules beyond the password itself, each stated once: its input
// controls and their keyboard order, where each control starts, which bars a
// car shows, the record the window encodes from its controls, the pictures
// beside the bars, and the names under which the command-line tool and the
// page's address take the settings. The window (ui/), the tool (cli/) and
// the page's module (web/module/) all ask these; none keeps a copy.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// Texts are single-byte Windows-1251, each terminated by a zero byte.
// Nothing here reads or writes the encoder's global Settings.
#pragma once

#include <cstdint>

#include "settings.h"

// ---- The controls ----

// The window's fifteen input controls, numbered in its keyboard order: Tab
// moves from each to the next one shown, and from TiresBar to PasswordBox.
enum class TControl : int32_t {
    PasswordBox,
    HeroList,
    ColorList,
    CarList,
    MoneyBox,
    DifficultyList,
    PlanetList,
    DivisionList,
    WeaponBar,
    BoostBar,
    DropBar,
    EngineBar,
    ArmorBar,
    ShocksBar,
    TiresBar,
};
constexpr int32_t ControlCount = 15;

enum class TControlKind : int32_t {
    PasswordBox, // shows the password and sets nothing
    MoneyBox,    // its text sets the three money fields
    List,        // its selection is its field's value
    Bar,         // its position is its field's value
};

struct TControlRule {
    TControlKind Kind;
    TField Field;  // what a list or bar sets; MoneyHundreds for the money box
    int32_t Start; // a list's selection, a bar's position, the money box's number
};
// By TControl.
extern const TControlRule ControlRules[ControlCount];

inline const TControlRule &RuleOf(TControl Control) {
    return ControlRules[int32_t(Control)];
}

// The largest value a control takes: a list's last index and a bar's last
// position are those of its field (0..FieldValueCount-1); the money box
// takes 0..999 thousand dollars. 0 for the password box.
int32_t ControlMaximum(TControl Control);

// Whether the window shows Control while the car of index Car is selected
// (compared as a signed number): ShocksBar only below car 4, TiresBar only
// below car 3, every other control always.
bool ControlShown(TControl Control, int32_t Car);

// The names a list offers, in its order (a list's index is its field's
// value); null for ColorList, whose names are interface texts (ColorNameIds),
// and for every control that is not a list.
const char *const *ListNames(TControl List);

// ---- What the controls hold, and the record the window encodes ----

// The money box takes at most three characters when typed.
constexpr int32_t MoneyTextLimit = 3;

// The money box's text as the window reads it: the first MoneyTextLimit
// UTF-16 units and the length of the whole text in UTF-16 units.
struct TMoneyText {
    uint16_t Characters[MoneyTextLimit];
    int32_t Length; // 0 or more; units beyond the first three are not kept
};

// A list's selection or a bar's position, by TControl (a bar that the car
// hides keeps its own position; the entries of the two boxes are unused),
// and the money box's text.
struct TControlState {
    int32_t Values[ControlCount];
    TMoneyText Money;
};

// The controls as the window opens: every list and bar at its Start, the
// money box at its number.
void StartControlState(TControlState &State);

// A record's money in thousands of dollars, 0..999, from its three digits.
int32_t MoneyThousands(const TSettings &Record);

// The money box's text for a number of thousands 0..999: always three
// digits, "999", "005".
void MoneyTextOf(int32_t Thousands, TMoneyText &Text);

// Reads State into Record as the window does: every list and bar into its
// field, a bar that the car hides as level 0, and the money text by
// ReadMoneyText, a unit other than "0".."9" counting 0 in its place; a text
// of 4 or more units keeps Record's three money fields as they are. Every
// value of State must lie within its control's range.
void ReadControls(const TControlState &State, TSettings &Record);

// The controls that show Record: lists and bars at its values (a bar that
// the car hides too), the money box at its three digits.
void ControlStateOf(const TSettings &Record, TControlState &State);

// ---- The pictures beside the bars ----

// The bitmaps the cells are cut from.
enum class TCellSource : int32_t {
    Sheet,     // the upgrade pictures, four rows, and the item icons below them
    ExtraIcon, // one more drop icon of its own
};

// A rectangle of a source bitmap, in its pixels.
struct TCell {
    TCellSource Source;
    int32_t X, Y, Width, Height;
};

// The picture beside an upgrade bar (EngineBar, ArmorBar, ShocksBar,
// TiresBar) at level 0..3.
TCell UpgradePictureCell(TControl Bar, int32_t Level);

// What the icons beside the item bars show: the sheet's icons in the order
// of its cells, then the extra bitmap's drop icon.
enum class TItemIcon : int32_t {
    Turret,
    Mine,
    GasBottles,
    Posts,
    Pail,
    Drum,
    Rocket,
    ExtraDrop, // the whole ExtraIcon bitmap, not a cell of the sheet
};
constexpr int32_t ItemIconCount = 8;

// The icon beside an item bar (WeaponBar, BoostBar, DropBar) while the car of
// index Car is selected; a car below 0 (no selection) shows car 0's icons.
TItemIcon ItemIconOf(TControl Bar, int32_t Car);

// Where an icon is cut from.
TCell ItemIconCell(TItemIcon Icon);
inline TCell ItemIconCell(TControl Bar, int32_t Car) {
    return ItemIconCell(ItemIconOf(Bar, Car));
}

// ---- Names of the settings outside the window ----

// The fields by name, in TField order ("Difficulty", "WeaponCharges"...):
// the keys of the tool's JSON and of the page's controls.
extern const char *const FieldNames[FieldCount];

// One setting as the tool's options and the page's address name it. Money
// is one option for the money box; every other sets one list or bar.
struct TOptionRow {
    const char *Name;  // "hero": the tool's --hero, the page's #hero=
    TControl Control;  // the control it sets
    const char *Label; // the label in the tool's listing, "Герой:"
};
constexpr int32_t OptionCount = 14;
// In the order of the tool's listing and the page's address.
extern const TOptionRow OptionRows[OptionCount];

// The credits beside the emblem: two lines split by a lone carriage return.
extern const char CreditsText[];
