// Windows bitmap (.bmp) files for the reference images of a plan.
//
// Layout, all numbers little-endian:
//   file header, 14 bytes: "BM", file size (4), two reserved words (0),
//       offset of the pixel data (4)
//   information header: its size (4; 40 for BITMAPINFOHEADER, more for the
//       later versions), width (4), height (4, negative for rows stored top
//       down), planes (2), bits per pixel (2), compression (4), image size,
//       resolution and colour table counts (4 each)
//   pixel rows, each padded to a multiple of 4 bytes, bottom row first unless
//       the height is negative; a pixel is blue, green, red (and one unused
//       byte at 32 bits per pixel).
//
// The writer produces what the platform's picture saver writes for a screen
// bitmap: 24 bits per pixel, no compression, bottom row first. The reader
// takes 24- and 32-bit uncompressed files (32-bit also with the usual
// red/green/blue bit fields), in either row order, and refuses anything else,
// anything malformed and sizes no reference image could have.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/platform/image.h"

namespace kestrun {

// The largest width or height the reader accepts.
inline constexpr int kMaxBmpSide = 16384;

// The bytes of a 24-bit bottom-up bitmap file of the image. An image without
// pixels gives a 0 x 0 bitmap, which the reader refuses.
std::string EncodeBmp(const platform::Image& image);

// The image of a bitmap file, or nullopt when the bytes are not a bitmap this
// reader takes.
std::optional<platform::Image> DecodeBmp(std::string_view bytes);

}  // namespace kestrun
