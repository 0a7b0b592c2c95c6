// Reference pictures as a user's plan keeps them: BMP files, made for a
// test and read back from what a program saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace e2e {

// The bytes of a 24-bit bottom-up BMP file of width × height pixels; each
// pixel's colour number (red + 256 × green + 65536 × blue, as plans write
// colours) comes from colourAt(x, y), y counted from the top.
std::string BmpFile(int width, int height, const std::function<int(int x, int y)>& colourAt);

// A BMP file of one colour number.
std::string SolidBmp(int width, int height, int colour);

// The little-endian 32-bit number at offset (a BMP header field); 0 when
// the bytes end before it.
int32_t Int32At(const std::string& bytes, size_t offset);

// The colour number of a pixel of a 24- or 32-bit BMP file (y counted from
// the top); -1 when the bytes are no such file or the pixel is outside it.
int BmpColourAt(const std::string& bytes, int x, int y);

}  // namespace e2e
