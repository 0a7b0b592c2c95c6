// The colour number: red + 256 x green + 65536 x blue (exactly a COLORREF),
// -1 for a point off the screen.
#pragma once

#include <cstdint>

namespace text {

inline constexpr int32_t kInvalidColour = -1;

constexpr int32_t ColourNumber(uint8_t red, uint8_t green, uint8_t blue) {
    return int32_t(red) + 256 * int32_t(green) + 65536 * int32_t(blue);
}
constexpr uint8_t RedOf(int32_t colour) { return uint8_t(colour & 0xFF); }
constexpr uint8_t GreenOf(int32_t colour) { return uint8_t((colour >> 8) & 0xFF); }
constexpr uint8_t BlueOf(int32_t colour) { return uint8_t((colour >> 16) & 0xFF); }

}  // namespace text
