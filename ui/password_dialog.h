// The modal dialog that reads a password back.
#pragma once

// Opened with Text in its field (null for an empty field); OK loads the
// password into the controls, Cancel changes nothing.
void OpenPasswordDialog(const wchar_t *Text);

// The same with the clipboard's text up to its first line break.
void OpenPasswordDialogFromClipboard();
