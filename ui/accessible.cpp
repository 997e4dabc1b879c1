// TAccessibleControl: one small class for all fifteen input controls, after
// the wrappers that hold the system's standard object and override only
// what the control knows better. What it says comes from the view the
// window shows (ShownView) and the model's tables, never from the controls.
#include "accessible.h"

#include <new>
#include <ole2.h>
#include <oleacc.h>

#include "interface_text.h"
#include "resource_ids.h"
#include "window_model.h"
#include "window_state.h"
#include "window_view.h"

namespace {

// ---- The system's functions, loaded at the first request ----

struct TSystemFunctions {
    HRESULT(WINAPI *CreateStdAccessibleObject)(HWND, LONG, REFIID, void **);
    LRESULT(WINAPI *LresultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    HRESULT(WINAPI *CoInitializeEx)(void *, DWORD);
    void(WINAPI *CoUninitialize)();
    HRESULT(WINAPI *CoCreateInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void **);
    BSTR(WINAPI *SysAllocString)(const OLECHAR *);
};
TSystemFunctions System;
bool SystemLoaded, SystemTried;

// A DLL of the system folder, never one beside the program.
HMODULE LoadSystemDll(const wchar_t *Name) {
    TWideText Path;
    Path.Length = int32_t(GetSystemDirectoryW(Path.Text, MAX_PATH));
    if (Path.Length == 0 || Path.Length >= MAX_PATH)
        return nullptr;
    AppendText(Path, L"\\");
    AppendText(Path, Name);
    return LoadLibraryW(Path.Text);
}

template <typename TEntry> bool LoadEntry(HMODULE Module, const char *Name, TEntry &Entry) {
    Entry =
        Module == nullptr
            ? nullptr
            : reinterpret_cast<TEntry>(reinterpret_cast<void (*)()>(GetProcAddress(Module, Name)));
    return Entry != nullptr;
}

// Loaded once for the process; the DLLs stay loaded.
bool LoadSystemFunctions() {
    if (!SystemTried) {
        SystemTried = true;
        HMODULE Oleacc = LoadSystemDll(L"oleacc.dll");
        HMODULE Ole = LoadSystemDll(L"ole32.dll");
        HMODULE Automation = LoadSystemDll(L"oleaut32.dll");
        SystemLoaded =
            LoadEntry(Oleacc, "CreateStdAccessibleObject", System.CreateStdAccessibleObject) &&
            LoadEntry(Oleacc, "LresultFromObject", System.LresultFromObject) &&
            LoadEntry(Ole, "CoInitializeEx", System.CoInitializeEx) &&
            LoadEntry(Ole, "CoUninitialize", System.CoUninitialize) &&
            LoadEntry(Ole, "CoCreateInstance", System.CoCreateInstance) &&
            LoadEntry(Automation, "SysAllocString", System.SysAllocString);
    }
    return SystemLoaded;
}

// ---- What each control says ----

// The role of each kind of control, by TControlKind.
constexpr LONG KindRoles[] = {
    ROLE_SYSTEM_TEXT,     // the password box
    ROLE_SYSTEM_TEXT,     // the money box
    ROLE_SYSTEM_COMBOBOX, // a list
    ROLE_SYSTEM_SLIDER,   // a bar
};

// A label without its closing colon: "Оружие:" names the control "Оружие".
TWideText WithoutColon(TWideText Label) {
    if (Label.Length > 0 && Label.Text[Label.Length - 1] == L':')
        Label.Text[--Label.Length] = L'\0';
    return Label;
}

// The password box by its label; the money box as money in thousands of
// dollars; a list or bar by the label of the tool's listing.
TWideText NameOf(TControl Control) {
    if (Control == TControl::PasswordBox)
        return WithoutColon(LoadInterfaceText(IDS_PASSWORD_LABEL));
    if (Control == TControl::MoneyBox)
        return LoadInterfaceText(IDS_MONEY_NAME);
    for (const TOptionRow &Row : OptionRows)
        if (Row.Control == Control)
            return WithoutColon(WideFrom1251(Row.Label));
    return WideText(L"");
}

// The password as the box shows it, the money text, a list's selected name,
// a bar's position.
TWideText ValueOf(TControl Control) {
    switch (RuleOf(Control).Kind) {
    case TControlKind::PasswordBox:
        return WideFrom1251(ShownView.Password);
    case TControlKind::MoneyBox:
        return MoneyBoxText(ShownView.Controls.Money);
    default:
        return ControlValueText(Control, ShownView.Controls.Values[int32_t(Control)]);
    }
}

bool IsItemBar(TControl Control) {
    return ItemBarIndex(Control) >= 0 && ItemBarIndex(Control) < ItemBarCount;
}

// What the icon beside an item bar shows for the selected car.
TWideText DescriptionOf(TControl Control) {
    const TItemIcon Icon = ShownView.ItemIcons[ItemBarIndex(Control)];
    return LoadInterfaceText(uint16_t(IDS_ICON_FIRST + int32_t(Icon)));
}

// The states the standard object gives, and what the view says: the
// password box takes no typing, a bar that the car hides is invisible.
LONG StateOf(TControl Control, LONG Standard) {
    if (Control == TControl::PasswordBox)
        Standard |= STATE_SYSTEM_READONLY;
    if (!ShownView.Shown[int32_t(Control)])
        Standard |= STATE_SYSTEM_INVISIBLE;
    return Standard;
}

HRESULT AnswerText(const TWideText &Text, BSTR *Answer) {
    if (Answer == nullptr)
        return E_POINTER;
    *Answer = System.SysAllocString(Text.Text);
    return *Answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT AnswerNumber(LONG Number, VARIANT *Answer) {
    if (Answer == nullptr)
        return E_POINTER;
    Answer->vt = VT_I4;
    Answer->lVal = Number;
    return S_OK;
}

bool IsSelf(const VARIANT &Child) {
    return Child.vt == VT_I4 && Child.lVal == CHILDID_SELF;
}

// ---- The object ----

// Reference counting as COM states it: the window holds one reference
// from the object's making until its end, each client its own. Once
// disconnected (at the window's end) the object has no control and no
// standard object, and every call but those of IUnknown returns
// RPC_E_DISCONNECTED; the last Release frees it.
class TAccessibleControl final : public IAccessible, public IOleWindow {
  public:
    TAccessibleControl(TControl Control, HWND Window, IAccessible *Standard)
        : Control(Control), Window(Window), Standard(Standard) {}

    void Disconnect() {
        Standard->Release();
        Standard = nullptr;
        Window = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Id, void **Object) override {
        if (Object == nullptr)
            return E_POINTER;
        if (Id == __uuidof(IUnknown) || Id == __uuidof(IDispatch) || Id == __uuidof(IAccessible))
            *Object = static_cast<IAccessible *>(this);
        else if (Id == __uuidof(IOleWindow))
            *Object = static_cast<IOleWindow *>(this);
        else {
            *Object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&References)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG Left = InterlockedDecrement(&References);
        if (Left == 0) {
            this->~TAccessibleControl();
            HeapFree(GetProcessHeap(), 0, this);
        }
        return ULONG(Left);
    }

    // IDispatch: no type information; clients call IAccessible itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *Count) override {
        if (Count == nullptr)
            return E_POINTER;
        *Count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override {
        return E_NOTIMPL;
    }

    // IOleWindow: the control's window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND *Answer) override {
        if (Answer == nullptr)
            return E_POINTER;
        *Answer = Window;
        return Window != nullptr ? S_OK : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible: what the control knows better.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT Child, BSTR *Name) override {
        if (Standard == nullptr)
            return RPC_E_DISCONNECTED;
        return IsSelf(Child) ? AnswerText(NameOf(Control), Name)
                             : Standard->get_accName(Child, Name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT Child, BSTR *Value) override {
        if (Standard == nullptr)
            return RPC_E_DISCONNECTED;
        return IsSelf(Child) ? AnswerText(ValueOf(Control), Value)
                             : Standard->get_accValue(Child, Value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT Child, BSTR *Description) override {
        if (Standard == nullptr)
            return RPC_E_DISCONNECTED;
        return IsSelf(Child) && IsItemBar(Control)
                   ? AnswerText(DescriptionOf(Control), Description)
                   : Standard->get_accDescription(Child, Description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT Child, VARIANT *Role) override {
        if (Standard == nullptr)
            return RPC_E_DISCONNECTED;
        return IsSelf(Child) ? AnswerNumber(KindRoles[int32_t(RuleOf(Control).Kind)], Role)
                             : Standard->get_accRole(Child, Role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT Child, VARIANT *State) override {
        if (Standard == nullptr)
            return RPC_E_DISCONNECTED;
        const HRESULT Result = Standard->get_accState(Child, State);
        if (SUCCEEDED(Result) && IsSelf(Child) && State->vt == VT_I4)
            State->lVal = StateOf(Control, State->lVal);
        return Result;
    }

    // IAccessible: the standard object's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **Parent) override {
        return Standard != nullptr ? Standard->get_accParent(Parent) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *Count) override {
        return Standard != nullptr ? Standard->get_accChildCount(Count) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT Child, IDispatch **Object) override {
        return Standard != nullptr ? Standard->get_accChild(Child, Object) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT Child, BSTR *Help) override {
        return Standard != nullptr ? Standard->get_accHelp(Child, Help) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *File, VARIANT Child, LONG *Topic) override {
        return Standard != nullptr ? Standard->get_accHelpTopic(File, Child, Topic)
                                   : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT Child, BSTR *Shortcut) override {
        return Standard != nullptr ? Standard->get_accKeyboardShortcut(Child, Shortcut)
                                   : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *Focus) override {
        return Standard != nullptr ? Standard->get_accFocus(Focus) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *Selection) override {
        return Standard != nullptr ? Standard->get_accSelection(Selection) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT Child, BSTR *Action) override {
        return Standard != nullptr ? Standard->get_accDefaultAction(Child, Action)
                                   : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG Flags, VARIANT Child) override {
        return Standard != nullptr ? Standard->accSelect(Flags, Child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG *Left, LONG *Top, LONG *Width, LONG *Height,
                                          VARIANT Child) override {
        return Standard != nullptr ? Standard->accLocation(Left, Top, Width, Height, Child)
                                   : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG Direction, VARIANT Start, VARIANT *End) override {
        return Standard != nullptr ? Standard->accNavigate(Direction, Start, End)
                                   : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG Left, LONG Top, VARIANT *Child) override {
        return Standard != nullptr ? Standard->accHitTest(Left, Top, Child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT Child) override {
        return Standard != nullptr ? Standard->accDoDefaultAction(Child) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT Child, BSTR Name) override {
        return Standard != nullptr ? Standard->put_accName(Child, Name) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT Child, BSTR Value) override {
        return Standard != nullptr ? Standard->put_accValue(Child, Value) : RPC_E_DISCONNECTED;
    }

  private:
    LONG References = 1; // the window's
    const TControl Control;
    HWND Window;
    IAccessible *Standard;
};

// ---- The window's objects, COM and the live region ----

// The annotation service, its interface, and the UI Automation property
// that makes an element a live region (its value 1: polite): MinGW's
// headers lack the property, and its import library holds the other two
// only as references into oleacc, which a static link reads as garbage.
constexpr CLSID AccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID AccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID LiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG PoliteLiveSetting = 1;

// By TControl; made at a control's first request, disconnected at the end.
TAccessibleControl *Objects[ControlCount];
// COM started on the window's thread by the first request, and whether
// that start is the window's to end (not when the thread already runs in
// another apartment).
bool ComStarted, ComOwned;
// Held while the password box is a live region, to clear it at the end.
IAccPropServices *LiveRegion;

// Where the system has annotations, the password box becomes a polite live
// region; Wine answers E_NOTIMPL, and the window goes on without.
void MakeLiveRegion() {
    IAccPropServices *Services = nullptr;
    if (FAILED(System.CoCreateInstance(AccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                       AccPropServicesInterface,
                                       reinterpret_cast<void **>(&Services))))
        return;
    VARIANT Polite;
    Polite.vt = VT_I4;
    Polite.lVal = PoliteLiveSetting;
    if (SUCCEEDED(Services->SetHwndProp(Controls.PasswordBox, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                        LiveSettingProperty, Polite)))
        LiveRegion = Services;
    else
        Services->Release();
}

bool StartCom() {
    if (ComStarted)
        return true;
    const HRESULT Started = System.CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(Started) && Started != RPC_E_CHANGED_MODE)
        return false;
    ComStarted = true;
    ComOwned = SUCCEEDED(Started);
    MakeLiveRegion();
    return true;
}

// The input control whose window is Window, or -1.
int32_t ControlIndexOf(HWND Window) {
    for (int32_t C = 0; C < ControlCount; ++C)
        if (ControlHandle(TControl(C)) == Window)
            return C;
    return -1;
}

TAccessibleControl *ObjectOf(int32_t C, HWND Window) {
    if (Objects[C] != nullptr)
        return Objects[C];
    IAccessible *Standard = nullptr;
    if (FAILED(System.CreateStdAccessibleObject(Window, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void **>(&Standard))))
        return nullptr;
    void *Memory = HeapAlloc(GetProcessHeap(), 0, sizeof(TAccessibleControl));
    if (Memory == nullptr) {
        Standard->Release();
        return nullptr;
    }
    Objects[C] = new (Memory) TAccessibleControl(TControl(C), Window, Standard);
    return Objects[C];
}

} // namespace

bool AnswerGetObject(HWND Control, WPARAM WParam, LPARAM LParam, LRESULT &Answer) {
    // Any request means a client: COM and the live region start with the first.
    if (!LoadSystemFunctions() || !StartCom())
        return false;
    // The object identifier is a 32-bit number, whatever LParam's width.
    const int32_t C = ControlIndexOf(Control);
    if (LONG(LParam) != OBJID_CLIENT || C < 0)
        return false;
    TAccessibleControl *Object = ObjectOf(C, Control);
    if (Object == nullptr)
        return false;
    Answer =
        System.LresultFromObject(__uuidof(IAccessible), WParam, static_cast<IAccessible *>(Object));
    // A failure is a negative error code: the class gives its own answer then.
    return Answer > 0;
}

void AnnouncePasswordChange() {
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Controls.PasswordBox, OBJID_CLIENT, CHILDID_SELF);
    if (LiveRegion != nullptr)
        NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, Controls.PasswordBox, OBJID_CLIENT,
                       CHILDID_SELF);
}

void EndAccessibleObjects() {
    for (TAccessibleControl *&Object : Objects)
        if (Object != nullptr) {
            Object->Disconnect();
            Object->Release();
            Object = nullptr;
        }
    if (LiveRegion != nullptr) {
        LiveRegion->ClearHwndProps(Controls.PasswordBox, DWORD(OBJID_CLIENT), CHILDID_SELF,
                                   &LiveSettingProperty, 1);
        LiveRegion->Release();
        LiveRegion = nullptr;
    }
    if (ComOwned)
        System.CoUninitialize();
    ComStarted = ComOwned = false;
}
