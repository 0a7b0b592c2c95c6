#include "e2e/support/bmp_file.h"

#include <windows.h>

#include <cstdint>
#include <cstring>

namespace e2e {

int32_t Int32At(const std::string& bytes, size_t offset) {
    int32_t value = 0;
    if (offset + 4 <= bytes.size()) std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

int BmpColourAt(const std::string& bytes, int x, int y) {
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return -1;
    const int32_t offset = Int32At(bytes, 10);
    const int32_t width = Int32At(bytes, 18);
    const int32_t height = Int32At(bytes, 22);
    const int bits = int(uint8_t(bytes[28])) | int(uint8_t(bytes[29])) << 8;
    if (bits != 24 && bits != 32) return -1;
    const int absHeight = height < 0 ? -height : height;
    if (x < 0 || y < 0 || x >= width || y >= absHeight) return -1;
    const size_t stride = (size_t(width) * size_t(bits) / 8 + 3) & ~size_t(3);
    const size_t row = height > 0 ? size_t(absHeight - 1 - y) : size_t(y);
    const size_t at = size_t(offset) + row * stride + size_t(x) * size_t(bits / 8);
    if (at + 3 > bytes.size()) return -1;
    const int blue = uint8_t(bytes[at]);
    const int green = uint8_t(bytes[at + 1]);
    const int red = uint8_t(bytes[at + 2]);
    return red + 256 * green + 65536 * blue;
}

std::string BmpFile(int width, int height, const std::function<int(int x, int y)>& colourAt) {
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = DWORD(file.bfOffBits + stride * size_t(height));
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = height - 1; y >= 0; --y) {  // the bottom row comes first
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const int colour = colourAt(x, y);
            row[size_t(x) * 3] = char((colour >> 16) & 0xFF);  // blue
            row[size_t(x) * 3 + 1] = char((colour >> 8) & 0xFF);
            row[size_t(x) * 3 + 2] = char(colour & 0xFF);  // red
        }
        bytes += row;
    }
    return bytes;
}

std::string SolidBmp(int width, int height, int colour) {
    return BmpFile(width, height, [colour](int, int) { return colour; });
}

}  // namespace e2e
