// RenderView: the window shows the model's view of it. Only what the view
// changes is written, in the order that a change of car needs: the bars
// shown or hidden first, then the pictures beside them, then the password
// and the numbers beside the item bars; last, the new password is announced
// to screen readers.
#include "render.h"

#include <windows.h>

#include "accessible.h"
#include "interface_text.h"
#include "pictures.h"
#include "window_state.h"

namespace {

bool SameCell(const TCell &A, const TCell &B) {
    return A.Source == B.Source && A.X == B.X && A.Y == B.Y && A.Width == B.Width &&
           A.Height == B.Height;
}

bool SameShownBars(const TWindowView &A, const TWindowView &B) {
    for (int32_t C = 0; C < ControlCount; ++C)
        if (A.Shown[C] != B.Shown[C])
            return false;
    return true;
}

bool SamePictures(const TWindowView &A, const TWindowView &B) {
    for (int32_t I = 0; I < UpgradeBarCount; ++I)
        if (!SameCell(A.UpgradePictures[I], B.UpgradePictures[I]))
            return false;
    for (int32_t I = 0; I < ItemBarCount; ++I)
        if (!SameCell(A.ItemIconCells[I], B.ItemIconCells[I]))
            return false;
    return true;
}

// The shocks and tires bars as ShownView says, the two visibility flags
// with them, and the pictures, whose hidden bars' places become plain
// background.
void UpdateUpgradeVisibility() {
    ShocksBarShown = ShownView.Shown[int32_t(TControl::ShocksBar)];
    ShowWindow(Controls.ShocksBar, ShocksBarShown ? SW_SHOW : SW_HIDE);
    TiresBarShown = ShownView.Shown[int32_t(TControl::TiresBar)];
    ShowWindow(Controls.TiresBar, TiresBarShown ? SW_SHOW : SW_HIDE);
    DrawPictures();
}

HWND ItemCountLabel(int32_t Item) {
    HWND TControlHandles::*const Labels[ItemBarCount] = {
        &TControlHandles::WeaponCount, &TControlHandles::BoostCount, &TControlHandles::DropCount};
    return Controls.*Labels[Item];
}

} // namespace

void RenderView(const TWindowView &View) {
    const bool First = !ViewRendered;
    const TWindowView Before = ShownView;
    ShownView = View;
    ViewRendered = true;

    if (First || !SameShownBars(View, Before))
        UpdateUpgradeVisibility();
    else if (!SamePictures(View, Before))
        DrawPictures();
    SetWindowTextW(Controls.PasswordBox, WideFrom1251(View.Password).Text);
    for (int32_t Item = 0; Item < ItemBarCount; ++Item)
        if (First || lstrcmpA(View.ItemCounts[Item], Before.ItemCounts[Item]) != 0)
            SetWindowTextW(ItemCountLabel(Item), WideFrom1251(View.ItemCounts[Item]).Text);
    AnnouncePasswordChange();
}
