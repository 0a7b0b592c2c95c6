#include "common/text/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace text {
namespace {

// Texts with invalid bytes, used to check that no helper loses a byte.
const std::string kStray =
    "a\x80"
    "b";  // lone continuation byte
const std::string kTruncated =
    "\xE4\xB8"
    "x";                                           // first two bytes of 中, then x
const std::string kOverlong = "\xC0\xAF";          // overlong "/"
const std::string kSurrogate = "\xED\xA0\x80";     // encoded U+D800
const std::string kTooLarge = "\xF4\x90\x80\x80";  // above U+10FFFF

TEST(Utf8Test, CountsCodePointsAndInvalidBytesOneEach) {
    const std::pair<std::string, size_t> cases[] = {
        {"", 0},         {"abc", 3},
        {"中文", 2},     {"比较位图=1", 6},
        {"é", 1},        {"😀", 1},
        {"a😀b", 3},      {kStray, 3},
        {kTruncated, 3}, {kOverlong, 2},
        {kSurrogate, 3}, {kTooLarge, 4},
        {"\xFF\xFE", 2}, {std::string("a\0b", 3), 3},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(CharCount(input), expected);
    }
}

TEST(Utf8Test, DecodeAtReportsCharactersAndInvalidBytes) {
    struct Case {
        std::string input;
        char32_t cp;
        size_t len;
    };
    const Case cases[] = {
        {"A", U'A', 1},
        {"é", 0xE9, 2},
        {"中", 0x4E2D, 3},
        {"😀", 0x1F600, 4},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"\xEE\x80\x80", 0xE000, 3},
        {kStray.substr(1), kInvalidByte | 0x80, 1},
        {kTruncated, kInvalidByte | 0xE4, 1},
        {kOverlong, kInvalidByte | 0xC0, 1},
        {"\xE0\x80\x80", kInvalidByte | 0xE0, 1},
        {"\xF0\x80\x80\x80", kInvalidByte | 0xF0, 1},
        {kSurrogate, kInvalidByte | 0xED, 1},
        {kTooLarge, kInvalidByte | 0xF4, 1},
        {"\xE4\x41\x41", kInvalidByte | 0xE4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        size_t len = 99;
        EXPECT_EQ(DecodeAt(c.input, 0, len), c.cp);
        EXPECT_EQ(len, c.len);
    }
    size_t len = 99;
    EXPECT_EQ(DecodeAt("ab", 2, len), 0u);
    EXPECT_EQ(len, 0u);
}

TEST(Utf8Test, DecodeAndAppendCopyAnyTextUnchanged) {
    const std::string texts[] = {"",
                                 "abc",
                                 "中文😀",
                                 kStray,
                                 kTruncated,
                                 kOverlong,
                                 kSurrogate,
                                 kTooLarge,
                                 "\xFF"
                                 "中\x80"};
    for (const std::string& input : texts) {
        SCOPED_TRACE(input);
        std::string copy;
        size_t pos = 0;
        while (pos < input.size()) {
            size_t len = 0;
            char32_t cp = DecodeAt(input, pos, len);
            AppendUtf8(copy, cp);
            pos += len;
        }
        EXPECT_EQ(copy, input);
    }
    std::string out;
    AppendUtf8(out, 0xD800);
    AppendUtf8(out, 0x110000);
    EXPECT_EQ(out, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8Test, MidLeftRightCountCharacters) {
    struct Case {
        std::string got;
        std::string expected;
    };
    const std::string s = "比较位图=1,2";
    const Case cases[] = {
        {Left(s, 4), "比较位图"},
        {Left(s, 0), ""},
        {Left(s, 100), s},
        {Right(s, 3), "1,2"},
        {Right(s, 0), ""},
        {Right(s, 100), s},
        {Mid(s, 5), "1,2"},
        {Mid(s, 2, 2), "位图"},
        {Mid(s, 2, 100), "位图=1,2"},
        {Mid(s, 8), ""},
        {Mid(s, 100, 2), ""},
        {Mid("", 0, 1), ""},
        {Mid("a😀b", 1, 1), "😀"},
        // Invalid bytes are characters of their own and are kept.
        {Left(kStray, 2), "a\x80"},
        {Mid(kStray, 1, 1), "\x80"},
        {Right(kTruncated, 2), "\xB8x"},
        {Mid(kTruncated, 0, 1), "\xE4"},
        {Left("\xE4\xB8\xAD\xE4\xB8", 2), "\xE4\xB8\xAD\xE4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.got, c.expected);
    }
    // Cutting a text into pieces and joining them gives it back byte for byte.
    const std::string mixed =
        "x\x80中\xE4\xB8"
        "文\xFF😀";
    size_t count = CharCount(mixed);
    for (size_t cut = 0; cut <= count; ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_EQ(Left(mixed, cut) + Mid(mixed, cut), mixed);
        EXPECT_EQ(Left(mixed, cut) + Right(mixed, count - cut), mixed);
    }
}

TEST(Utf8Test, TrimRemovesOnlyTheRightBlanks) {
    const std::pair<std::string, std::string> trims[] = {
        {"  a b  ", "a b"},
        {"", ""},
        {"   ", ""},
        {"\ta\t", "\ta\t"},
        {" \x80 ", "\x80"},
        {" 中文 ", "中文"},
        {"\xE3\x80\x80"
         "a",
         "\xE3\x80\x80"
         "a"},  // the ideographic space is not a space here
    };
    for (const auto& [input, expected] : trims) {
        SCOPED_TRACE(input);
        EXPECT_EQ(Trim(input), expected);
    }
    const std::pair<std::string, std::string> blanks[] = {
        {" \ta b\t ", "a b"},
        {"\t\t", ""},
        {"\r\na\r\n", "\r\na\r\n"},
    };
    for (const auto& [input, expected] : blanks) {
        SCOPED_TRACE(input);
        EXPECT_EQ(TrimBlanks(input), expected);
    }
}

TEST(Utf8Test, SplitKeepsEveryPiece) {
    using Pieces = std::vector<std::string>;
    struct Case {
        std::string input;
        std::string sep;
        Pieces expected;
    };
    const Case cases[] = {
        {"", ",", {""}},
        {"a", ",", {"a"}},
        {"a,b", ",", {"a", "b"}},
        {",", ",", {"", ""}},
        {"a,,b,", ",", {"a", "", "b", ""}},
        {"鼠标点击=100,100,左键单击", "=", {"鼠标点击", "100,100,左键单击"}},
        {"a==b", "=", {"a", "", "b"}},
        {"1毫秒2毫秒", "毫秒", {"1", "2", ""}},
        {"a\r\nb", "\r\n", {"a", "b"}},
        {"abc", "", {"abc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(Split(c.input, c.sep), c.expected);
    }
}

TEST(Utf8Test, ReplaceAllAndSearches) {
    EXPECT_EQ(ReplaceAll("R*10+R", "R", "12"), "12*10+12");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("中文中", "中", ""), "文");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");

    EXPECT_TRUE(StartsWith("比较位图=1", "比较"));
    EXPECT_FALSE(StartsWith("比", "比较"));
    EXPECT_TRUE(StartsWith("x", ""));
    EXPECT_TRUE(EndsWith("a.exe", "exe"));
    EXPECT_FALSE(EndsWith("xe", "exe"));
    EXPECT_TRUE(Contains("abc", "b"));
    EXPECT_FALSE(Contains("abc", "d"));
}

TEST(Utf8Test, AsciiCaseMappingLeavesOtherCharactersAlone) {
    EXPECT_EQ(AsciiUpper("abc.Exe 中文é\x80"), "ABC.EXE 中文é\x80");
    EXPECT_EQ(AsciiLower("ABC.eXE 中文É"), "abc.exe 中文É");
}

TEST(Utf8Test, ConvertsToAndFromUtf16) {
    EXPECT_EQ(ToUtf16("a中😀"), (std::u16string{u'a', 0x4E2D, 0xD83D, 0xDE00}));
    EXPECT_EQ(FromUtf16(std::u16string{u'a', 0x4E2D, 0xD83D, 0xDE00}), "a中😀");
    EXPECT_EQ(ToUtf16(kStray), (std::u16string{u'a', 0xFFFD, u'b'}));
    EXPECT_EQ(ToUtf16(kTruncated), (std::u16string{0xFFFD, 0xFFFD, u'x'}));
    EXPECT_EQ(FromUtf16(std::u16string{0xD83D, u'a'}),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(FromUtf16(std::u16string{0xDE00}), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf16(std::u16string{u'x', 0xD83D}), "x\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf16(std::u16string(1, u'\0')), std::string(1, '\0'));
    const std::string valid = "鼠标点击=100,100,左键单击 é 😀";
    EXPECT_EQ(FromUtf16(ToUtf16(valid)), valid);
}

}  // namespace
}  // namespace text
