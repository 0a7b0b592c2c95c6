#include "common/win32/desktop_win32.h"

#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "common/text/colour.h"
#include "common/win32/send_keys_win32.h"
#include "common/win32/wide.h"

namespace win32 {
namespace {

HWND ToHwnd(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }
platform::WindowHandle ToHandle(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }

// A screen copy larger than this many pixels is refused rather than
// attempted: a mistyped size must not exhaust the memory.
constexpr long long kMaxCopyPixels = 64LL * 1024 * 1024;

// Another program (a clipboard viewer, the target of a paste) may hold the
// clipboard for a moment, so opening it is retried a few times briefly.
constexpr int kClipboardAttempts = 10;
constexpr DWORD kClipboardRetryMs = 10;

std::wstring WindowTitle(HWND window) {
    int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring title(size_t(length) + 1, L'\0');
    int copied = GetWindowTextW(window, title.data(), length + 1);
    title.resize(copied > 0 ? size_t(copied) : 0);
    return title;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* windows = reinterpret_cast<std::vector<platform::WindowInfo>*>(param);
    windows->push_back({ToHandle(window), Narrow(WindowTitle(window))});
    return TRUE;
}

struct ProcessWindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisibleProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

Win32Desktop::Win32Desktop(HWND owner) : owner_(owner) {
    // The shell may hand a ShellExecute to COM-based handlers, which need an
    // apartment on the calling thread. S_FALSE (already initialised) must be
    // balanced too.
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    comInitialized_ = SUCCEEDED(result);
}

Win32Desktop::~Win32Desktop() {
    if (clipboardWindow_) DestroyWindow(clipboardWindow_);
    if (comInitialized_) CoUninitialize();
}

// --- Synthetic input ---

bool Win32Desktop::SetCursorPos(int x, int y) { return ::SetCursorPos(x, y) != 0; }

platform::Point Win32Desktop::GetCursorPos() {
    POINT point{};
    if (!::GetCursorPos(&point)) return {};
    return {int(point.x), int(point.y)};
}

void Win32Desktop::MouseEvent(uint32_t flags, int32_t data) { mouse_event(flags, 0, 0, DWORD(data), 0); }

void Win32Desktop::KeybdEvent(uint8_t virtualKey, uint32_t flags) { keybd_event(virtualKey, 0, flags, 0); }

int16_t Win32Desktop::GetAsyncKeyState(int virtualKey) { return int16_t(::GetAsyncKeyState(virtualKey)); }

void Win32Desktop::SendKeys(const std::string& keyText) { SendKeysText(keyText); }

// --- Pixels and screen copies ---

int32_t Win32Desktop::GetPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    if (!screen) return text::kInvalidColour;
    COLORREF colour = ::GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour == CLR_INVALID ? text::kInvalidColour : int32_t(colour);
}

platform::Point Win32Desktop::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

std::optional<platform::Image> Win32Desktop::CopyScreen(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0 || (long long)width * height > kMaxCopyPixels) return std::nullopt;

    HDC screen = GetDC(nullptr);
    if (!screen) return std::nullopt;
    HDC memory = CreateCompatibleDC(screen);
    // A top-down 32-bit DIB section: rows in screen order, one BGRX word a
    // pixel, zero-filled by the system.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = memory ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;

    std::optional<platform::Image> result;
    if (dib && bits) {
        HGDIOBJ previous = SelectObject(memory, dib);
        // Only the part of the block that lies on the screen is copied, since
        // a source rectangle that reaches beyond the screen is not copied
        // reliably everywhere (Wine copies nothing at all); the DIB stays
        // black where nothing is copied. The edges are worked out in 64 bits
        // so that a block near the end of the int range cannot overflow.
        long long screenLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
        long long screenTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
        long long left = std::max<long long>(x, screenLeft);
        long long top = std::max<long long>(y, screenTop);
        long long right = std::min<long long>((long long)x + width, screenLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN));
        long long bottom = std::min<long long>((long long)y + height, screenTop + GetSystemMetrics(SM_CYVIRTUALSCREEN));
        bool copied = left >= right || top >= bottom ||
                      BitBlt(memory, int(left - x), int(top - y), int(right - left), int(bottom - top), screen,
                             int(left), int(top), SRCCOPY);
        if (copied) {
            GdiFlush();
            platform::Image image(width, height, 0);
            const auto* source = static_cast<const uint32_t*>(bits);
            for (size_t i = 0; i < image.pixels.size(); ++i) {
                uint32_t bgrx = source[i];
                image.pixels[i] = text::ColourNumber(uint8_t(bgrx >> 16), uint8_t(bgrx >> 8), uint8_t(bgrx));
            }
            result = std::move(image);
        }
        SelectObject(memory, previous);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}

