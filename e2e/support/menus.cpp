#include "e2e/support/menus.h"

#include <string>

namespace e2e {

std::vector<RECT> OpenMenus(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<RECT> menus;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (owner == s->processId && IsWindowVisible(window) && std::wstring(className) == L"#32768") {
                RECT rect;
                GetWindowRect(window, &rect);
                s->menus.push_back(rect);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.menus;
}

void TapKey(BYTE key) {
    keybd_event(key, 0, 0, 0);
    Sleep(10);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    Sleep(20);
}

}  // namespace e2e
