// How FrmMain fits the work area of its monitor. The layout is drawn at the
// monitor's DPI; when the window would then not fit the work area, the whole
// layout (fonts included) is drawn at a lower DPI instead: the highest at
// which the window fits. Every control then stays on the screen, usable and
// in proportion, without any of them hiding behind a scroll bar; on a
// 1080-line screen at 150 % the layout still comes out larger than at 100 %.
#pragma once

namespace kestrun {

// A rectangle in screen pixels: left and top inside, right and bottom just
// outside, as Windows keeps them.
struct PixelRect {
    int left, top, right, bottom;
    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int width, height;
};

// However small the work area, the layout is never drawn below this DPI (a
// smaller font could not be read); the window then stands at the work area's
// top-left corner and reaches beyond it.
inline constexpr int kMinLayoutDpi = 48;

// Twips to pixels at a DPI, rounded as Windows' MulDiv rounds (half away
// from zero).
int TwipsToPixels(int twips, int dpi);

struct WindowFit {
    int layoutDpi;     // the DPI the controls and the font are laid out at
    PixelRect window;  // where the window goes
};

// clientTwips: the client area at full size; dpi: the monitor's DPI; frame:
// how much larger the window is than its client area, in pixels (title bar
// and borders, which the system draws at the monitor's DPI); window: where
// the window stands now; workArea: its monitor's work area. The window keeps
// its place unless it would reach beyond the work area, and is then moved
// into it.
WindowFit FitWindow(PixelSize clientTwips, int dpi, PixelSize frame, PixelRect window, PixelRect workArea);

}  // namespace kestrun
