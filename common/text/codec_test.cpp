#include "common/text/codec.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text/utf8.h"

namespace text {
namespace {

const std::string kSmiley = "\xF0\x9F\x98\x80";  // U+1F600, outside GBK

class CodecTest : public testing::Test {
protected:
    std::unique_ptr<AnsiCodec> codec_ = MakeSystemCodec();
};

TEST_F(CodecTest, EncodesToTheCodePageByteForByte) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"abc 123\r\n", "abc 123\r\n"},
        {"中文", "\xD6\xD0\xCE\xC4"},
        {"日志.txt", "\xC8\xD5\xD6\xBE.txt"},
        {"lastplan.ini", "lastplan.ini"},
        {"鼠标点击=100,100,左键单击", "\xCA\xF3\xB1\xEA\xB5\xE3\xBB\xF7=100,100,\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7"},
        {"操作信息.csv", "\xB2\xD9\xD7\xF7\xD0\xC5\xCF\xA2.csv"},
        {"€", "\x80"},  // code page 936 keeps the euro sign at 0x80
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(codec_->Encode(input), expected);
    }
}

TEST_F(CodecTest, RefusesTextThatTheCodePageCannotHold) {
    const std::string cases[] = {
        kSmiley,
        "中文" + kSmiley + "中文",
        "\xEF\xBB\xBF"
        "a",  // U+FEFF
        "a\x80"
        "b",  // invalid UTF-8 has no code-page form either
        "\xE4\xB8",
    };
    for (const std::string& input : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(codec_->Encode(input), std::nullopt);
    }
}

TEST_F(CodecTest, DecodesAndReplacesBrokenBytesWithoutStopping) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"\xD6\xD0\xCE\xC4", "中文"},
        {"\xC8\xD5\xD6\xBE.txt", "日志.txt"},
        {"\x80", "€"},
        {"a\xFF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"\xD6", "\xEF\xBF\xBD"},
        {"\xD6\xD0\xCE", "中\xEF\xBF\xBD"},
        {"\x81\x20x", "\xEF\xBF\xBD x"},
        {"\xFF\xFF\xD6\xD0", "\xEF\xBF\xBD\xEF\xBF\xBD中"},
        {std::string("\0\xD6\xD0", 3), std::string("\0中", 4)},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(codec_->Decode(input), expected);
    }
}

TEST_F(CodecTest, DecodesALargeTextWithBrokenBytesCompletely) {
    std::string bytes;
    std::string expected;
    for (int i = 0; i < 20000; ++i) {
        bytes +=
            "\xD6\xD0\xFF"
            "x\r\n";
        expected += "中\xEF\xBF\xBDx\r\n";
    }
    EXPECT_EQ(codec_->Decode(bytes), expected);
}

TEST_F(CodecTest, FileTextIsAnsiWhenPossibleAndUtf8WithMarkOtherwise) {
    EXPECT_EQ(EncodeFileText(*codec_, "中文\r\n"), "\xD6\xD0\xCE\xC4\r\n");
    EXPECT_EQ(EncodeFileText(*codec_, ""), "");
    EXPECT_EQ(EncodeFileText(*codec_, "中" + kSmiley), std::string(kUtf8Bom) + "中" + kSmiley);
    EXPECT_EQ(EncodeFileText(*codec_, "a\x80"), std::string(kUtf8Bom) + "a\x80");

    EXPECT_EQ(DecodeFileText(*codec_, "\xD6\xD0\xCE\xC4\r\n"), "中文\r\n");
    EXPECT_EQ(DecodeFileText(*codec_, std::string(kUtf8Bom) + "中" + kSmiley), "中" + kSmiley);
    EXPECT_EQ(DecodeFileText(*codec_, kUtf8Bom), "");
    EXPECT_EQ(DecodeFileText(*codec_, ""), "");
}

TEST_F(CodecTest, AnsiBytesThatLookLikeTheMarkAreWrittenAsUtf8) {
    // EF BB and BF A1 are both GBK characters, so this text's ANSI form would
    // begin with the byte-order mark and be misread.
    const std::string text = codec_->Decode("\xEF\xBB\xBF\xA1");
    ASSERT_EQ(CharCount(text), 2u);
    EXPECT_EQ(codec_->Encode(text), "\xEF\xBB\xBF\xA1");
    EXPECT_EQ(EncodeFileText(*codec_, text), std::string(kUtf8Bom) + text);
    EXPECT_EQ(DecodeFileText(*codec_, EncodeFileText(*codec_, text)), text);
}

TEST_F(CodecTest, FileTextRoundTripsWithoutLoss) {
    const std::string texts[] = {
        "",
        "abc",
        "比较位图=1,100,100,0\r\n鼠标点击=100,100,左键单击\r\n",
        "中" + kSmiley + "文",
        "\xEF\xBB\xBF"
        "starts with U+FEFF",
        "invalid \x80\xFF bytes",
        "한국어",
        "€ and ½ and é",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DecodeFileText(*codec_, EncodeFileText(*codec_, text)), text);
    }
}

// The file helpers rely only on the codec interface.
class AsciiOnlyCodec final : public AnsiCodec {
public:
    std::optional<std::string> Encode(std::string_view utf8) const override {
        for (char c : utf8) {
            if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
        }
        return std::string(utf8);
    }
    std::string Decode(std::string_view bytes) const override { return "decoded:" + std::string(bytes); }
};

TEST(FileTextTest, UsesTheGivenCodec) {
    AsciiOnlyCodec codec;
    EXPECT_EQ(EncodeFileText(codec, "abc"), "abc");
    EXPECT_EQ(EncodeFileText(codec, "中"), std::string(kUtf8Bom) + "中");
    EXPECT_EQ(DecodeFileText(codec, "abc"), "decoded:abc");
    EXPECT_EQ(DecodeFileText(codec, std::string(kUtf8Bom) + "abc"), "abc");
    EXPECT_EQ(DecodeFileText(codec, "\xEF\xBB"), "decoded:\xEF\xBB");
}

}  // namespace
}  // namespace text
