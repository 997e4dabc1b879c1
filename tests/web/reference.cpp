// The host encoder's answers for the page's module to be compared with:
//   web-reference SEED COUNT
// For each of COUNT random settings records, one line
//   E v0 .. v15 PASSWORD
// and for the same password with one character changed at random, one line
//   D PASSWORD STATUS FAILED... ; REPAIRS [PLACE CHARACTER TEXT]...
// Passwords and characters are printed as hexadecimal Windows-1251 bytes.
#include "decode.h"
#include "password.h"
#include "../unit/random_settings.h"

#include <cstdio>
#include <cstdlib>

namespace {

void PrintHex(const char *Text, int32_t Length) {
    std::printf(" ");
    for (int32_t I = 0; I < Length; ++I)
        std::printf("%02x", unsigned(static_cast<unsigned char>(Text[I])));
}

TRepair Repairs[RepairTrialCount];

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: web-reference SEED COUNT\n");
        return 2;
    }
    std::mt19937 Rng(unsigned(std::atoi(argv[1])));
    const int32_t Count = std::atoi(argv[2]);
    for (int32_t Round = 0; Round < Count; ++Round) {
        const TSettings Record = RandomSettings(Rng);
        TPasswordBits Bits;
        char Text[PasswordLength];
        EncodeRecord(Record, Bits, Text);
        TSettings Copy = Record;
        std::printf("E");
        for (TField Field : AllFields)
            std::printf(" %d", FieldOf(Copy, Field));
        PrintHex(Text, PasswordLength);
        std::printf("\n");

        const int32_t Place = int32_t(Rng() % PasswordLength);
        Text[Place] = PasswordAlphabet[(AlphabetValue(Text[Place]) + 1 + Rng() % 31) % 32];
        TDecodeResult Result;
        DecodePasswordText(Text, Result);
        std::printf("D");
        PrintHex(Text, PasswordLength);
        std::printf(" %d", int(Result.Status));
        for (int32_t I = 0; I < Result.FailedCount; ++I)
            std::printf(" %d", Result.FailedChecks[I]);
        const int32_t Found = FindRepairs(Text, Repairs, RepairTrialCount);
        std::printf(" ; %d", Found);
        for (int32_t I = 0; I < Found; ++I) {
            std::printf(" %d", Repairs[I].Place);
            PrintHex(&Repairs[I].Replacement, 1);
            PrintHex(Repairs[I].Text, PasswordLength);
        }
        std::printf("\n");
    }
    return 0;
}
