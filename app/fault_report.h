// The report of a fault that nothing handles, on any thread: a message box
// titled "Error" reading "Runtime error N at XXXXXXXX" (N decimal, the fault
// address in eight upper-case hexadecimal digits), then exit with code N.
#pragma once

#include <windows.h>
#include <cstdint>

// The error number reported for an exception code.
uint32_t RuntimeErrorOf(DWORD ExceptionCode);

// Installs the report as the process's last exception filter.
void InstallFaultReport();
