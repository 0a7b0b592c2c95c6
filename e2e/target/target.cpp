// target.exe: the window that end-to-end tests aim at. It records the input
// it receives, so a test can check that a click, a wheel turn or a key sent
// by a program under test arrived where and as it should.
//
// Options (all optional):
//   --title T                window title; default "E2E Target"
//   --rect x,y,w,h           outer window rectangle on the screen; default 100,100,480,320
//   --log PATH               the log file (below); without it nothing is logged
//   --paint x,y,w,h,colour   fills a block of the client area with a colour number
//                            (red + 256 green + 65536 blue); may be repeated
//   --popup                  a window without frame or caption, so the client area is
//                            exactly the rectangle
//   --times                  each mouse and key line ends with " @" and the time of its
//                            message (GetMessageTime, milliseconds)
//   --keepalive              no window is shown: a hidden window and a message loop
//                            run until the process is killed (keeps Wine's desktop
//                            process alive between test programs)
//
// The window's client area holds a multi-line EDIT box across the top
// (kEditHeight pixels), which takes the keyboard focus whenever the window is
// active, so typed and pasted text can be read back; the rest of the client
// area is free for clicks and painted blocks. Ctrl+A in the edit box selects
// all of its text. The window is shown with the show command the process was
// started with.
//
// The log: one line per event, appended and written through at once, so a
// test can read it while the target runs. Lines end in CR LF.
//   READY <hwnd> <client left> <client top>   once the window is shown (screen coordinates)
//   WM_LBUTTONDOWN <x> <y>                    mouse buttons (L, R, M; DOWN, UP, DBLCLK), screen coordinates,
//                                             whether the click hit the edit box or the free area
//   WM_MOUSEWHEEL <delta> <x> <y>             wheel turns (WM_MOUSEHWHEEL likewise), screen coordinates
//   WM_KEYDOWN <vk>                           WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP
//   WM_CHAR <code>                            WM_CHAR and WM_SYSCHAR, the UTF-16 code unit
//   TEXT <text>                               the edit box's text, UTF-8, with "\" written as "\\",
//                                             CR as "\r" and LF as "\n"; on WM_CLOSE and on kLogTextMessage
//   CLOSE                                     WM_CLOSE arrived; the window closes and the process exits 0
#include <windows.h>
// These need <windows.h> before them.
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "common/win32/wide.h"

namespace {

constexpr wchar_t kClassName[] = L"E2ETargetWindow";
constexpr UINT kLogTextMessage = WM_APP + 1;  // asks the target to log its edit text now
constexpr int kEditId = 1;
constexpr int kEditHeight = 60;
constexpr UINT_PTR kEditSubclassId = 1;

struct PaintBlock {
    RECT rect;
    COLORREF colour;
};

struct Options {
    std::wstring title = L"E2E Target";
    int x = 100;
    int y = 100;
    int width = 480;
    int height = 320;
    std::wstring logPath;
    std::vector<PaintBlock> paints;
    bool popup = false;
    bool keepalive = false;
    bool times = false;
};

// The whole numbers of a comma-separated option value; empty when any piece
// is not a whole number or the count is wrong.
std::vector<int> WholeNumbers(const std::wstring& value, size_t count) {
    std::vector<int> numbers;
    for (const std::string& piece : text::Split(win32::Narrow(value), ",")) {
        std::optional<double> number = text::StrictNumber(piece);
        std::optional<int32_t> whole = number ? text::ToInt32(*number) : std::nullopt;
        if (!whole) return {};
        numbers.push_back(*whole);
    }
    if (numbers.size() != count) return {};
    return numbers;
}

Options ReadOptions() {
    Options options;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return options;
    for (int i = 1; i < count; ++i) {
        std::wstring name = args[i];
        bool hasValue = i + 1 < count;
        if (name == L"--keepalive") {
            options.keepalive = true;
        } else if (name == L"--popup") {
            options.popup = true;
        } else if (name == L"--times") {
            options.times = true;
        } else if (name == L"--title" && hasValue) {
            options.title = args[++i];
        } else if (name == L"--log" && hasValue) {
            options.logPath = args[++i];
        } else if (name == L"--rect" && hasValue) {
            std::vector<int> n = WholeNumbers(args[++i], 4);
            if (!n.empty()) options.x = n[0], options.y = n[1], options.width = n[2], options.height = n[3];
        } else if (name == L"--paint" && hasValue) {
            std::vector<int> n = WholeNumbers(args[++i], 5);
            if (!n.empty()) options.paints.push_back({{n[0], n[1], n[0] + n[2], n[1] + n[3]}, COLORREF(n[4])});
        }
    }
    LocalFree(args);
    return options;
}

// The running target: its options, its edit box and its open log.
struct Target {
    Options options;
    HWND edit = nullptr;
    HANDLE log = INVALID_HANDLE_VALUE;

    void Log(const std::string& line) {
        if (log == INVALID_HANDLE_VALUE) return;
        std::string bytes = line + "\r\n";
        DWORD written = 0;
        WriteFile(log, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    }
};

Target g_target;

std::string Escaped(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\\') {
            result += "\\\\";
        } else if (c == '\r') {
            result += "\\r";
        } else if (c == '\n') {
            result += "\\n";
        } else {
            result += c;
        }
    }
    return result;
}

