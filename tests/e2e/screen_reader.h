// What a screen reader reads of the program's controls: the accessible
// object of a control's client area, asked for from this process through
// oleacc as a screen reader asks, and what it says.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

// A control's object (WM_GETOBJECT through AccessibleObjectFromWindow), or
// null. The caller releases it.
IAccessible *AccessibleOf(HWND Control, LONG Object = OBJID_CLIENT);

struct TSpoken {
    HRESULT Result = E_FAIL; // S_OK, or the error of the first call that failed
    std::wstring Name, Value, Description;
    LONG Role = 0, State = 0;
};

// Name, role, value and state of Object's own element or of its child Child
// (an error in Result when one of them fails), and the description where
// it has one.
TSpoken Spoken(IAccessible *Object, LONG Child = CHILDID_SELF);
// The same for a control's object, asked for afresh and released.
TSpoken SpokenOf(HWND Control);

// «Пароль», text, «7Ф70 !72Ь 4ЦЛ!», state 00100040, «» for a log line: the
// name, the role's text, value, state and description.
std::wstring SpokenText(const TSpoken &Spoken);
