#include "tool.h"

#include "decode.h"
#include "normalise.h"
#include "password.h"
#include "russian_plural.h"
#include "reading.h"
#include "settings.h"
#include "text.h"

#include <cstdint>

namespace {

const char ProgramName[] = "rnrr-pw";

// The colour list's texts (Windows-1251), in list order; the window loads
// the same texts from the string table by ColorNameIds.
const char *const ColorNames[8] = {
    "\xD7\xB8\xF0\xED\xFB\xE9",                       // 0  65529 "Чёрный"
    "\xD1\xE8\xED\xE8\xE9",                           // 1  65530 "Синий"
    "\xCA\xF0\xE0\xF1\xED\xFB\xE9",                   // 2  65531 "Красный"
    "\xC7\xE5\xEB\xB8\xED\xFB\xE9",                   // 3  65532 "Зелёный"
    "\xC7\xEE\xEB\xEE\xF2\xEE\xE9",                   // 4  65533 "Золотой"
    "(\xD1\xEC\xE5\xF8\xE0\xED\xED\xFB\xE9 1)",       // 5  65534 "(Смешанный 1)"
    "(\xD1\xEC\xE5\xF8\xE0\xED\xED\xFB\xE9 2 -SNES)", // 6  65535 "(Смешанный 2 -SNES)"
    "(\xD1\xEC\xE5\xF8\xE0\xED\xED\xFB\xE9 3 -SNES)", // 7  65504 "(Смешанный 3 -SNES)"
};

// The JSON keys: the fields of TSettings by name, in TField order.
const char *const FieldKeys[FieldCount] = {
    "Difficulty",    // TField::Difficulty
    "WeaponCharges", // TField::WeaponCharges
    "BoostCharges",  // TField::BoostCharges
    "DropCharges",   // TField::DropCharges
    "Engine",        // TField::Engine
    "Shocks",        // TField::Shocks
    "Armor",         // TField::Armor
    "Tires",         // TField::Tires
    "Hero",          // TField::Hero
    "Planet",        // TField::Planet
    "Division",      // TField::Division
    "Car",           // TField::Car
    "Color",         // TField::Color
    "MoneyHundreds", // TField::MoneyHundreds
    "MoneyTens",     // TField::MoneyTens
    "MoneyUnits",    // TField::MoneyUnits
};

// One setting as the tool reads and prints it. Money is one option for the
// three digit fields (Field is MoneyHundreds); the others are one field each.
struct TOptionRow {
    const char *Option;       // the encode option
    TField Field;             // the field it sets
    const char *const *Names; // the window's list texts, Windows-1251; nullptr for numbers
    int32_t Maximum;          // the largest value
    const char *Label;        // the label in the decoded listing, UTF-8
};

constexpr int32_t MaximumMoney = 999;

// In the order of the decoded listing; the window's label texts where it has one.
const TOptionRow OptionRows[] = {
    {"--difficulty", TField::Difficulty, DifficultyNames, 3, "Сложность:"},
    {"--hero", TField::Hero, HeroNames, 7, "Герой:"},
    {"--car", TField::Car, CarNames, 7, "Машина:"},
    {"--color", TField::Color, ColorNames, 7, "Цвет:"},
    {"--planet", TField::Planet, PlanetNames, 7, "Планета:"},
    {"--division", TField::Division, DivisionNames, 1, "Дивизия:"},
    {"--money", TField::MoneyHundreds, nullptr, MaximumMoney, "Деньги:"},
    {"--weapon", TField::WeaponCharges, nullptr, 7, "Оружие:"},
    {"--boost", TField::BoostCharges, nullptr, 7, "Ускорение:"},
    {"--drop", TField::DropCharges, nullptr, 7, "Сброс:"},
    {"--engine", TField::Engine, nullptr, 3, "Двигатель:"},
    {"--armor", TField::Armor, nullptr, 3, "Броня:"},
    {"--shocks", TField::Shocks, nullptr, 3, "Амортизаторы:"},
    {"--tires", TField::Tires, nullptr, 3, "Шины:"},
};
constexpr int32_t LabelWidth = 14; // the longest label and a blank

// The window's starting values: Snake Sanders, Красный, Marauder, Rookie,
// CHEM VI, B, 999 thousand dollars, items 7 7 7, Engine 3, Armor 0, Shocks 3,
// Tires 3.
constexpr TSettings StartingSettings = {
    0, // Difficulty     "Rookie"
    7, // WeaponCharges
    7, // BoostCharges
    7, // DropCharges
    3, // Engine
    3, // Shocks
    0, // Armor
    3, // Tires
    0, // Hero           "Snake Sanders"
    0, // Planet         "CHEM VI"
    0, // Division       "B"
    1, // Car            "Marauder"
    2, // Color          "Красный"
    9, // MoneyHundreds
    9, // MoneyTens
    9, // MoneyUnits
};

// The window shows the shocks bar only for cars below this index, the tires
// bar only below the next; a hidden bar's level goes into the password as 0.
constexpr int32_t FirstCarWithoutShocks = 4;
constexpr int32_t FirstCarWithoutTires = 3;

const char HelpText[] = "rnrr-pw: пароли Rock n' Roll Racing.\n"
                        "\n"
                        "  rnrr-pw encode [ключи] [--json]   пароль для выбранных значений\n"
                        "  rnrr-pw decode ПАРОЛЬ [--json]    что хранит пароль; если он неверен,\n"
                        "                                    исправления одной буквой\n"
                        "\n"
                        "Ключи encode (без ключа берётся начальное значение окна):\n"
                        "  --hero ИМЯ  --car ИМЯ  --color ИМЯ  --planet ИМЯ  --division A|B\n"
                        "  --difficulty ИМЯ  --money 0..999  --engine 0..3  --armor 0..3\n"
                        "  --shocks 0..3  --tires 0..3  --weapon 0..7  --boost 0..7  --drop 0..7\n"
                        "Имя пишется как в списке окна, в любом регистре, скобки можно опустить;\n"
                        "годится и номер в списке, от 0. У машин с номера 3 нет шин, с номера 4 и\n"
                        "амортизаторов: их уровень в пароле 0.\n"
                        "В ПАРОЛЕ пробелы, дефисы и невидимые знаки нулевой ширины не важны,\n"
                        "строчные буквы, похожие латинские (B, E, H, M, O, P, T, X, Y) и цифры\n"
                        "во всю ширину читаются как знаки пароля.\n"
                        "\n"
                        "Код выхода: 0 - готово или пароль верен, 1 - пароль неверен,\n"
                        "2 - неверная команда, ключ или значение.\n";

// ---- output helpers ----

std::string Number(int32_t Value) {
    if (Value < 0)
        return "-" + Number(-Value);
    std::string Digits;
    do {
        Digits.insert(Digits.begin(), char('0' + Value % 10));
        Value /= 10;
    } while (Value > 0);
    return Digits;
}

// "1 знак", "3 знака", "12 знаков".
std::string Counted(int32_t Count, const char *One, const char *Few, const char *Many) {
    return Number(Count) + " " + RussianPlural(Count, One, Few, Many);
}

std::string CodePointName(char32_t C) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string Out = "U+";
    // Four hex digits, or as many as a larger value needs: U+0041, U+1F600.
    int32_t Shift = 12;
    while (Shift < 28 && (C >> (Shift + 4)) != 0)
        Shift += 4;
    for (; Shift >= 0; Shift -= 4)
        Out += Hex[(C >> Shift) & 0xF];
    return Out;
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

int32_t MoneyOf(const TSettings &Record) {
    return Record.MoneyHundreds * 100 + Record.MoneyTens * 10 + Record.MoneyUnits;
}

// The value of a row in a record; for money the whole amount.
int32_t RowValue(const TOptionRow &Row, const TSettings &Record) {
    if (Row.Field == TField::MoneyHundreds)
        return MoneyOf(Record);
    TSettings Copy = Record;
    return FieldOf(Copy, Row.Field);
}

// "ПЬФМ В02Ь ЫЫЛ!" for 12 password characters.
std::string GroupedPassword(const char *Text) {
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Text, Display);
    return Utf8Of1251(Display);
}

