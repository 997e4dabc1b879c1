// What the system controls do not do by themselves on a plain window: Tab
// moves the focus through the input controls, a list change recomputes the
// password (which, for a change of car, shows or hides two trackbars), the upgrade
// trackbars keep their pictures current and the money box drops the Tab
// character, the password box passes the mouse on to its tip, and every input
// control answers a screen reader with its own accessible object. Also the
// controls' font, the trackbars' set-up and the registration of the
// common-control classes.
#include "behaviour.h"

#include <commctrl.h>

#include "accessible.h"
#include "dpi.h"
#include "password_dialog.h"
#include "pictures.h"
#include "recompute.h"
#include "window_state.h"

namespace {

// The notification that a combo box's drop-down part sends it when the
// selection has changed.
constexpr WORD DropDownSelectionChanged = 1;

// Ctrl+V as the character that the keyboard translation makes of it.
constexpr WPARAM CtrlV = 0x16;

// Every text control's font: Tahoma with an em of 13 pixels at 96 DPI, which
// makes a character cell 16 pixels high. The em is what scales: a font comes
// only in whole-pixel ems, and a scaled cell height would leave the rounding
// to the font, which rounds up at some scales (a 24-pixel cell is a 20-pixel
// em, 19.9 rounded) and so makes texts wider than their scaled labels.
constexpr wchar_t ControlFontFace[] = L"Tahoma";
constexpr LONG ControlFontEm = 13;

// Kept between calls of ApplyControlFont: a control without a font of its
// own takes the attributes that the previous call left.
LOGFONTW FontRecord;
HFONT ControlFont;

HMODULE CommonControlsModule;
typedef BOOL(WINAPI *TInitCommonControlsEx)(const INITCOMMONCONTROLSEX *);
TInitCommonControlsEx InitCommonControlsExEntry;

// The rows shared by all four replacement procedures.
//
// A client's request for the control's accessible object: the window's own
// for the client area, the class's answer for anything else.
bool HandleGetObject(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam, LRESULT &Answer) {
    return Message == WM_GETOBJECT && AnswerGetObject(Control, WParam, LParam, Answer);
}

void HandleTabKey(UINT Message, WPARAM WParam) {
    if (Message == WM_KEYDOWN && WParam == VK_TAB)
        FocusNextControl();
}

void HandleSetFocus(HWND Control, UINT Message) {
    if (Message == WM_SETFOCUS)
        TabIndex = FindTabIndex(Control);
}

bool IsUpgradeBar(HWND Control) {
    return Control == Controls.EngineBar || Control == Controls.ArmorBar ||
           Control == Controls.ShocksBar || Control == Controls.TiresBar;
}

void SelectWholeText(HWND Edit) {
    SendMessageW(Edit, EM_SETSEL, 0, -1);
}

// Ctrl+V, Shift+Insert and the paste command. A read-only box would paste
// nothing; in the password box they take the clipboard's password instead.
bool IsPasteRequest(UINT Message, WPARAM WParam) {
    return Message == WM_PASTE || (Message == WM_CHAR && WParam == CtrlV) ||
           (Message == WM_KEYDOWN && WParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
}

// The box's tip sees the mouse only through the messages relayed to it.
void RelayMouseToTip(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (Message < WM_MOUSEFIRST || Message > WM_MOUSELAST)
        return;
    MSG Relayed = {Control, Message, WParam, LParam, 0, {0, 0}};
    SendMessageW(PasswordBoxTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&Relayed));
}

} // namespace

LRESULT CALLBACK ListProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam) {
    LRESULT Answer;
    if (HandleGetObject(Control, Message, WParam, LParam, Answer))
        return Answer;
    if (Message == WM_COMMAND && HIWORD(WParam) == DropDownSelectionChanged)
        RecomputePassword();
    HandleTabKey(Message, WParam);
    HandleSetFocus(Control, Message);
    return CallWindowProcW(SavedListProc, Control, Message, WParam, LParam);
}

LRESULT CALLBACK PasswordBoxProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam) {
    LRESULT Answer;
    if (HandleGetObject(Control, Message, WParam, LParam, Answer))
        return Answer;
    RelayMouseToTip(Control, Message, WParam, LParam);
    HandleTabKey(Message, WParam);
    HandleSetFocus(Control, Message);
    if (IsPasteRequest(Message, WParam)) {
        OpenPasswordDialogFromClipboard();
        return 0;
    }
    return CallWindowProcW(SavedEditProc, Control, Message, WParam, LParam);
}

