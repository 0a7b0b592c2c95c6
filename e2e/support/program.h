// A program under test, started the way a user starts it: its exe copied
// from the build's bin folder into a fresh temporary program folder (so the
// files it writes beside itself land there and go with the folder), then run
// with CreateProcessW. The process is killed and the folder removed when the
// object goes.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "e2e/support/temp_folder.h"
#include "e2e/support/wait.h"

namespace e2e {

// The folder of the running test exe, where the build puts every exe;
// ends in "\".
std::wstring BinFolder();

class Program {
public:
    // Copies exeName (e.g. L"kestrun.exe") from BinFolder() into a fresh
    // program folder and starts it with the arguments and the show command.
    // Null when the copy or the start fails.
    static std::unique_ptr<Program> Start(const std::wstring& exeName, const std::wstring& arguments = L"",
                                          int showCommand = SW_SHOWNORMAL);
    // Starts exeName in an existing program folder (ending in "\"), as a
    // user starts the program again where it ran before and left its files.
    // The exe is copied there from BinFolder() unless the folder holds it
    // already. The folder is not removed when the object goes: its owner
    // removes it. Null when the copy or the start fails.
    static std::unique_ptr<Program> StartIn(const std::wstring& folder, const std::wstring& exeName,
                                            const std::wstring& arguments = L"", int showCommand = SW_SHOWNORMAL);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The program folder, ending in "\".
    const std::wstring& Folder() const { return folder_; }
    const std::wstring& ExePath() const { return exePath_; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    bool IsRunning() const;

    // A visible top-level window of this process whose title is exactly
    // title (compared case-sensitively); null when none shows up in time.
    HWND WaitForWindow(const std::wstring& title, uint32_t timeoutMs = kDefaultTimeoutMs) const;
    // The process's exit code once it has exited within the time; nullopt
    // when it is still running.
    std::optional<DWORD> WaitForExit(uint32_t timeoutMs = kDefaultTimeoutMs) const;
    // Posts WM_CLOSE to the window and waits for the process to exit; kills
    // it when it has not exited in time. The exit code, or nullopt when the
    // process had to be killed.
    std::optional<DWORD> Close(HWND window, uint32_t timeoutMs = kDefaultTimeoutMs);
    void Kill();

private:
    Program() = default;
    // Copies the exe into folder_ (unless it is there) and starts it.
    bool Launch(const std::wstring& exeName, const std::wstring& arguments, int showCommand);

    std::unique_ptr<TempFolder> ownFolder_;  // null when started in a given folder
    std::wstring folder_;
    std::wstring exePath_;
    PROCESS_INFORMATION process_{};
};

// The window's title as the window holds it (works across processes).
std::wstring WindowTitle(HWND window);

}  // namespace e2e
