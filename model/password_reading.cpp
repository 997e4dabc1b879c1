#include "password_reading.h"

#include "normalise.h"

namespace {

// Characters that show nothing or change what stands next to them: a front
// end names them by their code, never prints them.
struct TCodeRange {
    char32_t First, Last;
};
constexpr TCodeRange UnshownCharacters[] = {
    {0x0000, 0x001F}, // C0 controls
    {0x007F, 0x009F}, // DEL and the C1 controls
    {0x0300, 0x036F}, // combining diacritical marks
    {0x061C, 0x061C}, // Arabic letter mark
    {0x200B, 0x200F}, // zero-width marks and the left-to-right, right-to-left marks
    {0x2028, 0x202E}, // line and paragraph separators, bidirectional embeddings
    {0x2060, 0x206F}, // word joiner, bidirectional isolates, other format marks
    {0xD800, 0xDFFF}, // surrogates
    {0xFE00, 0xFE0F}, // variation selectors
    {0xFEFF, 0xFEFF}, // byte order mark
};

static_assert(int32_t(TField::MoneyTens) == int32_t(TField::MoneyHundreds) + 1 &&
                  int32_t(TField::MoneyUnits) == int32_t(TField::MoneyHundreds) + 2,
              "the money fields follow each other, hundreds first");

// The repair search's scratch table.
TRepair Found[RepairTrialCount];

bool Shows(char32_t C) {
    for (const TCodeRange &Range : UnshownCharacters)
        if (C >= Range.First && C <= Range.Last)
            return false;
    return true;
}

void WriteCodeName(char32_t C, char (&Code)[CodeNameSize]) {
    static const char Hex[] = "0123456789ABCDEF";
    int32_t Digits = 4;
    while (Digits < 6 && (C >> (4 * Digits)) != 0)
        ++Digits;
    Code[0] = 'U';
    Code[1] = '+';
    for (int32_t I = 0; I < Digits; ++I)
        Code[2 + I] = Hex[(C >> (4 * (Digits - 1 - I))) & 0xF];
    Code[2 + Digits] = '\0';
}

int32_t ValueOf(const TSettings &Record, TField Field) {
    TSettings Copy = Record;
    return FieldOf(Copy, Field);
}

int32_t MoneyDigit(const TSettings &Record, int32_t Place) {
    return ValueOf(Record, TField(int32_t(TField::MoneyHundreds) + Place));
}

void WriteMoneyDigits(const TSettings &Record, char (&Digits)[MoneyDigitsSize]) {
    for (int32_t Place = 0; Place < MoneyDigitCount; ++Place) {
        const int32_t Digit = MoneyDigit(Record, Place);
        Digits[Place] = Digit >= 0 ? char('0' + Digit) : '?';
    }
    Digits[MoneyDigitCount] = '\0';
}

// What option Row shows of Record: a list's index, a bar's level, the money
// in thousands (-1 where a place holds no digit).
int32_t OptionValue(const TOptionRow &Row, const TSettings &Record) {
    if (Row.Control != TControl::MoneyBox)
        return ValueOf(Record, RuleOf(Row.Control).Field);
    for (int32_t Place = 0; Place < MoneyDigitCount; ++Place)
        if (MoneyDigit(Record, Place) < 0)
            return -1;
    return MoneyThousands(Record);
}

bool MoneyDiffers(const TSettings &From, const TSettings &To) {
    for (int32_t Place = 0; Place < MoneyDigitCount; ++Place)
        if (MoneyDigit(From, Place) != MoneyDigit(To, Place))
            return true;
    return false;
}

// Every option whose value differs between From and To, in the options' order.
void WriteChanges(const TSettings &From, TReadingRepair &Repair) {
    Repair.ChangeCount = 0;
    for (int32_t Option = 0; Option < OptionCount; ++Option) {
        const TOptionRow &Row = OptionRows[Option];
        const bool Money = Row.Control == TControl::MoneyBox;
        if (Money ? !MoneyDiffers(From, Repair.Record)
                  : OptionValue(Row, From) == OptionValue(Row, Repair.Record))
            continue;
        if (Repair.ChangeCount == RepairChangeCapacity)
            return; // never: see RepairChangeCapacity
        TValueChange &Change = Repair.Changes[Repair.ChangeCount++];
        Change.Option = Option;
        Change.Before = OptionValue(Row, From);
        Change.After = OptionValue(Row, Repair.Record);
        WriteMoneyDigits(From, Change.BeforeMoney);
        WriteMoneyDigits(Repair.Record, Change.AfterMoney);
        if (!Money)
            Change.BeforeMoney[0] = Change.AfterMoney[0] = '\0';
    }
}

void ReadTwelve(const char (&Text)[PasswordLength], TPasswordReading &Reading) {
    FormatPasswordDisplay(Text, Reading.Password);
    TDecodeResult Decoded;
    DecodePasswordText(Text, Decoded);
    Reading.Record = Decoded.Record;
    if (Decoded.Status == TDecodeStatus::Valid) {
        Reading.Status = TReadingStatus::Valid;
        ViewOfRecord(Decoded.Record, Reading.View);
        return;
    }
    Reading.Status = Decoded.Status == TDecodeStatus::BadMoneyDigit ? TReadingStatus::BadMoneyDigit
                                                                    : TReadingStatus::ChecksFail;
    for (int32_t I = 0; I < Decoded.FailedCount; ++I)
        Reading.FailedChecks[I] = Decoded.FailedChecks[I];
    Reading.FailedCount = Decoded.FailedCount;
    for (int32_t Place = 0; Place < MoneyDigitCount; ++Place)
        if (MoneyDigit(Decoded.Record, Place) < 0)
            Reading.MoneyPlaces[Reading.MoneyPlaceCount++] = Place;

    Reading.RepairCount = FindRepairs(Text, Found, RepairTrialCount);
    for (int32_t I = 0; I < Reading.RepairCount; ++I) {
        TReadingRepair &Repair = Reading.Repairs[I];
        Repair.Place = Found[I].Place;
        Repair.Replaced = Text[Repair.Place - 1];
        Repair.Replacement = Found[I].Replacement;
        FormatPasswordDisplay(Found[I].Text, Repair.Password);
        Repair.Record = Found[I].Record;
        WriteChanges(Decoded.Record, Repair);
    }
}

} // namespace

