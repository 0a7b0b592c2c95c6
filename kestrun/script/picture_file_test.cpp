#include "kestrun/script/picture_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kestrun/actions/jpeg.h"
#include "kestrun/script/bmp_file.h"

namespace kestrun {
namespace {

// Keeps the compiler from dropping the writes that dirty the heap.
volatile unsigned char* heapSink = nullptr;

platform::Image Gradient(int width, int height) {
    platform::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.Set(x, y, (x * 16) | (y * 16) << 8 | 0x400000);
    }
    return image;
}

void PutU16Le(std::string& out, int v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char((v >> 8) & 0xFF));
}

// A GIF of one 2 x 2 frame on a canvas of the given size.
std::string Gif(int canvasWidth, int canvasHeight) {
    std::string gif = "GIF89a";
    PutU16Le(gif, canvasWidth);
    PutU16Le(gif, canvasHeight);
    gif += std::string("\x80\x00\x00", 3);                               // a global colour table of two colours
    gif += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);                   // black, white
    gif += std::string("\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00", 10);  // the frame at (0, 0), 2 x 2
    gif += std::string("\x02\x02\x44\x01\x00\x3B", 6);                   // LZW data, end of frames
    return gif;
}

TEST(DecodePictureTest, ReadsBitmapsJpegAndGif) {
    std::optional<platform::Image> bitmap = DecodePicture(EncodeBmp(Gradient(5, 3)));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(*bitmap, Gradient(5, 3));

    std::optional<platform::Image> jpeg = DecodePicture(EncodeJpeg(Gradient(16, 8), 100));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->width, 16);
    EXPECT_EQ(jpeg->height, 8);

    std::optional<platform::Image> gif = DecodePicture(Gif(2, 2));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->width, 2);
    EXPECT_EQ(gif->At(0, 0), 0);
}

// The JPEG decoder writes past its tables when a table counts more than the
// 256 codes a table can hold; such a file is refused before it gets there.
TEST(DecodePictureTest, RefusesAJpegWhoseHuffmanTableCountsMoreThan256Codes) {
    const std::string jpeg = EncodeJpeg(Gradient(16, 8), 80);
    ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
    // An AC table numbered 3, which the picture's scan never uses: 45 codes
    // of 15 bits and 255 of 16 bits, 300 in all, which fit those lengths.
    const int codes = 300;
    std::string table = "\xFF\xC4";
    const int length = 2 + 1 + 16 + codes;
    table.push_back(char(length >> 8));
    table.push_back(char(length & 0xFF));
    table.push_back('\x13');
    table += std::string(14, '\0');
    table.push_back(char(45));
    table.push_back(char(255));
    for (int i = 0; i < codes; ++i) table.push_back(char(i & 0xFF));
    const std::string crafted = jpeg.substr(0, 2) + table + jpeg.substr(2);

    EXPECT_FALSE(DecodePicture(crafted));
    EXPECT_FALSE(PictureSize(crafted)) << "reading the header reads the tables too";

    // The same table with 256 codes is a table like any other.
    std::string fitting = table;
    fitting[2 + 2 + 1 + 15] = char(211);  // 45 + 211 = 256 codes
    const int fittingLength = 2 + 1 + 16 + 256;
    fitting[2] = char(fittingLength >> 8);
    fitting[3] = char(fittingLength & 0xFF);
    fitting.resize(2 + fittingLength);
    EXPECT_TRUE(DecodePicture(jpeg.substr(0, 2) + fitting + jpeg.substr(2)));
}

// The JPEG file without its Huffman tables (the DHT segments before the scan).
std::string WithoutHuffmanTables(const std::string& jpeg) {
    std::string out = jpeg.substr(0, 2);
    size_t pos = 2;
    while (pos + 4 <= jpeg.size() && uint8_t(jpeg[pos]) == 0xFF && uint8_t(jpeg[pos + 1]) != 0xDA) {
        const size_t length = size_t(uint8_t(jpeg[pos + 2])) << 8 | uint8_t(jpeg[pos + 3]);
        if (uint8_t(jpeg[pos + 1]) != 0xC4) out += jpeg.substr(pos, 2 + length);
        pos += 2 + length;
    }
    return out + jpeg.substr(pos);
}

// A scan may name tables the file never defined. The decoder then reads its
// tables from whatever memory it was given, which here is first filled with
// a pattern: the picture must not depend on it.
TEST(DecodePictureTest, AJpegWithoutItsHuffmanTablesDecodesTheSameEveryTime) {
    const std::string jpeg = WithoutHuffmanTables(EncodeJpeg(Gradient(16, 8), 80));
    ASSERT_EQ(jpeg.find("\xFF\xC4"), std::string::npos);
    std::optional<platform::Image> first;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        {
            std::vector<unsigned char> dirty(size_t(1) << 15, 0xAB);
            heapSink = dirty.data();
        }
        std::optional<platform::Image> picture = DecodePicture(jpeg);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width, 16);
        if (round == 0) first = picture;
        EXPECT_EQ(*picture, *first);
    }
    EXPECT_EQ(first->At(5, 5), 0x808080) << "tables of zeros decode every block as flat grey";
}

