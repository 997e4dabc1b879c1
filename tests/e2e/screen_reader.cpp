// What a screen reader reads of the program's controls; see screen_reader.h.
#include "screen_reader.h"

namespace {

VARIANT ChildId(LONG Id) {
    VARIANT Child;
    VariantInit(&Child);
    Child.vt = VT_I4;
    Child.lVal = Id;
    return Child;
}

// A text that Read fills; empty when it fails or gives none.
template <typename TRead> HRESULT ReadText(TRead Read, std::wstring &Text) {
    BSTR Answer = nullptr;
    const HRESULT Result = Read(&Answer);
    Text = Answer != nullptr ? std::wstring(Answer, SysStringLen(Answer)) : L"";
    SysFreeString(Answer);
    return Result;
}

template <typename TRead> HRESULT ReadNumber(TRead Read, LONG &Number) {
    VARIANT Answer;
    VariantInit(&Answer);
    const HRESULT Result = Read(&Answer);
    const bool IsNumber = Answer.vt == VT_I4;
    Number = IsNumber ? Answer.lVal : -1;
    VariantClear(&Answer);
    return SUCCEEDED(Result) && !IsNumber ? E_UNEXPECTED : Result;
}

} // namespace

IAccessible *AccessibleOf(HWND Control, LONG Object) {
    // MinGW's import library holds IID_IAccessible as a reference into the
    // DLL, which a static link reads as garbage; __uuidof is the identifier.
    IAccessible *Accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(Control, static_cast<DWORD>(Object),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&Accessible))))
        return nullptr;
    return Accessible;
}

TSpoken Spoken(IAccessible *Object, LONG ChildIdentifier) {
    TSpoken Read;
    const VARIANT Child = ChildId(ChildIdentifier);
    const HRESULT Results[] = {
        ReadText([&](BSTR *Answer) { return Object->get_accName(Child, Answer); }, Read.Name),
        ReadNumber([&](VARIANT *Answer) { return Object->get_accRole(Child, Answer); }, Read.Role),
        ReadText([&](BSTR *Answer) { return Object->get_accValue(Child, Answer); }, Read.Value),
        ReadNumber([&](VARIANT *Answer) { return Object->get_accState(Child, Answer); },
                   Read.State),
    };
    Read.Result = S_OK;
    for (HRESULT Result : Results)
        if (FAILED(Result) && SUCCEEDED(Read.Result))
            Read.Result = Result;
    ReadText([&](BSTR *Answer) { return Object->get_accDescription(Child, Answer); },
             Read.Description);
    return Read;
}

TSpoken SpokenOf(HWND Control) {
    IAccessible *Object = AccessibleOf(Control);
    if (Object == nullptr)
        return TSpoken();
    TSpoken Read = Spoken(Object);
    Object->Release();
    return Read;
}

std::wstring SpokenText(const TSpoken &Spoken) {
    wchar_t Role[64] = {};
    GetRoleTextW(static_cast<DWORD>(Spoken.Role), Role, 64);
    wchar_t State[16];
    wsprintfW(State, L"%08lX", static_cast<unsigned long>(Spoken.State));
    return L"«" + Spoken.Name + L"», " + Role + L", «" + Spoken.Value + L"», state " + State +
           L", «" + Spoken.Description + L"»";
}
