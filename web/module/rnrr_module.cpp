// The password core and the window's rules as a WebAssembly module: the
// encoder, the window model, its view of the window and its reading of a
// typed password, and the plural rule of counted texts, compiled unchanged
// from encoder/, model/ and wording/; this file only hands their inputs and
// results across.
//
// Contract: no allocation, no I/O. Every input and result lives in a fixed
// buffer below; the page writes an input buffer, calls one function and reads
// its result from memory, at the offsets that the layout names. Texts are
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
//   layoutCount()           -> the entries of the layout below
//   layoutName(i)           -> char*      "TWindowView.Record", "sizeof TCell",
//                              "ItemBarCount": a part of a record, a record's
//                              size or a count, named as in the C++ code
//   layoutValue(i)          -> its offset in bytes from its record's start, the
//                              size in bytes, or the count
//   controlState()          -> TControlState  the controls that readControls reads
//   startView()             -> TWindowView*   the window as it opens
//   readControls()          -> TWindowView*   what the window shows while its controls
//                              hold controlState(); 0 for a value out of range
//   settings()              -> int32[16]  a record for encode
//   encode()                -> char*      settings() -> "XXXX XXXX XXXX"; "" out of range
//   typedTextLimit()        -> TypedTextLimit, the longest text a password field takes
//   inputBuffer()           -> char32[TypedTextLimit]  a typed password, code points
//   readTyped(length)       -> TPasswordReading*  the first length code points read
//                              as a password (ReadTypedPassword); a length out of
//                              0..TypedTextLimit reads the whole buffer
//   readingStatusName(s)    -> char*      "checks_fail": the name of TReadingStatus s
//   pluralForm(l, n)        -> the form of a counted text that fits count n in
//                              language l (TTextLanguage: 0 Russian, 1 English)
#include "password_reading.h"
#include "plural_form.h"
#include "reading.h"
#include "settings.h"
#include "window_model.h"
#include "window_view.h"

#include <cstddef>
#include <cstdint>

#define EXPORT(Name) extern "C" __attribute__((export_name(#Name)))

namespace {

TControlState State;
TWindowView View;
TPasswordReading Reading;
char Display[PasswordDisplaySize];
char32_t InputBuffer[TypedTextLimit];

// Where the page finds what it reads of the records, each entry named once,
// as the code names it; the page looks every one up by that name.
struct TLayoutEntry {
    const char *Name;
    int32_t Value;
};
// clang-format off
#define PART(Record, Part) {#Record "." #Part, int32_t(offsetof(Record, Part))}
#define SIZE(Record) {"sizeof " #Record, int32_t(sizeof(Record))}
#define COUNT(Name) {#Name, Name}
// clang-format on
const TLayoutEntry Layout[] = {
    COUNT(ItemBarCount),
    COUNT(UpgradeBarCount),
    COUNT(ItemCountSize),
    PART(TControlState, Values),
    PART(TControlState, Money.Characters),
    PART(TControlState, Money.Length),
    SIZE(TCell),
    SIZE(THiddenLevel),
    PART(TWindowView, Controls),
    PART(TWindowView, Record),
    PART(TWindowView, Password),
    PART(TWindowView, Shown),
    PART(TWindowView, ItemCounts),
    PART(TWindowView, UpgradePictures),
    PART(TWindowView, ItemIconCells),
    PART(TWindowView, HiddenLevels),
    PART(TWindowView, HiddenLevelCount),
    PART(TPasswordReading, Status),
    PART(TPasswordReading, Count),
    PART(TPasswordReading, Foreign.Place),
    PART(TPasswordReading, Foreign.Character),
    PART(TPasswordReading, Foreign.Shown),
    PART(TPasswordReading, Foreign.Code),
    PART(TPasswordReading, Password),
    PART(TPasswordReading, Record),
    PART(TPasswordReading, FailedChecks),
    PART(TPasswordReading, FailedCount),
    PART(TPasswordReading, MoneyPlaces),
    PART(TPasswordReading, MoneyPlaceCount),
    PART(TPasswordReading, Repairs),
    PART(TPasswordReading, RepairCount),
    PART(TPasswordReading, View),
    SIZE(TReadingRepair),
    PART(TReadingRepair, Place),
    PART(TReadingRepair, Replaced),
    PART(TReadingRepair, Replacement),
    PART(TReadingRepair, Password),
    PART(TReadingRepair, Record),
    PART(TReadingRepair, Changes),
    PART(TReadingRepair, ChangeCount),
    SIZE(TValueChange),
    PART(TValueChange, Option),
    PART(TValueChange, Before),
    PART(TValueChange, After),
    PART(TValueChange, BeforeMoney),
    PART(TValueChange, AfterMoney),
};
#undef PART
#undef SIZE
#undef COUNT
constexpr int32_t LayoutCount = int32_t(sizeof Layout / sizeof Layout[0]);

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

EXPORT(layoutCount) int32_t ExportLayoutCount() {
    return LayoutCount;
}

EXPORT(layoutName) const char *ExportLayoutName(int32_t I) {
    return InRange(I, LayoutCount) ? Layout[I].Name : nullptr;
}

EXPORT(layoutValue) int32_t ExportLayoutValue(int32_t I) {
    return InRange(I, LayoutCount) ? Layout[I].Value : -1;
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

EXPORT(typedTextLimit) int32_t ExportTypedTextLimit() {
    return TypedTextLimit;
}

EXPORT(inputBuffer) char32_t *ExportInputBuffer() {
    return InputBuffer;
}

// A valid password's view is what the page shows next: the money fields of
// a money text of 4 or more units come from it.
EXPORT(readTyped) const TPasswordReading *ExportReadTyped(int32_t Length) {
    if (!InRange(Length, TypedTextLimit + 1))
        Length = TypedTextLimit;
    ReadTypedPassword(InputBuffer, Length, Reading);
    if (Reading.Status == TReadingStatus::Valid)
        View = Reading.View;
    return &Reading;
}

EXPORT(readingStatusName) const char *ExportReadingStatusName(int32_t Status) {
    return InRange(Status, ReadingStatusCount) ? ReadingStatusNames[Status] : nullptr;
}

EXPORT(pluralForm) int32_t ExportPluralForm(int32_t Language, int32_t Count) {
    return InRange(Language, TextLanguageCount) ? PluralFormIndex(TTextLanguage(Language), Count)
                                                : -1;
}
