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

std::string FailureText(const TDecodeResult &Result) {
    if (Result.Status == TDecodeStatus::BadMoneyDigit) {
        std::string Out = "в деньгах нет цифры на месте:";
        const char *const Places[3] = {" сотен", " десятков", " единиц"};
        const int32_t Digits[3] = {Result.Record.MoneyHundreds, Result.Record.MoneyTens,
                                   Result.Record.MoneyUnits};
        bool First = true;
        for (int32_t I = 0; I < 3; ++I)
            if (Digits[I] < 0) {
                Out += (First ? "" : ",") + std::string(Places[I]);
                First = false;
            }
        return Out;
    }
    const int32_t Count = Result.FailedCount;
    std::string Out =
        RussianPlural(Count, "не сходится ", "не сходятся ", "не сходятся ") +
        Counted(Count, "контрольная позиция", "контрольные позиции", "контрольных позиций") +
        " из 0..17:";
    for (int32_t I = 0; I < Count; ++I)
        Out += (I > 0 ? ", " : " ") + Number(Result.FailedChecks[I]);
    return Out;
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

// The password dialog's line for a password that holds levels for bars that
// its car hides: "Пароль верен, но у машины Battle Trak нет шин (в пароле
// уровень 1). Окно берёт ... и покажет пароль ...".
std::string HiddenLevelsLine(const TSettings &Record, const TWindowView &View) {
    std::string Levels;
    for (int32_t I = 0; I < View.HiddenLevelCount; ++I) {
        const THiddenLevel &Hidden = View.HiddenLevels[I];
        if (I > 0)
            Levels += Utf8Of1251(StringTableText(IDS_HIDDEN_AND));
        Levels += FormatStringTableText(Hidden.Bar == TControl::ShocksBar ? IDS_HIDDEN_SHOCKS
                                                                          : IDS_HIDDEN_TIRES,
                                        {Number(Hidden.Level)});
    }
    return FormatStringTableText(IDS_STATUS_HIDDEN, {Utf8Of1251(CarNames[Record.Car]), Levels,
                                                     Utf8Of1251(View.Password)}) +
           "\n";
}

} // namespace

std::string GroupedPassword(const char *Text) {
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Text, Display);
    return Utf8Of1251(Display);
}

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

std::string ValidText(const std::string &Password, const TSettings &Record,
                      const TWindowView &View) {
    return "Пароль: " + Password + "\n" +
           (View.HiddenLevelCount > 0 ? HiddenLevelsLine(Record, View) : "") +
           SettingsListing(Record, "");
}

// ..., "hidden_levels": [{"field": "Tires", "level": 1}], "window_password": "..."
std::string ValidJson(const std::string &Password, const TSettings &Record,
                      const TWindowView &View) {
    std::string Hidden;
    for (int32_t I = 0; I < View.HiddenLevelCount; ++I) {
        const THiddenLevel &Level = View.HiddenLevels[I];
        Hidden += (I > 0 ? ", " : "") + std::string("{\"field\": ") +
                  JsonString(FieldNames[int32_t(RuleOf(Level.Bar).Field)]) +
                  ", \"level\": " + Number(Level.Level) + "}";
    }
    return "{\"valid\": true, \"password\": " + JsonString(Password) + ", " + SettingsJson(Record) +
           ", \"hidden_levels\": [" + Hidden +
           "], \"window_password\": " + JsonString(Utf8Of1251(View.Password)) + "}\n";
}

std::string InvalidText(const char *Text, const TDecodeResult &Result, const TRepair *Repairs,
                        int32_t Count) {
    std::string Out =
        "Пароль " + GroupedPassword(Text) + " неверен: " + FailureText(Result) + ".\n";
    if (Count == 0)
        return Out + "Ни одна замена одного знака не даёт верного пароля.\n";
    Out += std::string("Верный пароль ") + RussianPlural(Count, "даёт ", "дают ", "дают ") +
           Counted(Count, "замена", "замены", "замен") + " одного знака:\n";
    for (int32_t I = 0; I < Count; ++I) {
        const TRepair &R = Repairs[I];
        Out += "\n  " + Number(R.Place) + "-й знак " + Utf8Of1251(&Text[R.Place - 1], 1) + " -> " +
               Utf8Of1251(&R.Replacement, 1) + ": " + GroupedPassword(R.Text) + "\n";
        Out += SettingsListing(R.Record, "    ");
    }
    return Out;
}

std::string InvalidJson(const char *Text, const TDecodeResult &Result, const TRepair *Repairs,
                        int32_t Count) {
    std::string Out = "{\"valid\": false, \"password\": " + JsonString(GroupedPassword(Text)) +
                      ", \"failed_checks\": [";
    for (int32_t I = 0; I < Result.FailedCount; ++I)
        Out += (I > 0 ? ", " : "") + Number(Result.FailedChecks[I]);
    Out += "], \"bad_money_digits\": [";
    bool First = true;
    TSettings Decoded = Result.Record;
    for (TField Field : {TField::MoneyHundreds, TField::MoneyTens, TField::MoneyUnits})
        if (FieldOf(Decoded, Field) < 0) {
            Out += (First ? "" : ", ") + JsonString(FieldNames[int32_t(Field)]);
            First = false;
        }
    Out += "], \"repairs\": [";
    for (int32_t I = 0; I < Count; ++I) {
        std::string Replacement;
        AppendUtf8(Replacement, CodePointOf1251(Repairs[I].Replacement));
        Out += (I > 0 ? ", " : "") + std::string("{\"place\": ") + Number(Repairs[I].Place) +
               ", \"character\": " + JsonString(Replacement) +
               ", \"password\": " + JsonString(GroupedPassword(Repairs[I].Text)) + ", " +
               SettingsJson(Repairs[I].Record) + "}";
    }
    return Out + "]}\n";
}
