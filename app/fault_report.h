// The report of a fault that nothing handles, on any thread: a message box
// titled "Error" reading "Runtime error N at XXXXXXXX" (N decimal, the whole
// fault address in upper-case hexadecimal: 8 digits in the 32-bit program,
// 16 in the 64-bit one), then exit with code N.
#pragma once

#include <windows.h>
#include <cstdint>

// The error number reported for an exception code.
uint32_t RuntimeErrorOf(DWORD ExceptionCode);

// Installs the report as the process's last exception filter.
void InstallFaultReport();
