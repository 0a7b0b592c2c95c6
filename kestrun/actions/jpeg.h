// Writing a picture as a JPEG file with a chosen quality.
//
// The encoder is stb_image_write's baseline JPEG writer. It honours the
// quality value the same way wherever the program runs, which the imaging
// library of some Windows-compatible environments does not.
//
// A failed save raises JpegSaveError, whose text is "不能保存图像，GDI+ 出错:"
// followed directly by a status number. The numbers are those of the Windows
// imaging library's status codes, so the text reads the same as on a system
// that saves through it:
//   1 GenericError      the encoder produced nothing
//   2 InvalidParameter  an empty or malformed image, a side over 65535
//                       pixels, a quality outside 0 to 100, an empty path
//   3 OutOfMemory       no memory for the encoded file
//   7 Win32Error        the file could not be written (missing folder, file
//                       in use, read-only, disk full)
#pragma once

#include <stdexcept>
#include <string>

#include "common/platform/files.h"
#include "common/platform/image.h"

namespace kestrun {

inline constexpr const char* kJpegSaveErrorPrefix = "不能保存图像，GDI+ 出错:";

namespace jpeg_status {
inline constexpr int kGenericError = 1;
inline constexpr int kInvalidParameter = 2;
inline constexpr int kOutOfMemory = 3;
inline constexpr int kWin32Error = 7;
}  // namespace jpeg_status

class JpegSaveError : public std::runtime_error {
public:
    explicit JpegSaveError(int status);
    int Status() const { return status_; }

private:
    int status_;
};

// The JPEG file of the image at quality 0 to 100. Quality 0 is the lowest
// quality the encoder has (the same as 1), not its default. Throws
// JpegSaveError.
std::string EncodeJpeg(const platform::Image& image, int quality);

// Encodes the image and writes it to the path, replacing a file of that
// name; a failed write leaves the old file as it was. Throws JpegSaveError.
void SaveJpeg(const platform::Image& image, const std::string& path, int quality, platform::FileSystem& files);

}  // namespace kestrun
