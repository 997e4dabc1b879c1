// The one place where the window shows the model's view of it: which bars
// show, the pictures, the password and the numbers beside the item bars.
#pragma once

#include "window_view.h"

// Shows View and keeps it as ShownView. What View shows alike with the view
// shown before is not written again, but the password, which is, and is
// announced as a change of the password box's value.
void RenderView(const TWindowView &View);
