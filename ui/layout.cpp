// CreateMainControls: builds the whole content of the main window in one pass
// from the control table, fills the lists, sets the starting values, installs
// the control behaviour and computes the first password.
#include "layout.h"

#include <commctrl.h>

#include "behaviour.h"
#include "dpi.h"
#include "interface_text.h"
#include "recompute.h"
#include "resource_ids.h"
#include "window_model.h"
#include "window_state.h"

namespace {

constexpr int32_t ClientHeight = 378;
// A width that follows the client width: CW - 10, a 5-pixel margin each side.
constexpr int32_t MarginedClientWidth = -1;
constexpr int32_t SideMargins = 10;

// Style sets of the control table.
constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD PasswordBoxStyle = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD MoneyBoxStyle = WS_CHILD | WS_VISIBLE | ES_NUMBER | ES_AUTOHSCROLL;
constexpr DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD TrackbarStyle =
    WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS | TBS_ENABLESELRANGE | TBS_FIXEDLENGTH;
constexpr DWORD SeparatorStyle = WS_CHILD | WS_VISIBLE;

// The password box's tip wraps into lines of at most this many pixels.
constexpr int32_t TipWidth = 300;

// The client width at 96 DPI: what the outer width as created leaves inside
// the frame that the platform draws at 96 DPI.
int32_t LayoutClientWidth;

// The trackbars' thumbs are as long as the platform makes them for the DPI
// that the window is created at; when the DPI changes they scale from there.
int32_t CreationDpi;
int32_t CreatedThumbLength;

WNDPROC ReplaceProcedure(HWND Control, WNDPROC Replacement) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Replacement)));
}

// A class procedure is kept from the first control of its class; all
// controls of a class start with the same one.
void InstallProcedure(HWND Control, WNDPROC Replacement, WNDPROC &Saved) {
    WNDPROC Previous = ReplaceProcedure(Control, Replacement);
    if (Saved == nullptr)
        Saved = Previous;
}

void AddListEntry(HWND List, const TWideText &Entry) {
    SendMessageW(List, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Entry.Text));
}

// The list's font, its names, from the value names or, for the colours, the
// interface texts, then its starting selection.
void SetUpList(HWND List, TControl Control) {
    ApplyControlFont(List);
    for (int32_t I = 0; I <= ControlMaximum(Control); ++I)
        AddListEntry(List, ControlValueText(Control, I));
    SendMessageW(List, CB_SETCURSEL, RuleOf(Control).Start, 0);
    InstallProcedure(List, ListProc, SavedListProc);
}

// Follow-up steps of an input control, by its kind in the model. The boxes
// take their font before their procedure is replaced, the money box after
// its limit is set.
void SetUpInput(HWND Control, TControl Input) {
    switch (RuleOf(Input).Kind) {
    case TControlKind::PasswordBox:
        ApplyControlFont(Control);
        InstallProcedure(Control, PasswordBoxProc, SavedEditProc);
        break;
    case TControlKind::MoneyBox:
        SendMessageW(Control, EM_LIMITTEXT, MoneyTextLimit, 0);
        ApplyControlFont(Control);
        // MoneyBoxProc passes messages on to SavedEditProc, kept from PasswordBox.
        ReplaceProcedure(Control, MoneyBoxProc);
        break;
    case TControlKind::List:
        SetUpList(Control, Input);
        break;
    case TControlKind::Bar:
        SetupTrackbar(Control, Input);
        InstallProcedure(Control, TrackbarProc, SavedTrackbarProc);
        break;
    }
}

// What a row's control is, and so what it needs once it is made.
enum TRowKind : uint8_t {
    SeparatorRow, // keeps the default font
    LabelRow,     // its font
    InputRow,     // one of the model's input controls: SetUpInput
};

struct TControlRow {
    const wchar_t *ClassName;
    DWORD Style;
    DWORD ExStyle;
    uint16_t TextId;       // an interface text, or 0
    const char *ModelText; // when TextId is 0: a Windows-1251 text of the model, or null
    int32_t X, Y, Width, Height;
    HWND TControlHandles::*Handle; // null: the handle is not kept
    TRowKind Kind;
    TControl Input = TControl::PasswordBox; // the input control of an InputRow
};

constexpr wchar_t Static[] = L"STATIC";
constexpr wchar_t Edit[] = L"EDIT";
constexpr wchar_t ComboBox[] = L"COMBOBOX";
constexpr wchar_t Trackbar[] = TRACKBAR_CLASSW;
constexpr DWORD ClientEdge = WS_EX_CLIENTEDGE;
constexpr DWORD StaticEdge = WS_EX_STATICEDGE;
constexpr int32_t FullWidth = MarginedClientWidth;

