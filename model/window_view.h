// What the window shows for a state of its controls, as one record: the
// record it encodes and its grouped password, which controls show, the
// number beside each item bar, the pictures beside the bars, and the levels
// that the controls hold for bars the car hides, which the password takes as
// 0. Every front end renders this record: the window draws it, the password
// dialog and the tool say what it says of a password read back, the page
// shows it. None of them derives any of it again.
//
// Contract: portable C++17, no platform headers, no I/O, nothing allocated.
// Texts are single-byte Windows-1251, each terminated by a zero byte. The
// encoder's global Settings, PasswordBits and PasswordText are left as they
// were found.
#pragma once

#include <cstdint>

#include "reading.h"
#include "settings.h"
#include "window_model.h"

// The item bars (WeaponBar, BoostBar, DropBar) and the upgrade bars
// (EngineBar, ArmorBar, ShocksBar, TiresBar), each in keyboard order.
constexpr int32_t ItemBarCount = 3;
constexpr int32_t UpgradeBarCount = 4;
constexpr TControl FirstItemBar = TControl::WeaponBar;
constexpr TControl FirstUpgradeBar = TControl::EngineBar;

// A level that a bar the car hides holds: the password takes 0 in its place.
struct THiddenLevel {
    TControl Bar;  // ShocksBar or TiresBar
    int32_t Level; // 1..3
};
constexpr int32_t HiddenLevelCapacity = 2; // the two bars a car can hide

// The number beside an item bar: its position 0..7, one digit and a zero.
constexpr int32_t ItemCountSize = 2;

struct TWindowView {
    TControlState Controls;             // what the lists, bars and money box hold
    TSettings Record;                   // what the window encodes from them
    char Password[PasswordDisplaySize]; // Record's password, "XXXX XXXX XXXX"
    bool Shown[ControlCount];           // by TControl: the window shows the control
    char ItemCounts[ItemBarCount][ItemCountSize];
    // Beside each upgrade bar, the picture of the level encoded; where the
    // bar is hidden, its place shows plain background of the cell's size.
    TCell UpgradePictures[UpgradeBarCount];
    // Beside each item bar, the icon of the selected car's item.
    TItemIcon ItemIcons[ItemBarCount];
    TCell ItemIconCells[ItemBarCount];
    // In keyboard order; HiddenLevelCount entries are used.
    THiddenLevel HiddenLevels[HiddenLevelCapacity];
    int32_t HiddenLevelCount;
};

// What the window shows while its controls hold State (every value within
// its control's range, as ReadControls takes it). A money text of 4 or more
// units keeps the three money fields of Previous, the record shown before.
void ViewOf(const TControlState &State, const TSettings &Previous, TWindowView &View);

// What the window shows once it has taken Record, a record read from a
// password (every field within its range): its controls at Record's values.
// HiddenLevels are then the levels Record holds for bars its car hides, and
// Password is what the window shows in place of Record's own password.
void ViewOfRecord(const TSettings &Record, TWindowView &View);

// The index 0..ItemBarCount-1 of an item bar, 0..UpgradeBarCount-1 of an
// upgrade bar, in the view's arrays.
inline int32_t ItemBarIndex(TControl Bar) {
    return int32_t(Bar) - int32_t(FirstItemBar);
}
inline int32_t UpgradeBarIndex(TControl Bar) {
    return int32_t(Bar) - int32_t(FirstUpgradeBar);
}
