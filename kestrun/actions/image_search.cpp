#include "kestrun/actions/image_search.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace kestrun {

namespace {

// The largest difference of the red, green and blue of two colour numbers.
int Distance(int32_t a, int32_t b) {
    const int red = std::abs((a & 0xFF) - (b & 0xFF));
    const int green = std::abs(((a >> 8) & 0xFF) - ((b >> 8) & 0xFF));
    const int blue = std::abs(((a >> 16) & 0xFF) - ((b >> 16) & 0xFF));
    return std::max(red, std::max(green, blue));
}

// The block's pixels in the order they are compared: the ones least like the
// block's first pixel come first, so that a place that only shares the
// block's background fails at its first or second comparison instead of
// after hundreds (a uniform screen against a picture with one mark in it).
std::vector<int> ComparisonOrder(const platform::Image& block) {
    std::vector<int> order(block.pixels.size());
    std::iota(order.begin(), order.end(), 0);
    const int32_t first = block.pixels.front();
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return Distance(block.pixels[size_t(a)], first) > Distance(block.pixels[size_t(b)], first);
    });
    return order;
}

}  // namespace

bool ColoursAlike(int32_t a, int32_t b, int tolerance) {
    if (a == b) return true;
    // A value beyond the colours (-1 for a point off the screen) has no
    // channels to compare: it is alike only itself.
    if (a < 0 || a > 0xFFFFFF || b < 0 || b > 0xFFFFFF) return false;
    return tolerance > 0 && Distance(a, b) <= tolerance;
}

platform::Rect SearchRectangle(int x1, int y1, int x2, int y2, platform::Point screenSize) {
    platform::Rect rect{std::max(std::min(x1, x2), 0), std::max(std::min(y1, y2), 0),
                        std::min(std::max(x1, x2), screenSize.x), std::min(std::max(y1, y2), screenSize.y)};
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    return rect;
}

std::optional<platform::Point> FindColour(const platform::Image& image, int32_t colour, int tolerance) {
    for (int y = 0; y < image.height; ++y) {
        const int32_t* row = image.pixels.data() + size_t(y) * size_t(image.width);
        for (int x = 0; x < image.width; ++x) {
            if (ColoursAlike(row[x], colour, tolerance)) return platform::Point{x, y};
        }
    }
    return std::nullopt;
}

std::optional<platform::Point> FindBlock(const platform::Image& image, const platform::Image& block, int tolerance) {
    if (block.width <= 0 || block.height <= 0 || block.pixels.empty()) return std::nullopt;
    if (block.width > image.width || block.height > image.height) return std::nullopt;
    const std::vector<int> order = ComparisonOrder(block);
    // Offsets into the image of each compared block pixel, from the place's
    // top-left corner.
    std::vector<size_t> imageOffset(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const int bx = order[i] % block.width, by = order[i] / block.width;
        imageOffset[i] = size_t(by) * size_t(image.width) + size_t(bx);
    }
    for (int y = 0; y + block.height <= image.height; ++y) {
        for (int x = 0; x + block.width <= image.width; ++x) {
            const int32_t* place = image.pixels.data() + size_t(y) * size_t(image.width) + size_t(x);
            size_t i = 0;
            while (i < order.size() && ColoursAlike(place[imageOffset[i]], block.pixels[size_t(order[i])], tolerance)) {
                ++i;
            }
            if (i == order.size()) return platform::Point{x, y};
        }
    }
    return std::nullopt;
}

}  // namespace kestrun