void LogEditText() {
    int length = GetWindowTextLengthW(g_target.edit);
    std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
    int copied = GetWindowTextW(g_target.edit, text.data(), int(text.size()));
    text.resize(copied > 0 ? size_t(copied) : 0);
    g_target.Log("TEXT " + Escaped(win32::Narrow(text)));
}

const char* MouseButtonName(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return "WM_LBUTTONDOWN";
        case WM_LBUTTONUP:
            return "WM_LBUTTONUP";
        case WM_LBUTTONDBLCLK:
            return "WM_LBUTTONDBLCLK";
        case WM_RBUTTONDOWN:
            return "WM_RBUTTONDOWN";
        case WM_RBUTTONUP:
            return "WM_RBUTTONUP";
        case WM_RBUTTONDBLCLK:
            return "WM_RBUTTONDBLCLK";
        case WM_MBUTTONDOWN:
            return "WM_MBUTTONDOWN";
        case WM_MBUTTONUP:
            return "WM_MBUTTONUP";
        case WM_MBUTTONDBLCLK:
            return "WM_MBUTTONDBLCLK";
        default:
            return nullptr;
    }
}

const char* KeyName(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
            return "WM_KEYDOWN";
        case WM_KEYUP:
            return "WM_KEYUP";
        case WM_SYSKEYDOWN:
            return "WM_SYSKEYDOWN";
        case WM_SYSKEYUP:
            return "WM_SYSKEYUP";
        case WM_CHAR:
            return "WM_CHAR";
        case WM_SYSCHAR:
            return "WM_SYSCHAR";
        default:
            return nullptr;
    }
}

// An input line, with the time of its message when the times are asked for.
void LogInputLine(const std::string& line) {
    g_target.Log(g_target.options.times ? line + " @" + std::to_string(uint32_t(GetMessageTime())) : line);
}

// Logs a mouse or keyboard message received by window (the main window or
// the edit box). Returns true for a wheel message, which the caller then
// keeps from travelling on to the parent, so that it is logged once.
bool LogInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const char* name = MouseButtonName(message)) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &point);
        LogInputLine(std::string(name) + " " + std::to_string(point.x) + " " + std::to_string(point.y));
    } else if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        const char* name = message == WM_MOUSEWHEEL ? "WM_MOUSEWHEEL" : "WM_MOUSEHWHEEL";
        LogInputLine(std::string(name) + " " + std::to_string(GET_WHEEL_DELTA_WPARAM(wParam)) + " " +
                     std::to_string(GET_X_LPARAM(lParam)) + " " + std::to_string(GET_Y_LPARAM(lParam)));
        return true;
    } else if (const char* name = KeyName(message)) {
        LogInputLine(std::string(name) + " " + std::to_string(wParam));
    }
    return false;
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (LogInput(edit, message, wParam, lParam)) return 0;
    // Ctrl+A (the character 1) selects all, as in a text editor; the bare
    // multi-line edit control does not do it everywhere.
    if (message == WM_CHAR && wParam == 1) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LogInput(window, message, wParam, lParam)) return 0;
    switch (message) {
        case WM_CREATE: {
            RECT client;
            GetClientRect(window, &client);
            g_target.edit = CreateWindowExW(
                WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                0, 0, client.right, kEditHeight, window, HMENU(INT_PTR(kEditId)), GetModuleHandleW(nullptr), nullptr);
            SetWindowSubclass(g_target.edit, EditProc, kEditSubclassId, 0);
            return 0;
        }
        case WM_SETFOCUS:
            SetFocus(g_target.edit);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            for (const PaintBlock& block : g_target.options.paints) {
                HBRUSH brush = CreateSolidBrush(block.colour);
                FillRect(dc, &block.rect, brush);
                DeleteObject(brush);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case kLogTextMessage:
            LogEditText();
            return 1;
        case WM_CLOSE:
            g_target.Log("CLOSE");
            LogEditText();
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            RemoveWindowSubclass(g_target.edit, EditProc, kEditSubclassId);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    g_target.options = ReadOptions();
    const Options& options = g_target.options;

    if (options.keepalive) {
        // A top-level window that is never shown connects the process to the
        // desktop, which is all that keeping Wine's desktop process alive needs.
        CreateWindowExW(0, L"STATIC", L"E2E Keepalive", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        return RunMessageLoop();
    }

    if (!options.logPath.empty()) {
        g_target.log = CreateFileW(options.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);

    DWORD style = options.popup ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    HWND window = CreateWindowExW(0, kClassName, options.title.c_str(), style, options.x, options.y, options.width,
                                  options.height, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    g_target.Log("READY " + std::to_string(reinterpret_cast<uintptr_t>(window)) + " " + std::to_string(origin.x) + " " +
                 std::to_string(origin.y));

    int exitCode = RunMessageLoop();
    if (g_target.log != INVALID_HANDLE_VALUE) CloseHandle(g_target.log);
    return exitCode;
}
