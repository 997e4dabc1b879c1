#include "interface_text.h"

#include <windows.h>

TWideText LoadInterfaceText(uint16_t Id) {
    TWideText Loaded;
    int32_t Length = LoadStringW(GetModuleHandleW(nullptr), Id, Loaded.Text, WideTextCapacity);
    Loaded.Length = Length > 0 ? Length : 0;
    Loaded.Text[Loaded.Length] = L'\0';
    return Loaded;
}
