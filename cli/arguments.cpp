#include "arguments.h"

#include "naming.h"
#include "text.h"

namespace {

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
    const int32_t Index = ReadNumber(Text, ControlMaximum(Row.Control));
    if (Index >= 0)
        return Index;
    std::u32string Typed;
    if (!DecodeUtf8(Text, Typed) || Typed.empty())
        return -1;
    Typed = Folded(Typed);
    for (int32_t Value = 0; Value <= ControlMaximum(Row.Control); ++Value) {
        std::u32string Name;
        DecodeUtf8(Utf8Of1251(OptionValueName(Row, Value)), Name);
        Name = Folded(Name);
        const bool Bracketed = Name.size() > 2 && ((Name.front() == U'(' && Name.back() == U')') ||
                                                   (Name.front() == U'<' && Name.back() == U'>'));
        if (Typed == Name || (Bracketed && Typed == Name.substr(1, Name.size() - 2)))
            return Value;
    }
    return -1;
}

const TOptionRow *FindOption(const std::string &Option) {
    for (const TOptionRow &Row : OptionRows)
        if (Option == std::string("--") + Row.Name)
            return &Row;
    return nullptr;
}

bool Refuse(std::string &Problem, const std::string &Message) {
    Problem = Message;
    return false;
}

} // namespace

std::string Quoted(const std::string &Given) {
    constexpr size_t QuotedCharacters = 40;
    return "«" + PrintableUtf8(Given, QuotedCharacters) + "»";
}

bool ReadEncodeArguments(const std::vector<std::string> &Args, TEncodeArguments &Read,
                         std::string &Problem) {
    StartControlState(Read.State);
    for (bool &Given : Read.Given)
        Given = false;
    Read.Json = false;
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
            Read.Json = true;
            continue;
        }
        const TOptionRow *Row = FindOption(Option);
        if (Row == nullptr)
            return Refuse(Problem, "неизвестный ключ " + Quoted(Args[I]));
        if (!HasValue) {
            if (I + 1 >= Args.size())
                return Refuse(Problem, "ключу " + Option + " нужно значение");
            Value = Args[++I];
        }
        const bool Named = OptionValueName(*Row, 0) != nullptr;
        const int32_t Maximum = ControlMaximum(Row->Control);
        const int32_t V = Named ? ReadListValue(*Row, Value) : ReadNumber(Value, Maximum);
        if (V < 0) {
            if (Named)
                return Refuse(Problem, "у ключа " + Option + " нет значения " + Quoted(Value) +
                                           "; есть: " + ChoiceList(*Row) + " или номер 0.." +
                                           Number(Maximum));
            return Refuse(Problem, "ключ " + Option + " ждёт число 0.." + Number(Maximum) +
                                       ", а не " + Quoted(Value));
        }
        if (Row->Control == TControl::MoneyBox)
            MoneyTextOf(V, Read.State.Money);
        else
            Read.State.Values[int32_t(Row->Control)] = V;
        Read.Given[int32_t(Row->Control)] = true;
    }
    return true;
}

bool ReadDecodeArguments(const std::vector<std::string> &Args, std::string &Typed, bool &Json,
                         std::string &Problem) {
    Json = false;
    Typed.clear();
    int32_t Words = 0;
    for (size_t I = 1; I < Args.size(); ++I) {
        if (Args[I] == "--json") {
            Json = true;
        } else if (Args[I].compare(0, 2, "--") == 0) {
            return Refuse(Problem, "неизвестный ключ " + Quoted(Args[I]));
        } else {
            // A password typed without quotes arrives as several words.
            Typed += (Words++ > 0 ? " " : "") + Args[I];
        }
    }
    if (Words == 0)
        return Refuse(Problem, "нет пароля: rnrr-pw decode ПАРОЛЬ");
    return true;
}

bool ReadTypedText(const std::string &Typed, std::u32string &Points, std::string &Problem) {
    TUtf8Fault Fault;
    if (DecodeUtf8(Typed, Points, &Fault, true))
        return true;
    const char *const Hex = "0123456789ABCDEF";
    return Refuse(Problem, "пароль не в кодировке UTF-8: на месте " + Number(Fault.Place) +
                               " байт 0x" + Hex[Fault.Byte >> 4] + Hex[Fault.Byte & 0xF] +
                               ", не UTF-8");
}

std::vector<std::string> InputLines(const std::string &Input) {
    std::vector<std::string> Lines;
    for (size_t At = 0; At < Input.size();) {
        size_t End = Input.find('\n', At);
        End = End == std::string::npos ? Input.size() : End;
        Lines.push_back(Input.substr(At, End - At));
        if (!Lines.back().empty() && Lines.back().back() == '\r')
            Lines.back().pop_back();
        At = End + 1;
    }
    return Lines;
}

std::vector<std::string> Words(const std::string &Line) {
    std::vector<std::string> Found;
    bool InWord = false, Quoted = false;
    for (char C : Line) {
        if (C == '"') {
            Quoted = !Quoted;
        } else if (!Quoted && (C == ' ' || C == '\t')) {
            InWord = false;
            continue;
        }
        if (!InWord)
            Found.emplace_back();
        InWord = true;
        if (C != '"')
            Found.back() += C;
    }
    return Found;
}
