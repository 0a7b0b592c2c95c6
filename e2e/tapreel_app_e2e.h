// Tapreel as the end-to-end tests drive it: started from a fresh program
// folder that may hold a prepared click table file, its window and controls,
// the rows of its table read across the process boundary, and its close.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/support/mouse.h"
#include "e2e/support/temp_folder.h"
#include "e2e/support/wait.h"

namespace e2e {

class TapreelApp {
public:
    // Copies tapreel.exe into a fresh folder, writes the click table file
    // there when tableBytes is given, starts the program and waits for its
    // window. Null when any step fails.
    static std::unique_ptr<TapreelApp> Start(const std::optional<std::string>& tableBytes = std::nullopt);
    ~TapreelApp();
    TapreelApp(const TapreelApp&) = delete;
    TapreelApp& operator=(const TapreelApp&) = delete;

    HWND Window() const { return window_; }
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    HANDLE Process() const { return process_.hProcess; }
    std::wstring TablePath() const { return folder_.Path() + L"操作信息.csv"; }
    // The click table file's bytes; nullopt when there is no file.
    std::optional<std::string> TableBytes() const;

    // A control's caption or text (UTF-8), read with WM_GETTEXT.
    std::string Text(int id) const;
    // Sets a text box's text with WM_SETTEXT (which reports EN_CHANGE).
    void SetText(int id, const std::string& text) const;
    // A click on a button as the window receives it: posted, so that a
    // handler that runs for long (playback) does not hold up the test.
    void PostClick(int id) const;

    // The table: row count, a cell (row 0-based, column 1 to 9), a check mark.
    int RowCount() const;
    std::string Cell(int row, int column) const;
    bool Checked(int row) const;
    // Whether the row is the current one (focused and selected).
    bool Current(int row) const;
    // Column n (1 to 9) of every row.
    std::vector<std::string> Column(int column) const;
    // The screen point at the middle of a row's given column, and of a
    // column's header.
    POINT CellPoint(int row, int column) const;
    POINT HeaderPoint(int column) const;

    // Posts WM_CLOSE and waits for the process to end; its exit code, or
    // nullopt when it had to be killed.
    std::optional<DWORD> Close(uint32_t timeoutMs = kDefaultTimeoutMs);

private:
    TapreelApp() = default;
    HWND List() const;
    // Sends a list view message whose lParam points at a block of memory in
    // Tapreel's process, copied there before and back after.
    bool RemoteListMessage(UINT msg, WPARAM wParam, void* block, size_t size, size_t inputSize) const;

    TempFolder folder_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace e2e