// The listing of the sixteen values, one line per setting, each line
// starting with Indent.
std::string SettingsListing(const TSettings &Record, const std::string &Indent) {
    std::string Out;
    for (const TOptionRow &Row : OptionRows) {
        std::u32string Label;
        DecodeUtf8(Row.Label, Label);
        Out += Indent + Row.Label + std::string(LabelWidth - Label.size(), ' ');
        const int32_t Value = RowValue(Row, Record);
        if (Row.Names != nullptr)
            Out += Utf8Of1251(Row.Names[Value]) + ", номер " + Number(Value);
        else if (Row.Field == TField::MoneyHundreds)
            Out += Counted(Value, "тысяча", "тысячи", "тысяч") + " $";
        else
            Out += Number(Value);
        Out += '\n';
    }
    return Out;
}

// {"Difficulty": {"value": 0, "name": "Rookie"}, ...}, "money": 999
std::string SettingsJson(const TSettings &Record) {
    std::string Out = "\"settings\": {";
    TSettings Copy = Record;
    for (int32_t I = 0; I < FieldCount; ++I) {
        const TField Field = TField(I);
        Out += I > 0 ? ", " : "";
        Out += JsonString(FieldKeys[I]) + ": {\"value\": " + Number(FieldOf(Copy, Field));
        for (const TOptionRow &Row : OptionRows)
            if (Row.Field == Field && Row.Names != nullptr)
                Out += ", \"name\": " + JsonString(Utf8Of1251(Row.Names[FieldOf(Copy, Field)]));
        Out += "}";
    }
    return Out + "}, \"money\": " + Number(MoneyOf(Record));
}