LRESULT CALLBACK MoneyBoxProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam) {
    LRESULT Answer;
    if (HandleGetObject(Control, Message, WParam, LParam, Answer))
        return Answer;
    HandleTabKey(Message, WParam);
    HandleSetFocus(Control, Message);
    // The Tab key has moved the focus; its character must not reach the box.
    if (Message == WM_CHAR && WParam == L'\t')
        return 0;
    return CallWindowProcW(SavedEditProc, Control, Message, WParam, LParam);
}

LRESULT CALLBACK TrackbarProc(HWND Control, UINT Message, WPARAM WParam, LPARAM LParam) {
    LRESULT Answer;
    if (HandleGetObject(Control, Message, WParam, LParam, Answer))
        return Answer;
    HandleTabKey(Message, WParam);
    HandleSetFocus(Control, Message);
    if (IsUpgradeBar(Control))
        DrawPictures();
    return CallWindowProcW(SavedTrackbarProc, Control, Message, WParam, LParam);
}

uint8_t FindTabIndex(HWND Control) {
    for (uint8_t Entry = 0; Entry < TabOrderLength; ++Entry)
        if (TabOrder[Entry] == Control)
            return Entry;
    return 0;
}

void FocusNextControl() {
    // Entries 0..12 are never hidden, so the search ends after at most two
    // skipped trackbars.
    do {
        ++TabIndex;
        if (TabIndex == TabOrderLength) {
            TabIndex = PasswordBoxTabEntry;
            SelectWholeText(TabOrder[PasswordBoxTabEntry]);
        } else if (TabIndex == MoneyBoxTabEntry) {
            SelectWholeText(TabOrder[MoneyBoxTabEntry]);
        }
    } while (!IsWindowVisible(TabOrder[TabIndex]));
    SetFocus(TabOrder[TabIndex]);
}

void ApplyControlFont(HWND Control) {
    HFONT Previous = HFONT(SendMessageW(Control, WM_GETFONT, 0, 0));
    GetObjectW(Previous, sizeof FontRecord, &FontRecord);
    // Every control has a font object of its own, so no other control uses
    // the one freed here.
    DeleteObject(Previous);
    ZeroMemory(FontRecord.lfFaceName, sizeof FontRecord.lfFaceName);
    lstrcpynW(FontRecord.lfFaceName, ControlFontFace, LF_FACESIZE);
    FontRecord.lfHeight = -ScaleToDpi(ControlFontEm); // negative: the em, not the cell
    ControlFont = CreateFontIndirectW(&FontRecord);
    SendMessageW(Control, WM_SETFONT, WPARAM(ControlFont), TRUE);
}

void SetupTrackbar(HWND Trackbar, TControl Bar) {
    // The position is set before the range narrows; every starting position
    // lies inside the final range.
    SendMessageW(Trackbar, TBM_SETPOS, FALSE, RuleOf(Bar).Start);
    SendMessageW(Trackbar, TBM_SETPAGESIZE, 0, 1); // a click beside the thumb moves one step
    SendMessageW(Trackbar, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(Trackbar, TBM_SETRANGEMAX, FALSE, ControlMaximum(Bar));
    SendMessageW(Trackbar, TBM_SETTICFREQ, 1, 1); // a tick at every position
}

bool InitControlClasses(DWORD Flags) {
    if (CommonControlsModule == nullptr) {
        CommonControlsModule = GetModuleHandleW(L"comctl32.dll");
        if (CommonControlsModule != nullptr)
            InitCommonControlsExEntry =
                reinterpret_cast<TInitCommonControlsEx>(reinterpret_cast<void (*)()>(
                    GetProcAddress(CommonControlsModule, "InitCommonControlsEx")));
    }
    INITCOMMONCONTROLSEX Classes = {sizeof Classes, Flags};
    bool Registered = InitCommonControlsExEntry != nullptr && InitCommonControlsExEntry(&Classes);
    if (!Registered)
        InitCommonControls();
    return Registered;
}
