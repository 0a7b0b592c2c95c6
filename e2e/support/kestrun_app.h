// Kestrun as the end-to-end tests drive it: the real kestrun.exe started in
// a program folder, its main window and controls, the rows of List1 read
// across the process boundary, its dialogs, and its close.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/program.h"
#include "e2e/support/wait.h"

namespace e2e {

class KestrunApp {
public:
    // Starts kestrun.exe in a fresh program folder and waits for its window.
    // Null when it does not come up.
    static std::unique_ptr<KestrunApp> Start(const std::wstring& arguments = L"", int showCommand = SW_SHOWNORMAL);
    // Starts it again in a program folder where it ran before (the folder
    // belongs to the caller).
    static std::unique_ptr<KestrunApp> StartIn(const std::wstring& folder, int showCommand = SW_SHOWNORMAL);

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    Program& Process() { return *program_; }
    const std::wstring& Folder() const { return program_->Folder(); }
    DWORD ProcessId() const { return program_->ProcessId(); }

    // Places the window with its outer top-left corner at a screen point.
    void MoveTo(int x, int y) const;

    // A control's caption or text (UTF-8).
    std::string Text(int id) const;
    // Sets the text of an edit box with WM_SETTEXT, which a single-line edit
    // box reports with EN_CHANGE as it reports the user's typing. The edit
    // part of a combo box reports no WM_SETTEXT, so there the text is typed:
    // everything selected, then one WM_CHAR per character (a backspace for
    // the empty text), as the keyboard or an input method delivers it.
    void SetText(int id, const std::string& text) const;
    // Presses a button as a click on it would: BM_CLICK, posted, so that a
    // dialog the button opens does not hold up the test.
    void Press(int id) const;
    bool IsChecked(int id) const;

    // List1: its rows, the selected row (-1 for none), and the screen point
    // in the middle of a visible row.
    std::vector<std::string> Rows() const;
    int SelectedRow() const;
    POINT RowPoint(int row) const;
    // Waits until List1 holds exactly these rows; true when it does.
    bool WaitForRows(const std::vector<std::string>& rows, uint32_t timeoutMs = kDefaultTimeoutMs) const;

    // A pick as the user takes it: the pick button CmdGetXY(index) pressed,
    // the pointer moved to the point, F8 held until taken() reports the
    // pick in the fields (and for 300 ms at least), then released. True
    // when the pick was taken.
    bool PickWithF8(int index, POINT at, const std::function<bool()>& taken) const;

    // A dialog of Kestrun's process with this title.
    HWND WaitForDialog(const std::wstring& title, uint32_t timeoutMs = kDefaultTimeoutMs) const;

    // Posts WM_CLOSE and waits for the process to end: its exit code, or
    // nullopt when it had to be killed.
    std::optional<DWORD> Close(uint32_t timeoutMs = kDefaultTimeoutMs);

private:
    KestrunApp() = default;
    static std::unique_ptr<KestrunApp> WaitForMainWindow(std::unique_ptr<Program> program);

    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

// The middle of a window on the screen.
POINT CentreOf(HWND window);
// The colour number (red + 256 green + 65536 blue) of a screen pixel.
int ScreenColourAt(POINT point);

}  // namespace e2e
