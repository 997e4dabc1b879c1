#include "window_view.h"

#include "decode.h"
#include "password.h"

namespace {

static_assert(int32_t(FirstItemBar) + ItemBarCount == int32_t(FirstUpgradeBar),
              "the upgrade bars follow the item bars");
static_assert(int32_t(FirstUpgradeBar) + UpgradeBarCount == ControlCount,
              "the upgrade bars end the keyboard order");

// The record's grouped password; the encoder's globals stay as they were.
void WritePassword(const TSettings &Record, char (&Password)[PasswordDisplaySize]) {
    TPasswordBits Bits;
    char Text[PasswordLength];
    EncodeRecord(Record, Bits, Text);
    FormatPasswordDisplay(Text, Password);
}

void WriteItemCount(int32_t Position, char (&Count)[ItemCountSize]) {
    Count[0] = char('0' + Position);
    Count[1] = '\0';
}

} // namespace

void ViewOf(const TControlState &State, const TSettings &Previous, TWindowView &View) {
    View.Controls = State;
    View.Record = Previous;
    ReadControls(State, View.Record);
    WritePassword(View.Record, View.Password);

    const int32_t Car = State.Values[int32_t(TControl::CarList)];
    for (int32_t C = 0; C < ControlCount; ++C)
        View.Shown[C] = ControlShown(TControl(C), Car);

    View.HiddenLevelCount = 0;
    for (int32_t I = 0; I < UpgradeBarCount; ++I) {
        const TControl Bar = TControl(int32_t(FirstUpgradeBar) + I);
        TSettings &Record = View.Record;
        View.UpgradePictures[I] = UpgradePictureCell(Bar, FieldOf(Record, RuleOf(Bar).Field));
        const int32_t Held = State.Values[int32_t(Bar)];
        if (!View.Shown[int32_t(Bar)] && Held != 0 && View.HiddenLevelCount < HiddenLevelCapacity)
            View.HiddenLevels[View.HiddenLevelCount++] = {Bar, Held};
    }
    for (int32_t I = 0; I < ItemBarCount; ++I) {
        const TControl Bar = TControl(int32_t(FirstItemBar) + I);
        WriteItemCount(State.Values[int32_t(Bar)], View.ItemCounts[I]);
        View.ItemIcons[I] = ItemIconOf(Bar, Car);
        View.ItemIconCells[I] = ItemIconCell(View.ItemIcons[I]);
    }
}

void ViewOfRecord(const TSettings &Record, TWindowView &View) {
    TControlState State;
    ControlStateOf(Record, State);
    ViewOf(State, Record, View);
}
