// The window's input controls as a screen reader reads them. Each answers
// WM_GETOBJECT for its client area with an accessible object that holds the
// system's standard object for the control and says, from the view the
// window shows, what the control means: its name, role, value and state,
// and beside an item bar what the icon there shows. Everything else the
// standard object answers.
//
// oleacc, ole32 and oleaut32 are loaded when the first request comes, so a
// window that no client reads loads none of them; COM starts on the
// window's thread then and ends with the window.
#pragma once

#include <windows.h>

// A client's WM_GETOBJECT to input control Control: true, with Answer set,
// when the window answers it with its own object (the client area);
// false to pass the message on to the control's class.
bool AnswerGetObject(HWND Control, WPARAM WParam, LPARAM LParam, LRESULT &Answer);

// Tells clients that the password box shows another password: a value
// change, and where the system keeps the box as a polite live region, a
// change of the region.
void AnnouncePasswordChange();

// The window's end: every object handed out answers only with an error
// from now on, the live region is cleared and COM ends.
void EndAccessibleObjects();
