// RecomputePassword: the one bridge from the window's controls to the
// encoder, through the window model's view. It always reads every control and
// always re-encodes. And the other way, LoadSettingsIntoControls for a
// password read in.
#include "recompute.h"

#include <windows.h>
#include <commctrl.h>

#include "interface_text.h"
#include "render.h"
#include "window_model.h"
#include "window_state.h"
#include "window_view.h"

namespace {

// What the controls hold now: every list's selection, every bar's position
// (a hidden bar's too) and the money box's text, as the model reads them.
void ReadControlState(TControlState &State) {
    for (int32_t C = 0; C < ControlCount; ++C) {
        const HWND Control = ControlHandle(TControl(C));
        switch (ControlRules[C].Kind) {
        case TControlKind::List:
            State.Values[C] = int32_t(SendMessageW(Control, CB_GETCURSEL, 0, 0));
            break;
        case TControlKind::Bar:
            State.Values[C] = int32_t(SendMessageW(Control, TBM_GETPOS, 0, 0));
            break;
        default:
            State.Values[C] = 0;
            break;
        }
    }
    wchar_t Money[MoneyTextLimit + 1] = {};
    GetWindowTextW(Controls.MoneyBox, Money, MoneyTextLimit + 1);
    for (int32_t I = 0; I < MoneyTextLimit; ++I)
        State.Money.Characters[I] = uint16_t(Money[I]);
    State.Money.Length = GetWindowTextLengthW(Controls.MoneyBox);
}

} // namespace

void RecomputePassword() {
    TControlState State;
    ReadControlState(State);
    TWindowView View;
    ViewOf(State, ShownView.Record, View);
    RenderView(View);
}

void LoadSettingsIntoControls(const TSettings &Record) {
    TControlState State;
    ControlStateOf(Record, State);
    for (int32_t C = 0; C < ControlCount; ++C) {
        const HWND Control = ControlHandle(TControl(C));
        if (ControlRules[C].Kind == TControlKind::List)
            SendMessageW(Control, CB_SETCURSEL, State.Values[C], 0);
        else if (ControlRules[C].Kind == TControlKind::Bar)
            SendMessageW(Control, TBM_SETPOS, TRUE, State.Values[C]);
    }
    SetWindowTextW(Controls.MoneyBox, MoneyBoxText(State.Money).Text);
    RecomputePassword();
}
