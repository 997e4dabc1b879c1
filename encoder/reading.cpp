#include "reading.h"

#include "password.h"
#include "settings.h"

int32_t MoneyDigitValue(char C) {
    return C >= '0' && C <= '9' ? C - '0' : 0;
}

void ReadMoneyText(const char *Text, int32_t Length, TSettings &Record) {
    if (Length >= MoneyBufferSize)
        return;
    int32_t Digits[3] = {0, 0, 0}; // hundreds, tens, units
    for (int32_t I = 0; I < Length; ++I)
        Digits[3 - Length + I] = MoneyDigitValue(Text[I]);
    Record.MoneyHundreds = Digits[0];
    Record.MoneyTens = Digits[1];
    Record.MoneyUnits = Digits[2];
}

void FormatPasswordDisplay(char (&Display)[PasswordDisplaySize]) {
    FormatPasswordDisplay(PasswordText, Display);
}

void FormatPasswordDisplay(const char *Text, char (&Display)[PasswordDisplaySize]) {
    int32_t Out = 0;
    for (int32_t I = 0; I < PasswordLength; ++I) {
        if (I == 4 || I == 8)
            Display[Out++] = ' ';
        Display[Out++] = Text[I];
    }
    Display[Out] = '\0';
}
