#include "output.h"

#include "naming.h"
#include "reading.h"
#include "resource_ids.h"
#include "russian_plural.h"
#include "string_table.h"
#include "text.h"
#include "window_model.h"

namespace {

constexpr int32_t LabelWidth = 14; // the longest label and a blank

// The value an option shows for a record; for money the whole amount.
int32_t OptionValue(const TOptionRow &Row, const TSettings &Record) {
    if (Row.Control == TControl::MoneyBox)
        return MoneyThousands(Record);
    TSettings Copy = Record;
    return FieldOf(Copy, RuleOf(Row.Control).Field);
}

// {"Difficulty": {"value": 0, "name": "Rookie"}, ...}, "money": 999
std::string SettingsJson(const TSettings &Record) {
    std::string Out = "\"settings\": {";
    TSettings Copy = Record;
    for (int32_t I = 0; I < FieldCount; ++I) {
        const TField Field = TField(I);
        Out += I > 0 ? ", " : "";
        Out += JsonString(FieldNames[I]) + ": {\"value\": " + Number(FieldOf(Copy, Field));
        for (const TOptionRow &Row : OptionRows)
            if (Row.Control != TControl::MoneyBox && RuleOf(Row.Control).Field == Field &&
                OptionValueName(Row, 0) != nullptr)
                Out += ", \"name\": " +
                       JsonString(Utf8Of1251(OptionValueName(Row, FieldOf(Copy, Field))));
        Out += "}";
    }
    return Out + "}, \"money\": " + Number(MoneyThousands(Record));
}

// A text of the window's string table (a format with %d and %ls, which stand
// for the Arguments in turn) as UTF-8.
std::string FormatStringTableText(uint16_t Id, const std::vector<std::string> &Arguments) {
    const std::string Format = Utf8Of1251(StringTableText(Id));
    std::string Out;
    size_t Next = 0;
    for (size_t I = 0; I < Format.size(); ++I) {
        const bool Number = Format.compare(I, 2, "%d") == 0;
        if ((Number || Format.compare(I, 3, "%ls") == 0) && Next < Arguments.size()) {
            Out += Arguments[Next++];
            I += Number ? 1 : 2;
        } else {
            Out += Format[I];
        }
    }
    return Out;
}

std::string TableText(uint16_t Id) {
    return Utf8Of1251(StringTableText(Id));
}

// The form of counted text OneId for Count, with Count as its first number.
std::string CountedText(uint16_t OneId, int32_t Count, const std::vector<std::string> &More = {}) {
    std::vector<std::string> Arguments = {Number(Count)};
    Arguments.insert(Arguments.end(), More.begin(), More.end());
    return FormatStringTableText(uint16_t(OneId + int32_t(RussianPluralForm(Count))), Arguments);
}

// The entries of a list in a text, "8, 11".
std::string Listed(const std::vector<std::string> &Entries,
                   uint16_t SeparatorId = IDS_LIST_SEPARATOR) {
    std::string Out;
    for (size_t I = 0; I < Entries.size(); ++I)
        Out += (I > 0 ? TableText(SeparatorId) : "") + Entries[I];
    return Out;
}

// "Пароль верен, но у машины Battle Trak нет шин (в пароле уровень 1). Окно
// берёт ... и покажет пароль ...": the levels that bars the car hides hold.
std::string HiddenLevelsSentence(const TPasswordReading &Reading) {
    std::vector<std::string> Levels;
    for (int32_t I = 0; I < Reading.View.HiddenLevelCount; ++I) {
        const THiddenLevel &Hidden = Reading.View.HiddenLevels[I];
        Levels.push_back(FormatStringTableText(Hidden.Bar == TControl::ShocksBar ? IDS_HIDDEN_SHOCKS
                                                                                 : IDS_HIDDEN_TIRES,
                                               {Number(Hidden.Level)}));
    }
    return FormatStringTableText(IDS_STATUS_HIDDEN, {Utf8Of1251(CarNames[Reading.Record.Car]),
                                                     Listed(Levels, IDS_HIDDEN_AND),
                                                     Utf8Of1251(Reading.View.Password)});
}

// What the status line of the password dialog says of every reading but a
// valid one without hidden levels.
std::string StatusSentence(const TPasswordReading &Reading) {
    std::vector<std::string> Entries;
    switch (Reading.Status) {
    case TReadingStatus::Empty:
        return TableText(IDS_STATUS_EMPTY);
    case TReadingStatus::TooShort:
    case TReadingStatus::TooLong:
        return CountedText(IDS_STATUS_LENGTH_ONE, Reading.Count);
    case TReadingStatus::ForeignCharacter: {
        const TForeignCharacter &Foreign = Reading.Foreign;
        if (!Foreign.Shown)
            return FormatStringTableText(IDS_STATUS_BAD_MARK,
                                         {Foreign.Code, Number(Foreign.Place)});
        std::string Character;
        AppendUtf8(Character, Foreign.Character);
        return FormatStringTableText(IDS_STATUS_BAD_CHARACTER,
                                     {Character, Foreign.Code, Number(Foreign.Place)});
    }
    case TReadingStatus::ChecksFail:
        for (int32_t I = 0; I < Reading.FailedCount; ++I)
            Entries.push_back(Number(Reading.FailedChecks[I]));
        return CountedText(IDS_STATUS_CHECKS_ONE, Reading.FailedCount, {Listed(Entries)});
    case TReadingStatus::BadMoneyDigit:
        for (int32_t I = 0; I < Reading.MoneyPlaceCount; ++I)
            Entries.push_back(TableText(uint16_t(IDS_MONEY_HUNDREDS + Reading.MoneyPlaces[I])));
        return FormatStringTableText(IDS_STATUS_MONEY, {Listed(Entries)});
    case TReadingStatus::Valid:
        break;
    }
    return Reading.View.HiddenLevelCount > 0 ? HiddenLevelsSentence(Reading) : "";
}

// A value before or after a repair: a list's name, a bar's level, the money's digits.
std::string ChangedValue(const TValueChange &Change, int32_t Value, const char *Money) {
    const TOptionRow &Row = OptionRows[Change.Option];
    if (Row.Control == TControl::MoneyBox)
        return Money;
    const char *Name = OptionValueName(Row, Value);
    return Name != nullptr ? Utf8Of1251(Name) : Number(Value);
}

// "5-й знак Б -> В: ПЬФМ В02Ь ЫЫЛ1 — машина Marauder -> Havac"
std::string RepairSentence(const TReadingRepair &Repair) {
    std::vector<std::string> Changes;
    for (int32_t I = 0; I < Repair.ChangeCount; ++I) {
        const TValueChange &Change = Repair.Changes[I];
        Changes.push_back(FormatStringTableText(
            IDS_CHANGE, {TableText(uint16_t(IDS_VALUE_FIRST + Change.Option)),
                         ChangedValue(Change, Change.Before, Change.BeforeMoney),
                         ChangedValue(Change, Change.After, Change.AfterMoney)}));
    }
    return FormatStringTableText(IDS_REPAIR_LINE,
                                 {Number(Repair.Place), Utf8Of1251(&Repair.Replaced, 1),
                                  Utf8Of1251(&Repair.Replacement, 1), Utf8Of1251(Repair.Password),
                                  Changes.empty() ? TableText(IDS_REPAIR_SAME) : Listed(Changes)});
}

} // namespace