// The 31 controls in the order of creation. A list's height is that of the
// control with its list dropped down. The money box opens with the model's
// starting money, a count label with nothing until the first view.
using H = TControlHandles;
using C = TControl;
const TControlRow ControlTable[] = {
    // class, style, ex-style, text id, model text, x, y, width, height, handle, kind, input
    {Static, LabelStyle, 0, IDS_PASSWORD_LABEL, nullptr, 5, 15, 70, 24, &H::PasswordLabel,
     LabelRow},
    {Edit, PasswordBoxStyle, ClientEdge, 0, nullptr, 85, 10, 155, 24, &H::PasswordBox, InputRow,
     C::PasswordBox},
    {Static, LabelStyle, 0, IDS_MONEY_LABEL, nullptr, 250, 15, 70, 24, &H::MoneyLabel, LabelRow},
    {Static, LabelStyle, 0, IDS_MONEY_UNIT, nullptr, 380, 15, 70, 24, &H::MoneyUnitLabel, LabelRow},
    {Edit, MoneyBoxStyle, ClientEdge, 0, nullptr, 330, 10, 40, 24, &H::MoneyBox, InputRow,
     C::MoneyBox},
    {Static, LabelStyle, 0, IDS_HERO_LABEL, nullptr, 5, 49, 70, 24, &H::HeroLabel, LabelRow},
    {ComboBox, ListStyle, 0, 0, nullptr, 85, 44, 155, 150, &H::HeroList, InputRow, C::HeroList},
    {Static, LabelStyle, 0, IDS_COLOR_LABEL, nullptr, 5, 83, 70, 24, &H::ColorLabel, LabelRow},
    {ComboBox, ListStyle, 0, 0, nullptr, 85, 78, 155, 150, &H::ColorList, InputRow, C::ColorList},
    {Static, LabelStyle, 0, IDS_CAR_LABEL, nullptr, 5, 117, 70, 24, &H::CarLabel, LabelRow},
    {ComboBox, ListStyle, 0, 0, nullptr, 85, 112, 155, 150, &H::CarList, InputRow, C::CarList},
    {Static, LabelStyle, 0, IDS_DIFFICULTY_LABEL, nullptr, 250, 49, 70, 24, &H::DifficultyLabel,
     LabelRow},
    {ComboBox, ListStyle, 0, 0, nullptr, 330, 44, 120, 150, &H::DifficultyList, InputRow,
     C::DifficultyList},
    {Static, LabelStyle, 0, IDS_PLANET_LABEL, nullptr, 250, 83, 70, 24, &H::PlanetLabel, LabelRow},
    {ComboBox, ListStyle, 0, 0, nullptr, 330, 78, 120, 150, &H::PlanetList, InputRow,
     C::PlanetList},
    {Static, LabelStyle, 0, IDS_DIVISION_LABEL, nullptr, 250, 117, 70, 24, &H::DivisionLabel,
     LabelRow},
    {ComboBox, ListStyle, 0, 0, nullptr, 330, 112, 120, 150, &H::DivisionList, InputRow,
     C::DivisionList},
    {Static, SeparatorStyle, StaticEdge, IDS_SEPARATOR, nullptr, 5, 146, FullWidth, 2, nullptr,
     SeparatorRow},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 38, 156, 110, 30, &H::WeaponBar, InputRow,
     C::WeaponBar},
    {Static, LabelStyle, 0, 0, nullptr, 158, 161, 10, 24, &H::WeaponCount, LabelRow},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 38, 190, 110, 30, &H::BoostBar, InputRow, C::BoostBar},
    {Static, LabelStyle, 0, 0, nullptr, 158, 195, 10, 24, &H::BoostCount, LabelRow},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 38, 224, 110, 30, &H::DropBar, InputRow, C::DropBar},
    {Static, LabelStyle, 0, 0, nullptr, 158, 229, 10, 24, &H::DropCount, LabelRow},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 330, 156, 60, 30, &H::EngineBar, InputRow,
     C::EngineBar},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 330, 190, 60, 30, &H::ArmorBar, InputRow, C::ArmorBar},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 330, 224, 60, 30, &H::ShocksBar, InputRow,
     C::ShocksBar},
    {Trackbar, TrackbarStyle, 0, 0, nullptr, 330, 258, 60, 30, &H::TiresBar, InputRow, C::TiresBar},
    {Static, SeparatorStyle, StaticEdge, IDS_SEPARATOR, nullptr, 5, 299, FullWidth, 2, nullptr,
     SeparatorRow},
    {Static, LabelStyle, 0, 0, CreditsText, 65, 260, 120, 35, &H::CreditsLabel, LabelRow},
    {Static, LabelStyle, 0, IDS_HELP_TEXT, nullptr, 5, 309, FullWidth, 72, &H::HelpLabel, LabelRow},
};
constexpr int32_t ControlRowCount = sizeof ControlTable / sizeof ControlTable[0];
static_assert(ControlRowCount == 31, "the window has 31 controls");

} // namespace

