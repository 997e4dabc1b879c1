// The end-to-end driver's tools: start the password generator, find its window
// and controls, work them as a user does (keyboard and mouse through the input
// queue of the Wine desktop), read what they show, and capture the screen.
#pragma once

#include "window_facts.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---- reporting --------------------------------------------------------------

// Every failed check is printed with the running case's name and counted.
extern int FailureCount;
extern const wchar_t *CurrentCase;
void Print(const wchar_t *Format, ...);
bool Check(bool Condition, const wchar_t *Format, ...);
// Format's text with its arguments, as Print would print it.
std::wstring Say(const wchar_t *Format, ...);

// ---- waiting ------------------------------------------------------------------

// The program handles input in its own time, so every check of a reaction
// waits for it, and every wait has a deadline: long enough for a machine
// loaded by other tests, and when it runs out the running case fails at once,
// with a line that says what it awaited and what it saw then (Awaited's
// text), and ends: TCaseEnded is thrown to whatever runs the case. The
// deadline is 30 s, some multiple of it for a program under an emulator.
struct TCaseEnded {};
extern DWORD WaitDeadline; // ms
void Await(const std::function<bool()> &Condition, const std::function<std::wstring()> &Awaited,
           DWORD DeadlineMs = WaitDeadline);
// The same with a fixed text, for a condition whose failure has nothing more to show.
void Await(const std::function<bool()> &Condition, const wchar_t *Awaited,
           DWORD DeadlineMs = WaitDeadline);

// ---- the display scale --------------------------------------------------------

// The DPI that the program is to be laid out for (96 unless a case is run
// with --dpi), and a length of the documented 96-DPI layout at that DPI:
// Length x ExpectedDpi / 96, rounded down.
extern int ExpectedDpi;
int Scaled(int Length);
POINT Scaled(POINT At);
SIZE Scaled(SIZE Size);
// Reads the options that every driver takes, from Arguments[First] on:
// --dpi N, the screen is at N DPI (ExpectedDpi), and --deadline-factor F,
// every wait may take F times as long (WaitDeadline; a program that runs
// under an emulator). Returns the index of the first argument that is
// neither.
int ReadDriverOptions(int Count, wchar_t **Arguments, int First);
// Makes the driver per-monitor DPI aware, as the program is, so that it sees
// the program's windows and the screen in real pixels; false (with a failure
// printed) when the screen is not at ExpectedDpi.
bool UseExpectedDpi();
// The client width of the program's window at 96 DPI: what the outer width
// as created leaves inside the frame of the window's styles at 96 DPI.
int LayoutClientWidth(HWND Window);

// ---- the program ------------------------------------------------------------

// A started copy; it is ended (StopProgram) when it goes out of scope, also
// when a case ends at a failed wait.
struct TProgram {
    PROCESS_INFORMATION Process = {};
    HWND Window = nullptr;
    HWND Controls[ControlCount] = {};
    POINT Mark = {}; // a client pixel that no control covers (see Settle)
    TProgram() = default;
    TProgram(const TProgram &) = delete;
    TProgram &operator=(const TProgram &) = delete;
    ~TProgram();
};

// The path of rnrr-password.exe, from the command line.
extern std::wstring ProgramPath;

// Starts a copy and waits until its window shows a password; a missing window
// or control ends the case.
void StartProgram(TProgram &Program);
// Finds the 31 controls by class and place; false when one is missing.
bool FindControls(TProgram &Program);
// Waits for the process to end; its exit code, or STILL_ACTIVE when it runs
// on after TimeoutMs (0: only looks).
DWORD WaitForExit(TProgram &Program, DWORD TimeoutMs = WaitDeadline);
// Ends a copy that a case leaves running (close command, then termination).
void StopProgram(TProgram &Program);
// Returns once the program's thread has handled every input message queued
// to it before the call: a pixel of its window (Mark) is made invalid, and a
// thread paints only when no sent, posted or input message is left for it.
void Settle(const TProgram &Program);
// The windows that have the foreground, the activation, the focus and the
// capture, and any menu being worked, for a failure's line.
std::wstring InputState(const TProgram &Program);

HWND ControlOf(const TProgram &Program, TControl Control);
const TControlRow &RowOf(TControl Control);

// ---- reading the controls ---------------------------------------------------

std::wstring TextOf(HWND Window); // WM_GETTEXT, in UTF-16
std::wstring ListEntry(HWND List, int Index);
int SelectionOf(HWND List);
int PositionOf(HWND Bar);
HWND FocusOf(const TProgram &Program);
DWORD SelectionRangeOf(HWND Edit); // EM_GETSEL: start in the low word, end in the high

// The password the encoder gives for what the controls show now: the lists'
// selections, the bars' positions (0 for a hidden shocks or tires bar) and the
// money box's text, in the grouped display form.
std::wstring ExpectedPassword(const TProgram &Program);
// The same for the global Settings and a money text, which it reads as the
// program does (the money fields of Settings are overwritten).
std::wstring PasswordOfSettings(const std::wstring &Money);
// Waits until the password box shows ExpectedPassword; the failure names After.
void CheckPassword(const TProgram &Program, const wchar_t *After);

