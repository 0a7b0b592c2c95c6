#include "kestrun/script/picture_file.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/text/colour.h"
#include "kestrun/script/bmp_file.h"

// stb_image decodes the other formats; only this file compiles it, and only
// from memory. Its memory comes zeroed: the stb_image of Debian 12 (2.27)
// decodes a JPEG scan with Huffman tables the file never defined, reading
// whatever the allocation held (and, from a pointer made of it, anywhere);
// zeroed tables decode as an empty picture instead.
#define STBI_MALLOC(size) std::calloc(1, (size))
#define STBI_REALLOC(pointer, size) std::realloc((pointer), (size))
#define STBI_FREE(pointer) std::free(pointer)
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
// Two harmless kinds of undefined behaviour inside this stb_image go
// unchecked in the sanitizer builds, so that the fuzzers run on past them to
// the faults that matter: a JPEG whose data ends inside a code shifts a 32-bit
// value by 32 or more (garbage bits, so garbage pixels), and a PNG whose first
// image-data chunk is empty copies 0 bytes to a buffer not yet allocated.
// Neither touches memory, and AddressSanitizer still watches all of the
// decoder's memory; our own code below is checked in full.
#if defined(__clang__)
#pragma clang attribute push(__attribute__((no_sanitize("shift-exponent", "nonnull-attribute"))), apply_to = function)
#endif
#include <stb_image.h>
#if defined(__clang__)
#pragma clang attribute pop
#endif

