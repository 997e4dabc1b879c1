// The end-to-end cases of the window at any display scale: every text of the
// window and of the dialog whole, none cut by its control, and every trackbar
// drawn whole. Texts are measured with fonts and controls made here, in the
// driver's own process at the DPI that the program runs at.
#include "cases.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The window's font: FontFace with the 96-DPI em scaled.
HFONT WindowFont() {
    LOGFONTW Record = {};
    Record.lfHeight = -Scaled(FontEm);
    lstrcpynW(Record.lfFaceName, FontFace, LF_FACESIZE);
    return CreateFontIndirectW(&Record);
}

// The size of the ink of Text in Font, drawn black on white from (0, 0) with
// Format (DrawText's flags) into lines of at most Width pixels: the width to
// its rightmost inked column, the height to its lowest inked row. Ink is a
// pixel darker than mid-grey: the faint edge that smoothing adds is not. A
// word wider than Width reaches past it.
SIZE TextExtent(HFONT Font, const std::wstring &Text, int Width, UINT Format) {
    const int CanvasWidth = 4096, CanvasHeight = 1024;
    const uint32_t White = 0x00FFFFFF;
    const uint32_t MidGrey = 0x80;
    uint32_t *Pixels = nullptr;
    HBITMAP Canvas = NewDib(CanvasWidth, CanvasHeight, Pixels);
    std::fill(Pixels, Pixels + CanvasWidth * CanvasHeight, White);
    HDC Context = CreateCompatibleDC(nullptr);
    HGDIOBJ PreviousBitmap = SelectObject(Context, Canvas);
    HGDIOBJ PreviousFont = SelectObject(Context, Font);
    SetBkMode(Context, TRANSPARENT);
    RECT Box = {0, 0, Width > 0 ? Width : CanvasWidth, CanvasHeight};
    DrawTextW(Context, Text.c_str(), static_cast<int>(Text.size()), &Box, Format | DT_NOCLIP);
    GdiFlush();
    SIZE Ink = {0, 0};
    for (int Y = 0; Y < CanvasHeight; ++Y)
        for (int X = 0; X < CanvasWidth; ++X)
            if ((Pixels[Y * CanvasWidth + X] >> 8 & 0xFF) < MidGrey) { // its green
                Ink.cx = std::max<LONG>(Ink.cx, X + 1);
                Ink.cy = std::max<LONG>(Ink.cy, Y + 1);
            }
    SelectObject(Context, PreviousFont);
    SelectObject(Context, PreviousBitmap);
    DeleteDC(Context);
    DeleteObject(Canvas);
    return Ink;
}

constexpr UINT LabelFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS; // as a static control draws
constexpr UINT LineFormat = DT_SINGLELINE;

// Whether Text inks no more than Room in Font, wrapped at Room's width with
// LabelFormat.
bool CheckWhole(const wchar_t *Name, const std::wstring &Text, HFONT Font, UINT Format, SIZE Room) {
    SIZE Ink = TextExtent(Font, Text, Room.cx, Format);
    return Check(Ink.cx <= Room.cx && Ink.cy <= Room.cy,
                 L"%ls: \"%ls\" inks %ld x %ld pixels, %ld x %ld show", Name, Text.c_str(), Ink.cx,
                 Ink.cy, Room.cx, Room.cy);
}

// Control's own text in the part of its client area that Window's client
// area shows, less Inset (the margins of an edit box, a button's frame).
bool CheckTextIn(HWND Control, HWND Window, HFONT Font, const wchar_t *Name, UINT Format,
                 SIZE Inset = {0, 0}) {
    RECT Inside, Client;
    GetClientRect(Control, &Inside);
    MapWindowPoints(Control, Window, reinterpret_cast<POINT *>(&Inside), 2);
    GetClientRect(Window, &Client);
    IntersectRect(&Inside, &Inside, &Client);
    SIZE Room = {Inside.right - Inside.left - Inset.cx, Inside.bottom - Inside.top - Inset.cy};
    return CheckWhole(Name, TextOf(Control), Font, Format, Room);
}

