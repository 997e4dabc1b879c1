// The password core and the window's rules as a WebAssembly module: the
// encoder, the reading back, the look-alike normalising, the repair search,
// the window model and its view of the window, compiled unchanged from
// encoder/ and model/; this file only hands their inputs and results across.
//
// Contract: no allocation, no I/O. Every input and result lives in a fixed
// buffer below; the page writes an input buffer, calls one function and reads
// its result from memory, at the offsets that layout() gives. Texts are
// Windows-1251, zero-terminated. Fields are numbered by TField (0..15),
// controls by TControl (0..14, the window's keyboard order). A number out of
// range gives 0, -1 or a null pointer, never a read past a table.
//
// Exports (the page's loader, src/module.js, is read against this table):
//   controlCount()          -> 15
//   controlKind(c)          -> TControlKind: 0 password box, 1 money box, 2 list, 3 bar
//   controlField(c)         -> the field a list or bar sets (MoneyHundreds: money box)
//   controlMaximum(c)       -> last selection or position; 999 for the money box
//   listName(c, i)          -> char*      name i of list c; 0 for the colour list
//   colorNameId(i)          -> string identifier of colour i (0..7)
//   moneyTextLimit()        -> characters the money box takes when typed
//   fieldValueCount(f)      -> values of field f (its range is 0..count-1)
//   fieldName(f)            -> char*      "Hero": the field's name in the tool's JSON
//   optionCount()           -> 14
//   optionName(i)           -> char*      "hero": the tool's option, the address's key
//   optionControl(i)        -> the control option i sets
//   optionLabel(i)          -> char*      the tool's label, "Герой:"
//   creditsText()           -> char*      the credits, two lines split by "\r"
//   layout()                -> TLayout*   where the records below keep their parts,
//                              in bytes: int32s, the first their count
//   controlState()          -> TControlState  the controls that readControls reads
//   startView()             -> TWindowView*   the window as it opens
//   readControls()          -> TWindowView*   what the window shows while its controls
//                              hold controlState(); 0 for a value out of range
//   settings()              -> int32[16]  a record for encode
//   encode()                -> char*      settings() -> "XXXX XXXX XXXX"; "" out of range
//   inputBuffer()           -> char32[InputCapacity]  a typed password, code points
//   inputCapacity()         -> InputCapacity
//   readTyped(length)       -> TTyped*    the first length code points read as a
//                              password: normalised, decoded, its repairs, and for a
//                              valid one the window once it has taken it; a length
//                              out of 0..InputCapacity reads the whole buffer
#include "decode.h"
#include "normalise.h"
#include "password.h"
#include "reading.h"
#include "settings.h"
#include "window_model.h"
#include "window_view.h"

#include <cstddef>
#include <cstdint>

#define EXPORT(Name) extern "C" __attribute__((export_name(#Name)))

