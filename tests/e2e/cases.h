// What the case files of rnrr-e2e share: the check of the pictures, and the
// dialog that reads a password back as the cases open and fill it. Each case
// (one row of cases.txt, a function CaseName(TProgram &) in a case file)
// works on a copy of the program that the runner has started: a fresh one,
// or in one-copy runs the copy that the cases before it left, so a case
// sets up what it needs from the controls as they are and may rely on the
// starting values only when it runs first.
#pragma once

#include "driver.h"

#include "decode.h"
#include "settings.h"

#include <string>

// ---- the window (window_cases.cpp) -----------------------------------------

// The selected car, or -1.
int CarOf(const TProgram &Program);
// The upgrade bars in the order of their pictures' rows.
constexpr TControl UpgradeBars[4] = {TControl::EngineBar, TControl::ArmorBar, TControl::ShocksBar,
                                     TControl::TiresBar};
// Every picture of the placement table for the car and levels the controls
// show now; waits for the drawing, and names each picture still wrong at the
// deadline. Levels, when given, are the upgrade levels in the bars' order,
// and no bar is asked: the window draws its pictures anew for any message
// to an upgrade bar, so only then the check sees what it drew by itself.
void CheckPictures(const TProgram &Program, const wchar_t *After, const int *Levels = nullptr);
// Picks a car that shows every bar (the starting one) unless the selected
// car shows them all.
void ShowEveryBar(const TProgram &Program);
// A box of the program's with that caption, or null.
HWND FindDialog(const TProgram &Program, const wchar_t *Title);

// ---- the dialog that reads a password back (dialog_cases.cpp) -----------------

// Values apart from the starting ones, every bar shown (Dirt Devil).
TSettings DialogRecord();
// The grouped password of Record, its 12 characters in Text.
std::wstring PasswordOf(const TSettings &Record, char (&Text)[PasswordLength]);
// The password as a player might type it: the Latin look-alike of every
// character that has one, other letters in lower case, hyphens between the
// groups and blanks round it.
std::wstring TypedForm(const char *Text);
// The first change of character 9 of Text that fails the checks and has
// repairs; Result is its reading.
bool BreakPassword(const char (&Text)[PasswordLength], char (&Broken)[PasswordLength],
                   TDecodeResult &Result);
// Opens the dialog with Alt+Space, Up (round to the system menu's last item)
// and Enter, and returns it once it shows.
HWND OpenByMenu(const TProgram &Program);
