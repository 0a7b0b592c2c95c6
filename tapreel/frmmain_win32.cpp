// Tapreel's window Frmmain: creates the window and runs the message loop.
// The window's logic lives in the portable model; this file renders it.
#include <windows.h>

#include <string>

#include "common/text/utf8.h"
#include "tapreel/product.h"

namespace {

constexpr wchar_t kClassName[] = L"TapreelFrmmain";
// Client area 6615 x 2175 twips, 15 twips a pixel at 96 DPI.
constexpr int kClientWidthTwips = 6615;
constexpr int kClientHeightTwips = 2175;

std::wstring Wide(std::string_view utf8) {
    std::u16string s = text::ToUtf16(utf8);
    return std::wstring(s.begin(), s.end());
}

LRESULT CALLBACK FrmmainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = FrmmainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);

    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    RECT rect{0, 0, MulDiv(kClientWidthTwips, dpi, 1440), MulDiv(kClientHeightTwips, dpi, 1440)};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRectEx(&rect, style, FALSE, 0);

    HWND hwnd = CreateWindowExW(0, kClassName, Wide(tapreel::kWindowTitle).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
