// rnrr-pw.exe, a Windows console program: the arguments arrive as UTF-16
// (wmain), and the output goes to a console as UTF-16 with WriteConsoleW, so
// that Cyrillic shows on any console code page; to a pipe or file as UTF-8.
// Standard input is read the same way: typed at a console as UTF-16 with
// ReadConsoleW, from a pipe or file as UTF-8.

#include "text.h"
#include "tool.h"

#include <windows.h>

#include <algorithm>

namespace {

void WriteText(DWORD Which, const std::string &Utf8) {
    if (Utf8.empty())
        return;
    const HANDLE Handle = GetStdHandle(Which);
    DWORD Mode, Written;
    if (GetConsoleMode(Handle, &Mode)) {
        const int Length =
            MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), int(Utf8.size()), nullptr, 0);
        std::wstring Wide(Length, L'\0');
        MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), int(Utf8.size()), &Wide[0], Length);
        WriteConsoleW(Handle, Wide.data(), DWORD(Wide.size()), &Written, nullptr);
    } else {
        WriteFile(Handle, Utf8.data(), DWORD(Utf8.size()), &Written, nullptr);
    }
}

// The whole of standard input as UTF-8.
std::string ReadInput() {
    const HANDLE Handle = GetStdHandle(STD_INPUT_HANDLE);
    std::string Input;
    DWORD Mode, Got;
    if (GetConsoleMode(Handle, &Mode)) {
        wchar_t Typed[1024];
        std::u16string Units;
        // Ctrl+Z ends the input typed at a console.
        while (Units.find(u'\x1a') == std::u16string::npos &&
               ReadConsoleW(Handle, Typed, 1024, &Got, nullptr) && Got > 0)
            Units.append(reinterpret_cast<const char16_t *>(Typed), Got);
        Units.resize(std::min(Units.size(), Units.find(u'\x1a')));
        return Utf8OfUtf16(Units.data(), Units.size());
    }
    char Block[4096];
    while (ReadFile(Handle, Block, sizeof Block, &Got, nullptr) && Got > 0)
        Input.append(Block, Got);
    return Input;
}

} // namespace

int wmain(int Argc, wchar_t **Argv) {
    std::vector<std::string> Args;
    for (int I = 1; I < Argc; ++I)
        // wchar_t is UTF-16 here; a lone surrogate is kept for the messages.
        Args.push_back(Utf8OfUtf16(reinterpret_cast<const char16_t *>(Argv[I]), wcslen(Argv[I])));
    std::string Out, Err;
    const int Code = RunTool(Args, ReadsInput(Args) ? ReadInput() : std::string(), Out, Err);
    WriteText(STD_OUTPUT_HANDLE, Out);
    WriteText(STD_ERROR_HANDLE, Err);
    return Code;
}
