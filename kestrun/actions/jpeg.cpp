#include "kestrun/actions/jpeg.h"

#include <cstdint>
#include <new>
#include <vector>

#include "common/text/colour.h"

// The encoder's implementation lives in this file alone. Its functions are
// static here, so another file that needs stb_image_write can have its own
// copy, and the stdio functions are left out: files are written through
// platform::FileSystem only.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace kestrun {

namespace {

constexpr int kLowestQuality = 1;
// The frame header holds each side in 16 bits.
constexpr int kMaxJpegSide = 65535;
constexpr int kRgb = 3;

void AppendBytes(void* context, void* data, int size) {
    if (size <= 0) return;
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

bool WellFormed(const platform::Image& image) {
    return image.width > 0 && image.height > 0 && image.width <= kMaxJpegSide && image.height <= kMaxJpegSide &&
           image.pixels.size() == size_t(image.width) * size_t(image.height);
}

}  // namespace

JpegSaveError::JpegSaveError(int status)
    : std::runtime_error(std::string(kJpegSaveErrorPrefix) + std::to_string(status)), status_(status) {}

std::string EncodeJpeg(const platform::Image& image, int quality) {
    if (quality < 0 || quality > 100 || !WellFormed(image)) throw JpegSaveError(jpeg_status::kInvalidParameter);
    // The encoder takes 0 to mean its default quality (90); here 0 is the
    // lowest quality, as a screenshot line without a quality asks for.
    const int encoderQuality = quality == 0 ? kLowestQuality : quality;

    std::string file;
    try {
        std::vector<uint8_t> rgb;
        rgb.reserve(image.pixels.size() * kRgb);
        for (int32_t colour : image.pixels) {
            rgb.push_back(text::RedOf(colour));
            rgb.push_back(text::GreenOf(colour));
            rgb.push_back(text::BlueOf(colour));
        }
        if (!stbi_write_jpg_to_func(AppendBytes, &file, image.width, image.height, kRgb, rgb.data(), encoderQuality)) {
            throw JpegSaveError(jpeg_status::kGenericError);
        }
    } catch (const std::bad_alloc&) {
        throw JpegSaveError(jpeg_status::kOutOfMemory);
    }
    if (file.empty()) throw JpegSaveError(jpeg_status::kGenericError);
    return file;
}

void SaveJpeg(const platform::Image& image, const std::string& path, int quality, platform::FileSystem& files) {
    if (path.empty()) throw JpegSaveError(jpeg_status::kInvalidParameter);
    const std::string file = EncodeJpeg(image, quality);
    if (!files.WriteFileAtomic(path, file)) throw JpegSaveError(jpeg_status::kWin32Error);
}

}  // namespace kestrun
