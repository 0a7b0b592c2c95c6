// Picture files as the picture boxes load them: Windows bitmaps, and JPEG,
// PNG and GIF pictures (the first frame).
#pragma once

#include <optional>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/image.h"

namespace kestrun {

// The picture of a file's bytes; nullopt when they are no picture.
std::optional<platform::Image> DecodePicture(std::string_view bytes);

// The width and height (x, y) that a JPEG, PNG, GIF or BMP file claims, read
// from its header without decoding it; nullopt when the bytes are no such
// picture, or one that DecodePicture refuses whatever its pixels (damaged
// tables, a chunk longer than the file, more than 16384 pixels a side or
// 2^25 pixels in all).
std::optional<platform::Point> PictureSize(std::string_view bytes);

// A picture box shows a picture of another size at its top-left corner,
// clipped: the picture is copied so onto the target, whose size stays.
void PlaceAtTopLeft(const platform::Image& picture, platform::Image& target);

}  // namespace kestrun
