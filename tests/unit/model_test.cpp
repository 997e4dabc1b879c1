// The window model against the window's rules as its documents state them:
// the reading of the controls (hidden bars, the money text), the starting
// password, the way back from a record, the bars each car shows and the
// pictures beside the bars.

#include "decode.h"
#include "password.h"
#include "reading.h"
#include "window_model.h"
#include "window_view.h"
#include "random_settings.h"
#include "text1251.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace {

using C = TControl;

void SetMoney(TControlState &State, const std::u16string &Text) {
    for (int32_t I = 0; I < MoneyTextLimit; ++I)
        State.Money.Characters[I] = I < int32_t(Text.size()) ? Text[I] : 0;
    State.Money.Length = int32_t(Text.size());
}

std::string Display(const TSettings &Record) {
    TPasswordBits Bits;
    char Text[PasswordLength];
    EncodeRecord(Record, Bits, Text);
    char Grouped[PasswordDisplaySize];
    FormatPasswordDisplay(Text, Grouped);
    return Grouped;
}

TEST(WindowModel, ReadsHiddenBarsAsZeroAndTheMoneyTextRightAligned) {
    struct TCase {
        int32_t Car;
        std::u16string Money;
        int32_t Shocks, Tires, Hundreds, Tens, Units;
    };
    // The bars stand at shocks 2, tires 1; the money read before was 5 6 7.
    const TCase Cases[] = {
        {1, u"123", 2, 1, 1, 2, 3}, {3, u"12", 2, 0, 0, 1, 2},   {4, u"7", 0, 0, 0, 0, 7},
        {7, u"", 0, 0, 0, 0, 0},    {0, u"1x3", 2, 1, 1, 0, 3},  {2, u"\u06634", 2, 1, 0, 0, 4},
        {0, u"70", 2, 1, 0, 7, 0},  {0, u"1234", 2, 1, 5, 6, 7}, {5, u"99999", 0, 0, 5, 6, 7},
    };
    for (const TCase &Case : Cases) {
        TControlState State;
        StartControlState(State);
        State.Values[int32_t(C::CarList)] = Case.Car;
        State.Values[int32_t(C::ShocksBar)] = 2;
        State.Values[int32_t(C::TiresBar)] = 1;
        SetMoney(State, Case.Money);
        TSettings Record = {};
        Record.MoneyHundreds = 5, Record.MoneyTens = 6, Record.MoneyUnits = 7;
        ReadControls(State, Record);
        const std::string Seen = std::to_string(Case.Car) + " " + std::to_string(Case.Money.size());
        EXPECT_EQ(Record.Car, Case.Car) << Seen;
        EXPECT_EQ(Record.Shocks, Case.Shocks) << Seen;
        EXPECT_EQ(Record.Tires, Case.Tires) << Seen;
        EXPECT_EQ(Record.MoneyHundreds * 100 + Record.MoneyTens * 10 + Record.MoneyUnits,
                  Case.Hundreds * 100 + Case.Tens * 10 + Case.Units)
            << Seen;
    }
}

TEST(WindowModel, StartsWithTheWindowsPasswordAndShowsARecordBack) {
    TControlState State;
    StartControlState(State);
    TSettings Read = {};
    ReadControls(State, Read);
    EXPECT_EQ(Display(Read), To1251("ПЬФМ В02Ь ЫЫЛ!"));

    std::mt19937 Rng(19);
    for (int Round = 0; Round < 500; ++Round) {
        TSettings Record = RandomSettings(Rng);
        ControlStateOf(Record, State);
        EXPECT_EQ(State.Money.Length, 3);
        EXPECT_EQ(State.Values[int32_t(C::ShocksBar)], Record.Shocks); // hidden or not
        Read = {};
        ReadControls(State, Read);
        if (Record.Car >= 4)
            Record.Shocks = 0;
        if (Record.Car >= 3)
            Record.Tires = 0;
        ASSERT_EQ(Display(Read), Display(Record)) << Round;
    }
}