namespace {

constexpr int32_t InputCapacity = 256;

// A repair as the page offers it.
struct TShownRepair {
    int32_t Place;                      // 1..12
    int32_t Replaced;                   // the character there, a Windows-1251 byte 0..255
    int32_t Character;                  // the new character, a byte as well
    char Password[PasswordDisplaySize]; // the repaired password, grouped
    TSettings Record;                   // what it holds
};

// All that the page shows of a typed password.
struct TTyped {
    int32_t Normalised;                 // TNormaliseStatus
    int32_t Place;                      // of a character that is never in a password, 1..
    int32_t Character;                  // that character's code point
    int32_t Count;                      // password characters found
    int32_t Decoded;                    // TDecodeStatus once normalised, else -1
    char Password[PasswordDisplaySize]; // the 12 characters read, grouped
    TSettings Record;                   // what it holds; a money field -1 when no digit
    int32_t FailedCount;
    int32_t FailedChecks[CheckPositionCount];
    int32_t RepairCount; // of a password whose checks or money fail
    TShownRepair Repairs[RepairTrialCount];
    TWindowView View; // of a valid password: the window once it has taken it
};

TControlState State;
TWindowView View;
TTyped Typed;
char Display[PasswordDisplaySize];
char32_t InputBuffer[InputCapacity];
// Scratch space of the repair search.
TRepair Repairs[RepairTrialCount];

// Where the page reads the records, in bytes from their starts; first this
// record's own length in int32s, and how many item and upgrade bars the
// view's arrays hold. module.js names the entries in the same order.
#define PLACE(Record, Part) int32_t(offsetof(Record, Part))
struct TLayout {
    int32_t Length, ItemBarCount, UpgradeBarCount;
    int32_t StateValues, StateMoney, StateMoneyLength;
    int32_t CellSize, ItemCountSize, HiddenLevelSize;
    int32_t ViewControls, ViewRecord, ViewPassword, ViewShown, ViewItemCounts, ViewUpgradePictures,
        ViewItemIconCells, ViewHiddenLevels, ViewHiddenLevelCount;
    int32_t TypedNormalised, TypedPlace, TypedCharacter, TypedCount, TypedDecoded, TypedPassword,
        TypedRecord, TypedFailedCount, TypedFailedChecks, TypedRepairCount, TypedRepairs, TypedView;
    int32_t RepairSize, RepairPlace, RepairReplaced, RepairCharacter, RepairPassword, RepairRecord;
};
const TLayout Layout = {
    int32_t(sizeof(TLayout) / sizeof(int32_t)),
    ItemBarCount,
    UpgradeBarCount,
    PLACE(TControlState, Values),
    PLACE(TControlState, Money) + PLACE(TMoneyText, Characters),
    PLACE(TControlState, Money) + PLACE(TMoneyText, Length),
    int32_t(sizeof(TCell)),
    ItemCountSize,
    int32_t(sizeof(THiddenLevel)),
    PLACE(TWindowView, Controls),
    PLACE(TWindowView, Record),
    PLACE(TWindowView, Password),
    PLACE(TWindowView, Shown),
    PLACE(TWindowView, ItemCounts),
    PLACE(TWindowView, UpgradePictures),
    PLACE(TWindowView, ItemIconCells),
    PLACE(TWindowView, HiddenLevels),
    PLACE(TWindowView, HiddenLevelCount),
    PLACE(TTyped, Normalised),
    PLACE(TTyped, Place),
    PLACE(TTyped, Character),
    PLACE(TTyped, Count),
    PLACE(TTyped, Decoded),
    PLACE(TTyped, Password),
    PLACE(TTyped, Record),
    PLACE(TTyped, FailedCount),
    PLACE(TTyped, FailedChecks),
    PLACE(TTyped, RepairCount),
    PLACE(TTyped, Repairs),
    PLACE(TTyped, View),
    int32_t(sizeof(TShownRepair)),
    PLACE(TShownRepair, Place),
    PLACE(TShownRepair, Replaced),
    PLACE(TShownRepair, Character),
    PLACE(TShownRepair, Password),
    PLACE(TShownRepair, Record),
};
#undef PLACE

bool InRange(int32_t I, int32_t Count) {
    return I >= 0 && I < Count;
}

// Only records whose every field is in range reach the encoder.
bool SettingsInRange() {
    for (int32_t F = 0; F < FieldCount; ++F) {
        int32_t Value = FieldOf(Settings, TField(F));
        if (Value < 0 || Value >= FieldValueCount(TField(F)))
            return false;
    }
    return true;
}

// Only states whose every list and bar is in range reach the model.
bool StateInRange() {
    for (int32_t C = 0; C < ControlCount; ++C) {
        const TControlKind Kind = ControlRules[C].Kind;
        if ((Kind == TControlKind::List || Kind == TControlKind::Bar) &&
            !InRange(State.Values[C], ControlMaximum(TControl(C)) + 1))
            return false;
    }
    return State.Money.Length >= 0;
}

// The repairs of the password Typed holds, as the page offers them.
void FindShownRepairs(const char *Text) {
    Typed.RepairCount = FindRepairs(Text, Repairs, RepairTrialCount);
    for (int32_t I = 0; I < Typed.RepairCount; ++I) {
        TShownRepair &Shown = Typed.Repairs[I];
        Shown.Place = Repairs[I].Place;
        Shown.Replaced = uint8_t(Text[Shown.Place - 1]);
        Shown.Character = uint8_t(Repairs[I].Replacement);
        FormatPasswordDisplay(Repairs[I].Text, Shown.Password);
        Shown.Record = Repairs[I].Record;
    }
}

} // namespace

EXPORT(controlCount) int32_t ExportControlCount() {
    return ControlCount;
}

EXPORT(controlKind) int32_t ExportControlKind(int32_t C) {
    return InRange(C, ControlCount) ? int32_t(ControlRules[C].Kind) : -1;
}

EXPORT(controlField) int32_t ExportControlField(int32_t C) {
    return InRange(C, ControlCount) ? int32_t(ControlRules[C].Field) : -1;
}