// ---- reading the arguments ----

std::u32string Folded(const std::u32string &Text) {
    std::u32string Out;
    for (char32_t C : Text)
        Out += FoldCase(C);
    return Out;
}

// A whole decimal number 0..Maximum, at most four digits; -1 otherwise.
int32_t ReadNumber(const std::string &Text, int32_t Maximum) {
    if (Text.empty() || Text.size() > 4)
        return -1;
    int32_t Value = 0;
    for (char C : Text) {
        if (C < '0' || C > '9')
            return -1;
        Value = Value * 10 + (C - '0');
    }
    return Value <= Maximum ? Value : -1;
}

// The list index that Text names: the list text in any case, the same without
// its round or angle brackets, or the index itself; -1 when none fits.
int32_t ReadListValue(const TOptionRow &Row, const std::string &Text) {
    const int32_t Index = ReadNumber(Text, Row.Maximum);
    if (Index >= 0)
        return Index;
    std::u32string Typed;
    if (!DecodeUtf8(Text, Typed) || Typed.empty())
        return -1;
    Typed = Folded(Typed);
    for (int32_t Value = 0; Value <= Row.Maximum; ++Value) {
        std::u32string Name;
        DecodeUtf8(Utf8Of1251(Row.Names[Value]), Name);
        Name = Folded(Name);
        const bool Bracketed = Name.size() > 2 && ((Name.front() == U'(' && Name.back() == U')') ||
                                                   (Name.front() == U'<' && Name.back() == U'>'));
        if (Typed == Name || (Bracketed && Typed == Name.substr(1, Name.size() - 2)))
            return Value;
    }
    return -1;
}

std::string ChoiceList(const TOptionRow &Row) {
    std::string Out;
    for (int32_t Value = 0; Value <= Row.Maximum; ++Value)
        Out += (Value > 0 ? ", " : "") + Utf8Of1251(Row.Names[Value]);
    return Out;
}

const TOptionRow *FindOption(const std::string &Option) {
    for (const TOptionRow &Row : OptionRows)
        if (Option == Row.Option)
            return &Row;
    return nullptr;
}

// What the user gave, between «», as a message may show it: at most 40
// characters, nothing that is not UTF-8, no control characters.
std::string Quoted(const std::string &Given) {
    constexpr size_t QuotedCharacters = 40;
    return "«" + PrintableUtf8(Given, QuotedCharacters) + "»";
}

int UsageError(std::string &Err, const std::string &Message) {
    Err += std::string(ProgramName) + ": " + Message + "\n";
    Err += std::string("Справка: ") + ProgramName + " --help\n";
    return ExitUsage;
}

void SetRowValue(const TOptionRow &Row, int32_t Value, TSettings &Record) {
    if (Row.Field == TField::MoneyHundreds) {
        Record.MoneyHundreds = Value / 100;
        Record.MoneyTens = Value / 10 % 10;
        Record.MoneyUnits = Value % 10;
    } else {
        FieldOf(Record, Row.Field) = Value;
    }
}

// ---- the commands ----

