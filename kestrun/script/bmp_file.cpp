#include "kestrun/script/bmp_file.h"

#include <cstdint>

namespace kestrun {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionBitFields = 3;

void PutU16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void PutU32(std::string& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(char((v >> shift) & 0xFF));
}

uint32_t GetU32(std::string_view bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(bytes[at + size_t(i)]);
    return v;
}

uint16_t GetU16(std::string_view bytes, size_t at) {
    return uint16_t(uint8_t(bytes[at]) | (uint8_t(bytes[at + 1]) << 8));
}

// Bytes in one stored row: whole pixels, padded to four bytes.
uint64_t Stride(uint64_t width, uint64_t bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// A 32-bit file with bit fields is read only when its masks are the plain
// blue-green-red byte order, the only form screen bitmaps take.
bool PlainMasks(std::string_view bytes, size_t at) {
    if (at + 12 > bytes.size()) return false;
    return GetU32(bytes, at) == 0x00FF0000 && GetU32(bytes, at + 4) == 0x0000FF00 &&
           GetU32(bytes, at + 8) == 0x000000FF;
}

}  // namespace

std::string EncodeBmp(const platform::Image& image) {
    const bool empty = image.width <= 0 || image.height <= 0;
    const uint32_t width = empty ? 0 : uint32_t(image.width);
    const uint32_t height = empty ? 0 : uint32_t(image.height);
    const uint32_t stride = uint32_t(Stride(width, 24));
    const uint32_t imageSize = stride * height;
    const uint32_t offset = uint32_t(kFileHeaderSize + kInfoHeaderSize);

    std::string out;
    out.reserve(offset + imageSize);
    out += "BM";
    PutU32(out, offset + imageSize);
    PutU32(out, 0);  // two reserved words
    PutU32(out, offset);
    PutU32(out, uint32_t(kInfoHeaderSize));
    PutU32(out, width);
    PutU32(out, height);  // positive: the bottom row comes first
    PutU16(out, 1);       // planes
    PutU16(out, 24);      // bits per pixel
    PutU32(out, kCompressionRgb);
    PutU32(out, imageSize);
    PutU32(out, 0);  // horizontal resolution: not given
    PutU32(out, 0);  // vertical resolution: not given
    PutU32(out, 0);  // colours used
    PutU32(out, 0);  // important colours
    // Rows are written in place: a plan export writes one file per bitmap.
    out.resize(offset + imageSize, '\0');
    for (uint32_t row = 0; row < height; ++row) {
        const int32_t* source = image.pixels.data() + size_t(height - 1 - row) * width;
        char* target = out.data() + offset + size_t(row) * stride;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t colour = uint32_t(source[x]);
            *target++ = char((colour >> 16) & 0xFF);  // blue
            *target++ = char((colour >> 8) & 0xFF);   // green
            *target++ = char(colour & 0xFF);          // red
        }
    }
    return out;
}

std::optional<platform::Image> DecodeBmp(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM") return std::nullopt;
    const uint64_t dataOffset = GetU32(bytes, 10);
    const uint32_t infoSize = GetU32(bytes, kFileHeaderSize);
    // BITMAPINFOHEADER and its later versions; the old 12-byte core header
    // and anything unknown are refused.
    if (infoSize < kInfoHeaderSize || infoSize > 1024) return std::nullopt;
    const int32_t width = int32_t(GetU32(bytes, 18));
    const int32_t rawHeight = int32_t(GetU32(bytes, 22));
    const uint16_t bitsPerPixel = GetU16(bytes, 28);
    const uint32_t compression = GetU32(bytes, 30);

    if (width <= 0 || width > kMaxBmpSide) return std::nullopt;
    if (rawHeight == 0 || rawHeight < -kMaxBmpSide || rawHeight > kMaxBmpSide) return std::nullopt;
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;

    if (bitsPerPixel == 24) {
        if (compression != kCompressionRgb) return std::nullopt;
    } else if (bitsPerPixel == 32) {
        // The masks follow a 40-byte header, or lie inside the later ones.
        const bool masksOk = compression == kCompressionRgb ||
                             (compression == kCompressionBitFields && PlainMasks(bytes, kFileHeaderSize + 40));
        if (!masksOk) return std::nullopt;
    } else {
        return std::nullopt;
    }

    const uint64_t bytesPerPixel = bitsPerPixel / 8;
    const uint64_t stride = Stride(uint64_t(width), bitsPerPixel);
    // The last row may lack its padding; every pixel must be in the data.
    const uint64_t needed = stride * uint64_t(height - 1) + uint64_t(width) * bytesPerPixel;
    if (dataOffset < kFileHeaderSize + infoSize || dataOffset > bytes.size() || needed > bytes.size() - dataOffset) {
        return std::nullopt;
    }

    platform::Image image(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const uint8_t* source = reinterpret_cast<const uint8_t*>(bytes.data()) + dataOffset + stride * uint64_t(row);
        int32_t* target = image.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x, source += bytesPerPixel) {
            target[x] = int32_t(source[2]) + 256 * int32_t(source[1]) + 65536 * int32_t(source[0]);
        }
    }
    return image;
}

}  // namespace kestrun