// --- Windows ---

platform::WindowHandle Win32Desktop::FindWindowByExactTitle(const std::string& title) {
    return ToHandle(FindWindowW(nullptr, Wide(title).c_str()));
}

std::vector<platform::WindowInfo> Win32Desktop::TopLevelWindows() {
    // EnumWindows walks the top-level windows in the same order as a
    // FindWindowEx chain, hidden ones included, but from a snapshot, so a
    // window that closes meanwhile cannot cut the walk short.
    std::vector<platform::WindowInfo> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool Win32Desktop::SetForegroundWindow(platform::WindowHandle window) {
    return ::SetForegroundWindow(ToHwnd(window)) != 0;
}

platform::WindowHandle Win32Desktop::GetForegroundWindow() { return ToHandle(::GetForegroundWindow()); }

bool Win32Desktop::ShowWindow(platform::WindowHandle window, int command) {
    // ShowWindow answers whether the window was visible before, not whether
    // it worked, so success here means "the window exists".
    if (!IsWindow(ToHwnd(window))) return false;
    ::ShowWindow(ToHwnd(window), command);
    return true;
}

bool Win32Desktop::SetTopmost(platform::WindowHandle window, bool topmost) {
    constexpr UINT kKeepSizeKeepPositionShow = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;  // 0x43
    return SetWindowPos(ToHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        kKeepSizeKeepPositionShow) != 0;
}

int32_t Win32Desktop::GetWindowLong(platform::WindowHandle window, int index) {
    return ::GetWindowLongW(ToHwnd(window), index);
}

int32_t Win32Desktop::SetWindowLong(platform::WindowHandle window, int index, int32_t value) {
    return ::SetWindowLongW(ToHwnd(window), index, value);
}

bool Win32Desktop::SetLayeredWindowAttributes(platform::WindowHandle window, uint32_t colourKey, uint8_t alpha,
                                              uint32_t flags) {
    return ::SetLayeredWindowAttributes(ToHwnd(window), colourKey, alpha, flags) != 0;
}

void Win32Desktop::SendCloseMessage(platform::WindowHandle window) { SendMessageW(ToHwnd(window), WM_CLOSE, 0, 0); }

std::optional<platform::Rect> Win32Desktop::GetWindowRect(platform::WindowHandle window) {
    RECT rect{};
    if (!::GetWindowRect(ToHwnd(window), &rect)) return std::nullopt;
    return platform::Rect{int(rect.left), int(rect.top), int(rect.right), int(rect.bottom)};
}

namespace {

// The last RID of the token's mandatory label: its integrity level.
std::optional<uint32_t> IntegrityLevelOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    bool read = size >= sizeof(TOKEN_MANDATORY_LABEL) &&
                GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size);
    CloseHandle(token);
    if (!read) return std::nullopt;
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (!sid || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
    return uint32_t(*GetSidSubAuthority(sid, DWORD(*GetSidSubAuthorityCount(sid) - 1)));
}

}  // namespace

std::optional<uint32_t> Win32Desktop::GetTokenIntegrityLevel(platform::WindowHandle window) {
    if (window == 0) return IntegrityLevelOf(GetCurrentProcess());
    DWORD processId = 0;
    GetWindowThreadProcessId(ToHwnd(window), &processId);
    if (processId == 0) return std::nullopt;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return std::nullopt;
    std::optional<uint32_t> level = IntegrityLevelOf(process);
    CloseHandle(process);
    return level;
}

std::optional<platform::Point> Win32Desktop::ClientToScreen(platform::WindowHandle window) {
    POINT corner{0, 0};
    if (!IsWindow(ToHwnd(window)) || !::ClientToScreen(ToHwnd(window), &corner)) return std::nullopt;
    return platform::Point{int(corner.x), int(corner.y)};
}

bool Win32Desktop::IsWindowVisible(platform::WindowHandle window) { return ::IsWindowVisible(ToHwnd(window)) != 0; }

// --- Clipboard ---

HWND Win32Desktop::ClipboardOwner() {
    if (owner_) return owner_;
    // Clipboard data set while nobody owns the clipboard can be refused, so
    // without an owner window a hidden message-only window stands in.
    if (!clipboardWindow_) {
        clipboardWindow_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
    }
    return clipboardWindow_;
}