SIZE EditMargins(HWND Box) {
    DWORD Margins = static_cast<DWORD>(SendMessageW(Box, EM_GETMARGINS, 0, 0));
    return SIZE{LOWORD(Margins) + HIWORD(Margins), 0};
}

// The labels, both boxes and every entry of every list (in the selection
// field, which is narrower than the dropped list).
void CheckWindowTextsWhole(const TProgram &Program) {
    HFONT Font = WindowFont();
    for (const TControlRow &Row : ControlRows)
        if (lstrcmpiW(Row.ClassName, L"Static") == 0 && Row.ExStyle != StaticEdge) // no separator
            CheckTextIn(ControlOf(Program, Row.Control), Program.Window, Font, Row.Name,
                        LabelFormat);
    for (TControl Box : {TControl::PasswordBox, TControl::MoneyBox}) {
        HWND Handle = ControlOf(Program, Box);
        CheckTextIn(Handle, Program.Window, Font, RowOf(Box).Name, LineFormat, EditMargins(Handle));
    }
    // The selection field of a list of the same style and size.
    HWND Host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, Scaled(500), Scaled(300),
                                nullptr, nullptr, nullptr, nullptr);
    for (const TListFacts &Facts : ListFacts) {
        HWND List = ControlOf(Program, Facts.List);
        RECT Place;
        GetWindowRect(List, &Place);
        HWND Twin = CreateWindowExW(0, L"COMBOBOX", L"", RowOf(Facts.List).Style, 0, 0,
                                    Place.right - Place.left, Scaled(RowOf(Facts.List).Height),
                                    Host, nullptr, nullptr, nullptr);
        SendMessageW(Twin, WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
        COMBOBOXINFO Info = {};
        Info.cbSize = sizeof Info;
        GetComboBoxInfo(Twin, &Info);
        // The text starts a pixel into the field.
        SIZE Room = {Info.rcItem.right - Info.rcItem.left - 1,
                     Info.rcItem.bottom - Info.rcItem.top};
        for (int Index = 0; Index < Facts.EntryCount; ++Index)
            CheckWhole(RowOf(Facts.List).Name, ListEntry(List, Index), Font, LineFormat, Room);
    }
    DestroyWindow(Host);
    DeleteObject(Font);
}

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The dialog holding a password with repairs: every control inside it, its
// texts whole in the font that its template gives at this DPI (taken from a
// copy of the dialog made here from the program's resources).
void CheckDialogTextsWhole(const TProgram &Program) {
    char Text[PasswordLength], Broken[PasswordLength];
    PasswordOf(DialogRecord(), Text);
    TDecodeResult Result;
    HWND Dialog = OpenByMenu(Program);
    if (!Check(BreakPassword(Text, Broken, Result), L"no broken password"))
        return;
    TypeText(TypedForm(Broken).c_str());
    HWND List = GetDlgItem(Dialog, DialogListId);
    Await([&] { return SendMessageW(List, LB_GETCOUNT, 0, 0) > 0; },
          L"the dialog to list the repairs of a broken password");
    HMODULE Module = LoadLibraryExW(ProgramPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HWND Copy =
        CreateDialogParamW(Module, MAKEINTRESOURCEW(DialogTemplateId), nullptr, IdleDialogProc, 0);
    HFONT Font = reinterpret_cast<HFONT>(SendMessageW(Copy, WM_GETFONT, 0, 0));
    RECT Client;
    GetClientRect(Dialog, &Client);
    for (HWND Child = GetWindow(Dialog, GW_CHILD); Child != nullptr;
         Child = GetWindow(Child, GW_HWNDNEXT)) {
        RECT Place;
        GetWindowRect(Child, &Place);
        MapWindowPoints(HWND_DESKTOP, Dialog, reinterpret_cast<POINT *>(&Place), 2);
        RECT Inside;
        IntersectRect(&Inside, &Place, &Client);
        Check(EqualRect(&Inside, &Place) != 0, L"dialog control %d reaches out of the dialog",
              GetDlgCtrlID(Child));
    }
    CheckTextIn(GetDlgItem(Dialog, DialogPromptId), Dialog, Font, L"the prompt", LabelFormat);
    CheckTextIn(GetDlgItem(Dialog, DialogStatusId), Dialog, Font, L"the status", LabelFormat);
    HWND Field = GetDlgItem(Dialog, DialogFieldId);
    CheckTextIn(Field, Dialog, Font, L"the field", LineFormat, EditMargins(Field));
    // A button's raised frame and focus rectangle take about 3 pixels a side.
    for (int Id : {DialogTakeId, DialogOkId, DialogCancelId})
        CheckTextIn(GetDlgItem(Dialog, Id), Dialog, Font, L"a button", LineFormat,
                    Scaled(SIZE{6, 6}));
    DestroyWindow(Copy);
    FreeLibrary(Module);
    PressKey(VK_ESCAPE);
    Await([&] { return !IsWindow(Dialog); }, L"Escape to close the dialog");
}

} // namespace

