// Reading a password back: one decode with the check of positions 0..17, the
// normalising of a typed password, and one whole repair search (372 trials).

#include "decode.h"
#include "normalise.h"

#include <benchmark/benchmark.h>

namespace {

// "ПЬФМВ02ЬЫЫЛ!", the password of the window's starting values, in Windows-1251.
const char StartingText[PasswordLength + 1] = "\xCF\xDC\xD4\xCC\xC2"
                                              "02\xDC\xDB\xDB\xCB!";
// The same with its first character changed to "4": fails check 0.
const char FirstWrongText[PasswordLength + 1] = "4\xDC\xD4\xCC\xC2"
                                                "02\xDC\xDB\xDB\xCB!";

void DecodeAndCheck(benchmark::State &State) {
    TDecodeResult Result;
    for (auto _ : State) {
        DecodePasswordText(StartingText, Result);
        benchmark::DoNotOptimize(Result);
    }
}
BENCHMARK(DecodeAndCheck);

void NormaliseTyped(benchmark::State &State) {
    const char32_t Typed[] = U"пьфм-в02ь-ыыл!";
    char Text[PasswordLength];
    TNormaliseResult Result;
    for (auto _ : State) {
        NormalisePassword(Typed, int32_t(sizeof(Typed) / sizeof(Typed[0]) - 1), Text, Result);
        benchmark::DoNotOptimize(Text);
    }
}
BENCHMARK(NormaliseTyped);

void RepairSearch(benchmark::State &State) {
    static TRepair Repairs[RepairTrialCount];
    for (auto _ : State) {
        const int32_t Count = FindRepairs(FirstWrongText, Repairs, RepairTrialCount);
        benchmark::DoNotOptimize(Count);
    }
}
BENCHMARK(RepairSearch)->Unit(benchmark::kMicrosecond);

} // namespace
