// Starting programs through Win32Desktop: a command line with a window
// style, activation by process id, and the shell's "open".
#include <gtest/gtest.h>

#include "common/win32/desktop_win32.h"
#include "common/win32/wide.h"
#include "e2e/support/program.h"
#include "e2e/support/target_window.h"
#include "e2e/support/temp_folder.h"

namespace {

struct ProcessWindow {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindow*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // The target's main window, not the helper windows the system gives the
    // process (an input method window, for one).
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner != search->processId || std::wstring(className) != L"E2ETargetWindow") return TRUE;
    search->found = window;
    return FALSE;
}

// The target's top-level window in a process, shown or hidden; null when
// none appears in time.
HWND WaitForProcessWindow(DWORD processId) {
    ProcessWindow search{processId, nullptr};
    e2e::WaitUntil([&] {
        EnumWindows(MatchProcess, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// A process started by the code under test. Closed with WM_CLOSE by Close();
// killed when the test ends early, so that no process outlives its test.
class Launched {
public:
    explicit Launched(DWORD processId)
        : processId_(processId),
          process_(processId ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                           processId)
                             : nullptr),
          window_(processId ? WaitForProcessWindow(processId) : nullptr) {}
    ~Launched() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 255);
            WaitForSingleObject(process_, e2e::kDefaultTimeoutMs);
        }
        CloseHandle(process_);
    }
    Launched(const Launched&) = delete;
    Launched& operator=(const Launched&) = delete;

    DWORD ProcessId() const { return processId_; }
    HWND Window() const { return window_; }
    // Closes the window and waits for the process to end; true when it
    // ended by itself, with exit code 0.
    bool Close() {
        if (!process_ || !window_) return false;
        PostMessageW(window_, WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        return WaitForSingleObject(process_, e2e::kDefaultTimeoutMs) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process_, &exitCode) && exitCode == 0;
    }

private:
    DWORD processId_;
    HANDLE process_;
    HWND window_;
};

std::string TargetCommandLine(const std::wstring& title) {
    return win32::Narrow(L"\"" + e2e::BinFolder() + L"target.exe\" --title \"" + title + L"\"");
}

struct StyleCase {
    int style;
    bool visible, zoomed, iconic;
};

TEST(DesktopProgramsTest, LaunchProgramStartsWithTheWindowStyle) {
    const StyleCase cases[] = {
        {0, false, false, false},  // hidden
        {1, true, false, false},   // normal
        {2, true, false, true},    // minimised
        {3, true, true, false},    // maximised
        {4, true, false, false},   // normal, without focus
        {6, true, false, true},    // minimised, without focus
    };
    win32::Win32Desktop desktop;
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.style);
        uint32_t processId = desktop.LaunchProgram(TargetCommandLine(L"E2E Launched"), c.style);
        ASSERT_NE(processId, 0u);
        Launched launched(processId);
        HWND window = launched.Window();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(e2e::WaitUntil([&] {
            return bool(IsWindowVisible(window)) == c.visible && bool(IsZoomed(window)) == c.zoomed &&
                   bool(IsIconic(window)) == c.iconic;
        }));
        EXPECT_TRUE(launched.Close());
    }
}

TEST(DesktopProgramsTest, LaunchProgramRefusesOtherStylesAndMissingPrograms) {
    win32::Win32Desktop desktop;
    for (int style : {5, 7, 9, -1, 100}) {
        SCOPED_TRACE(style);
        EXPECT_EQ(desktop.LaunchProgram(TargetCommandLine(L"E2E Not Launched"), style), 0u);
    }
    EXPECT_EQ(desktop.LaunchProgram("\"C:\\no such folder\\no such program.exe\"", 1), 0u);
    EXPECT_EQ(desktop.LaunchProgram("", 1), 0u);
    // Nothing was started by any of them.
    EXPECT_EQ(FindWindowW(nullptr, L"E2E Not Launched"), nullptr);
}

TEST(DesktopProgramsTest, ActivateProcessBringsItsWindowToTheFront) {
    win32::Win32Desktop desktop;
    uint32_t first = desktop.LaunchProgram(TargetCommandLine(L"E2E Activated 1"), 1);
    uint32_t second = desktop.LaunchProgram(TargetCommandLine(L"E2E Activated 2"), 1);
    Launched firstLaunched(first);
    Launched secondLaunched(second);
    HWND firstWindow = firstLaunched.Window();
    HWND secondWindow = secondLaunched.Window();
    ASSERT_NE(firstWindow, nullptr);
    ASSERT_NE(secondWindow, nullptr);
    ASSERT_TRUE(e2e::WaitUntil([&] { return IsWindowVisible(firstWindow) && IsWindowVisible(secondWindow); }));

    const std::pair<uint32_t, HWND> order[] = {{first, firstWindow}, {second, secondWindow}, {first, firstWindow}};
    for (auto [processId, window] : order) {
        SCOPED_TRACE(processId == first ? "first" : "second");
        bool activated = false;
        EXPECT_TRUE(e2e::BringToFront(window, [&] { return activated = desktop.ActivateProcess(processId); }));
        EXPECT_TRUE(activated);
    }
    // Hidden windows do not count: this test program shows none, and
    // neither does a program started hidden.
    EXPECT_FALSE(desktop.ActivateProcess(GetCurrentProcessId()));
    Launched hidden(desktop.LaunchProgram(TargetCommandLine(L"E2E Activated Hidden"), 0));
    ASSERT_NE(hidden.Window(), nullptr);
    EXPECT_FALSE(desktop.ActivateProcess(hidden.ProcessId()));
    EXPECT_TRUE(hidden.Close());

    EXPECT_TRUE(firstLaunched.Close());
    EXPECT_TRUE(secondLaunched.Close());
}

TEST(DesktopProgramsTest, ShellOpenStartsAProgramByItsPath) {
    // A copy of the target under a Chinese name in a Chinese-named folder.
    e2e::TempFolder folder;
    std::wstring subfolder = folder.Path() + L"外壳 打开\\";
    ASSERT_TRUE(CreateDirectoryW(subfolder.c_str(), nullptr));
    std::wstring exe = subfolder + L"目标.exe";
    ASSERT_TRUE(CopyFileW((e2e::BinFolder() + L"target.exe").c_str(), exe.c_str(), TRUE));
    win32::Win32Desktop desktop;

    ASSERT_TRUE(desktop.ShellOpen(win32::Narrow(exe)));
    // Started without arguments, the target has its default title.
    HWND window = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (window = FindWindowW(nullptr, L"E2E Target")) != nullptr; }));
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    Launched launched(processId);
    EXPECT_TRUE(launched.Close());

    EXPECT_FALSE(desktop.ShellOpen(win32::Narrow(subfolder + L"no such file.exe")));
}

}  // namespace
