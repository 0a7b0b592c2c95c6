#include "kestrun/actions/capture.h"

#include <algorithm>
#include <cmath>

namespace kestrun {

namespace {

constexpr int kSamplePoints = 10;
constexpr int kToleratedMismatches = 3;
// The sampled band: the upper 70 % of the height.
constexpr double kSampledHeight = 0.7;

// A draw as a fraction in [0, 1): a scripted source that returns 1, a
// negative number or NaN still lands on a pixel of the image.
double Fraction(RandomSource& random) {
    const float r = random.Next();
    if (!(r > 0.0f)) return 0.0;
    if (r >= 1.0f) return std::nextafter(1.0, 0.0);
    return r;
}

// Whole pixels from 0 to extent - 1.
int Scale(double extent, double fraction, int limit) {
    const int value = int(std::floor(extent * fraction));
    return std::clamp(value, 0, limit - 1);
}

bool WellFormed(const platform::Image& image) {
    return image.width > 0 && image.height > 0 && image.pixels.size() == size_t(image.width) * size_t(image.height);
}

// Colours are 24-bit: red, green and blue must all be equal, and whatever a
// loader left in the top byte does not count.
bool SameColour(int32_t a, int32_t b) { return ((a ^ b) & 0xFFFFFF) == 0; }

}  // namespace

std::optional<platform::Image> CaptureRegion(platform::Desktop& desktop, int x, int y, int width, int height) {
    if (width < 1 || height < 1 || width > kMaxCaptureSide || height > kMaxCaptureSide) return std::nullopt;
    return desktop.CopyScreen(x, y, width, height);
}

std::optional<platform::Image> CaptureScreen(platform::Desktop& desktop) {
    const platform::Point size = desktop.ScreenSize();
    return CaptureRegion(desktop, 0, 0, size.x, size.y);
}

std::optional<platform::Image> CaptureActiveWindow(platform::Desktop& desktop) {
    const platform::WindowHandle window = desktop.GetForegroundWindow();
    if (window == 0) return std::nullopt;
    const std::optional<platform::Rect> rect = desktop.GetWindowRect(window);
    if (!rect) return std::nullopt;
    // Widths are computed in 64 bits: a rectangle from the platform can be
    // anything, and right - left must not overflow.
    const int64_t width = int64_t(rect->right) - rect->left;
    const int64_t height = int64_t(rect->bottom) - rect->top;
    if (width < 1 || height < 1 || width > kMaxCaptureSide || height > kMaxCaptureSide) return std::nullopt;
    return CaptureRegion(desktop, rect->left, rect->top, int(width), int(height));
}

bool CopyBlockToLive(platform::Desktop& desktop, int x, int y, BitmapEntry& entry) {
    const std::optional<platform::Image> block = desktop.CopyScreen(x, y, kBitmapBlockSide, kBitmapBlockSide);
    if (!block || !WellFormed(*block)) return false;
    platform::Image& live = entry.live;
    if (!WellFormed(live)) return false;
    const int width = std::min(block->width, live.width);
    const int height = std::min(block->height, live.height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) live.Set(column, row, block->At(column, row));
    }
    return true;
}

bool same_pic(const std::map<int, BitmapEntry>& bitmaps, int n, RandomSource& random) {
    const auto found = bitmaps.find(n);
    if (found == bitmaps.end()) return false;
    const platform::Image& live = found->second.live;
    const platform::Image& reference = found->second.reference;
    if (live.width != reference.width || live.height != reference.height) return false;
    // An image without pixels has no pixel that could be read.
    if (!WellFormed(live) || !WellFormed(reference)) return false;

    int mismatches = 0;
    for (int point = 0; point < kSamplePoints; ++point) {
        const int x = Scale(live.width, Fraction(random), live.width);
        const int y = Scale(live.height * kSampledHeight, Fraction(random), live.height);
        if (SameColour(live.At(x, y), reference.At(x, y))) continue;
        if (++mismatches > kToleratedMismatches) return false;
    }
    return true;
}

bool same_pic(const MainModel& model, int n, RandomSource& random) { return same_pic(model.Bitmaps(), n, random); }

}  // namespace kestrun