// Every text of the window and of the dialog whole, none cut by its control.
void CaseTextsWhole(TProgram &Program) {
    CheckWindowTextsWhole(Program);
    CheckDialogTextsWhole(Program);
}

// Every trackbar as the screen shows it: a channel across most of its width,
// below it one mark for each position, and nothing at its edges, where a part
// too large for the bar would be cut off.
void CaseTrackbarsDrawn(TProgram &Program) {
    ShowEveryBar(Program);
    const uint32_t Background = BackgroundColour();
    // What is wrong with the bars on the screen now: nothing once drawn.
    auto Faults = [&] {
        TImage Screen = CaptureClient(Program);
        std::wstring Found;
        for (const TTrackbarFacts &Facts : TrackbarFacts) {
            const wchar_t *Name = RowOf(Facts.Bar).Name;
            HWND Bar = ControlOf(Program, Facts.Bar);
            RECT Place;
            GetClientRect(Bar, &Place);
            MapWindowPoints(Bar, Program.Window, reinterpret_cast<POINT *>(&Place), 2);
            int Width = Place.right - Place.left, Height = Place.bottom - Place.top;
            auto Ink = [&](int X, int Y) {
                return Screen.At(Place.left + X, Place.top + Y) != Background;
            };
            // The channel: the first row inked across more than half the bar.
            int Channel = -1;
            for (int Y = 0; Y < Height && Channel < 0; ++Y) {
                int Inked = 0;
                for (int X = 0; X < Width; ++X)
                    Inked += Ink(X, Y);
                if (Inked > Width / 2)
                    Channel = Y;
            }
            // The ticks: a row below it with as many separate marks as positions.
            int Ticks = -1;
            for (int Y = Channel + 1; Channel >= 0 && Y < Height && Ticks < 0; ++Y) {
                int Marks = 0;
                for (int X = 0; X < Width; ++X)
                    Marks += Ink(X, Y) && (X == 0 || !Ink(X - 1, Y));
                if (Marks == Facts.Maximum + 1)
                    Ticks = Y;
            }
            // The ticks may run down to the bottom row; nothing else may.
            int AtEdges = 0;
            for (int X = 0; X < Width; ++X)
                AtEdges += Ink(X, 0) + (Ink(X, Height - 1) && !(Ticks >= 0 && Ink(X, Ticks)));
            for (int Y = 0; Y < Height; ++Y)
                AtEdges += Ink(0, Y) + Ink(Width - 1, Y);
            if (Channel < 0)
                Found += Say(L"; %ls (%d x %d) draws no channel", Name, Width, Height);
            if (Ticks < 0)
                Found += Say(L"; %ls (%d x %d) draws no row of %d ticks below its channel (row %d)",
                             Name, Width, Height, Facts.Maximum + 1, Channel);
            if (AtEdges != 0)
                Found += Say(L"; %ls (%d x %d) draws %d pixels at its edges", Name, Width, Height,
                             AtEdges);
        }
        return Found;
    };
    Await([&] { return Faults().empty(); },
          [&] { return L"every trackbar drawn whole on the screen" + Faults(); });
}
