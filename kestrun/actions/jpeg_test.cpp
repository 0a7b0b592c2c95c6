#include "kestrun/actions/jpeg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/testing/fake_files.h"
#include "common/text/colour.h"

// The decoder is used only to check that colours keep their channels.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>

namespace kestrun {
namespace {

constexpr const char* kPath = "C:\\Kestrun\\screenshot\\屏幕截图20260101120000.jpg";

// A picture with edges, gradients and noise, whose file size depends clearly
// on the quality.
platform::Image Busy(int width = 96, int height = 64) {
    platform::Image image(width, height, 0);
    uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const uint8_t noise = uint8_t(state >> 24);
            image.Set(x, y,
                      text::ColourNumber(uint8_t(x * 255 / width), uint8_t((x / 8 + y / 8) % 2 ? 220 : 30), noise));
        }
    }
    return image;
}

bool IsJpeg(const std::string& bytes) {
    return bytes.size() > 4 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8 &&
           uint8_t(bytes[bytes.size() - 2]) == 0xFF && uint8_t(bytes.back()) == 0xD9;
}

class SaveJpegTest : public ::testing::Test {
protected:
    SaveJpegTest() { files_.AddFolder("C:\\Kestrun\\screenshot"); }

    // The status of the error SaveJpeg raised, after checking its text; 0
    // when it raised none.
    int SaveStatus(const platform::Image& image, const std::string& path, int quality) {
        try {
            SaveJpeg(image, path, quality, files_);
        } catch (const JpegSaveError& error) {
            EXPECT_EQ(std::string(error.what()), "不能保存图像，GDI+ 出错:" + std::to_string(error.Status()));
            return error.Status();
        }
        return 0;
    }

    fake::FakeFileSystem files_;
};

TEST_F(SaveJpegTest, WritesAJpegFile) {
    SaveJpeg(Busy(), kPath, 80, files_);
    std::optional<std::string> file = files_.Content(kPath);
    ASSERT_TRUE(file);
    EXPECT_TRUE(IsJpeg(*file));
    EXPECT_EQ(*file, EncodeJpeg(Busy(), 80));

    // Saving again replaces the file.
    SaveJpeg(Busy(), kPath, 20, files_);
    EXPECT_EQ(files_.Content(kPath), EncodeJpeg(Busy(), 20));
}

TEST_F(SaveJpegTest, TheQualityChangesTheFile) {
    const std::string low = EncodeJpeg(Busy(), 10);
    const std::string high = EncodeJpeg(Busy(), 95);
    EXPECT_TRUE(IsJpeg(low));
    EXPECT_TRUE(IsJpeg(high));
    EXPECT_LT(low.size() * 2, high.size()) << "quality 10: " << low.size() << " bytes, 95: " << high.size();
    // Sizes fall as the quality falls.
    size_t previous = SIZE_MAX;
    for (int quality : {100, 90, 75, 50, 25, 5}) {
        SCOPED_TRACE(quality);
        const size_t size = EncodeJpeg(Busy(), quality).size();
        EXPECT_LT(size, previous);
        previous = size;
    }
}

TEST_F(SaveJpegTest, QualityZeroIsTheLowestQualityNotTheDefault) {
    const std::string zero = EncodeJpeg(Busy(), 0);
    EXPECT_TRUE(IsJpeg(zero));
    EXPECT_EQ(zero, EncodeJpeg(Busy(), 1));
    EXPECT_NE(zero, EncodeJpeg(Busy(), 90));
    EXPECT_LT(zero.size(), EncodeJpeg(Busy(), 10).size());
    SaveJpeg(Busy(), kPath, 0, files_);
    EXPECT_EQ(files_.Content(kPath), zero);
}

TEST_F(SaveJpegTest, ColoursKeepTheirChannels) {
    struct Case {
        uint8_t red, green, blue;
    };
    for (Case c : {Case{255, 0, 0}, Case{0, 255, 0}, Case{0, 0, 255}, Case{39, 190, 12}}) {
        SCOPED_TRACE(std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue));
        const std::string file = EncodeJpeg(platform::Image(16, 16, text::ColourNumber(c.red, c.green, c.blue)), 100);
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(file.data()),
                                                      int(file.size()), &width, &height, &channels, 3);
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(width, 16);
        EXPECT_EQ(height, 16);
        EXPECT_NEAR(pixels[0], c.red, 6);
        EXPECT_NEAR(pixels[1], c.green, 6);
        EXPECT_NEAR(pixels[2], c.blue, 6);
        stbi_image_free(pixels);
    }
}

TEST_F(SaveJpegTest, OddSizesAndTheSmallestPictureEncode) {
    for (auto [width, height] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{17, 33}, std::pair{1, 300}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        EXPECT_TRUE(IsJpeg(EncodeJpeg(Busy(width, height), 50)));
    }
}

TEST_F(SaveJpegTest, AFileThatCannotBeWrittenFailsWithStatus7AndKeepsTheOldFile) {
    files_.AddFile(kPath, "old");
    files_.FailWritesTo(kPath);
    EXPECT_EQ(SaveStatus(Busy(), kPath, 80), 7);
    EXPECT_EQ(files_.Content(kPath), "old");

    // A missing folder and a full disk fail the same way.
    EXPECT_EQ(SaveStatus(Busy(), "C:\\Kestrun\\missing\\a.jpg", 80), 7);
    files_.SetDiskFull(true);
    EXPECT_EQ(SaveStatus(Busy(), "C:\\Kestrun\\screenshot\\b.jpg", 80), 7);
    EXPECT_FALSE(files_.Content("C:\\Kestrun\\screenshot\\b.jpg"));
}

TEST_F(SaveJpegTest, InvalidPicturesQualitiesAndPathsFailWithStatus2AndWriteNothing) {
    platform::Image malformed(10, 10);
    malformed.pixels.resize(50);
    struct Case {
        const char* what;
        platform::Image image;
        int quality;
        std::string path;
    };
    const Case cases[] = {
        {"empty image", platform::Image(), 80, kPath},
        {"no width", platform::Image(0, 10), 80, kPath},
        {"no height", platform::Image(10, 0), 80, kPath},
        {"negative size", platform::Image(-3, -3), 80, kPath},
        {"too few pixels", malformed, 80, kPath},
        {"too wide for the format", platform::Image(65536, 1), 80, kPath},
        {"quality below 0", Busy(), -1, kPath},
        {"quality above 100", Busy(), 101, kPath},
        {"empty path", Busy(), 80, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SaveStatus(c.image, c.path, c.quality), 2);
    }
    EXPECT_TRUE(files_.Log().empty());
    EXPECT_FALSE(files_.Content(kPath));
}

TEST(JpegSaveError, CarriesTheStatusInItsText) {
    JpegSaveError error(7);
    EXPECT_STREQ(error.what(), "不能保存图像，GDI+ 出错:7");
    EXPECT_EQ(error.Status(), 7);
    const std::runtime_error& base = error;
    EXPECT_STREQ(base.what(), "不能保存图像，GDI+ 出错:7");
}

}  // namespace
}  // namespace kestrun
