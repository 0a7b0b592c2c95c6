#include "kestrun/ui/picture_box_win32.h"

#include <vector>

namespace kestrun {

namespace {

constexpr wchar_t kClassName[] = L"KestrunPictureBox";

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    auto* image = reinterpret_cast<const platform::Image*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (image && image->width > 0 && image->height > 0) {
        // Colour numbers are red in the low byte; a DIB wants blue there.
        std::vector<uint32_t> bgra(image->pixels.size());
        for (size_t i = 0; i < bgra.size(); ++i) {
            uint32_t c = uint32_t(image->pixels[i]);
            bgra[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = image->width;
        info.bmiHeader.biHeight = -image->height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, image->width, image->height, bgra.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        Paint(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterOnce(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    RegisterClassExW(&wc);
    registered = true;
}

}  // namespace

HWND CreatePictureBox(HWND parent, int id, RECT pixels, const platform::Image* image) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    RegisterOnce(instance);
    HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, pixels.left, pixels.top,
                               pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                               reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    SetPictureBoxImage(box, image);
    return box;
}

void SetPictureBoxImage(HWND box, const platform::Image* image) {
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image));
    InvalidateRect(box, nullptr, TRUE);
}

}  // namespace kestrun