// Applies the window's rule of hidden bars; a level that the user gave and
// that the rule drops is named in Notices, one line each.
void ApplyHiddenUpgrades(TSettings &Record, bool ShocksGiven, bool TiresGiven,
                         std::vector<std::string> &Notices) {
    const std::string Car = Utf8Of1251(CarNames[Record.Car]);
    if (Record.Car >= FirstCarWithoutShocks) {
        if (ShocksGiven && Record.Shocks != 0)
            Notices.push_back("у машины " + Car + " нет амортизаторов: уровень " +
                              Number(Record.Shocks) + " не входит в пароль, взят 0");
        Record.Shocks = 0;
    }
    if (Record.Car >= FirstCarWithoutTires) {
        if (TiresGiven && Record.Tires != 0)
            Notices.push_back("у машины " + Car + " нет шин: уровень " + Number(Record.Tires) +
                              " не входит в пароль, взят 0");
        Record.Tires = 0;
    }
}

int RunEncode(const std::vector<std::string> &Args, std::string &Out, std::string &Err) {
    TSettings Record = StartingSettings;
    bool Json = false, ShocksGiven = false, TiresGiven = false;
    for (size_t I = 1; I < Args.size(); ++I) {
        std::string Option = Args[I], Value;
        bool HasValue = false;
        const size_t Equals = Option.find('=');
        if (Option.compare(0, 2, "--") == 0 && Equals != std::string::npos) {
            Value = Option.substr(Equals + 1);
            Option.resize(Equals);
            HasValue = true;
        }
        if (Option == "--json" && !HasValue) {
            Json = true;
            continue;
        }
        const TOptionRow *Row = FindOption(Option);
        if (Row == nullptr)
            return UsageError(Err, "неизвестный ключ " + Quoted(Args[I]));
        if (!HasValue) {
            if (I + 1 >= Args.size())
                return UsageError(Err, "ключу " + Option + " нужно значение");
            Value = Args[++I];
        }
        const int32_t V =
            Row->Names != nullptr ? ReadListValue(*Row, Value) : ReadNumber(Value, Row->Maximum);
        if (V < 0) {
            if (Row->Names != nullptr)
                return UsageError(Err, "у ключа " + Option + " нет значения " + Quoted(Value) +
                                           "; есть: " + ChoiceList(*Row) + " или номер 0.." +
                                           Number(Row->Maximum));
            return UsageError(Err, "ключ " + Option + " ждёт число 0.." + Number(Row->Maximum) +
                                       ", а не " + Quoted(Value));
        }
        SetRowValue(*Row, V, Record);
        ShocksGiven = ShocksGiven || Row->Field == TField::Shocks;
        TiresGiven = TiresGiven || Row->Field == TField::Tires;
    }

    std::vector<std::string> Notices;
    ApplyHiddenUpgrades(Record, ShocksGiven, TiresGiven, Notices);

    // The window's own steps: encode the global Settings, group the text.
    Settings = Record;
    EncodePassword();
    char Display[PasswordDisplaySize];
    FormatPasswordDisplay(Display);
    const std::string Password = Utf8Of1251(Display);

    if (Json) {
        Out += "{\"password\": " + JsonString(Password) + ", " + SettingsJson(Record) +
               ", \"notices\": [";
        for (size_t I = 0; I < Notices.size(); ++I)
            Out += (I > 0 ? ", " : "") + JsonString(Notices[I]);
        Out += "]}\n";
    } else {
        for (const std::string &Notice : Notices)
            Err += std::string(ProgramName) + ": " + Notice + "\n";
        Out += Password + "\n";
    }
    return ExitOk;
}

