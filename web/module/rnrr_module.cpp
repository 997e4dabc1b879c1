// The password core and the window's rules as a WebAssembly module: the
// encoder, the reading back, the look-alike normalising, the repair search
// and the window model, compiled unchanged from encoder/ and model/; this
// file only hands their inputs and results across.
//
// Contract: no allocation, no I/O. Every input and result lives in a fixed
// buffer below; the page writes an input buffer, calls one function and reads
// the results through the accessors. Texts are Windows-1251, zero-terminated
// unless a length is given. Fields are numbered by TField (0..15), controls
// by TControl (0..14, the window's keyboard order). A number out of range
// gives 0, a null pointer or an empty text, never a read past a table.
//
// Exports (the page's loader, src/module.js, is read against this table):
//   controlCount()          -> 15
//   controlKind(c)          -> TControlKind: 0 password box, 1 money box, 2 list, 3 bar
//   controlField(c)         -> the field a list or bar sets (MoneyHundreds: money box)
//   controlMaximum(c)       -> last selection or position; 999 for the money box
//   controlShown(c, car)    -> 1 when the window shows control c for that car, else 0
//   listName(c, i)          -> char*      name i of list c; 0 for the colour list
//   colorNameId(i)          -> string identifier of colour i (0..7)
//   moneyTextLimit()        -> characters the money box takes when typed
//   controlValues()         -> int32[15]  a list's selection or a bar's position, by control
//   moneyText()             -> uint16[3]  the money box's first UTF-16 units
//   startState()            -> the window's starting controls into controlValues and
//                              moneyText; the money text's length
//   readControls(length)    -> char*      controlValues and moneyText (the whole text
//                              length units long) read into Settings as the window
//                              reads them, encoded: "XXXX XXXX XXXX"; "" out of range
//   stateOfSettings()       -> the controls that show Settings into controlValues and
//                              moneyText; the money text's length
//   settings()              -> int32[16]  the global Settings, in TField order
//   encode()                -> char*      Settings -> "XXXX XXXX XXXX"; "" out of range
//   fieldValueCount(f)      -> values of field f (its range is 0..count-1)
//   fieldName(f)            -> char*      "Hero": the field's name in the tool's JSON
//   optionCount()           -> 14
//   optionName(i)           -> char*      "hero": the tool's option, the address's key
//   optionControl(i)        -> the control option i sets
//   optionLabel(i)          -> char*      the tool's label, "Герой:"
//   creditsText()           -> char*      the credits, two lines split by "\r"
//   sheetWidth(), sheetHeight()  the sheet's size in pixels
//   upgradeCell(c, level)   -> int32[5]   source (0 sheet, 1 extra icon), x, y, width,
//                              height of the picture beside upgrade bar c
//   itemIconCell(c, car)    -> int32[5]   the same for the icon beside item bar c
//   inputBuffer()           -> char32[InputCapacity]  typed password, code points
//   inputCapacity()         -> InputCapacity
//   normalise(length)       -> TNormaliseStatus of the first length code points;
//                              when 0 (Done), passwordBuffer holds the 12 characters;
//                              a length over InputCapacity reads the whole buffer
//   normalisePlace(), normaliseCharacter(), normaliseCount()
//   passwordBuffer()        -> char[12]   the password that decode and findRepairs read
//   decode()                -> TDecodeStatus of passwordBuffer
//   decodedRecord()         -> int32[16]  what it holds (a money field -1 if no digit)
//   failedCount(), failedCheck(i)   check positions 0..17 that disagree
//   findRepairs()           -> count of single-character repairs (at most 372)
//   repairPlace(i) 1..12, repairCharacter(i) byte 0..255, repairText(i) char[12],
//   repairRecord(i) int32[16]
#include "decode.h"
#include "normalise.h"
#include "password.h"
#include "reading.h"
#include "settings.h"
#include "window_model.h"

#include <cstdint>

#define EXPORT(Name) extern "C" __attribute__((export_name(#Name)))

