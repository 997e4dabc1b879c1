// The bridge between the window's controls and the window model: what the
// controls hold is read into the model's view of the window, which the
// window then shows; and the way back, a record into the controls.
#pragma once

#include "settings.h"

// Reads every control, makes the view of the window from them and shows it:
// the password, the numbers beside the item bars, the bars the car shows and
// the pictures.
void RecomputePassword();

// The other way: every list, bar and the money box (three digits) take the
// values of Record (each within its range), and the window shows the view of
// the controls. A bar that the car hides keeps Record's level, but the
// password takes 0 for it.
void LoadSettingsIntoControls(const TSettings &Record);
