#include "kestrun/script/bmp_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace kestrun {
namespace {

void PutU16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

void PutU32(std::string& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(char((v >> shift) & 0xFF));
}

void SetU32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

// A bitmap file built by hand, as other programs write them: the pixels are
// given top row first and stored in the order the height's sign asks for.
struct BmpSpec {
    int width = 2;
    int height = 2;  // negative: top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;
    bool masks = false;  // three colour masks after a 40-byte header
    uint32_t redMask = 0x00FF0000;
};

std::string MakeBmp(const BmpSpec& spec, const platform::Image& image) {
    const int rows = spec.height < 0 ? -spec.height : spec.height;
    const uint32_t bytesPerPixel = spec.bitsPerPixel / 8;
    const uint32_t stride = (uint32_t(spec.width) * spec.bitsPerPixel + 31) / 32 * 4;
    const uint32_t offset = 14 + spec.infoSize + (spec.masks ? 12 : 0);
    std::string out = "BM";
    PutU32(out, offset + stride * uint32_t(rows));
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, spec.infoSize);
    PutU32(out, uint32_t(spec.width));
    PutU32(out, uint32_t(spec.height));
    PutU16(out, 1);
    PutU16(out, spec.bitsPerPixel);
    PutU32(out, spec.compression);
    PutU32(out, stride * uint32_t(rows));
    for (int i = 0; i < 4; ++i) PutU32(out, 0);
    // The rest of a longer header: masks first (V4 and V5), then zeros.
    for (uint32_t i = 40; i < spec.infoSize; i += 4) {
        uint32_t v = i == 40 ? spec.redMask : i == 44 ? 0x0000FF00 : i == 48 ? 0x000000FF : 0;
        PutU32(out, v);
    }
    if (spec.masks) {
        PutU32(out, spec.redMask);
        PutU32(out, 0x0000FF00);
        PutU32(out, 0x000000FF);
    }
    for (int row = 0; row < rows; ++row) {
        const int y = spec.height < 0 ? row : rows - 1 - row;
        for (int x = 0; x < spec.width; ++x) {
            const uint32_t c = uint32_t(image.At(x, y));
            out.push_back(char((c >> 16) & 0xFF));
            out.push_back(char((c >> 8) & 0xFF));
            out.push_back(char(c & 0xFF));
            if (bytesPerPixel == 4) out.push_back(char(0xAB));  // unused byte
        }
        out.append(stride - uint32_t(spec.width) * bytesPerPixel, '\0');
    }
    return out;
}

platform::Image RandomImage(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    platform::Image image(width, height);
    for (int32_t& pixel : image.pixels) pixel = int32_t(random() & 0xFFFFFF);
    return image;
}

TEST(BmpFile, WritesA24BitBottomUpFileByteForByte) {
    platform::Image image(2, 2);
    image.Set(0, 0, 0x0000FF);  // red, top left
    image.Set(1, 0, 0x00FF00);  // green
    image.Set(0, 1, 0xFF0000);  // blue, bottom left
    image.Set(1, 1, 0x123456);  // red 0x56, green 0x34, blue 0x12
    const std::string expected = std::string(
        "BM"
        "\x46\x00\x00\x00"  // file size 70
        "\x00\x00\x00\x00"
        "\x36\x00\x00\x00"  // pixels at 54
        "\x28\x00\x00\x00"  // header size 40
        "\x02\x00\x00\x00"  // width 2
        "\x02\x00\x00\x00"  // height 2, bottom up
        "\x01\x00"          // planes
        "\x18\x00"          // 24 bits
        "\x00\x00\x00\x00"  // no compression
        "\x10\x00\x00\x00"  // 16 bytes of pixels
        "\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
        // bottom row: blue, then 0x123456 as blue 12 green 34 red 56, two bytes of padding
        "\xFF\x00\x00\x12\x34\x56\x00\x00"
        // top row: red, green
        "\x00\x00\xFF\x00\xFF\x00\x00\x00",
        70);
    EXPECT_EQ(EncodeBmp(image), expected);
}

TEST(BmpFile, ReferenceImageSizeGivesTheExpectedFileSize) {
    // 40 pixels of 3 bytes fill a row of 120 bytes without padding.
    EXPECT_EQ(EncodeBmp(platform::Image(40, 40)).size(), 54u + 120u * 40u);
    EXPECT_EQ(EncodeBmp(platform::Image(3, 5)).size(), 54u + 12u * 5u);
}

