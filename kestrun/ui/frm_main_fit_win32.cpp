// FrmMain: the layout's DPI and the window's size and place on its monitor.
// At start and whenever the window moves to a monitor of another DPI, the
// window is laid out at the highest DPI up to the monitor's at which it fits
// the monitor's work area (see window_fit.h), and every control is placed at
// that DPI.
#include <windows.h>

#include "common/win32/window_kit.h"
#include "kestrun/ui/frm_main_win32.h"
#include "kestrun/ui/window_fit.h"

namespace kestrun {

namespace {

// The drop-down list of a combo box below its edit part.
constexpr int kComboListTwips = 1800;

PixelRect ToPixelRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

void FrmMain::FitToWorkArea(int monitorDpi) {
    RECT window;
    RECT client;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetWindowRect(hwnd_, &window) || !GetClientRect(hwnd_, &client) ||
        !GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    // The title bar and borders are drawn at the monitor's DPI, whatever the
    // layout's.
    const PixelSize frame{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
    const WindowFit fit = FitWindow({kClientWidthTwips, kClientHeightTwips}, monitorDpi, frame, ToPixelRect(window),
                                    ToPixelRect(monitor.rcWork));
    dpi_ = fit.layoutDpi;
    if (fit.window == ToPixelRect(window)) return;
    SetWindowPos(hwnd_, nullptr, fit.window.left, fit.window.top, fit.window.right - fit.window.left,
                 fit.window.bottom - fit.window.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT FrmMain::PicturePixels(const TwipsRect& twips) const {
    return {Px(twips.left), Px(twips.top), Px(twips.left + twips.width), Px(twips.top + twips.height)};
}

RECT FrmMain::ControlPixels(const ControlSpec& spec) const {
    if (spec.kind == ControlKind::kPicture) return PicturePixels({spec.left, spec.top, spec.width, spec.height});
    const int height = Px(spec.height) + (spec.kind == ControlKind::kComboBox ? Px(kComboListTwips) : 0);
    return {Px(spec.left), Px(spec.top), Px(spec.left) + Px(spec.width), Px(spec.top) + height};
}

void FrmMain::Relayout() {
    HFONT oldFont = font_;
    font_ = win32::CreateMessageFont(dpi_);
    auto place = [&](HWND control, const RECT& pixels) {
        SetWindowPos(control, nullptr, pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, WPARAM(font_), TRUE);
    };
    for (const ControlSpec& spec : MainWindowControls()) place(Item(spec.id), ControlPixels(spec));
    for (const auto& [n, box] : livePictures_) place(box, PicturePixels(LiveBitmapRect(n)));
    for (const auto& [n, box] : referencePictures_) place(box, PicturePixels(ReferenceBitmapRect(n)));
    if (oldFont) DeleteObject(oldFont);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace kestrun
