#include "decode.h"

namespace {

constexpr int32_t FirstCopiedPosition = CheckPositionCount; // 18

// Check positions 16 and 17 hold Difficulty.1 and Difficulty.2, each inverted.
constexpr int32_t DifficultyCheckPosition = 16;

// The value of Field whose pattern equals Pattern[0..width-1], or -1 when no
// value has that pattern (only money digits leave patterns unused).
int32_t ValueOfPattern(TField Field, const uint8_t *Pattern) {
    for (int32_t Value = 0; Value < FieldValueCount(Field); ++Value) {
        bool Same = true;
        for (int32_t K = 1; K <= FieldWidth(Field) && Same; ++K)
            Same = ValueBit(Field, Value, K) == Pattern[K - 1];
        if (Same)
            return Value;
    }
    return -1;
}

void CopyText(const char *From, char *To) {
    for (int32_t I = 0; I < PasswordLength; ++I)
        To[I] = From[I];
}

} // namespace

int32_t AlphabetValue(char C) {
    for (int32_t Value = 0; Value < 32; ++Value)
        if (PasswordAlphabet[Value] == C)
            return Value;
    return -1;
}

bool PasswordTextToBits(const char *Text, TPasswordBits &Bits) {
    for (int32_t I = 0; I < PasswordLength; ++I) {
        const int32_t Value = AlphabetValue(Text[I]);
        if (Value < 0)
            return false;
        // The group's lowest position is its most significant bit.
        for (int32_t J = 0; J < GroupWidth; ++J)
            Bits.Bits[I * GroupWidth + J] = uint8_t((Value >> (GroupWidth - 1 - J)) & 1);
    }
    return true;
}

void EncodeRecord(const TSettings &Record, TPasswordBits &Bits, char (&Text)[PasswordLength]) {
    const TSettings SavedSettings = Settings;
    const TPasswordBits SavedBits = PasswordBits;
    char SavedText[PasswordLength];
    CopyText(PasswordText, SavedText);

    Settings = Record;
    EncodePassword();
    Bits = PasswordBits;
    CopyText(PasswordText, Text);

    Settings = SavedSettings;
    PasswordBits = SavedBits;
    CopyText(SavedText, PasswordText);
}

void DecodePasswordBits(const TPasswordBits &Bits, TDecodeResult &Result) {
    Result.Status = TDecodeStatus::Valid;
    Result.FailedCount = 0;
    Result.BadPlace = 0;

    int32_t Position = FirstCopiedPosition;
    for (TField Field : CopiedFieldOrder) {
        FieldOf(Result.Record, Field) = ValueOfPattern(Field, &Bits.Bits[Position]);
        if (FieldOf(Result.Record, Field) < 0)
            Result.Status = TDecodeStatus::BadMoneyDigit;
        Position += FieldWidth(Field);
    }

    const uint8_t DifficultyPattern[2] = {
        uint8_t(Bits.Bits[DifficultyCheckPosition] ^ 1),
        uint8_t(Bits.Bits[DifficultyCheckPosition + 1] ^ 1),
    };
    Result.Record.Difficulty = ValueOfPattern(TField::Difficulty, DifficultyPattern);
    if (Result.Status != TDecodeStatus::Valid)
        return;

    TPasswordBits Expected;
    char ExpectedText[PasswordLength];
    EncodeRecord(Result.Record, Expected, ExpectedText);
    for (int32_t P = 0; P < CheckPositionCount; ++P)
        if (Expected.Bits[P] != Bits.Bits[P])
            Result.FailedChecks[Result.FailedCount++] = P;
    if (Result.FailedCount > 0)
        Result.Status = TDecodeStatus::ChecksFail;
}

void DecodePasswordText(const char *Text, TDecodeResult &Result) {
    for (int32_t I = 0; I < PasswordLength; ++I) {
        if (AlphabetValue(Text[I]) < 0) {
            Result = TDecodeResult{};
            Result.Status = TDecodeStatus::BadCharacter;
            Result.BadPlace = I + 1;
            return;
        }
    }
    TPasswordBits Bits;
    PasswordTextToBits(Text, Bits);
    DecodePasswordBits(Bits, Result);
}

int32_t FindRepairs(const char *Text, TRepair *Repairs, int32_t Capacity) {
    char Trial[PasswordLength];
    CopyText(Text, Trial);
    int32_t Count = 0;
    TDecodeResult Result;
    for (int32_t I = 0; I < PasswordLength; ++I) {
        for (int32_t Value = 0; Value < 32; ++Value) {
            if (PasswordAlphabet[Value] == Text[I])
                continue;
            Trial[I] = PasswordAlphabet[Value];
            DecodePasswordText(Trial, Result);
            if (Result.Status == TDecodeStatus::Valid) {
                if (Count < Capacity) {
                    TRepair &R = Repairs[Count];
                    R.Place = I + 1;
                    R.Replacement = Trial[I];
                    CopyText(Trial, R.Text);
                    R.Record = Result.Record;
                }
                ++Count;
            }
        }
        Trial[I] = Text[I];
    }
    return Count;
}
