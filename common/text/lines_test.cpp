#include "common/text/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace text {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLinesTest, EndsLinesAtCrLfAndLoneCr) {
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb", {"a\nb"}},
        {"a\nb\r\nc", {"a\nb", "c"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\r\n", {"", ""}},
        {"a\n\r", {"a\n"}},
        {"\n", {"\n"}},
        {"a\r\n\n", {"a", "\n"}},
        {"中文\r\n日志", {"中文", "日志"}},
        {std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(input));
        EXPECT_EQ(SplitLines(input), expected);
    }
}

TEST(SplitLinesTest, HandlesAHugeTextInOnePass) {
    std::string big;
    for (int i = 0; i < 200000; ++i) big += "line\r\n";
    Lines lines = SplitLines(big);
    ASSERT_EQ(lines.size(), 200000u);
    EXPECT_EQ(lines.back(), "line");
}

TEST(JoinLinesTest, EndsEveryLineWithCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({"a", "b"}), "a\r\nb\r\n");
    EXPECT_EQ(JoinLines({"a\nb", ""}), "a\nb\r\n\r\n");
    const Lines lines = {"鼠标点击=100,100,左键单击", "", "x\ny"};
    EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}

}  // namespace
}  // namespace text
