// Searches of a screen copy held in memory: the first pixel of a colour and
// the first place of a picture, each within a tolerance per colour channel.
// The screen is read once, by the caller, as one block copy of the
// rectangle; everything here works on that copy.
#pragma once

#include <cstdint>
#include <optional>

#include "common/platform/desktop.h"
#include "common/platform/image.h"

namespace kestrun {

// True when each of red, green and blue of the two colour numbers differs by
// at most tolerance.
bool ColoursAlike(int32_t a, int32_t b, int tolerance);

// The rectangle between two corners given in either order, the right and
// bottom edges excluded, clipped to a screen of the given size; empty
// (Width() or Height() 0) when nothing of it lies on the screen.
platform::Rect SearchRectangle(int x1, int y1, int x2, int y2, platform::Point screenSize);

// The first pixel alike the colour, row by row from the top, each row from
// the left; nothing when there is none.
std::optional<platform::Point> FindColour(const platform::Image& image, int32_t colour, int tolerance);

// The top-left corner of the first place, in the same order, where every
// pixel of block is alike the image's pixel beneath it, the whole block
// inside the image; nothing when there is none or the block is empty.
std::optional<platform::Point> FindBlock(const platform::Image& image, const platform::Image& block, int tolerance);

}  // namespace kestrun
