#include "common/win32/window_proc.h"

#include <string>

#include "common/win32/trace_win32.h"

namespace win32 {

MessageHandler* HandlerOf(HWND hwnd) {
    return reinterpret_cast<MessageHandler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool RegisterHandlerClass(HINSTANCE instance, const wchar_t* className, UINT classStyle) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = HandlerWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc)) return true;
    TraceLastError("RegisterClassExW");
    return false;
}

LRESULT CALLBACK HandlerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    MessageHandler* handler = HandlerOf(hwnd);
    if (!handler || !handler->Ready()) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // A handler that fails leaves the window as it was.
    try {
        return handler->HandleMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        TraceCurrentException("Window procedure, message " + std::to_string(msg));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace win32
