#include "interface_text.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

#include "russian_plural.h"

namespace {

constexpr int32_t BufferLength = 1024; // 1023 characters and a zero

} // namespace

std::wstring LoadInterfaceText(uint16_t Id) {
    wchar_t Buffer[BufferLength];
    int32_t Length = LoadStringW(GetModuleHandleW(nullptr), Id, Buffer, BufferLength);
    return std::wstring(Buffer, Length > 0 ? Length : 0);
}

std::wstring FormatInterfaceText(uint16_t Id, ...) {
    std::wstring Format = LoadInterfaceText(Id);
    wchar_t Buffer[BufferLength];
    va_list Arguments;
    va_start(Arguments, Id);
    int32_t Length = vswprintf(Buffer, BufferLength, Format.c_str(), Arguments);
    va_end(Arguments);
    // A text that does not fit is cut: vswprintf reports it as a failure.
    Buffer[BufferLength - 1] = L'\0';
    return Length >= 0 ? std::wstring(Buffer, Length) : std::wstring(Buffer);
}

uint16_t CountedTextId(uint16_t OneId, int32_t Count) {
    return uint16_t(OneId + int32_t(RussianPluralForm(Count)));
}