// A character as the messages show it: the character itself between «»
// and its code, or the code alone for one that shows nothing or changes what
// stands next to it (controls, marks, format characters, surrogates).
std::string ShownCharacter(char32_t C) {
    struct TRange {
        char32_t First, Last;
    };
    constexpr TRange Unshown[] = {
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
    for (const TRange &Range : Unshown)
        if (C >= Range.First && C <= Range.Last)
            return CodePointName(C);
    std::string Out = "«";
    AppendUtf8(Out, C);
    return Out + "» (" + CodePointName(C) + ")";
}

// Typed text -> 12 alphabet characters, or a usage error. Places count the
// typed characters from 1.
bool ReadPassword(const std::string &Typed, char (&Text)[PasswordLength], std::string &Problem) {
    std::u32string Input;
    TUtf8Fault Fault;
    if (!DecodeUtf8(Typed, Input, &Fault)) {
        const char *const Hex = "0123456789ABCDEF";
        const std::string What =
            Fault.Surrogate != 0
                ? "половина суррогатной пары " + CodePointName(Fault.Surrogate) + " без пары"
                : std::string("байт 0x") + Hex[Fault.Byte >> 4] + Hex[Fault.Byte & 0xF] +
                      ", не UTF-8";
        Problem = "пароль не в кодировке UTF-8: на месте " + Number(Fault.Place) + " " + What;
        return false;
    }
    TNormaliseResult Result;
    NormalisePassword(Input.data(), int32_t(Input.size()), Text, Result);
    switch (Result.Status) {
    case TNormaliseStatus::Done:
        return true;
    case TNormaliseStatus::BadCharacter:
        Problem = "знака " + ShownCharacter(Result.Character) + " на месте " +
                  Number(Result.Place) + " не бывает в пароле";
        return false;
    case TNormaliseStatus::TooShort:
    case TNormaliseStatus::TooLong:
        Problem = "в пароле " + Counted(Result.Count, "знак", "знака", "знаков") +
                  ", а нужно 12 (пробелы и дефисы не в счёт)";
        return false;
    }
    return false;
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

int RunDecode(const std::vector<std::string> &Args, std::string &Out, std::string &Err) {
    bool Json = false;
    std::string Typed;
    int32_t Words = 0;
    for (size_t I = 1; I < Args.size(); ++I) {
        if (Args[I] == "--json") {
            Json = true;
        } else if (Args[I].compare(0, 2, "--") == 0) {
            return UsageError(Err, "неизвестный ключ " + Quoted(Args[I]));
        } else {
            // A password typed without quotes arrives as several words.
            Typed += (Words++ > 0 ? " " : "") + Args[I];
        }
    }
    if (Words == 0)
        return UsageError(Err, "нет пароля: rnrr-pw decode ПАРОЛЬ");

    char Text[PasswordLength];
    std::string Problem;
    if (!ReadPassword(Typed, Text, Problem))
        return UsageError(Err, Problem);

    TDecodeResult Result;
    DecodePasswordText(Text, Result);
    const std::string Password = GroupedPassword(Text);
    if (Result.Status == TDecodeStatus::Valid) {
        if (Json)
            Out += "{\"valid\": true, \"password\": " + JsonString(Password) + ", " +
                   SettingsJson(Result.Record) + "}\n";
        else
            Out += "Пароль: " + Password + "\n" + SettingsListing(Result.Record, "");
        return ExitOk;
    }

    static TRepair Repairs[RepairTrialCount];
    const int32_t Count = FindRepairs(Text, Repairs, RepairTrialCount);
    if (Json) {
        Out +=
            "{\"valid\": false, \"password\": " + JsonString(Password) + ", \"failed_checks\": [";
        for (int32_t I = 0; I < Result.FailedCount; ++I)
            Out += (I > 0 ? ", " : "") + Number(Result.FailedChecks[I]);
        Out += "], \"bad_money_digits\": [";
        bool First = true;
        for (TField Field : {TField::MoneyHundreds, TField::MoneyTens, TField::MoneyUnits})
            if (FieldOf(Result.Record, Field) < 0) {
                Out += (First ? "" : ", ") + JsonString(FieldKeys[int32_t(Field)]);
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
        Out += "]}\n";
        return ExitInvalid;
    }

    Out += "Пароль " + Password + " неверен: " + FailureText(Result) + ".\n";
    if (Count == 0) {
        Out += "Ни одна замена одного знака не даёт верного пароля.\n";
        return ExitInvalid;
    }
    Out += std::string("Верный пароль ") + RussianPlural(Count, "даёт ", "дают ", "дают ") +
           Counted(Count, "замена", "замены", "замен") + " одного знака:\n";
    for (int32_t I = 0; I < Count; ++I) {
        const TRepair &R = Repairs[I];
        Out += "\n  " + Number(R.Place) + "-й знак " + Utf8Of1251(&Text[R.Place - 1], 1) + " -> " +
               Utf8Of1251(&R.Replacement, 1) + ": " + GroupedPassword(R.Text) + "\n";
        Out += SettingsListing(R.Record, "    ");
    }
    return ExitInvalid;
}

} // namespace

int RunTool(const std::vector<std::string> &Args, std::string &Out, std::string &Err) {
    for (const std::string &Arg : Args)
        if (Arg == "--help" || Arg == "-h") {
            Out += HelpText;
            return ExitOk;
        }
    if (Args.empty())
        return UsageError(Err, "нужна команда: encode или decode");
    if (Args[0] == "encode")
        return RunEncode(Args, Out, Err);
    if (Args[0] == "decode")
        return RunDecode(Args, Out, Err);
    return UsageError(Err, "неизвестная команда " + Quoted(Args[0]) + "; есть encode и decode");
}
