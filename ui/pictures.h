// The pictures beside the controls, drawn straight into WindowDC.
#pragma once

// Emblem and car pictures, then DrawPictures: the whole set.
void PaintMainWindow();

// The upgrade pictures and item icons of ShownView.
void DrawPictures();
