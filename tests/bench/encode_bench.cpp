// The cost of one encoding: settings to PasswordText, as the window runs it
// on every change of a control.

#include "password.h"
#include "settings.h"

#include <benchmark/benchmark.h>

static void EncodeOnePassword(benchmark::State &State) {
    Settings = TSettings{};
    int32_t Round = 0;
    for (auto _ : State) {
        Settings.MoneyUnits = Round % 10; // a fresh record each time
        Settings.Hero = Round % 8;
        ++Round;
        EncodePassword();
        benchmark::DoNotOptimize(PasswordText);
    }
}
BENCHMARK(EncodeOnePassword);
