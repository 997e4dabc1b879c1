// Fuzz target: typed text through the normalising, the reading back and the
// repair search, as the tool and the window's password dialog take it.
//
// The first byte chooses how the rest is read: even, as UTF-8 through the
// tool's decoder (text that fails it stops there); odd, as raw 32-bit code
// units, any value at all. Every property below holds for every input; a
// breach aborts, and the sanitizers catch reads outside a buffer.
#include "decode.h"
#include "normalise.h"
#include "password.h"
#include "settings.h"
#include "text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Require(bool Condition) {
    if (!Condition)
        std::abort();
}

// Decoding a repair's text must give a valid password holding its record.
void CheckRepair(const TRepair &Repair, const char (&Typed)[PasswordLength]) {
    Require(Repair.Place >= 1 && Repair.Place <= PasswordLength);
    Require(Repair.Replacement != Typed[Repair.Place - 1]);
    for (int32_t I = 0; I < PasswordLength; ++I)
        Require(Repair.Text[I] == (I == Repair.Place - 1 ? Repair.Replacement : Typed[I]));
    TDecodeResult Result;
    DecodePasswordText(Repair.Text, Result);
    Require(Result.Status == TDecodeStatus::Valid);
    Require(std::memcmp(&Result.Record, &Repair.Record, sizeof(TSettings)) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
    if (Size == 0)
        return 0;
    std::u32string Input;
    if (Data[0] % 2 == 0) {
        if (!DecodeUtf8(std::string(reinterpret_cast<const char *>(Data + 1), Size - 1), Input))
            return 0;
    } else {
        Input.resize((Size - 1) / 4);
        std::memcpy(&Input[0], Data + 1, Input.size() * 4);
    }

    char Text[PasswordLength];
    TNormaliseResult Normalised;
    NormalisePassword(Input.data(), int32_t(Input.size()), Text, Normalised);
    if (Normalised.Status == TNormaliseStatus::BadCharacter) {
        Require(Normalised.Place >= 1 && Normalised.Place <= int32_t(Input.size()));
        Require(Normalised.Character == Input[Normalised.Place - 1]);
        Require(PasswordCharacterOf(Normalised.Character) == 0);
        Require(!IsIgnoredCharacter(Normalised.Character));
        return 0;
    }
    if (Normalised.Status != TNormaliseStatus::Done) {
        Require((Normalised.Status == TNormaliseStatus::TooShort) ==
                (Normalised.Count < PasswordLength));
        return 0;
    }
    for (char C : Text)
        Require(AlphabetValue(C) >= 0);

    // The reading back leaves the encoder's globals as it found them.
    const TSettings SettingsBefore = Settings;
    char TextBefore[PasswordLength];
    std::memcpy(TextBefore, PasswordText, PasswordLength);
    TDecodeResult Result;
    DecodePasswordText(Text, Result);
    Require(Result.Status != TDecodeStatus::BadCharacter);
    Require(Result.FailedCount >= 0 && Result.FailedCount <= CheckPositionCount);
    if (Result.Status == TDecodeStatus::Valid) {
        TPasswordBits Bits;
        char Again[PasswordLength];
        EncodeRecord(Result.Record, Bits, Again);
        Require(std::memcmp(Again, Text, PasswordLength) == 0);
    } else {
        // A short list gets the first of the repairs that the full list has.
        static TRepair All[RepairTrialCount];
        TRepair Few[2];
        const int32_t Count = FindRepairs(Text, All, RepairTrialCount);
        Require(Count >= 0 && Count <= RepairTrialCount);
        Require(FindRepairs(Text, Few, 2) == Count);
        for (int32_t I = 0; I < Count; ++I)
            CheckRepair(All[I], Text);
        for (int32_t I = 0; I < Count && I < 2; ++I)
            Require(Few[I].Place == All[I].Place && Few[I].Replacement == All[I].Replacement);
    }
    Require(std::memcmp(&Settings, &SettingsBefore, sizeof(TSettings)) == 0);
    Require(std::memcmp(PasswordText, TextBefore, PasswordLength) == 0);
    return 0;
}
