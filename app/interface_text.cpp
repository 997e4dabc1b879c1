#include "interface_text.h"

#include <windows.h>

std::wstring LoadInterfaceText(uint16_t Id) {
    constexpr int32_t BufferLength = 1024; // 1023 characters and a zero
    wchar_t Buffer[BufferLength];
    int32_t Length = LoadStringW(GetModuleHandleW(nullptr), Id, Buffer, BufferLength);
    return std::wstring(Buffer, Length > 0 ? Length : 0);
}
