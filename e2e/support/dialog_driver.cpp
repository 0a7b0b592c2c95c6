#include "e2e/support/dialog_driver.h"

#include "common/win32/dialogs_win32.h"
#include "common/win32/wide.h"
#include "e2e/support/program.h"

namespace e2e {

namespace {

struct DialogSearch {
    DWORD processId;
    const std::wstring* title;  // null: any title
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770") return TRUE;
    if (search->title && WindowTitle(window) != *search->title) return TRUE;
    search->found = window;
    return FALSE;
}

bool IsYellow(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) > 150 && GetBValue(c) < 110; }
bool IsBlue(COLORREF c) { return GetBValue(c) > 140 && GetRValue(c) < 110 && GetBValue(c) > GetGValue(c); }

}  // namespace

namespace {

// The first visible dialog of the process whose title is *title (any title
// when title is null), waited for up to timeoutMs.
HWND WaitForMatchingDialog(DWORD processId, const std::wstring* title, uint32_t timeoutMs) {
    DialogSearch search{processId, title, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

}  // namespace

HWND WaitForDialog(DWORD processId, const std::wstring& title, uint32_t timeoutMs) {
    return WaitForMatchingDialog(processId, &title, timeoutMs);
}

HWND WaitForAnyDialog(DWORD processId, uint32_t timeoutMs) {
    return WaitForMatchingDialog(processId, nullptr, timeoutMs);
}

bool WaitForDialogClosed(HWND dialog, uint32_t timeoutMs) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
}

bool AnyDialogOpen(DWORD processId) {
    DialogSearch search{processId, nullptr, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

std::string WindowText(HWND window) {
    LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
    LRESULT copied = SendMessageW(window, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? size_t(copied) : 0);
    return win32::Narrow(text);
}

void SetWindowTextTo(HWND window, const std::string& text) {
    SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
}

std::string DialogItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::vector<int> VisibleButtons(HWND dialog) {
    std::vector<int> ids;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child)) ids.push_back(GetDlgCtrlID(child));
    }
    return ids;
}

bool PressAndWaitClosed(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (!button) return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    return WaitForDialogClosed(dialog);
}

std::string MessageBoxText(HWND box) { return DialogItemText(box, 0xFFFF); }

BoxIcon MessageBoxIcon(HWND box) {
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child)) continue;
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Static") == 0) icon = child;
    }
    if (!icon) return BoxIcon::kNone;
    // The box may not be painted yet when it has just appeared.
    BoxIcon kind = BoxIcon::kNone;
    WaitUntil(
        [&] {
            RECT rect;
            GetWindowRect(icon, &rect);
            HDC screen = GetDC(nullptr);
            int yellow = 0;
            int blue = 0;
            for (int y = rect.top; y < rect.bottom; y += 2) {
                for (int x = rect.left; x < rect.right; x += 2) {
                    COLORREF c = GetPixel(screen, x, y);
                    yellow += IsYellow(c);
                    blue += IsBlue(c);
                }
            }
            ReleaseDC(nullptr, screen);
            if (yellow > 10 && yellow > blue) kind = BoxIcon::kExclamation;
            if (blue > 10 && blue > yellow) kind = BoxIcon::kInformation;
            return kind != BoxIcon::kNone;
        },
        1000);
    return kind;
}

std::string InputBoxPrompt(HWND box) { return DialogItemText(box, win32::Win32Dialogs::kInputPromptId); }

std::string InputBoxAnswer(HWND box) { return DialogItemText(box, win32::Win32Dialogs::kInputEditId); }

bool AnswerInputBox(HWND box, const std::string& answer) {
    SetWindowTextTo(GetDlgItem(box, win32::Win32Dialogs::kInputEditId), answer);
    return PressAndWaitClosed(box, IDOK);
}

}  // namespace e2e
