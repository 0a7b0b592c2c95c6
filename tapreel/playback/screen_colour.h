// The colour number of a screen pixel as Tapreel writes it into the click
// table: red + 256 x green + 65536 x blue, with a pixel that cannot be read
// (off the screen, or the read fails) counting as white.
#pragma once

#include <cstdint>

#include "common/platform/desktop.h"

namespace tapreel {

inline constexpr int32_t kWhite = 16777215;

int32_t ScreenColour(platform::Desktop& desktop, int x, int y);

}  // namespace tapreel
