#include "e2e/support/program.h"

namespace e2e {

namespace {

struct WindowSearch {
    DWORD processId;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (WindowTitle(window) != *search->title) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring exe(path, length);
    return exe.substr(0, exe.find_last_of(L'\\') + 1);
}

std::wstring WindowTitle(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring title(size_t(length > 0 ? length : 0) + 1, L'\0');
    int copied = GetWindowTextW(window, title.data(), int(title.size()));
    title.resize(copied > 0 ? size_t(copied) : 0);
    return title;
}

std::unique_ptr<Program> Program::Start(const std::wstring& exeName, const std::wstring& arguments, int showCommand) {
    std::unique_ptr<Program> program(new Program());
    program->ownFolder_ = std::make_unique<TempFolder>();
    program->folder_ = program->ownFolder_->Path();
    if (program->folder_.empty()) return nullptr;
    if (!program->Launch(exeName, arguments, showCommand)) return nullptr;
    return program;
}

std::unique_ptr<Program> Program::StartIn(const std::wstring& folder, const std::wstring& exeName,
                                          const std::wstring& arguments, int showCommand) {
    if (folder.empty() || folder.back() != L'\\') return nullptr;
    std::unique_ptr<Program> program(new Program());
    program->folder_ = folder;
    if (!program->Launch(exeName, arguments, showCommand)) return nullptr;
    return program;
}

bool Program::Launch(const std::wstring& exeName, const std::wstring& arguments, int showCommand) {
    exePath_ = folder_ + exeName;
    bool present = GetFileAttributesW(exePath_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!present && !CopyFileW((BinFolder() + exeName).c_str(), exePath_.c_str(), TRUE)) return false;

    std::wstring commandLine = L"\"" + exePath_ + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(showCommand);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &process_)) {
        return false;
    }
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
    return true;
}

Program::~Program() {
    Kill();
    if (process_.hProcess) CloseHandle(process_.hProcess);
}

bool Program::IsRunning() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::WaitForWindow(const std::wstring& title, uint32_t timeoutMs) const {
    WindowSearch search{process_.dwProcessId, &title, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

std::optional<DWORD> Program::WaitForExit(uint32_t timeoutMs) const {
    if (!process_.hProcess) return std::nullopt;
    if (!WaitUntil([&] { return !IsRunning(); }, timeoutMs)) return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

std::optional<DWORD> Program::Close(HWND window, uint32_t timeoutMs) {
    // Posted, not sent: a program that answers the close with a dialog must
    // not block the test.
    PostMessageW(window, WM_CLOSE, 0, 0);
    std::optional<DWORD> exitCode = WaitForExit(timeoutMs);
    if (!exitCode) Kill();
    return exitCode;
}

void Program::Kill() {
    if (!IsRunning()) return;
    TerminateProcess(process_.hProcess, 255);
    WaitForSingleObject(process_.hProcess, kDefaultTimeoutMs);
}

}  // namespace e2e
