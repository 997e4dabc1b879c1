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

int RunEncode(const std::vector<std::string> &Args, std::string &Out, std::string &Err) {
    TEncodeArguments Read;
    std::string Problem;
    if (!ReadEncodeArguments(Args, Read, Problem))
        return UsageError(Err, Problem);

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
            Err += std::string(ProgramName) + ": " + Notice + "\n";
        Out += Password + "\n";
    }
    return ExitOk;
}

int RunDecode(const std::vector<std::string> &Args, std::string &Out, std::string &Err) {
    std::string Typed, Problem;
    bool Json = false;
    std::u32string Points;
    if (!ReadDecodeArguments(Args, Typed, Json, Problem) || !ReadTypedText(Typed, Points, Problem))
        return UsageError(Err, Problem);

    // The model's reading of the password; static, as it has room for every
    // repair.
    static TPasswordReading Reading;
    ReadTypedPassword(Points.data(), int32_t(Points.size()), Reading);
    Out += Json ? ReadingJson(Reading) : ReadingText(Reading);
    return Reading.Status == TReadingStatus::Valid ? ExitOk : ExitInvalid;
}

} // namespace

int RunTool(const std::vector<std::string> &Args, std::string &Out, std::string &Err) {
    for (const std::string &Arg : Args)
        if (Arg == "--help" || Arg == "-h") {
            Out += HelpText();
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
