#include "checked_program.h"

#include <gtest/gtest.h>

#include <cwchar>

TCheckedProgram CheckedProgram;

namespace {

std::wstring ProgramBesideThisOne() {
    wchar_t Path[MAX_PATH];
    DWORD Length = GetModuleFileNameW(nullptr, Path, MAX_PATH);
    std::wstring Own(Path, Length);
    return Own.substr(0, Own.find_last_of(L"\\/") + 1) + L"rnrr-password.exe";
}

} // namespace

int wmain(int ArgumentCount, wchar_t **Arguments) {
    testing::InitGoogleTest(&ArgumentCount, Arguments);
    constexpr WORD OwnMachine =
        sizeof(void *) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
    CheckedProgram = {ProgramBesideThisOne(), OwnMachine};
    if (ArgumentCount == 3) {
        CheckedProgram.Path = Arguments[1];
        CheckedProgram.Machine = wcscmp(Arguments[2], L"i386") == 0     ? IMAGE_FILE_MACHINE_I386
                                 : wcscmp(Arguments[2], L"x86-64") == 0 ? IMAGE_FILE_MACHINE_AMD64
                                                                        : 0;
    }
    if (ArgumentCount == 2 || ArgumentCount > 3 || CheckedProgram.Machine == 0) {
        fwprintf(stderr, L"usage: resource-tests [GOOGLETEST FLAGS] [PROGRAM.exe i386|x86-64]\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
