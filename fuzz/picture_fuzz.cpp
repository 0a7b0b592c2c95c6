// Picture files as the picture boxes load them (bitmaps by our own reader,
// JPEG, PNG and GIF by stb_image): a picture of sane size or nothing.
//
// A JPEG of 2 KB can claim 9 million pixels, and decoding them is real work
// (0.7 s natively, seconds under the sanitizers) however little data follows:
// the time is that of the size, as for a real photograph of that size. The
// harness skips inputs that claim more than kMaxReplayPixels, as it would skip
// a legitimately long wait; smaller pictures run the same decoder paths, and
// the refusal of oversized pictures is a unit test.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "kestrun/script/bmp_file.h"
#include "kestrun/script/picture_file.h"

namespace {

constexpr long long kMaxReplayPixels = 1 << 20;

bool TooLargeToReplay(std::string_view bytes) {
    std::optional<platform::Point> size = kestrun::PictureSize(bytes);
    return size && (long long)size->x * size->y > kMaxReplayPixels;
}

void Check(const std::optional<platform::Image>& picture) {
    if (!picture) return;
    if (picture->width < 1 || picture->height < 1 || picture->width > 16384 || picture->height > 16384) std::abort();
    if (picture->pixels.size() != size_t(picture->width) * size_t(picture->height)) std::abort();
    platform::Image box(40, 40);
    kestrun::PlaceAtTopLeft(*picture, box);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (TooLargeToReplay(bytes)) return -1;
    Check(kestrun::DecodeBmp(bytes));
    Check(kestrun::DecodePicture(bytes));
    return 0;
}
