#include "kestrun/script/plan_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kestrun {
namespace {

// The GBK bytes of the texts the tests write, spelled out.
const std::string kGbkClick =
    "\xCA\xF3\xB1\xEA\xB5\xE3\xBB\xF7=100,100,\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7";  // 鼠标点击=100,100,左键单击
const std::string kGbkPasteList = "\xD5\xB3\xCC\xF9\xCE\xC4\xD7\xD6=100,100,\xC1\xD0\xB1\xED";  // 粘贴文字=100,100,列表
const std::string kGbkOpenUrlList = "\xB4\xF2\xBF\xAA\xCD\xF8\xD6\xB7=\xC1\xD0\xB1\xED";        // 打开网址=列表
const std::string kGbkPasteHeader = "'\xD5\xB3\xCC\xF9\xC1\xD0\xB1\xED\xCE\xC4\xBC\xFE: ";  // '粘贴列表文件:
const std::string kGbkUrlHeader = "'\xCD\xF8\xD6\xB7\xC1\xD0\xB1\xED\xCE\xC4\xBC\xFE: ";    // '网址列表文件:

class PlanFileTest : public testing::Test {
protected:
    std::unique_ptr<text::AnsiCodec> codec_ = text::MakeSystemCodec();
};

TEST(PlanFileLines, BitmapTestLinesAreKnownByTheirFirstFourCharacters) {
    EXPECT_TRUE(IsBitmapTestLine("比较位图=1,100,100,0"));
    EXPECT_TRUE(IsBitmapTestLine("比较位图x=1"));  // only four characters count
    EXPECT_TRUE(IsBitmapTestLine("比较位图"));
    EXPECT_TRUE(IsBitmapTestLine("等待位图=1,100,100,10000,0"));  // the wait and the search share the numbering
    EXPECT_TRUE(IsBitmapTestLine("查找位图=2,0,0,1280,1024,10,0"));
    EXPECT_FALSE(IsBitmapTestLine("等待颜色=100,100,835111,10000,0"));
    EXPECT_FALSE(IsBitmapTestLine(" 比较位图=1,100,100,0"));
    EXPECT_FALSE(IsBitmapTestLine("比较位"));
    EXPECT_FALSE(IsBitmapTestLine("比较文字=Kestrun,1"));
    EXPECT_FALSE(IsBitmapTestLine(""));
}

TEST(PlanFileLines, BitmapNumberIsTheRoundedNumberBeforeTheFirstComma) {
    const struct {
        const char* line;
        std::optional<int> number;
    } cases[] = {
        {"比较位图=1,100,100,0", 1},
        {"比较位图=12,100,100,0", 12},
        {"比较位图=32767,1,1,0", 32767},
        {"比较位图=32768,1,1,0", std::nullopt},  // beyond a 16-bit number
        {"比较位图=0,1,1,0", std::nullopt},
        {"比较位图=-3,1,1,0", std::nullopt},
        {"比较位图=abc,1,1,0", std::nullopt},
        {"比较位图=,1,1,0", std::nullopt},
        {"比较位图", std::nullopt},  // no "=" at all
        {"比较位图=2.5,1,1,0", 2},   // half to even
        {"比较位图=3.5,1,1,0", 4},
        {"比较位图=0.6,1,1,0", 1},
        {"比较位图= 1 2,1,1,0", 12},  // blanks inside a number are ignored
        {"比较位图=&H10,1,1,0", 16},
        {"比较位图=7", 7},
        {"比较位图=7=9,1", 7},
        {"比较位图x=5,1,1,0", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(BitmapNumberOfLine(c.line), c.number);
    }
}

TEST(PlanFileLines, ListInUseNeedsAListLineAndAnEntry) {
    const struct {
        std::vector<std::string> lines;
        size_t entries;
        bool pasteInUse;
        bool urlInUse;
    } cases[] = {
        {{"粘贴文字=100,100,列表"}, 1, true, false},
        {{"粘贴文字=100,100,随机列表"}, 1, true, false},
        {{"粘贴文字=100,100,测试文字"}, 1, false, false},
        {{"粘贴文字=100,100,列表"}, 0, false, false},
        {{"打开网址=列表"}, 1, false, true},
        {{"打开网址=列表"}, 0, false, false},
        {{"打开网址=http://example.com"}, 3, false, false},
        {{"模拟按键=列表"}, 1, false, false},
        {{" 粘贴文字=100,100,列表"}, 1, false, false},  // the first four characters must be the keyword
        {{"鼠标点击=1,1,左键单击", "打开网址=列表", "粘贴文字=1,1,列表"}, 2, true, true},
        {{}, 5, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.empty() ? std::string("(no lines)") : c.lines.front());
        EXPECT_EQ(PasteListInUse(c.lines, c.entries), c.pasteInUse);
        EXPECT_EQ(UrlListInUse(c.lines, c.entries), c.urlInUse);
    }
}

TEST_F(PlanFileTest, EmptyPlanIsCrLfAlone) { EXPECT_EQ(PlanFileBytes(*codec_, {}, {}), "\r\n"); }

TEST_F(PlanFileTest, LinesFollowedByTheFinalEmptyLineInGbk) {
    EXPECT_EQ(PlanFileBytes(*codec_, {"鼠标点击=100,100,左键单击", "等待时间=5000"}, {}),
              kGbkClick + "\r\n" + "\xB5\xC8\xB4\xFD\xCA\xB1\xBC\xE4=5000\r\n\r\n");
}

TEST_F(PlanFileTest, HeaderBlockInOrderPasteThenUrl) {
    PlanHeader header{"C:\\lists\\paste.txt", "D:\\urls.txt"};
    EXPECT_EQ(PlanFileBytes(*codec_, {"鼠标点击=100,100,左键单击", "粘贴文字=100,100,列表", "打开网址=列表"}, header),
              kGbkPasteHeader + "C:\\lists\\paste.txt\r\n" + kGbkUrlHeader + "D:\\urls.txt\r\n\r\n" + kGbkClick +
                  "\r\n" + kGbkPasteList + "\r\n" + kGbkOpenUrlList + "\r\n\r\n");
}

TEST_F(PlanFileTest, HeaderBlockWithOneListOnly) {
    EXPECT_EQ(PlanFileBytes(*codec_, {"打开网址=列表"}, PlanHeader{std::nullopt, "u.txt"}),
              kGbkUrlHeader + "u.txt\r\n\r\n" + kGbkOpenUrlList + "\r\n\r\n");
    EXPECT_EQ(PlanFileBytes(*codec_, {"粘贴文字=100,100,列表"}, PlanHeader{"p.txt", std::nullopt}),
              kGbkPasteHeader + "p.txt\r\n\r\n" + kGbkPasteList + "\r\n\r\n");
    // A list in use whose file path is empty still gets its header line.
    EXPECT_EQ(BuildPlanText({}, PlanHeader{"", std::nullopt}), "'粘贴列表文件: \r\n\r\n\r\n");
}

TEST_F(PlanFileTest, TextOutsideTheCodePageIsSavedAsUtf8WithMark) {
    const std::vector<std::string> lines = {"粘贴文字=100,100,\xF0\x9F\x98\x80 ok", "鼠标点击=1,1,左键单击"};
    const std::string bytes = PlanFileBytes(*codec_, lines, {});
    EXPECT_EQ(bytes, std::string(text::kUtf8Bom) + BuildPlanText(lines, {}));
    const std::vector<PlanItem> items = ReadPlanFile(*codec_, bytes);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, lines[0]);
    EXPECT_EQ(items[1].text, lines[1]);
}

TEST_F(PlanFileTest, ReadingKeepsTrimmedInstructionLinesOnly) {
    const std::string text =
        "' my own note\r\n"
        "   \r\n"
        "  鼠标点击=100,100,左键单击  \r\n"
        "\r\n"
        "\t等待时间=5000\r\n"  // a tab is not a space: it stays
        "   ' an indented comment\r\n"
        "粘贴文字=1,1, a b \r\n"
        "\r\n";
    const std::vector<PlanItem> expected = {
        {PlanItem::Kind::kInstruction, "鼠标点击=100,100,左键单击"},
        {PlanItem::Kind::kInstruction, "\t等待时间=5000"},
        {PlanItem::Kind::kInstruction, "粘贴文字=1,1, a b"},
    };
    EXPECT_EQ(ParsePlanText(text), expected);
}

TEST_F(PlanFileTest, HeaderPathIsEverythingAfterTheFirstColon) {
    const struct {
        const char* line;
        PlanItem item;
    } cases[] = {
        {"'粘贴列表文件: C:\\a\\p.txt", {PlanItem::Kind::kPasteListFile, "C:\\a\\p.txt"}},
        {"'网址列表文件: D:\\x:y\\u.txt", {PlanItem::Kind::kUrlListFile, "D:\\x:y\\u.txt"}},
        {"  '网址列表文件:D:\\u.txt   ", {PlanItem::Kind::kUrlListFile, "D:\\u.txt"}},
        {"'粘贴列表文件: ", {PlanItem::Kind::kPasteListFile, ""}},
        // The key word may stand anywhere in the comment; the path starts after the line's first colon.
        {"'note: 粘贴列表文件: C:\\p.txt", {PlanItem::Kind::kPasteListFile, "粘贴列表文件: C:\\p.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::vector<PlanItem> items = ParsePlanText(c.line);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0], c.item);
    }
    // The key words need the ASCII colon right after them.
    EXPECT_TRUE(ParsePlanText("'粘贴列表文件：C:\\p.txt").empty());
    EXPECT_TRUE(ParsePlanText("'网址列表文件 : C:\\p.txt").empty());
}

TEST_F(PlanFileTest, LoneCrEndsALineButLoneLfDoesNot) {
    const std::vector<PlanItem> items = ParsePlanText("a=1\rb=2\nc\r\nd=4");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "a=1");
    EXPECT_EQ(items[1].text, "b=2\nc");
    EXPECT_EQ(items[2].text, "d=4");  // the last line needs no ending
}

TEST_F(PlanFileTest, SavedPlanReadsBackAsTheSameLinesAndListPaths) {
    const std::vector<std::string> lines = {
        "比较位图=2,10,10,1", "粘贴文字=100,100,随机列表", "打开网址=列表", "模拟按键={ENTER}", "比较位图=1,5,5,-2",
    };
    const PlanHeader header{"C:\\我的\\粘贴.txt", "C:\\urls: list.txt"};
    const std::vector<PlanItem> items = ReadPlanFile(*codec_, PlanFileBytes(*codec_, lines, header));
    std::vector<PlanItem> expected = {{PlanItem::Kind::kPasteListFile, *header.pasteListPath},
                                      {PlanItem::Kind::kUrlListFile, *header.urlListPath}};
    for (const std::string& line : lines) expected.push_back({PlanItem::Kind::kInstruction, line});
    EXPECT_EQ(items, expected);
}

TEST(PlanFileNames, BaseNameDropsFolderAndLastFourCharacters) {
    EXPECT_EQ(PlanBaseName("C:\\Kestrun\\process\\方案20260101120000.csv"), "方案20260101120000");
    EXPECT_EQ(PlanBaseName("C:\\Kestrun\\process\\a.csv.csv"), "a.csv");
    EXPECT_EQ(PlanBaseName("C:\\p\\计划表.CSV"), "计划表");
    EXPECT_EQ(PlanBaseName("plan.csv"), "plan");
    EXPECT_EQ(PlanBaseName("C:\\p\\.csv"), "");
    EXPECT_EQ(PlanBaseName("C:\\p\\ab"), "");
    EXPECT_EQ(PlanBaseName(""), "");
}

}  // namespace
}  // namespace kestrun