TEST(WindowModel, ShowsTheBarsAndPicturesOfEachCar) {
    for (int32_t Car = -1; Car <= 7; ++Car) {
        EXPECT_EQ(ControlShown(C::ShocksBar, Car), Car < 4) << Car;
        EXPECT_EQ(ControlShown(C::TiresBar, Car), Car < 3) << Car;
        EXPECT_TRUE(ControlShown(C::EngineBar, Car) && ControlShown(C::ArmorBar, Car));
        // Weapon: icon 3 below car 2, icon 6 for 2 and 3, icon 0 from 4 up;
        // boost: 5 below 2, then 2; drop: the extra icon for car 2, 4 below
        // 2, then 1. Icons are 23 x 19 cells in the sheet's row at 128.
        const int32_t Weapon = Car < 2 ? 3 : Car < 4 ? 6 : 0;
        const int32_t Boost = Car < 2 ? 5 : 2;
        const int32_t Drop = Car < 2 ? 4 : 1;
        for (auto [Bar, Icon] :
             {std::pair{C::WeaponBar, Weapon}, {C::BoostBar, Boost}, {C::DropBar, Drop}}) {
            const TCell Cell = ItemIconCell(Bar, Car);
            if (Bar == C::DropBar && Car == 2) {
                EXPECT_EQ(Cell.Source, TCellSource::ExtraIcon);
                EXPECT_EQ(Cell.X + Cell.Y, 0);
                continue;
            }
            EXPECT_EQ(Cell.Source, TCellSource::Sheet) << Car;
            EXPECT_EQ(Cell.X, 23 * Icon) << Car;
            EXPECT_EQ(Cell.Y, 128) << Car;
            EXPECT_TRUE(Cell.Width == 23 && Cell.Height == 19);
        }
    }
    // The upgrade pictures: 40 x 32, one row per upgrade, one column per
    // level, all inside the sheet.
    std::set<std::pair<int32_t, int32_t>> Corners;
    for (C Bar : {C::EngineBar, C::ArmorBar, C::ShocksBar, C::TiresBar})
        for (int32_t Level = 0; Level <= ControlMaximum(Bar); ++Level) {
            const TCell Cell = UpgradePictureCell(Bar, Level);
            EXPECT_EQ(Cell.X, 40 * Level);
            EXPECT_TRUE(Cell.Width == 40 && Cell.Height == 32 && Cell.Y + 32 <= 128);
            Corners.insert({Cell.X, Cell.Y});
        }
    EXPECT_EQ(Corners.size(), 16u);
}

// The view of a record read from a password, for every car and every pair of
// shocks and tires levels: the levels kept only where the car hides the bar
// (car 3 hides only the tires), the window's password with those at 0, the
// counts, the bars shown and the car's item icons.
TEST(WindowView, NamesOnlyTheLevelsThatTheCarsHiddenBarsHold) {
    std::mt19937 Rng(24);
    for (int32_t Car = 0; Car <= 7; ++Car)
        for (auto [Shocks, Tires] : {std::pair{0, 0}, {2, 0}, {0, 1}, {3, 2}}) {
            TSettings Record = RandomSettings(Rng);
            Record.Car = Car, Record.Shocks = Shocks, Record.Tires = Tires;
            TWindowView View;
            ViewOfRecord(Record, View);
            std::string Hidden;
            for (int32_t I = 0; I < View.HiddenLevelCount; ++I)
                Hidden += (View.HiddenLevels[I].Bar == C::ShocksBar ? "S" : "T") +
                          std::to_string(View.HiddenLevels[I].Level);
            const std::string Expected =
                std::string(Car >= 4 && Shocks ? "S" + std::to_string(Shocks) : "") +
                (Car >= 3 && Tires ? "T" + std::to_string(Tires) : "");
            const std::string Seen = "car " + std::to_string(Car);
            EXPECT_EQ(Hidden, Expected) << Seen;
            TSettings Shown = Record;
            Shown.Shocks = Car >= 4 ? 0 : Shocks;
            Shown.Tires = Car >= 3 ? 0 : Tires;
            EXPECT_EQ(std::string(View.Password), Display(Shown)) << Seen;
            EXPECT_EQ(View.Shown[int32_t(C::ShocksBar)], Car < 4) << Seen;
            EXPECT_EQ(View.Shown[int32_t(C::TiresBar)], Car < 3) << Seen;
            EXPECT_EQ(std::string(View.ItemCounts[1]), std::to_string(Record.BoostCharges));
            EXPECT_EQ(View.UpgradePictures[3].X, 40 * Shown.Tires) << Seen;
            // The icons of the car's own items (see ShowsTheBarsAndPicturesOfEachCar).
            EXPECT_EQ(View.ItemIconCells[0].X, 23 * (Car < 2 ? 3 : Car < 4 ? 6 : 0)) << Seen;
            EXPECT_EQ(View.ItemIconCells[2].Source == TCellSource::ExtraIcon, Car == 2) << Seen;
        }
}

TEST(WindowModel, OptionsNameEveryListBarAndTheMoneyOnce) {
    std::set<std::string> Names;
    std::set<C> Controls;
    for (const TOptionRow &Row : OptionRows) {
        Names.insert(Row.Name);
        Controls.insert(Row.Control);
        EXPECT_NE(RuleOf(Row.Control).Kind, TControlKind::PasswordBox);
    }
    EXPECT_EQ(Names.size(), size_t(OptionCount));
    EXPECT_EQ(Controls.size(), size_t(OptionCount));
    EXPECT_EQ(ControlMaximum(C::MoneyBox), 999);
    EXPECT_EQ(ControlMaximum(C::WeaponBar), 7);
    EXPECT_EQ(ControlMaximum(C::TiresBar), 3);
}

} // namespace
