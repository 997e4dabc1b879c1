// rnrr-spawn.exe: starts a program with a command line exactly as given,
// through CreateProcessW, so that a test can hand a Windows program what no
// shell passes: lone surrogates, and a command line of the full 32 767
// characters.
//   rnrr-spawn PROGRAM TAIL
// TAIL is ASCII: the command line after the quoted program path, with \uXXXX
// for any UTF-16 unit, \\ for a backslash and \*NNNNN before a unit to
// repeat it. The program inherits the
// standard handles; the exit code is the program's, or 125 when it cannot
// start and 124 when it runs longer than a minute.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD StartFailed = 125;
constexpr DWORD TimedOut = 124;
constexpr DWORD LongestRunMs = 60000;

int HexValue(wchar_t C) {
    if (C >= L'0' && C <= L'9')
        return C - L'0';
    if (C >= L'A' && C <= L'F')
        return C - L'A' + 10;
    if (C >= L'a' && C <= L'f')
        return C - L'a' + 10;
    return -1;
}

// Reads Digits digits of Base at C into Value; false when one is missing.
bool ReadNumber(const wchar_t *C, int Digits, int Base, int &Value) {
    Value = 0;
    for (int K = 0; K < Digits; ++K) {
        const int Digit = HexValue(C[K]);
        if (Digit < 0 || Digit >= Base)
            return false;
        Value = Value * Base + Digit;
    }
    return true;
}

// False when an escape is malformed. \*NNNNN (five decimal digits) repeats
// the unit that follows, so that a long command line needs no long one here.
bool Unescape(const wchar_t *Tail, std::wstring &Out) {
    int Repeat = 1;
    for (const wchar_t *C = Tail; *C != 0; ++C) {
        int Unit = *C;
        if (*C == L'\\' && C[1] == L'*') {
            if (!ReadNumber(C + 2, 5, 10, Repeat))
                return false;
            C += 6;
            continue;
        }
        if (*C == L'\\' && C[1] == L'\\') {
            Unit = L'\\';
            C += 1;
        } else if (*C == L'\\' && C[1] == L'u') {
            if (!ReadNumber(C + 2, 4, 16, Unit))
                return false;
            C += 5;
        } else if (*C == L'\\') {
            return false;
        }
        Out.append(size_t(Repeat), wchar_t(Unit));
        Repeat = 1;
    }
    return true;
}

} // namespace

int wmain(int Argc, wchar_t **Argv) {
    std::wstring CommandLine = Argc == 3 ? L"\"" + std::wstring(Argv[1]) + L"\"" : L"";
    if (Argc != 3 || !Unescape(Argv[2], CommandLine)) {
        std::fputs("usage: rnrr-spawn PROGRAM TAIL (ASCII; escapes \\uXXXX, \\\\, \\*NNNNN)\n",
                   stderr);
        return 2;
    }
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof(Startup);
    Startup.dwFlags = STARTF_USESTDHANDLES;
    Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    Startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    Startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION Process = {};
    if (!CreateProcessW(Argv[1], &CommandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &Startup, &Process)) {
        std::fprintf(stderr, "rnrr-spawn: CreateProcessW failed with error %lu for %u characters\n",
                     GetLastError(), unsigned(CommandLine.size()));
        return StartFailed;
    }
    DWORD Code = TimedOut;
    if (WaitForSingleObject(Process.hProcess, LongestRunMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(Process.hProcess, &Code);
    else
        TerminateProcess(Process.hProcess, TimedOut);
    CloseHandle(Process.hThread);
    CloseHandle(Process.hProcess);
    return int(Code);
}
