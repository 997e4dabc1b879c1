// The tool's two commands over the encoder and the window model: encode reads
// its options into the window's controls and encodes them as the window does;
// decode says what the model reads of a typed password.
#include "tool.h"

#include "arguments.h"
#include "naming.h"
#include "output.h"
#include "password_reading.h"
#include "settings.h"
#include "text.h"
#include "window_model.h"
#include "window_view.h"

#include <cstdint>

namespace {

const char ProgramName[] = "rnrr-pw";

// The first car whose Bar the window hides.
int32_t FirstCarWithout(TControl Bar) {
    int32_t Car = 0;
    while (Car <= ControlMaximum(TControl::CarList) && ControlShown(Bar, Car))
        ++Car;
    return Car;
}

std::string HelpText() {
    return "rnrr-pw: пароли Rock n' Roll Racing.\n"
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
           "годится и номер в списке, от 0. У машин с номера " +
           Number(FirstCarWithout(TControl::TiresBar)) + " нет шин, с номера " +
           Number(FirstCarWithout(TControl::ShocksBar)) +
           " и\n"
           "амортизаторов: их уровень в пароле 0.\n"
           "В ПАРОЛЕ пробелы, дефисы и невидимые знаки нулевой ширины не важны,\n"
           "строчные буквы, похожие латинские (B, E, H, M, O, P, T, X, Y) и цифры\n"
           "во всю ширину читаются как знаки пароля.\n"
           "С ключом --each команда выполняется для каждой строки стандартного ввода:\n"
           "у encode строка добавляет свои ключи к ключам команды, у decode строка и\n"
           "есть пароль. Ответы идут по порядку, по одному на строку (ответы decode\n"
           "без --json разделены пустой строкой); код выхода - наибольший из них.\n"
           "\n"
           "Код выхода: 0 - готово или пароль верен, 1 - пароль неверен,\n"
           "2 - неверная команда, ключ или значение.\n";
}

int UsageError(std::string &Err, const std::string &Message) {
    Err += std::string(ProgramName) + ": " + Message + "\n";
    Err += std::string("Справка: ") + ProgramName + " --help\n";
    return ExitUsage;
}

// What a bar that a car hides is called in a notice: "нет шин".
const char *MissingBarName(TControl Bar) {
    return Bar == TControl::ShocksBar ? "амортизаторов" : "шин";
}

// The levels that the user gave for bars that the car hides, which the
// window's view drops from the password, one line each.
std::vector<std::string> HiddenLevelNotices(const TEncodeArguments &Read, const TWindowView &View) {
    std::vector<std::string> Notices;
    const char *Car = CarNames[View.Record.Car];
    for (int32_t I = 0; I < View.HiddenLevelCount; ++I) {
        const THiddenLevel &Hidden = View.HiddenLevels[I];
        if (Read.Given[int32_t(Hidden.Bar)])
            Notices.push_back("у машины " + Utf8Of1251(Car) + " нет " + MissingBarName(Hidden.Bar) +
                              ": уровень " + Number(Hidden.Level) + " не входит в пароль, взят 0");
    }
    return Notices;
}

// encode and decode answer Out, say their notices on Err and return their
// exit code; or return ExitUsage with the Problem, which RunTool reports.
int RunEncode(const std::vector<std::string> &Args, std::string &Out, std::string &Err,
              std::string &Problem) {
    TEncodeArguments Read;
    if (!ReadEncodeArguments(Args, Read, Problem))
        return ExitUsage;

    // What the window shows for these controls: its password, and the levels
    // of hidden bars that it drops.
    TWindowView View;
    ViewOf(Read.State, TSettings{}, View);
    const std::vector<std::string> Notices = HiddenLevelNotices(Read, View);
    const std::string Password = Utf8Of1251(View.Password);

    if (Read.Json) {
        Out += EncodedJson(Password, View.Record, Notices);
    } else {
        for (const std::string &Notice : Notices)
            Err += Notice + "\n";
        Out += Password + "\n";
    }
    return ExitOk;
}

int RunDecode(const std::vector<std::string> &Args, std::string &Out, std::string &,
              std::string &Problem) {
    std::string Typed;
    bool Json = false;
    std::u32string Points;
    if (!ReadDecodeArguments(Args, Typed, Json, Problem) || !ReadTypedText(Typed, Points, Problem))
        return ExitUsage;

    // The model's reading of the password; static, as it has room for every
    // repair.
    static TPasswordReading Reading;
    ReadTypedPassword(Points.data(), int32_t(Points.size()), Reading);
    Out += Json ? ReadingJson(Reading) : ReadingText(Reading);
    return Reading.Status == TReadingStatus::Valid ? ExitOk : ExitInvalid;
}

using TCommand = int (*)(const std::vector<std::string> &Args, std::string &Out, std::string &Err,
                         std::string &Problem);

// Notices and problems as the tool says them: "rnrr-pw: ..." on a line each.
void Say(std::string &Err, const std::string &Prefix, const std::string &Lines) {
    for (size_t At = 0; At < Lines.size();) {
        const size_t End = Lines.find('\n', At);
        Err += ProgramName + std::string(": ") + Prefix + Lines.substr(At, End - At) + "\n";
        At = End == std::string::npos ? Lines.size() : End + 1;
    }
}

// --each: Run once for every line of Input, the line's words after the
// command line's (encode) or the line as the password (decode), each
// answering in turn: decode's answers in text apart by an empty line, every
// other answer one line, a line that cannot be read answered by an empty
// line, or with --json by {"error": ...}. Notices and problems name their
// line. The exit code is the largest of the lines'.
int RunEach(TCommand Run, bool Decode, std::vector<std::string> Args, const std::string &Input,
            std::string &Out, std::string &Err) {
    bool Json = false;
    for (const std::string &Arg : Args)
        Json |= Arg == "--json";
    int Code = ExitOk;
    const std::vector<std::string> Lines = InputLines(Input);
    for (size_t Line = 0; Line < Lines.size(); ++Line) {
        std::vector<std::string> LineArgs = Args;
        if (Decode)
            LineArgs.push_back(Lines[Line]);
        else
            for (const std::string &Word : Words(Lines[Line]))
                LineArgs.push_back(Word);
        std::string Answer, Notices, Problem;
        const int LineCode = Run(LineArgs, Answer, Notices, Problem);
        const std::string Where = "строка " + Number(int32_t(Line + 1)) + ": ";
        Say(Err, Where, Notices + Problem);
        if (LineCode == ExitUsage)
            Answer = Json ? "{\"error\": " + JsonString(Problem) + "}\n" : "\n";
        Out += (Decode && !Json && Line > 0 ? "\n" : "") + Answer;
        Code = LineCode > Code ? LineCode : Code;
    }
    return Code;
}

} // namespace

