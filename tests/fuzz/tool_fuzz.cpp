// Fuzz target: the whole command-line tool on an argument list. The input is
// split at its zero bytes into the arguments (so an argument holds no zero,
// as on every platform); a first byte of 0xFF instead keeps the input whole
// as one decode argument, zero bytes and all, as a caller other than the
// shell may hand it over. Where the arguments ask for standard input
// (--each), the last of them is that input instead.
//
// Whatever the arguments: an exit code 0, 1 or 2; both outputs valid UTF-8;
// without --each, a usage error says why on the error output and writes
// nothing else.
#include "text.h"
#include "tool.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool Condition) {
    if (!Condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
    const std::string Whole(reinterpret_cast<const char *>(Data), Size);
    std::vector<std::string> Args;
    if (Size > 0 && Data[0] == 0xFF) {
        Args = {"decode", Whole.substr(1)};
    } else {
        size_t Start = 0;
        for (size_t End; (End = Whole.find('\0', Start)) != std::string::npos; Start = End + 1)
            Args.push_back(Whole.substr(Start, End - Start));
        if (Start < Size)
            Args.push_back(Whole.substr(Start));
    }

    std::string Input, Out, Err;
    const bool Each = ReadsInput(Args) && Args.size() > 1;
    if (Each) {
        Input = Args.back();
        Args.pop_back();
    }
    const int Code = RunTool(Args, Input, Out, Err);
    Require(Code == ExitOk || Code == ExitInvalid || Code == ExitUsage);
    std::u32string Decoded;
    Require(DecodeUtf8(Out, Decoded) && DecodeUtf8(Err, Decoded));
    if (Each)
        return 0;
    if (Code == ExitUsage)
        Require(Out.empty() && !Err.empty() && Err.back() == '\n');
    else
        Require(!Out.empty() && Out.back() == '\n');
    return 0;
}
