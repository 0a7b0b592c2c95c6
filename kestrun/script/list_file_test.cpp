#include "kestrun/script/list_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrun {
namespace {

TEST(ListFile, EntriesAreTrimmedLinesWithoutEmptyOnes) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> entries;
    } cases[] = {
        {"plain", "a\r\nb\r\nc\r\n", {"a", "b", "c"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"trimmed of spaces", "  a  \r\n b c \r\n", {"a", "b c"}},
        {"empty and blank lines skipped", "\r\n   \r\na\r\n\r\n\r\nb\r\n   ", {"a", "b"}},
        {"only empty lines", "\r\n  \r\n\r\n", {}},
        {"empty file", "", {}},
        {"commas kept", "x,y,z\r\n", {"x,y,z"}},
        {"lone CR ends a line", "a\rb\r", {"a", "b"}},
        {"lone LF does not", "a\nb\r\nc", {"a\nb", "c"}},
        {"tabs are not spaces", "\ta\t\r\n", {"\ta\t"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseListText(c.text), c.entries);
    }
}

TEST(ListFile, ReadsGbkAndUtf8WithMark) {
    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    // 测试文字, 列表 in GBK.
    EXPECT_EQ(ReadListFile(*codec, "\xB2\xE2\xCA\xD4\xCE\xC4\xD7\xD6\r\n \xC1\xD0\xB1\xED \r\n"),
              (std::vector<std::string>{"测试文字", "列表"}));
    EXPECT_EQ(ReadListFile(*codec, std::string(text::kUtf8Bom) + "\xF0\x9F\x98\x80\r\n中文\r\n"),
              (std::vector<std::string>{"\xF0\x9F\x98\x80", "中文"}));
}

TEST(ListFile, ReadInSlicesGivesTheSameEntriesAndLetsTheWindowAnswerAfterEach) {
    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    // Line ends of every kind, blanks, GBK characters (测试, 列表) and a byte
    // that forms no character, so that a slice end falls everywhere once.
    const std::string gbk = "  \xB2\xE2\xCA\xD4 a \r\n\r\nb\nc\r\xC1\xD0\xB1\xED\r\n   \r\x81\r\n\xB2\xE2last";
    const std::string utf8 = std::string(text::kUtf8Bom) + "中文\r\n x \r\ry\nz\r\n";
    for (const std::string& bytes : {gbk, utf8}) {
        const std::vector<std::string> whole = ReadListFile(*codec, bytes, {}, bytes.size());
        ASSERT_GE(whole.size(), 3u);
        for (size_t slice = 1; slice <= bytes.size(); ++slice) {
            SCOPED_TRACE(slice);
            int calls = 0;
            EXPECT_EQ(ReadListFile(
                          *codec, bytes, [&] { ++calls; }, slice),
                      whole);
            if (slice == 1) EXPECT_GE(calls, int(whole.size())) << "one slice a line at most";
        }
    }
    // A list of a million lines: a call after every megabyte or so.
    std::string big;
    for (int i = 0; i < 1'000'000; ++i) big += "entry " + std::to_string(i) + " of a long list of entries\r\n";
    int calls = 0;
    EXPECT_EQ(ReadListFile(*codec, big, [&] { ++calls; }).size(), 1'000'000u);
    EXPECT_GE(calls, int(big.size() / kListSliceBytes));
    EXPECT_LE(calls, int(big.size() / kListSliceBytes) + 1);
}

}  // namespace
}  // namespace kestrun