std::string JsonString(const std::string &Utf8) {
    std::string Out = "\"";
    for (char C : Utf8) {
        const unsigned char B = static_cast<unsigned char>(C);
        if (C == '"' || C == '\\') {
            Out += '\\';
            Out += C;
        } else if (B < 0x20) {
            Out += "\\u00";
            Out += "0123456789abcdef"[B >> 4];
            Out += "0123456789abcdef"[B & 0xF];
        } else {
            Out += C;
        }
    }
    return Out + "\"";
}

std::string SettingsListing(const TSettings &Record, const std::string &Indent) {
    std::string Out;
    for (const TOptionRow &Row : OptionRows) {
        const std::string Label = Utf8Of1251(Row.Label);
        std::u32string Characters;
        DecodeUtf8(Label, Characters);
        Out += Indent + Label + std::string(LabelWidth - Characters.size(), ' ');
        const int32_t Value = OptionValue(Row, Record);
        if (OptionValueName(Row, 0) != nullptr)
            Out += Utf8Of1251(OptionValueName(Row, Value)) + ", номер " + Number(Value);
        else if (Row.Control == TControl::MoneyBox)
            Out += Counted(Value, "тысяча", "тысячи", "тысяч") + " $";
        else
            Out += Number(Value);
        Out += '\n';
    }
    return Out;
}