// At 96 DPI the outer width as created stays, and the client area is made
// ClientHeight high from the outer height.
const TWindowArea CreatedWindowArea = {20, 20, 464, 410};

const TPicturePlaces PicturePlaces = {
    {5, 260},   // the emblem, left of CreditsLabel
    {196, 156}, // the first car, between the item and the upgrade bars
    {196, 232}, // the second, below it
    {
        {285, 156}, // left of EngineBar
        {410, 190}, // right of ArmorBar
        {285, 224}, // left of ShocksBar
        {410, 258}, // right of TiresBar
    },
    {
        {5, 156}, // left of WeaponBar
        {5, 190}, // left of BoostBar
        {5, 224}, // left of DropBar
    },
};

namespace {

// Every control in the order of the table, the separators too: all of them
// move when the window's DPI changes.
HWND CreatedControls[ControlRowCount];

// A row's place and size at the window's DPI.
struct TArea {
    int32_t X, Y, Width, Height;
};

TArea AreaOf(const TControlRow &Row) {
    int32_t Width = Row.Width == MarginedClientWidth ? LayoutClientWidth - SideMargins : Row.Width;
    return {ScaleToDpi(Row.X), ScaleToDpi(Row.Y), ScaleToDpi(Width), ScaleToDpi(Row.Height)};
}

// The money box's text as the window opens: the model's starting money.
TWideText StartMoneyText() {
    TControlState Start;
    StartControlState(Start);
    return MoneyBoxText(Start.Money);
}

// A row's text as it is created: its interface text, its text of the model,
// or for the money box the model's starting money. False for a row without
// one, which is created with none.
bool CreationText(const TControlRow &Row, TWideText &Text) {
    if (Row.TextId != 0)
        Text = LoadInterfaceText(Row.TextId);
    else if (Row.ModelText != nullptr)
        Text = WideFrom1251(Row.ModelText);
    else if (Row.Kind == InputRow && RuleOf(Row.Input).Kind == TControlKind::MoneyBox)
        Text = StartMoneyText();
    else
        return false;
    return true;
}

HWND CreateControl(const TControlRow &Row) {
    // The trackbars need the bar classes: registered before the first is
    // made, whose set-up keeps the class procedure.
    if (Row.ClassName == Trackbar && SavedTrackbarProc == nullptr)
        InitControlClasses(ICC_BAR_CLASSES);
    // The text must live until the creation call has returned.
    TWideText Text;
    const wchar_t *Caption = CreationText(Row, Text) ? Text.Text : nullptr;
    TArea Area = AreaOf(Row);
    HWND Control =
        CreateWindowExW(Row.ExStyle, Row.ClassName, Caption, Row.Style, Area.X, Area.Y, Area.Width,
                        Area.Height, Controls.MainWnd, nullptr, nullptr, nullptr);
    if (Row.Handle != nullptr)
        Controls.*Row.Handle = Control;
    if (Row.Kind == LabelRow)
        ApplyControlFont(Control);
    else if (Row.Kind == InputRow)
        SetUpInput(Control, Row.Input);
    return Control;
}

// Puts the window's top left corner at (Left, Top) and makes its client area
// the layout's, LayoutClientWidth x ClientHeight, scaled to the window's DPI,
// whatever the caption and frame take: the frame for the DPI first, and where
// the platform draws another (a frame that has not followed a change of DPI),
// the difference made good.
void SizeWindow(int32_t Left, int32_t Top) {
    SIZE Client = {ScaleToDpi(LayoutClientWidth), ScaleToDpi(ClientHeight)};
    SIZE Outer = OuterSizeAt(Controls.MainWnd, Client, WindowDpi);
    MoveWindow(Controls.MainWnd, Left, Top, Outer.cx, Outer.cy, FALSE);
    RECT Made;
    GetClientRect(Controls.MainWnd, &Made);
    if (Made.right != Client.cx || Made.bottom != Client.cy)
        MoveWindow(Controls.MainWnd, Left, Top, Outer.cx + Client.cx - Made.right,
                   Outer.cy + Client.cy - Made.bottom, FALSE);
}

// Keeps the window's place; its client area is the layout's. At 96 DPI that
// keeps the outer width as created and makes the client area ClientHeight
// high.
void FixClientSize() {
    RECT Outer;
    GetWindowRect(Controls.MainWnd, &Outer);
    SIZE Frame = OuterSizeAt(Controls.MainWnd, SIZE{0, 0}, LayoutDpi);
    LayoutClientWidth = Outer.right - Outer.left - Frame.cx;
    SizeWindow(Outer.left, Outer.top);
}

// The input controls in the model's keyboard order: down the left column,
// down the right column, the item trackbars, then the upgrade trackbars.
void FillTabOrder() {
    for (int32_t Entry = 0; Entry < TabOrderLength; ++Entry)
        TabOrder[Entry] = ControlHandle(TControl(Entry));
}

// "Ввести пароль..." at the end of the system menu, after a separator.
void AddEnterPasswordItem() {
    HMENU Menu = GetSystemMenu(Controls.MainWnd, FALSE);
    TWideText Item = LoadInterfaceText(IDS_ENTER_PASSWORD_ITEM);
    AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(Menu, MF_STRING, IDM_ENTER_PASSWORD, Item.Text);
}

// A tip over the password box: how to give the window a password. The tip
// window is a pop-up owned by the main window, not one of its controls. It
// sees the mouse through PasswordBoxProc, which relays the box's mouse
// messages: a tip that watched the box itself (TTF_SUBCLASS) would put every
// message to the box, the password written on every change among them,
// through the common controls' subclass dispatch. Made after the bar classes,
// tips among them, are registered.
void AddPasswordBoxTip() {
    PasswordBoxTip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, Controls.MainWnd, nullptr, nullptr, nullptr);
    // The tip keeps a copy of the text.
    TWideText Text = LoadInterfaceText(IDS_PASSWORD_BOX_TIP);
    TOOLINFOW Tool = {};
    Tool.cbSize = TTTOOLINFOW_V2_SIZE;
    Tool.uFlags = TTF_IDISHWND;
    Tool.hwnd = Controls.MainWnd;
    Tool.uId = reinterpret_cast<UINT_PTR>(Controls.PasswordBox);
    Tool.lpszText = Text.Text;
    SendMessageW(PasswordBoxTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
    SendMessageW(PasswordBoxTip, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(TipWidth));
}

} // namespace