// ---- input ------------------------------------------------------------------

// Input goes to the thread of the window in front when it is given; the
// program handles it in order, so keys and clicks are given one after the
// other without pauses, and the checks wait for their effects.
void BringToFront(const TProgram &Program);
void PressKey(WORD Key);
void PressKeyWith(WORD Modifier, WORD Key); // e.g. Shift+Tab, Ctrl+V, Alt+F4
void TypeDigits(const wchar_t *Digits);
// Moves the pointer and waits until the system has it there.
void MouseTo(POINT Screen);
void MouseButton(bool Down);
void ClickAt(POINT Screen);
POINT ScreenPointOf(HWND Window, int X, int Y); // client point to screen
// Moves the focus to a control with Tab presses, each awaited.
void FocusControl(const TProgram &Program, TControl Control);
// Waits until Control has the focus after the input named After.
void AwaitFocus(const TProgram &Program, TControl Control, const wchar_t *After);
// Chooses an entry of a list with the keyboard (Home, then Down), the way a
// user steps through a focused drop-down list.
void ChooseWithKeys(const TProgram &Program, TControl List, int Index);
void PasteText(const wchar_t *Text); // puts Text on the clipboard, then Ctrl+V
void PutOnClipboard(const wchar_t *Text);
// Types any characters, Cyrillic included, as Unicode key events (VK_PACKET).
void TypeText(const wchar_t *Text);
// A visible top-level window of the program of class ClassName (and, when
// Title is not null, with that caption); null when there is none.
HWND FindProgramWindow(const TProgram &Program, const wchar_t *ClassName,
                       const wchar_t *Title = nullptr);
// The same for a window that Matches.
HWND FindProgramWindow(const TProgram &Program, const wchar_t *ClassName,
                       const std::function<bool(HWND)> &Matches);
// A click in the middle of a control.
void ClickControl(HWND Control);
// Drops a list with a click in its middle, once the program holds no mouse
// capture (a list that closes keeps it until it is shut, and would take the
// click); its dropped part, a visible ComboLBox of the program that hangs
// from the box's lower edge (or, with no room below, its upper edge).
HWND DropList(const TProgram &Program, HWND List);
// Whether entry Index of a dropped list shows whole.
bool EntryInView(HWND Dropped, int Index);
// Points at entry Index of a dropped list, waits until the list follows the
// pointer to it, and clicks it.
void ClickDroppedEntry(const TProgram &Program, HWND Dropped, int Index);
// The thumb's centre at a position, in the bar's client pixels, taken from a
// trackbar of the same class, style and size in the driver's own process.
POINT ThumbCentre(const TProgram &Program, TControl Bar, int Position);
// Presses the mouse button on a bar's thumb and waits until the bar holds the
// mouse capture.
void PressThumb(const TProgram &Program, TControl Bar);
// Moves a pressed thumb to the place of Position and waits until the bar is there.
void DragThumbTo(const TProgram &Program, TControl Bar, int Position);

// The passwords the window shows for the control states of a file of
// model-states lines, one "P" line each; and what the password dialog says
// of the typed passwords of a file of model-states' typed lines: its status
// line, one "N" line each, then each entry of its repair list, an "R" line.
int PasswordsOfStates(const wchar_t *File);
int NoticesOfPasswords(const wchar_t *File);

// ---- pictures ---------------------------------------------------------------

// 32-bit pixels, 0x00RRGGBB, top row first.
struct TImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int X, int Y) const { return Pixels[Y * Width + X] & 0x00FFFFFF; }
    uint32_t Raw(int X, int Y) const { return Pixels[Y * Width + X]; }
};

// The client area of a window, or of the program's window, as it is on the
// screen.
TImage CaptureClient(HWND Window);
TImage CaptureClient(const TProgram &Program);
// Bitmap Id of the program's resources (loaded from the exe as data).
const TImage &ProgramBitmap(int Id);
uint32_t BackgroundColour(); // COLOR_BTNFACE as 0x00RRGGBB

// A top-down 32-bit DIB section of Width x Height; its pixels in Bits.
HBITMAP NewDib(int Width, int Height, uint32_t *&Bits);

// Source's rectangle at (SourceX, SourceY), Width x Height, as the window
// must show it at ExpectedDpi: enlarged to the scaled size by repeating whole
// pixels, never blending them. Pixels that the copy does not reach (past
// Source's edge) hold Unset.
constexpr uint32_t Unset = 0xFF000000;
TImage ScaledPicture(const TImage &Source, int SourceX, int SourceY, int Width, int Height);
// Pixels of Screen at At (a place of the 96-DPI layout, scaled here) that
// differ from Picture; with KeyYellow, yellow pixels of Picture must show the
// background instead. Unset pixels are not compared.
int Mismatches(const TImage &Screen, POINT At, const TImage &Picture, bool KeyYellow);
// Pixels of the rectangle (of the 96-DPI layout, scaled here) that are not
// the background colour.
int NonBackground(const TImage &Screen, POINT At, SIZE Size);
