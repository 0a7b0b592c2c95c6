#include "tapreel/playback/screen_colour.h"

namespace tapreel {

int32_t ScreenColour(platform::Desktop& desktop, int x, int y) {
    int32_t colour = desktop.GetPixel(x, y);
    if (colour < 0 || colour > kWhite) return kWhite;
    return colour;
}

}  // namespace tapreel