void CreateMainControls(HWND Window) {
    Controls.MainWnd = Window;
    WindowDpi = DpiOfWindow(Window);
    WindowDC = GetDC(Window);
    MemoryDC = CreateCompatibleDC(WindowDC);
    // Pictures scaled up take whole source pixels, never a blend of them.
    SetStretchBltMode(WindowDC, COLORONCOLOR);
    FixClientSize();
    for (int32_t Row = 0; Row < ControlRowCount; ++Row)
        CreatedControls[Row] = CreateControl(ControlTable[Row]);
    CreationDpi = WindowDpi;
    CreatedThumbLength = int32_t(SendMessageW(Controls.WeaponBar, TBM_GETTHUMBLENGTH, 0, 0));
    FillTabOrder();
    AddEnterPasswordItem();
    AddPasswordBoxTip();
    // The password, the numbers beside the item bars, the bars the car shows
    // and the pictures: the model's view of the starting controls.
    RecomputePassword();
    ShowWindow(Window, SW_SHOW);
    UpdateWindow(Window);
    SetFocus(Controls.HeroList);
}

void ChangeWindowDpi(int32_t Dpi, const RECT &Suggested) {
    WindowDpi = Dpi;
    SizeWindow(Suggested.left, Suggested.top);
    for (int32_t Row = 0; Row < ControlRowCount; ++Row) {
        HWND Control = CreatedControls[Row];
        TArea Area = AreaOf(ControlTable[Row]);
        SetWindowPos(Control, nullptr, Area.X, Area.Y, Area.Width, Area.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        // The controls that show text have a font of their own.
        if (SendMessageW(Control, WM_GETFONT, 0, 0) != 0)
            ApplyControlFont(Control);
        if (ControlTable[Row].ClassName == Trackbar)
            SendMessageW(Control, TBM_SETTHUMBLENGTH,
                         ScaleLength(CreatedThumbLength, CreationDpi, Dpi), 0);
    }
    SendMessageW(PasswordBoxTip, TTM_SETMAXTIPWIDTH, 0, ScaleToDpi(TipWidth));
    InvalidateRect(Controls.MainWnd, nullptr, TRUE);
}