EXPORT(controlMaximum) int32_t ExportControlMaximum(int32_t C) {
    return InRange(C, ControlCount) ? ControlMaximum(TControl(C)) : 0;
}

EXPORT(listName) const char *ExportListName(int32_t C, int32_t Index) {
    if (!InRange(C, ControlCount) || ListNames(TControl(C)) == nullptr ||
        !InRange(Index, ControlMaximum(TControl(C)) + 1))
        return nullptr;
    return ListNames(TControl(C))[Index];
}

EXPORT(colorNameId) int32_t ExportColorNameId(int32_t Index) {
    return InRange(Index, 8) ? ColorNameIds[Index] : 0;
}

EXPORT(moneyTextLimit) int32_t ExportMoneyTextLimit() {
    return MoneyTextLimit;
}

EXPORT(fieldValueCount) int32_t ExportFieldValueCount(int32_t Field) {
    return InRange(Field, FieldCount) ? FieldValueCount(TField(Field)) : 0;
}

EXPORT(fieldName) const char *ExportFieldName(int32_t Field) {
    return InRange(Field, FieldCount) ? FieldNames[Field] : nullptr;
}

EXPORT(optionCount) int32_t ExportOptionCount() {
    return OptionCount;
}

EXPORT(optionName) const char *ExportOptionName(int32_t I) {
    return InRange(I, OptionCount) ? OptionRows[I].Name : nullptr;
}

EXPORT(optionControl) int32_t ExportOptionControl(int32_t I) {
    return InRange(I, OptionCount) ? int32_t(OptionRows[I].Control) : -1;
}

EXPORT(optionLabel) const char *ExportOptionLabel(int32_t I) {
    return InRange(I, OptionCount) ? OptionRows[I].Label : nullptr;
}

EXPORT(creditsText) const char *ExportCreditsText() {
    return CreditsText;
}

EXPORT(layout) const TLayout *ExportLayout() {
    return &Layout;
}

EXPORT(controlState) TControlState *ExportControlState() {
    return &State;
}

EXPORT(startView) const TWindowView *ExportStartView() {
    StartControlState(State);
    ViewOf(State, TSettings{}, View);
    return &View;
}

// The money fields of the view handed out last stay where a money text of 4
// or more units keeps them, as in the window.
EXPORT(readControls) const TWindowView *ExportReadControls() {
    if (!StateInRange())
        return nullptr;
    ViewOf(State, View.Record, View);
    return &View;
}

EXPORT(settings) TSettings *ExportSettings() {
    return &Settings;
}

// A record out of range gives an empty text rather than reading past a table.
EXPORT(encode) const char *ExportEncode() {
    Display[0] = '\0';
    if (SettingsInRange()) {
        EncodePassword();
        FormatPasswordDisplay(Display);
    }
    return Display;
}

EXPORT(inputBuffer) char32_t *ExportInputBuffer() {
    return InputBuffer;
}

EXPORT(inputCapacity) int32_t ExportInputCapacity() {
    return InputCapacity;
}

EXPORT(readTyped) const TTyped *ExportReadTyped(int32_t Length) {
    if (!InRange(Length, InputCapacity + 1))
        Length = InputCapacity;
    char Text[PasswordLength];
    TNormaliseResult Normalised;
    NormalisePassword(InputBuffer, Length, Text, Normalised);
    Typed.Normalised = int32_t(Normalised.Status);
    Typed.Place = Normalised.Place;
    Typed.Character = int32_t(Normalised.Character);
    Typed.Count = Normalised.Count;
    Typed.Decoded = -1;
    Typed.RepairCount = 0;
    Typed.FailedCount = 0;
    if (Normalised.Status != TNormaliseStatus::Done)
        return &Typed;

    FormatPasswordDisplay(Text, Typed.Password);
    TDecodeResult Decoded;
    DecodePasswordText(Text, Decoded);
    Typed.Decoded = int32_t(Decoded.Status);
    Typed.Record = Decoded.Record;
    Typed.FailedCount = Decoded.FailedCount;
    for (int32_t I = 0; I < Decoded.FailedCount; ++I)
        Typed.FailedChecks[I] = Decoded.FailedChecks[I];
    if (Decoded.Status == TDecodeStatus::Valid) {
        ViewOfRecord(Decoded.Record, Typed.View);
        View = Typed.View; // what the page shows now
    } else {
        FindShownRepairs(Text);
    }
    return &Typed;
}
