#include "e2e/support/kestrun_app.h"

#include "common/win32/wide.h"
#include "e2e/support/dialog_driver.h"
#include "kestrun/ui/frm_main_layout.h"
#include "kestrun/ui/product.h"

namespace e2e {

std::unique_ptr<KestrunApp> KestrunApp::Start(const std::wstring& arguments, int showCommand) {
    return WaitForMainWindow(Program::Start(L"kestrun.exe", arguments, showCommand));
}

std::unique_ptr<KestrunApp> KestrunApp::StartIn(const std::wstring& folder, int showCommand) {
    return WaitForMainWindow(Program::StartIn(folder, L"kestrun.exe", L"", showCommand));
}

std::unique_ptr<KestrunApp> KestrunApp::WaitForMainWindow(std::unique_ptr<Program> program) {
    if (!program) return nullptr;
    std::unique_ptr<KestrunApp> app(new KestrunApp());
    app->window_ = program->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    app->program_ = std::move(program);
    if (!app->window_) return nullptr;
    return app;
}

void KestrunApp::MoveTo(int x, int y) const {
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitUntil([&] {
        RECT rect;
        GetWindowRect(window_, &rect);
        return rect.left == x && rect.top == y;
    });
}

std::string KestrunApp::Text(int id) const { return WindowText(Control(id)); }

void KestrunApp::SetText(int id, const std::string& text) const {
    HWND control = Control(id);
    HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
    if (!edit) return SetWindowTextTo(control, text);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    std::wstring typed = win32::Wide(text);
    if (typed.empty()) typed = L"\b";
    for (wchar_t c : typed) SendMessageW(edit, WM_CHAR, WPARAM(c), 1);
}

void KestrunApp::Press(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }

bool KestrunApp::IsChecked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::string> KestrunApp::Rows() const {
    HWND list = Control(kestrun::id::kList1);
    std::vector<std::string> rows;
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0);
        std::wstring row(size_t(length > 0 ? length : 0) + 1, L'\0');
        LRESULT copied = SendMessageW(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(row.data()));
        row.resize(copied > 0 ? size_t(copied) : 0);
        rows.push_back(win32::Narrow(row));
    }
    return rows;
}

int KestrunApp::SelectedRow() const { return int(SendMessageW(Control(kestrun::id::kList1), LB_GETCURSEL, 0, 0)); }

POINT KestrunApp::RowPoint(int row) const {
    HWND list = Control(kestrun::id::kList1);
    int height = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    int top = int(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    POINT point{40, (row - top) * height + height / 2};
    ClientToScreen(list, &point);
    return point;
}

bool KestrunApp::WaitForRows(const std::vector<std::string>& rows, uint32_t timeoutMs) const {
    return WaitUntil([&] { return Rows() == rows; }, timeoutMs);
}

bool KestrunApp::PickWithF8(int index, POINT at, const std::function<bool()>& taken) const {
    Press(kestrun::id::kCmdGetXY + index);
    SetCursorPos(at.x, at.y);
    // F8 is held as a keyboard holds a key, repeating its key-down: under
    // Wine a window that takes the focus resets the key state from the X
    // keyboard, which never saw the key. It stays down for three ticks of
    // the capture timer at least, since the rows that follow the pointer
    // show the point before the pick is taken.
    const DWORD start = GetTickCount();
    DWORD lastRepeat = start - 1000;
    bool done = WaitUntil([&] {
        if (GetTickCount() - lastRepeat >= 30) {
            keybd_event(VK_F8, 0, 0, 0);
            lastRepeat = GetTickCount();
        }
        return taken() && GetTickCount() - start >= 300;
    });
    keybd_event(VK_F8, 0, KEYEVENTF_KEYUP, 0);
    return done;
}

HWND KestrunApp::WaitForDialog(const std::wstring& title, uint32_t timeoutMs) const {
    return e2e::WaitForDialog(ProcessId(), title, timeoutMs);
}

std::optional<DWORD> KestrunApp::Close(uint32_t timeoutMs) { return program_->Close(window_, timeoutMs); }

}  // namespace e2e

namespace e2e {

POINT CentreOf(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int ScreenColourAt(POINT point) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return int(colour);
}

}  // namespace e2e
