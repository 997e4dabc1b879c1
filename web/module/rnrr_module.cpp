// The password core as a WebAssembly module: the encoder, the reading back,
// the look-alike normalising and the repair search, compiled unchanged from
// encoder/; this file only hands their inputs and results across.
//
// Contract: no allocation, no I/O. Every input and result lives in a fixed
// buffer below; the page writes an input buffer, calls one function and reads
// the results through the accessors. Texts are Windows-1251, zero-terminated
// unless a length is given. Fields are numbered by TField (0..15).
//
// Exports (the page's loader, src/module.js, is read against this table):
//   settings()              -> int32[16]  the global Settings, in TField order
//   fieldValueCount(f)      -> values of field f (its range is 0..count-1)
//   listName(list, i)       -> char*      name i of list 0 hero, 1 car, 2 planet,
//                                         3 difficulty, 4 division; 0 if none
//   colorNameId(i)          -> string identifier of colour i (0..7)
//   moneyBuffer()           -> char[4]    money text for readMoney
//   readMoney(length)          ReadMoneyText(moneyBuffer, length) into Settings
//   encode()                -> char*      Settings -> "XXXX XXXX XXXX"
//   inputBuffer()           -> char32[InputCapacity]  typed password, code points
//   inputCapacity()         -> InputCapacity
//   normalise(length)       -> TNormaliseStatus of the first length code points;
//                              when 0 (Done), passwordBuffer holds the 12 characters
//   normalisePlace(), normaliseCharacter(), normaliseCount()
//   passwordBuffer()        -> char[12]   the password that decode and findRepairs read
//   decode()                -> TDecodeStatus of passwordBuffer
//   decodedRecord()         -> int32[16]  what it holds (a money field -1 if no digit)
//   failedCount(), failedCheck(i)   check positions 0..17 that disagree
//   findRepairs()           -> count of single-character repairs (at most 372)
//   repairPlace(i) 1..12, repairCharacter(i) byte, repairText(i) char[12],
//   repairRecord(i) int32[16]
#include "decode.h"
#include "normalise.h"
#include "password.h"
#include "reading.h"
#include "settings.h"

#include <cstdint>

#define EXPORT(Name) extern "C" __attribute__((export_name(#Name)))

namespace {

constexpr int32_t InputCapacity = 256;

char MoneyBuffer[MoneyBufferSize];
char Display[PasswordDisplaySize];
char32_t InputBuffer[InputCapacity];
char PasswordBuffer[PasswordLength];
TNormaliseResult Normalised;
TDecodeResult Decoded;
TRepair Repairs[RepairTrialCount];
int32_t RepairCount;

// Only records whose every field is in range reach the encoder.
bool SettingsInRange() {
    for (int32_t F = 0; F < FieldCount; ++F) {
        int32_t Value = FieldOf(Settings, TField(F));
        if (Value < 0 || Value >= FieldValueCount(TField(F)))
            return false;
    }
    return true;
}

bool InRange(int32_t I, int32_t Count) {
    return I >= 0 && I < Count;
}

} // namespace

EXPORT(settings) TSettings *ExportSettings() {
    return &Settings;
}

EXPORT(fieldValueCount) int32_t ExportFieldValueCount(int32_t Field) {
    return InRange(Field, FieldCount) ? FieldValueCount(TField(Field)) : 0;
}

EXPORT(listName) const char *ExportListName(int32_t List, int32_t Index) {
    struct TList {
        const char *const *Names;
        int32_t Count;
    };
    const TList Lists[] = {
        {HeroNames, 8}, {CarNames, 8}, {PlanetNames, 8}, {DifficultyNames, 4}, {DivisionNames, 2},
    };
    if (!InRange(List, 5) || !InRange(Index, Lists[List].Count))
        return nullptr;
    return Lists[List].Names[Index];
}

EXPORT(colorNameId) int32_t ExportColorNameId(int32_t Index) {
    return InRange(Index, 8) ? ColorNameIds[Index] : 0;
}

EXPORT(moneyBuffer) char *ExportMoneyBuffer() {
    return MoneyBuffer;
}

EXPORT(readMoney) void ExportReadMoney(int32_t Length) {
    ReadMoneyText(MoneyBuffer, Length < 0 ? 0 : Length);
}

// A record out of range gives an empty text rather than reading past a table.
EXPORT(encode) const char *ExportEncode() {
    if (!SettingsInRange()) {
        Display[0] = '\0';
        return Display;
    }
    EncodePassword();
    FormatPasswordDisplay(Display);
    return Display;
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