const char *const ReadingStatusNames[ReadingStatusCount] = {
    "empty",             // TReadingStatus::Empty
    "too_short",         // TReadingStatus::TooShort
    "too_long",          // TReadingStatus::TooLong
    "foreign_character", // TReadingStatus::ForeignCharacter
    "checks_fail",       // TReadingStatus::ChecksFail
    "bad_money_digit",   // TReadingStatus::BadMoneyDigit
    "valid",             // TReadingStatus::Valid
};

void ReadTypedPassword(const char32_t *Typed, int32_t Length, TPasswordReading &Reading) {
    Reading.Foreign = TForeignCharacter{};
    Reading.Password[0] = '\0';
    Reading.Record = TSettings{};
    Reading.FailedCount = 0;
    Reading.MoneyPlaceCount = 0;
    Reading.RepairCount = 0;
    Reading.View.HiddenLevelCount = 0;

    char Text[PasswordLength];
    TNormaliseResult Normalised;
    NormalisePassword(Typed, Length, Text, Normalised);
    Reading.Count = Normalised.Count;
    switch (Normalised.Status) {
    case TNormaliseStatus::Done:
        ReadTwelve(Text, Reading);
        return;
    case TNormaliseStatus::BadCharacter:
        Reading.Status = TReadingStatus::ForeignCharacter;
        Reading.Foreign.Place = Normalised.Place;
        Reading.Foreign.Character = Normalised.Character;
        Reading.Foreign.Shown = Shows(Normalised.Character);
        WriteCodeName(Normalised.Character, Reading.Foreign.Code);
        return;
    case TNormaliseStatus::TooShort:
        Reading.Status = Normalised.Count == 0 ? TReadingStatus::Empty : TReadingStatus::TooShort;
        return;
    case TNormaliseStatus::TooLong:
        Reading.Status = TReadingStatus::TooLong;
        return;
    }
}
