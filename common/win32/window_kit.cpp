#include "common/win32/window_kit.h"

#include <commctrl.h>

#include "common/win32/wide.h"

namespace win32 {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

HFONT CreateMessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi, 72);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND CreateTooltipWindow(HWND owner) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
}

void AddTooltip(HWND tooltip, HWND owner, HWND control, std::string_view text) {
    std::wstring wide = Wide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RemoveTooltip(HWND tooltip, HWND owner, HWND control) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

ChildStyle StyleOf(platform::ControlKind kind) {
    using platform::ControlKind;
    ChildStyle child;
    switch (kind) {
        case ControlKind::kButton:
            child.style |= WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case ControlKind::kColourButton:
            child.style |= WS_TABSTOP | BS_OWNERDRAW;
            break;
        case ControlKind::kCheckBox:
            child.style |= WS_TABSTOP | BS_AUTOCHECKBOX;
            break;
        case ControlKind::kFrame:
            child.style |= BS_GROUPBOX;
            break;
        case ControlKind::kEdit:
            child.windowClass = L"EDIT";
            child.style |= WS_TABSTOP | ES_AUTOHSCROLL;
            child.exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::kListBox:
            child.windowClass = L"LISTBOX";
            child.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            child.exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::kLabel:
            // A caption too long for its label is cut, never wrapped onto a
            // second line below the label's height.
            child.windowClass = L"STATIC";
            child.style |= SS_LEFTNOWORDWRAP;
            break;
        case ControlKind::kColourLabel:
            child.windowClass = L"STATIC";
            child.style |= SS_CENTER | SS_CENTERIMAGE;
            child.exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::kComboBox:
            child.windowClass = L"COMBOBOX";
            child.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            break;
        case ControlKind::kDropDownList:
            child.windowClass = L"COMBOBOX";
            child.style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
            break;
        case ControlKind::kPicture:
            break;  // a picture box, not a standard control
    }
    return child;
}

HWND CreateChildControl(HWND parent, int id, const ChildStyle& style, std::string_view caption, RECT pixels,
                        HFONT font) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    HWND control = CreateWindowExW(style.exStyle, style.windowClass, Wide(caption).c_str(), style.style, pixels.left,
                                   pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                                   reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(font), TRUE);
    return control;
}

std::string WindowTextUtf8(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), int(text.size()));
    text.resize(size_t(copied > 0 ? copied : 0));
    return Narrow(text);
}

}  // namespace win32