// A file of a few bytes can claim a canvas of any size; the decoder would
// clear all of it before reading a pixel.
TEST(DecodePictureTest, RefusesPicturesOfMoreThan2To25Pixels) {
    EXPECT_FALSE(DecodePicture(Gif(8193, 4096)));
    EXPECT_FALSE(DecodePicture(Gif(14594, 14689)));
    EXPECT_FALSE(DecodePicture(Gif(16384, 16384)));
    EXPECT_FALSE(PictureSize(Gif(8193, 4096)));
    EXPECT_EQ(PictureSize(Gif(8192, 4096)), (platform::Point{8192, 4096}));
    EXPECT_EQ(PictureSize(EncodeJpeg(Gradient(16, 8), 80)), (platform::Point{16, 8}));
    EXPECT_EQ(PictureSize(EncodeBmp(Gradient(5, 3))), (platform::Point{5, 3}));
    EXPECT_FALSE(PictureSize("not a picture"));
    std::optional<platform::Image> wide = DecodePicture(Gif(4096, 2));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->width, 4096);
}

void PutU32Be(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((v >> shift) & 0xFF));
}

// A PNG of one red pixel; idatLength is the length its image-data chunk
// claims (the true one is 15). The decoder ignores the check sums.
std::string RedPixelPng(uint32_t idatLength = 15) {
    std::string png("\x89PNG\r\n\x1A\n", 8);
    PutU32Be(png, 13);
    png += "IHDR";
    PutU32Be(png, 1);
    PutU32Be(png, 1);
    png += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
    PutU32Be(png, 0);
    PutU32Be(png, idatLength);
    png += "IDAT";
    // zlib: one stored block of 4 bytes (filter 0, red), then the Adler sum.
    png += std::string("\x78\x01\x01\x04\x00\xFB\xFF\x00\xFF\x00\x00\x00\x00\x00\x00", 15);
    PutU32Be(png, 0);
    PutU32Be(png, 0);
    png += "IEND";
    PutU32Be(png, 0);
    return png;
}

// A PNG of a hundred bytes that claims a chunk of 1.9 GB would have the
// decoder ask for that much memory before finding the data missing.
TEST(DecodePictureTest, RefusesAPngWhoseChunkRunsPastTheEndOfTheFile) {
    std::optional<platform::Image> red = DecodePicture(RedPixelPng());
    ASSERT_TRUE(red);
    EXPECT_EQ(red->At(0, 0), 0x0000FF);
    EXPECT_EQ(PictureSize(RedPixelPng()), (platform::Point{1, 1}));

    std::string withoutEndCheckSum = RedPixelPng();
    withoutEndCheckSum.resize(withoutEndCheckSum.size() - 4);
    EXPECT_TRUE(DecodePicture(withoutEndCheckSum));

    EXPECT_FALSE(PictureSize(RedPixelPng(0x7600003D)));
    EXPECT_FALSE(DecodePicture(RedPixelPng(0x7600003D)));
    EXPECT_FALSE(DecodePicture(RedPixelPng(32))) << "one byte more than the rest of the file";
}

// A picture box keeps its size: a larger picture is clipped, a smaller one
// covers the top-left corner and leaves the rest as it was.
TEST(PlaceAtTopLeftTest, CopiesTheTopLeftCornerOntoTheBoxAndKeepsItsSize) {
    const platform::Image large = Gradient(50, 45);
    platform::Image box(40, 40, 0x123456);
    PlaceAtTopLeft(large, box);
    EXPECT_EQ(box.width, 40);
    EXPECT_EQ(box.pixels.size(), 1600u);
    EXPECT_EQ(box.At(0, 0), large.At(0, 0));
    EXPECT_EQ(box.At(39, 39), large.At(39, 39));
    EXPECT_EQ(box.At(39, 0), large.At(39, 0));

    const platform::Image small = Gradient(3, 2);
    platform::Image other(40, 40, 0x123456);
    PlaceAtTopLeft(small, other);
    EXPECT_EQ(other.At(2, 1), small.At(2, 1));
    EXPECT_EQ(other.At(3, 1), 0x123456);
    EXPECT_EQ(other.At(0, 2), 0x123456);

    platform::Image untouched(40, 40, 0x123456);
    PlaceAtTopLeft(platform::Image(-3, 5), untouched);
    PlaceAtTopLeft(platform::Image(5, -3), untouched);
    PlaceAtTopLeft(platform::Image(), untouched);
    EXPECT_EQ(untouched, platform::Image(40, 40, 0x123456));
}

}  // namespace
}  // namespace kestrun
