#include "kestrun/ui/window_fit.h"

#include <algorithm>
#include <cstdint>

namespace kestrun {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kDefaultDpi = 96;

// The start of a span of the given length placed at start, moved just
// enough to lie inside [low, high); a span longer than that starts at low.
int Place(int start, int length, int low, int high) {
    start = std::min(start, high - length);
    return std::max(start, low);
}

}  // namespace

int TwipsToPixels(int twips, int dpi) {
    const int64_t product = int64_t(twips) * dpi;
    const int64_t half = product < 0 ? -kTwipsPerInch / 2 : kTwipsPerInch / 2;
    return int((product + half) / kTwipsPerInch);
}

WindowFit FitWindow(PixelSize clientTwips, int dpi, PixelSize frame, PixelRect window, PixelRect workArea) {
    const int64_t roomWidth = int64_t(workArea.right) - workArea.left;
    const int64_t roomHeight = int64_t(workArea.bottom) - workArea.top;
    auto outerSize = [&](int layoutDpi) {
        return PixelSize{TwipsToPixels(clientTwips.width, layoutDpi) + frame.width,
                         TwipsToPixels(clientTwips.height, layoutDpi) + frame.height};
    };
    auto fits = [&](int layoutDpi) {
        const PixelSize size = outerSize(layoutDpi);
        return size.width <= roomWidth && size.height <= roomHeight;
    };
    int layoutDpi = dpi > 0 ? dpi : kDefaultDpi;
    while (layoutDpi > kMinLayoutDpi && !fits(layoutDpi)) --layoutDpi;

    const PixelSize size = outerSize(layoutDpi);
    const int left = Place(window.left, size.width, workArea.left, workArea.right);
    const int top = Place(window.top, size.height, workArea.top, workArea.bottom);
    return {layoutDpi, {left, top, left + size.width, top + size.height}};
}

}  // namespace kestrun