bool ReadsInput(const std::vector<std::string> &Args) {
    for (const std::string &Arg : Args)
        if (Arg == "--each")
            return true;
    return false;
}

int RunTool(const std::vector<std::string> &Args, const std::string &Input, std::string &Out,
            std::string &Err) {
    for (const std::string &Arg : Args)
        if (Arg == "--help" || Arg == "-h") {
            Out += HelpText();
            return ExitOk;
        }
    if (Args.empty())
        return UsageError(Err, "нужна команда: encode или decode");
    const bool Decode = Args[0] == "decode";
    if (!Decode && Args[0] != "encode")
        return UsageError(Err, "неизвестная команда " + Quoted(Args[0]) + "; есть encode и decode");
    const TCommand Run = Decode ? RunDecode : RunEncode;
    std::vector<std::string> Given;
    for (const std::string &Arg : Args)
        if (Arg != "--each")
            Given.push_back(Arg);
    if (Given.size() < Args.size()) {
        // The command line must read on its own, decode's without a password.
        TEncodeArguments Read;
        std::string Problem;
        for (size_t I = 1; Decode && I < Given.size(); ++I)
            if (Given[I] != "--json")
                return UsageError(Err, "decode --each берёт пароли со стандартного ввода, по"
                                       " строке на пароль, и из ключей только --json");
        if (!Decode && !ReadEncodeArguments(Given, Read, Problem))
            return UsageError(Err, Problem);
        return RunEach(Run, Decode, Given, Input, Out, Err);
    }
    std::string Notices, Problem;
    const int Code = Run(Given, Out, Notices, Problem);
    Say(Err, "", Notices);
    return Code == ExitUsage ? UsageError(Err, Problem) : Code;
}
