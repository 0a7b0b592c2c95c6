#include "kestrun/script/picture_file.h"

#include <algorithm>
#include <climits>

#include "common/text/colour.h"
#include "kestrun/script/bmp_file.h"

// stb_image decodes the other formats; only this file compiles it, and only
// from memory.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#include <stb_image.h>

namespace kestrun {

namespace {

// Refuses pictures too large for a picture box long before memory runs out.
constexpr int kMaxSide = 16384;

}  // namespace

std::optional<platform::Image> DecodePicture(std::string_view bytes) {
    if (auto bitmap = DecodeBmp(bytes)) return bitmap;
    if (bytes.empty() || bytes.size() > size_t(INT_MAX)) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    if (!stbi_info_from_memory(data, int(bytes.size()), &width, &height, &channels)) return std::nullopt;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;
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
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) target.Set(x, y, picture.At(x, y));
    }
}

}  // namespace kestrun
