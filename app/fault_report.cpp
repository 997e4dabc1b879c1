#include "fault_report.h"

namespace {

// Error numbers by kind of fault; everything not listed is 217.
struct TRuntimeError {
    DWORD ExceptionCode;
    uint32_t Number;
};
const TRuntimeError RuntimeErrors[] = {
    // exception code, error number
    {EXCEPTION_INT_DIVIDE_BY_ZERO, 200}, // integer division by zero
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, 200}, // floating-point division by zero
    {EXCEPTION_STACK_OVERFLOW, 202},     // stack overflow
    {EXCEPTION_ACCESS_VIOLATION, 216},   // access violation
};
constexpr uint32_t OtherFault = 217;

struct TFaultReport {
    uint32_t Number;
    void *Address;
};

// The whole address in upper-case hexadecimal, two digits a byte: 8 digits
// in the 32-bit program, 16 in the 64-bit one. Digits has room for them and
// a zero.
constexpr int32_t AddressDigits = 2 * sizeof(void *);

void FormatAddress(const void *Address, wchar_t (&Digits)[AddressDigits + 1]) {
    uintptr_t Value = reinterpret_cast<uintptr_t>(Address);
    for (int32_t At = AddressDigits - 1; At >= 0; --At, Value >>= 4)
        Digits[At] = L"0123456789ABCDEF"[Value & 0xF];
    Digits[AddressDigits] = L'\0';
}

DWORD WINAPI ShowFaultReport(void *Parameter) {
    const TFaultReport &Report = *static_cast<const TFaultReport *>(Parameter);
    wchar_t Address[AddressDigits + 1];
    FormatAddress(Report.Address, Address);
    wchar_t Text[64];
    wsprintfW(Text, L"Runtime error %u at %ls", Report.Number, Address);
    MessageBoxW(nullptr, Text, L"Error", MB_OK | MB_ICONHAND | MB_TASKMODAL);
    return 0;
}

// The box is shown from a fresh thread: the faulting thread may have no
// stack left (a stack overflow) or be the window's own thread.
LONG WINAPI ReportUnhandledFault(EXCEPTION_POINTERS *Fault) {
    static TFaultReport Report;
    Report.Number = RuntimeErrorOf(Fault->ExceptionRecord->ExceptionCode);
    Report.Address = Fault->ExceptionRecord->ExceptionAddress;
    HANDLE Reporter = CreateThread(nullptr, 0, ShowFaultReport, &Report, 0, nullptr);
    if (Reporter != nullptr)
        WaitForSingleObject(Reporter, INFINITE);
    ExitProcess(Report.Number);
}

} // namespace

uint32_t RuntimeErrorOf(DWORD ExceptionCode) {
    for (const TRuntimeError &Error : RuntimeErrors)
        if (Error.ExceptionCode == ExceptionCode)
            return Error.Number;
    return OtherFault;
}

void InstallFaultReport() {
    SetUnhandledExceptionFilter(ReportUnhandledFault);
}
