// An image in memory: width x height colour numbers, row by row from the top.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<int32_t> pixels;  // colour numbers (red + 256 green + 65536 blue)

    Image() = default;
    Image(int w, int h, int32_t fill = 0xFFFFFF)
        : width(w), height(h), pixels(size_t(w > 0 ? w : 0) * size_t(h > 0 ? h : 0), fill) {}

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    int32_t At(int x, int y) const { return Contains(x, y) ? pixels[size_t(y) * width + x] : -1; }
    void Set(int x, int y, int32_t colour) {
        if (Contains(x, y)) pixels[size_t(y) * width + x] = colour;
    }
    bool operator==(const Image&) const = default;
};

}  // namespace platform