TEST(BmpFile, WrittenFilesReadBackAsTheSameImage) {
    const struct {
        int width;
        int height;
    } sizes[] = {{1, 1}, {2, 3}, {3, 2}, {5, 7}, {40, 40}, {41, 13}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        const platform::Image image = RandomImage(size.width, size.height, unsigned(size.width * 100 + size.height));
        EXPECT_EQ(DecodeBmp(EncodeBmp(image)), image);
    }
}

TEST(BmpFile, ReadsTheFormsOtherWritersUse) {
    const platform::Image image = RandomImage(5, 3, 7);
    const struct {
        const char* name;
        BmpSpec spec;
    } cases[] = {
        {"24-bit bottom-up", {5, 3, 24, 0, 40, false}},
        {"24-bit top-down", {5, -3, 24, 0, 40, false}},
        {"32-bit bottom-up", {5, 3, 32, 0, 40, false}},
        {"32-bit top-down", {5, -3, 32, 0, 40, false}},
        {"32-bit bit fields", {5, 3, 32, 3, 40, true}},
        {"24-bit V4 header", {5, 3, 24, 0, 108, false}},
        {"32-bit V5 header with bit fields", {5, -3, 32, 3, 124, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeBmp(MakeBmp(c.spec, image)), image);
    }
}

TEST(BmpFile, RefusesWhatItCannotRead) {
    const platform::Image image = RandomImage(4, 4, 3);
    const std::string good = MakeBmp({4, 4, 24, 0, 40, false}, image);
    ASSERT_TRUE(DecodeBmp(good));

    auto changed = [&](size_t at, uint32_t v) {
        std::string bytes = good;
        SetU32(bytes, at, v);
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not BM", "XY" + good.substr(2)},
        {"header cut short", good.substr(0, 40)},
        {"last pixel missing", good.substr(0, good.size() - 3)},  // rows of 12 bytes have no padding
        {"no pixels at all", good.substr(0, 54)},
        {"width 0", changed(18, 0)},
        {"negative width", changed(18, uint32_t(-4))},
        {"height 0", changed(22, 0)},
        {"lowest height", changed(22, 0x80000000)},
        {"absurd width", changed(18, 1u << 30)},
        {"absurd height", changed(22, 100000)},
        {"absurd top-down height", changed(22, uint32_t(-100000))},
        {"width beyond the data", changed(18, 5)},
        {"core header", changed(14, 12)},
        {"header size beyond the file", changed(14, 0x7FFFFFFF)},
        {"pixel offset beyond the file", changed(10, 0xFFFFFFF0)},
        {"pixel offset inside the header", changed(10, 20)},
        {"run-length compression", changed(30, 1)},
        {"bit fields on 24 bits", changed(30, 3)},
        {"8 bits per pixel", MakeBmp({4, 4, 8, 0, 40, false}, image)},
        {"16 bits per pixel", MakeBmp({4, 4, 16, 0, 40, false}, image)},
        {"1 bit per pixel", MakeBmp({4, 4, 1, 0, 40, false}, image)},
        {"other bit field masks", MakeBmp({4, 4, 32, 3, 40, true, 0xFF000000}, image)},
        {"bit fields without masks", MakeBmp({4, 4, 32, 3, 40, false}, image)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeBmp(c.bytes), std::nullopt);
    }
}

TEST(BmpFile, LastRowWithoutPaddingIsRead) {
    const platform::Image image = RandomImage(3, 2, 11);  // rows of 9 bytes padded to 12
    const std::string bytes = MakeBmp({3, 2, 24, 0, 40, false}, image);
    EXPECT_EQ(DecodeBmp(bytes.substr(0, bytes.size() - 3)), image);
}

TEST(BmpFile, DamagedFilesNeverCrashTheReader) {
    const std::string good = EncodeBmp(RandomImage(6, 5, 5));
    for (size_t length = 0; length < good.size(); ++length) {
        const auto image = DecodeBmp(good.substr(0, length));
        // A cut file is refused unless only the last row's padding is missing.
        if (image) {
            EXPECT_GE(length, good.size() - 2);
        }
    }
    std::mt19937 random(42);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = good;
        for (int flips = 0; flips < 4; ++flips) bytes[random() % 54] = char(random());
        const auto image = DecodeBmp(bytes);
        if (image) {
            EXPECT_EQ(image->pixels.size(), size_t(image->width) * size_t(image->height));
        }
    }
}

TEST(BmpFile, ImageWithoutPixelsWritesAFileTheReaderRefuses) {
    const std::string bytes = EncodeBmp(platform::Image());
    EXPECT_EQ(bytes.size(), 54u);
    EXPECT_EQ(DecodeBmp(bytes), std::nullopt);
}

}  // namespace
}  // namespace kestrun
