// Driving another program's modal dialogs from a test, as a user answers
// them: message boxes and input boxes found by their title, their texts read
// with WM_GETTEXT (which crosses the process boundary), their buttons
// pressed with BM_CLICK.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/support/wait.h"

namespace e2e {

// A visible dialog (class #32770) of the process whose title is exactly
// title; null when none shows up in time.
HWND WaitForDialog(DWORD processId, const std::wstring& title, uint32_t timeoutMs = kDefaultTimeoutMs);
// Any visible dialog of the process, whatever its title; null when none
// shows up in time.
HWND WaitForAnyDialog(DWORD processId, uint32_t timeoutMs = kDefaultTimeoutMs);
// Waits until the dialog window is gone; true when it is.
bool WaitForDialogClosed(HWND dialog, uint32_t timeoutMs = kDefaultTimeoutMs);
// Whether any visible dialog of the process is open now.
bool AnyDialogOpen(DWORD processId);

// A window's text (a caption, an edit box's content), UTF-8.
std::string WindowText(HWND window);
// Sets a window's text with WM_SETTEXT.
void SetWindowTextTo(HWND window, const std::string& text);
std::string DialogItemText(HWND dialog, int id);

// The ids of the dialog's visible buttons, in child order.
std::vector<int> VisibleButtons(HWND dialog);
// Presses a button of the dialog (BM_CLICK) and waits for the dialog to
// close; true when it closed.
bool PressAndWaitClosed(HWND dialog, int buttonId);

// The text of a message box (its static text, id 0xFFFF).
std::string MessageBoxText(HWND box);

// The icon a message box shows, told apart by its colours on the screen:
// the exclamation mark is drawn on yellow, the information sign on blue.
enum class BoxIcon { kNone, kExclamation, kInformation };
BoxIcon MessageBoxIcon(HWND box);

// The prompt and the answer's edit box of the programs' input box.
std::string InputBoxPrompt(HWND box);
std::string InputBoxAnswer(HWND box);
// Types the answer and presses OK; true when the box closed.
bool AnswerInputBox(HWND box, const std::string& answer);

}  // namespace e2e