std::string EncodedJson(const std::string &Password, const TSettings &Record,
                        const std::vector<std::string> &Notices) {
    std::string Out =
        "{\"password\": " + JsonString(Password) + ", " + SettingsJson(Record) + ", \"notices\": [";
    for (size_t I = 0; I < Notices.size(); ++I)
        Out += (I > 0 ? ", " : "") + JsonString(Notices[I]);
    return Out + "]}\n";
}

std::string ReadingText(const TPasswordReading &Reading) {
    if (Reading.Status < TReadingStatus::ChecksFail)
        return StatusSentence(Reading) + "\n";
    std::string Out = TableText(IDS_PASSWORD_LABEL) + " " + Utf8Of1251(Reading.Password) + "\n";
    const std::string Status = StatusSentence(Reading);
    Out += Status.empty() ? "" : Status + "\n";
    if (Reading.Status == TReadingStatus::Valid)
        return Out + SettingsListing(Reading.Record, "");
    if (Reading.RepairCount == 0)
        return Out + TableText(IDS_REPAIRS_NONE) + "\n";
    Out += CountedText(IDS_REPAIRS_LISTED_ONE, Reading.RepairCount) + "\n";
    for (int32_t I = 0; I < Reading.RepairCount; ++I)
        Out += "\n  " + RepairSentence(Reading.Repairs[I]) + "\n" +
               SettingsListing(Reading.Repairs[I].Record, "    ");
    return Out;
}

// {"valid": false, "status": "too_short", "count": 8}; from twelve characters
// on the password, and then what a valid one holds, with the levels that bars
// its car hides and the window's password, or the failing checks, the money
// places without a digit and the repairs of an invalid one.
std::string ReadingJson(const TPasswordReading &Reading) {
    const bool Valid = Reading.Status == TReadingStatus::Valid;
    std::string Out = std::string("{\"valid\": ") + (Valid ? "true" : "false") +
                      ", \"status\": " + JsonString(ReadingStatusNames[int32_t(Reading.Status)]) +
                      ", \"count\": " + Number(Reading.Count);
    if (Reading.Status == TReadingStatus::ForeignCharacter) {
        std::string Character;
        AppendUtf8(Character, Reading.Foreign.Character);
        return Out + ", \"place\": " + Number(Reading.Foreign.Place) + ", \"character\": " +
               (Reading.Foreign.Shown ? JsonString(Character)
                                      : "\"\\u" + std::string(Reading.Foreign.Code + 2) + "\"") +
               ", \"code\": " + JsonString(Reading.Foreign.Code) + "}\n";
    }
    if (Reading.Status < TReadingStatus::ChecksFail)
        return Out + "}\n";
    Out += ", \"password\": " + JsonString(Utf8Of1251(Reading.Password));
    if (Valid) {
        std::string Hidden;
        for (int32_t I = 0; I < Reading.View.HiddenLevelCount; ++I) {
            const THiddenLevel &Level = Reading.View.HiddenLevels[I];
            Hidden += (I > 0 ? ", " : "") + std::string("{\"field\": ") +
                      JsonString(FieldNames[int32_t(RuleOf(Level.Bar).Field)]) +
                      ", \"level\": " + Number(Level.Level) + "}";
        }
        return Out + ", " + SettingsJson(Reading.Record) + ", \"hidden_levels\": [" + Hidden +
               "], \"window_password\": " + JsonString(Utf8Of1251(Reading.View.Password)) + "}\n";
    }
    Out += ", \"failed_checks\": [";
    for (int32_t I = 0; I < Reading.FailedCount; ++I)
        Out += (I > 0 ? ", " : "") + Number(Reading.FailedChecks[I]);
    Out += "], \"bad_money_digits\": [";
    for (int32_t I = 0; I < Reading.MoneyPlaceCount; ++I)
        Out += (I > 0 ? ", " : "") +
               JsonString(FieldNames[int32_t(TField::MoneyHundreds) + Reading.MoneyPlaces[I]]);
    Out += "], \"repairs\": [";
    for (int32_t I = 0; I < Reading.RepairCount; ++I) {
        const TReadingRepair &Repair = Reading.Repairs[I];
        Out += (I > 0 ? ", " : "") + std::string("{\"place\": ") + Number(Repair.Place) +
               ", \"character\": " + JsonString(Utf8Of1251(&Repair.Replacement, 1)) +
               ", \"password\": " + JsonString(Utf8Of1251(Repair.Password)) + ", " +
               SettingsJson(Repair.Record) + "}";
    }
    return Out + "]}\n";
}