namespace {

constexpr int32_t InputCapacity = 256;

TControlState State;
TCell Cell;
char Display[PasswordDisplaySize];
char32_t InputBuffer[InputCapacity];
char PasswordBuffer[PasswordLength];
TNormaliseResult Normalised;
TDecodeResult Decoded;
TRepair Repairs[RepairTrialCount];
int32_t RepairCount;

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
bool StateInRange(int32_t MoneyLength) {
    for (int32_t C = 0; C < ControlCount; ++C) {
        const TControlKind Kind = ControlRules[C].Kind;
        if ((Kind == TControlKind::List || Kind == TControlKind::Bar) &&
            !InRange(State.Values[C], ControlMaximum(TControl(C)) + 1))
            return false;
    }
    return MoneyLength >= 0;
}

const char *Encoded() {
    EncodePassword();
    FormatPasswordDisplay(Display);
    return Display;
}

const char *Empty() {
    Display[0] = '\0';
    return Display;
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

EXPORT(controlShown) int32_t ExportControlShown(int32_t C, int32_t Car) {
    return InRange(C, ControlCount) && ControlShown(TControl(C), Car) ? 1 : 0;
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

EXPORT(controlValues) int32_t *ExportControlValues() {
    return State.Values;
}

EXPORT(moneyText) uint16_t *ExportMoneyText() {
    return State.Money.Characters;
}

EXPORT(startState) int32_t ExportStartState() {
    StartControlState(State);
    return State.Money.Length;
}

EXPORT(readControls) const char *ExportReadControls(int32_t MoneyLength) {
    if (!StateInRange(MoneyLength))
        return Empty();
    State.Money.Length = MoneyLength;
    ReadControls(State, Settings);
    return Encoded();
}

EXPORT(stateOfSettings) int32_t ExportStateOfSettings() {
    ControlStateOf(Settings, State);
    return State.Money.Length;
}

EXPORT(settings) TSettings *ExportSettings() {
    return &Settings;
}

// A record out of range gives an empty text rather than reading past a table.
EXPORT(encode) const char *ExportEncode() {
    return SettingsInRange() ? Encoded() : Empty();
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

EXPORT(sheetWidth) int32_t ExportSheetWidth() {
    return SheetWidth;
}

EXPORT(sheetHeight) int32_t ExportSheetHeight() {
    return SheetHeight;
}

EXPORT(upgradeCell) const TCell *ExportUpgradeCell(int32_t C, int32_t Level) {
    if (!InRange(C, ControlCount) || ControlRules[C].Kind != TControlKind::Bar ||
        C < int32_t(TControl::EngineBar) || !InRange(Level, ControlMaximum(TControl(C)) + 1))
        return nullptr;
    Cell = UpgradePictureCell(TControl(C), Level);
    return &Cell;
}

EXPORT(itemIconCell) const TCell *ExportItemIconCell(int32_t C, int32_t Car) {
    if (!InRange(C, ControlCount) || C < int32_t(TControl::WeaponBar) ||
        C > int32_t(TControl::DropBar))
        return nullptr;
    Cell = ItemIconCell(TControl(C), Car);
    return &Cell;
}

EXPORT(inputBuffer) char32_t *ExportInputBuffer() {
    return InputBuffer;
}

EXPORT(inputCapacity) int32_t ExportInputCapacity() {
    return InputCapacity;
}

EXPORT(normalise) int32_t ExportNormalise(int32_t Length) {
    if (!InRange(Length, InputCapacity + 1))
        Length = InputCapacity;
    NormalisePassword(InputBuffer, Length, PasswordBuffer, Normalised);
    return int32_t(Normalised.Status);
}

EXPORT(normalisePlace) int32_t ExportNormalisePlace() {
    return Normalised.Place;
}

EXPORT(normaliseCharacter) int32_t ExportNormaliseCharacter() {
    return int32_t(Normalised.Character);
}

EXPORT(normaliseCount) int32_t ExportNormaliseCount() {
    return Normalised.Count;
}

EXPORT(passwordBuffer) char *ExportPasswordBuffer() {
    return PasswordBuffer;
}

EXPORT(decode) int32_t ExportDecode() {
    DecodePasswordText(PasswordBuffer, Decoded);
    return int32_t(Decoded.Status);
}

EXPORT(decodedRecord) TSettings *ExportDecodedRecord() {
    return &Decoded.Record;
}

EXPORT(failedCount) int32_t ExportFailedCount() {
    return Decoded.FailedCount;
}

EXPORT(failedCheck) int32_t ExportFailedCheck(int32_t I) {
    return InRange(I, Decoded.FailedCount) ? Decoded.FailedChecks[I] : -1;
}

// Reads passwordBuffer, which must hold 12 alphabet characters.
EXPORT(findRepairs) int32_t ExportFindRepairs() {
    for (char C : PasswordBuffer)
        if (AlphabetValue(C) < 0)
            return RepairCount = 0;
    return RepairCount = FindRepairs(PasswordBuffer, Repairs, RepairTrialCount);
}

EXPORT(repairPlace) int32_t ExportRepairPlace(int32_t I) {
    return InRange(I, RepairCount) ? Repairs[I].Place : 0;
}

EXPORT(repairCharacter) int32_t ExportRepairCharacter(int32_t I) {
    return InRange(I, RepairCount) ? uint8_t(Repairs[I].Replacement) : 0;
}

EXPORT(repairText) const char *ExportRepairText(int32_t I) {
    return InRange(I, RepairCount) ? Repairs[I].Text : nullptr;
}

EXPORT(repairRecord) const TSettings *ExportRepairRecord(int32_t I) {
    return InRange(I, RepairCount) ? &Repairs[I].Record : nullptr;
}
