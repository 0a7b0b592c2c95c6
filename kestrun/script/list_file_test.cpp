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

}  // namespace
}  // namespace kestrun