bool Win32Desktop::OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < kClipboardAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        // The program holding the clipboard may be waiting for an answer from
        // this thread (a message to the clipboard's previous owner), so the
        // pause answers messages sent to this thread's windows. Posted and
        // input messages stay queued for the program's own loop.
        MsgWaitForMultipleObjectsEx(0, nullptr, kClipboardRetryMs, QS_SENDMESSAGE, 0);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return false;
}

std::optional<std::string> Win32Desktop::GetClipboardText() {
    // Wine keeps about a kilobyte at every GetClipboardData of data the
    // calling program placed itself, which a plan that pastes and then tests
    // the clipboard does all day. While the clipboard's sequence number is
    // the one of that placing and this program still owns the clipboard,
    // nobody has changed it since, and the program's own copy is its text.
    if (placedSequence_ != 0 && GetClipboardSequenceNumber() == placedSequence_ &&
        GetClipboardOwner() == ClipboardOwner()) {
        return placedText_;
    }
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    if (!OpenClipboardPatiently(ClipboardOwner())) return std::nullopt;
    std::optional<std::string> result;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            // The text ends at its NUL, but never beyond the memory block,
            // whatever another program put there.
            size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            size_t length = 0;
            while (length < capacity && chars[length] != L'\0') ++length;
            result = Narrow(std::wstring_view(chars, length));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

bool Win32Desktop::SetClipboardText(const std::string& text) {
    std::wstring wide = Wide(text);
    size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* target = GlobalLock(memory)) {
        memcpy(target, wide.c_str(), bytes);
        GlobalUnlock(memory);
    } else {
        GlobalFree(memory);
        return false;
    }
    if (!OpenClipboardPatiently(ClipboardOwner())) {
        GlobalFree(memory);
        return false;
    }
    bool stored = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    // Once stored, the memory belongs to the clipboard.
    if (!stored) GlobalFree(memory);
    // A read ends the text at its first NUL, and so does the copy.
    placedText_ = stored ? Narrow(std::wstring_view(wide.c_str())) : std::string();
    placedSequence_ = stored ? GetClipboardSequenceNumber() : 0;
    return stored;
}

// --- Shell and programs ---

bool Win32Desktop::ShellOpen(const std::string& target) {
    HINSTANCE result = ShellExecuteW(owner_, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success; the rest are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

uint32_t Win32Desktop::LaunchProgram(const std::string& commandLine, int windowStyle) {
    switch (windowStyle) {
        case SW_HIDE:
        case SW_SHOWNORMAL:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMAXIMIZED:
        case SW_SHOWNOACTIVATE:
        case SW_MINIMIZE:
            break;
        default:
            return 0;
    }
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = Wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(windowStyle);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return 0;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

bool Win32Desktop::ActivateProcess(uint32_t processId) {
    ProcessWindowSearch search{processId, nullptr};
    EnumWindows(FindVisibleProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found && ::SetForegroundWindow(search.found);
}

// --- Time and the message loop ---

uint32_t Win32Desktop::TimeGetTime() { return timeGetTime(); }

text::LocalTime Win32Desktop::LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

void Win32Desktop::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32Desktop::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The window closed while an instruction waited: the quit request is
        // the main loop's, so it goes back in the queue for the loop to see.
        if (message.message == WM_QUIT) {
            PostQuitMessage(int(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Desktop::WaitForMessages(uint32_t milliseconds) {
    // MWMO_INPUTAVAILABLE also wakes for messages that are already queued but
    // were seen by an earlier peek, so a wait never sleeps over them.
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    PumpMessages();
}

// --- Process and system ---

void Win32Desktop::TrimWorkingSet() { SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1)); }

void Win32Desktop::SetFineTimerResolution(bool on) {
    if (on == fineTimerResolution_) return;
    fineTimerResolution_ = on;
    if (on) {
        timeBeginPeriod(1);
    } else {
        timeEndPeriod(1);
    }
}

bool Win32Desktop::PowerOff() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) &&
                   AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                   GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    if (!enabled) return false;
    // A planned shutdown for maintenance: the user scheduled it in the plan.
    constexpr DWORD kReason = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_MAINTENANCE | SHTDN_REASON_FLAG_PLANNED;
    return ExitWindowsEx(EWX_POWEROFF | EWX_FORCE, kReason) != 0;
}

}  // namespace win32
