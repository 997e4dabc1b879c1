// The program that the resource and header checks read as a data file, never
// running it: rnrr-password.exe beside the test program, of the test
// program's own machine, or the one named on the command line:
//   resource-tests [GOOGLETEST FLAGS] [PROGRAM.exe i386|x86-64]
// so that a 64-bit test program can check the 32-bit exe on a machine that
// cannot run 32-bit code.
#pragma once

#include <windows.h>

#include <string>

struct TCheckedProgram {
    std::wstring Path;
    WORD Machine; // IMAGE_FILE_MACHINE_I386 or IMAGE_FILE_MACHINE_AMD64
};

extern TCheckedProgram CheckedProgram;