namespace kestrun {

namespace {

// Refuses pictures too large for a picture box long before memory runs out.
constexpr int kMaxSide = 16384;
// A file of a few bytes can claim a picture of any size: a GIF of 60 bytes
// claiming 14600 x 14700 pixels makes the decoder clear a canvas of 860 MB
// before it reads a pixel, and the picture then needs as much again. So the
// area is limited too, to 2^25 pixels: an 8K screen (7680 x 4320) still fits.
constexpr int64_t kMaxPixels = int64_t{1} << 25;

// The Huffman tables of a JPEG file hold at most 256 codes each.
constexpr uint32_t kMaxHuffmanCodes = 256;

// Whether stb_image takes the bytes for a JPEG file: a start-of-image marker,
// possibly after fill bytes.
bool LooksLikeJpeg(std::string_view bytes) {
    size_t i = 0;
    if (bytes.empty() || uint8_t(bytes[0]) != 0xFF) return false;
    while (i < bytes.size() && uint8_t(bytes[i]) == 0xFF) ++i;
    return i < bytes.size() && uint8_t(bytes[i]) == 0xD8;
}

// Whether every Huffman table a JPEG file defines fits its 256 codes. The
// stb_image of Debian 12 (2.27) adds up the 16 code counts of a table without
// checking the sum and writes past its tables when a crafted file counts more
// than 256 codes. Every table it can read follows a "FF C4" marker, so each
// such pair is checked here, reading the segment as the decoder does (bytes
// past the end read as 0). A "FF C4" that is no marker only makes the check
// stricter.
//
// A segment is a chain of tables, each the class and number byte, 16 counts
// and as many code bytes as the counts add up to; the segment's length is the
// budget the chain may use. Where the chain starts only decides where it
// stops, so the first table that counts too many codes is worked out once for
// every position, from the end of the file backwards, and each marker is then
// checked at once: a file with a "FF C4" every few bytes costs no more than
// one with a single table.
bool JpegHuffmanTablesFit(std::string_view bytes) {
    const size_t size = bytes.size();
    auto byteAt = [&](size_t i) -> uint32_t { return i < size ? uint8_t(bytes[i]) : 0; };
    constexpr uint32_t kNone = UINT32_MAX;
    // firstTooMany[p]: the distance from p to the first table of the chain
    // that starts at p which counts more than 256 codes, kNone when the
    // chain reaches the end of the file first.
    std::vector<uint32_t> firstTooMany(size, kNone);
    uint32_t counts = 0;  // the 16 counts that follow position p: bytes p+1 .. p+16
    for (size_t p = size; p-- > 0;) {
        counts += byteAt(p + 1);
        counts -= byteAt(p + 17);
        if (counts > kMaxHuffmanCodes) {
            firstTooMany[p] = 0;
            continue;
        }
        const size_t next = p + 17 + counts;
        if (next < size && firstTooMany[next] != kNone) firstTooMany[p] = uint32_t(next - p) + firstTooMany[next];
    }
    for (size_t marker = 0; marker + 1 < size; ++marker) {
        if (byteAt(marker) != 0xFF || byteAt(marker + 1) != 0xC4) continue;
        const int64_t budget = int64_t(byteAt(marker + 2) << 8 | byteAt(marker + 3)) - 2;
        const size_t start = marker + 4;
        if (budget <= 0 || start >= size || firstTooMany[start] == kNone) continue;
        if (int64_t(firstTooMany[start]) < budget) return false;
    }
    return true;
}

// Whether every chunk of a PNG file lies within the file. The decoder sizes
// its buffer for the image data by the length a chunk claims before it reads
// the chunk, so a file of a hundred bytes could ask for gigabytes; a chunk
// that runs past the end fails the decoding anyway, only later.
bool PngChunksFit(std::string_view bytes) {
    constexpr std::string_view kSignature("\x89PNG\r\n\x1A\n", 8);
    if (!bytes.starts_with(kSignature)) return true;
    auto be32 = [&](size_t i) {
        return uint32_t(uint8_t(bytes[i])) << 24 | uint32_t(uint8_t(bytes[i + 1])) << 16 |
               uint32_t(uint8_t(bytes[i + 2])) << 8 | uint32_t(uint8_t(bytes[i + 3]));
    };
    for (size_t chunk = kSignature.size(); chunk + 8 <= bytes.size();) {
        // The decoder stops at the end chunk without reading its length.
        if (bytes.substr(chunk + 4, 4) == "IEND") return true;
        const uint64_t length = be32(chunk);
        if (length > bytes.size() - (chunk + 8)) return false;
        chunk += 12 + length;  // length, type, data, check sum
    }
    return true;
}

}  // namespace

std::optional<platform::Point> PictureSize(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > size_t(INT_MAX)) return std::nullopt;
    // The decoder reads the Huffman tables already while it reads the header.
    if (LooksLikeJpeg(bytes) && !JpegHuffmanTablesFit(bytes)) return std::nullopt;
    if (!PngChunksFit(bytes)) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    if (!stbi_info_from_memory(data, int(bytes.size()), &width, &height, &channels)) return std::nullopt;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
    if (int64_t{width} * height > kMaxPixels) return std::nullopt;
    return platform::Point{width, height};
}

std::optional<platform::Image> DecodePicture(std::string_view bytes) {
    if (auto bitmap = DecodeBmp(bytes)) return bitmap;
    if (!PictureSize(bytes)) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    stbi_uc* pixels = stbi_load_from_memory(data, int(bytes.size()), &width, &height, &channels, 3);
    if (!pixels) return std::nullopt;
    platform::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const stbi_uc* p = pixels + (size_t(y) * width + x) * 3;
            image.Set(x, y, text::ColourNumber(p[0], p[1], p[2]));
        }
    }
    stbi_image_free(pixels);
    return image;
}

void PlaceAtTopLeft(const platform::Image& picture, platform::Image& target) {
    const int width = std::min(picture.width, target.width);
    const int height = std::min(picture.height, target.height);
    if (width <= 0) return;  // an image of no pixels, whatever width it claims
    for (int y = 0; y < height; ++y) {
        const auto row = picture.pixels.begin() + ptrdiff_t(y) * picture.width;
        std::copy(row, row + width, target.pixels.begin() + ptrdiff_t(y) * target.width);
    }
}

}  // namespace kestrun
