#include "kestrun/script/instruction_line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace script {
namespace {

using Fields = std::vector<std::string>;

TEST(InstructionLineTest, KeywordsInDispatchOrder) {
    const std::vector<std::string_view> expected = {
        "比较位图", "判断颜色", "鼠标点击", "鼠标拖拉", "粘贴文字", "模拟按键", "打开文件",
        "打开网址", "等待时间", "鼠标滚动", "比较文字", "文件操作", "窗口操作", "屏幕截图",
        "等待颜色", "等待位图", "等待窗口", "查找颜色", "查找位图", "窗口坐标",
    };
    ASSERT_EQ(kKeywords.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kKeywords[i].keyword, expected[i]);
        EXPECT_EQ(KindOfKeyword(expected[i]), kKeywords[i].kind);
        EXPECT_EQ(Keyword(kKeywords[i].kind), expected[i]);
    }
    EXPECT_EQ(Keyword(InstructionKind::None), "");
    EXPECT_EQ(kListWord, "列表");
    EXPECT_EQ(kRandomListWord, "随机列表");
}

// The example lines, built from the program's own defaults and prompts.
TEST(InstructionLineTest, ExampleLinesParse) {
    struct Example {
        std::string line;
        InstructionKind kind;
        Fields fields;
    };
    const std::vector<Example> examples = {
        {"比较位图=1,100,100,0", InstructionKind::BitmapTest, {"1", "100", "100", "0"}},
        {"判断颜色=100,100,835111,0", InstructionKind::ColourTest, {"100", "100", "835111", "0"}},
        {"鼠标点击=100,100,左键单击", InstructionKind::MouseClick, {"100", "100", "左键单击"}},
        {"鼠标拖拉=100,100,200,200", InstructionKind::MouseDrag, {"100", "100", "200", "200"}},
        {"粘贴文字=100,100,测试文字", InstructionKind::PasteText, {"100", "100", "测试文字"}},
        {"粘贴文字=100,100,列表", InstructionKind::PasteText, {"100", "100", "列表"}},
        {"模拟按键={ENTER}", InstructionKind::Key, {"{ENTER}"}},
        {"打开文件=c:\\文档1.docx", InstructionKind::OpenFile, {"c:\\文档1.docx"}},
        {"打开网址=列表", InstructionKind::OpenUrl, {"列表"}},
        {"等待时间=5000", InstructionKind::Wait, {"5000"}},
        {"鼠标滚动=100,100,3", InstructionKind::Scroll, {"100", "100", "3"}},
        {"鼠标滚动=-2", InstructionKind::Scroll, {"-2"}},
        {"比较文字=Kestrun,1", InstructionKind::ClipboardTest, {"Kestrun", "1"}},
        {"文件操作=复制,c:\\文档1.docx,d:\\文档1.docx",
         InstructionKind::FileOperation,
         {"复制", "c:\\文档1.docx", "d:\\文档1.docx"}},
        {"文件操作=删除,c:\\文档1.docx", InstructionKind::FileOperation, {"删除", "c:\\文档1.docx"}},
        {"窗口操作=激活,记事本", InstructionKind::WindowOperation, {"激活", "记事本"}},
        {"屏幕截图=屏幕,80", InstructionKind::Screenshot, {"屏幕", "80"}},
        {"屏幕截图=区域,80,0,0,1200,800", InstructionKind::Screenshot, {"区域", "80", "0", "0", "1200", "800"}},
        {"等待颜色=100,100,835111,10000,0", InstructionKind::WaitColour, {"100", "100", "835111", "10000", "0"}},
        {"等待位图=1,100,100,10000,0", InstructionKind::WaitBitmap, {"1", "100", "100", "10000", "0"}},
        {"等待窗口=记事本,10000,0", InstructionKind::WaitWindow, {"记事本", "10000", "0"}},
        {"查找颜色=0,0,1280,1024,835111,10,0",
         InstructionKind::FindColour,
         {"0", "0", "1280", "1024", "835111", "10", "0"}},
        {"查找位图=1,0,0,1280,1024,10,0", InstructionKind::FindBitmap, {"1", "0", "0", "1280", "1024", "10", "0"}},
        {"窗口坐标=记事本", InstructionKind::WindowOrigin, {"记事本"}},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(example.line);
        InstructionLine line(example.line);
        EXPECT_EQ(line.Kind(), example.kind);
        EXPECT_EQ(KindOfLine(example.line), example.kind);
        EXPECT_EQ(line.Fields(), example.fields);
        // Writing the kind and the fields back gives the line again.
        EXPECT_EQ(WriteLine(example.kind, example.fields), example.line);
    }
}

TEST(InstructionLineTest, LinesThatAreNoInstruction) {
    const std::vector<std::string> lines = {
        "",
        "鼠标点击 =100,100,左键单击",  // a keyword with a trailing space
        " 鼠标点击=100,100,左键单击",
        "鼠标单击=100,100,左键单击",
        "=100,100",
        "'比较位图=1,100,100,0",
        "hello",
    };
    for (const std::string& text : lines) {
        SCOPED_TRACE(text);
        EXPECT_EQ(InstructionLine(text).Kind(), InstructionKind::None);
        EXPECT_EQ(KindOfLine(text), InstructionKind::None);
    }
}

TEST(InstructionLineTest, SplitsAtEqualsAndCommas) {
    struct Case {
        std::string line;
        std::string keyword;
        std::string argumentText;
        Fields fields;
    };
    const std::vector<Case> cases = {
        // The text ends at the next comma.
        {"粘贴文字=100,100,a,b", "粘贴文字", "100,100,a,b", {"100", "100", "a", "b"}},
        // Everything from a second "=" on is lost.
        {"打开网址=http://example.com/?a=1&b=2", "打开网址", "http://example.com/?a", {"http://example.com/?a"}},
        {"窗口操作=激活,a=b", "窗口操作", "激活,a", {"激活", "a"}},
        // So the "=" key cannot be written as a key instruction.
        {"模拟按键==", "模拟按键", "", {}},
        {"模拟按键=^a=", "模拟按键", "^a", {"^a"}},
        // Fields are not trimmed, and empty fields are kept.
        {"比较文字= a ,,", "比较文字", " a ,,", {" a ", "", ""}},
        {"比较文字=,1", "比较文字", ",1", {"", "1"}},
        {"打开文件=notepad.exe,", "打开文件", "notepad.exe,", {"notepad.exe", ""}},
        // An empty argument text has no field at all.
        {"比较文字=", "比较文字", "", {}},
        // Without "=" the line is all keyword and has no argument text.
        {"鼠标点击", "鼠标点击", "", {}},
        // The whole argument text of a key line, commas and all.
        {"模拟按键=a,b", "模拟按键", "a,b", {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        InstructionLine line(c.line);
        EXPECT_EQ(line.KeywordText(), c.keyword);
        EXPECT_EQ(line.ArgumentText(), c.argumentText);
        EXPECT_EQ(line.Fields(), c.fields);
        EXPECT_EQ(line.FieldCount(), c.fields.size());
    }
    EXPECT_EQ(InstructionLine("粘贴文字=100,100,a,b").Field(3), "a");
    EXPECT_EQ(InstructionLine("鼠标点击").Kind(), InstructionKind::MouseClick);
}

TEST(InstructionLineTest, FieldValues) {
    InstructionLine line("比较位图=1,1 2,&H10,2.5,3.5,-2.5,abc,4294967296,40000,");
    EXPECT_EQ(line.Field(0), "");  // fields count from 1
    EXPECT_EQ(line.Field(1), "1");
    EXPECT_EQ(line.Field(11), "");  // missing
    EXPECT_FALSE(line.HasField(11));
    EXPECT_TRUE(line.HasField(10));  // empty, but present

    EXPECT_EQ(line.FieldNumber(2), 12);  // blanks are ignored
    EXPECT_EQ(line.FieldNumber(3), 16);
    EXPECT_EQ(line.FieldNumber(4), 2.5);
    EXPECT_EQ(line.FieldNumber(7), 0);
    EXPECT_EQ(line.FieldNumber(11), 0);

    EXPECT_EQ(line.FieldInt32(4), 2);  // half to even
    EXPECT_EQ(line.FieldInt32(5), 4);
    EXPECT_EQ(line.FieldInt32(6), -2);
    EXPECT_EQ(line.FieldInt32(7), 0);
    EXPECT_EQ(line.FieldInt32(8), std::nullopt);  // does not fit: the caller keeps its value
    EXPECT_EQ(line.FieldInt32(10), 0);
    EXPECT_EQ(line.FieldInt32(11), 0);
    EXPECT_EQ(line.FieldInt16(9), std::nullopt);
    EXPECT_EQ(line.FieldInt16(5), 4);
}

TEST(InstructionLineTest, MismatchJumpMissingOrEmptyIsZero) {
    for (const char* text : {"比较位图=1,100,100,0", "比较位图=1,100,100,", "比较位图=1,100,100"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(InstructionLine(text).FieldInt32(4), 0);
    }
    EXPECT_EQ(InstructionLine("判断颜色=100,100,835111,-3").FieldInt32(4), -3);
}

TEST(InstructionLineTest, ScreenshotAreaWordsAndMissingRegion) {
    InstructionLine line("屏幕截图=全屏,80");
    EXPECT_EQ(line.Kind(), InstructionKind::Screenshot);
    EXPECT_EQ(line.Field(1), "全屏");
    EXPECT_EQ(line.FieldInt32(2), 80);
    for (size_t field = 3; field <= 6; ++field) EXPECT_EQ(line.FieldInt32(field), 0);
}

TEST(CyclePlaceholderTest, OnlyCapitalR) {
    EXPECT_TRUE(HasCyclePlaceholder("R*10"));
    EXPECT_TRUE(HasCyclePlaceholder("100+R"));
    EXPECT_FALSE(HasCyclePlaceholder("r*10"));
    EXPECT_FALSE(HasCyclePlaceholder("100"));
    EXPECT_EQ(SubstituteCycle("R*10+R", 12), "12*10+12");
    EXPECT_EQ(SubstituteCycle("r*10", 12), "r*10");
    EXPECT_EQ(SubstituteCycle("RR", 3), "33");
}

TEST(CyclePlaceholderTest, ClickCoordinates) {
    struct Case {
        std::string field;
        int32_t cycle;
        std::string resolved;
        std::optional<int32_t> coordinate;
    };
    const std::vector<Case> cases = {
        {"R*10", 1, "10", 10},
        {"R*10", 2, "20", 20},
        {"R*10", 3, "30", 30},
        {"100+R*20", 1, "120", 120},
        {"100+R*20", 2, "140", 140},
        {"100+R*10", 1, "110", 110},
        // A field without "R" is never evaluated.
        {"100+10", 1, "100+10", 100},
        {"100", 7, "100", 100},
        {"r*10", 2, "r*10", 0},
        // A fault keeps the substituted text, read by its leading number.
        {"100/(R-1)", 1, "100/(1-1)", 100},
        {"100/(R-1)", 3, "50", 50},
        // The value is written with 15 significant digits, then rounded half to even.
        {"R/3", 1, "0.333333333333333", 0},
        {"R*2.5", 1, "2.5", 2},
        {"R*3.5", 1, "3.5", 4},
        {"R-0.5", 0, "-0.5", 0},
        // A value beyond 32 bits is not stored.
        {"R*1E20", 1, "1E+20", std::nullopt},
        {"R*3000000000", 1, "3000000000", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field + " in cycle " + std::to_string(c.cycle));
        EXPECT_EQ(ResolveClickField(c.field, c.cycle), c.resolved);
        EXPECT_EQ(ClickCoordinate(c.field, c.cycle), c.coordinate);
    }
}

TEST(CyclePlaceholderTest, OnlyClickCoordinatesUseTheCycle) {
    // A drag reads its fields as plain numbers: "R*10" is 0.
    InstructionLine drag("鼠标拖拉=R*10,100,200,200");
    EXPECT_EQ(drag.FieldInt32(1), 0);
    InstructionLine click("鼠标点击=R*10,100,左键单击");
    EXPECT_EQ(ClickCoordinate(click.Field(1), 4), 40);
    EXPECT_EQ(ClickCoordinate(click.Field(2), 4), 100);
    EXPECT_EQ(ClickCoordinate(InstructionLine("鼠标点击=100").Field(2), 4), 0);
}

TEST(WaitDurationTest, CutAtMilliseconds) {
    struct Case {
        std::string argument;
        std::optional<int32_t> duration;
    };
    const std::vector<Case> cases = {
        {"1000毫秒", 1000},
        {"1000", 1000},
        {"1000ms", 1000},
        {"abc", 0},
        {"", 0},
        {"0", 0},
        {"2500毫秒", 2500},
        {"1 000毫秒", 1000},
        {"毫秒1000", 0},
        {"10毫秒20毫秒", 10},
        {"2.5", 2},
        {"-5", -5},
        {"9999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(WaitDuration(c.argument), c.duration);
    }
    EXPECT_EQ(WaitDurationText("1000毫秒"), "1000");
    EXPECT_EQ(WaitDuration(InstructionLine("等待时间=1000毫秒").ArgumentText()), 1000);
}

TEST(ScrollTest, ThreeFieldsMoveThePointerFirst) {
    struct Case {
        std::string line;
        bool moves;
        std::optional<int32_t> x;
        std::optional<int32_t> y;
        std::optional<int16_t> notches;
    };
    const std::vector<Case> cases = {
        {"鼠标滚动=100,100,3", true, 100, 100, 3},
        {"鼠标滚动=5", false, std::nullopt, std::nullopt, 5},
        {"鼠标滚动=1,2,3,4", false, std::nullopt, std::nullopt, 1},
        {"鼠标滚动=100,3", false, std::nullopt, std::nullopt, 100},
        {"鼠标滚动=-2", false, std::nullopt, std::nullopt, -2},
        {"鼠标滚动=300", false, std::nullopt, std::nullopt, 300},
        {"鼠标滚动=", false, std::nullopt, std::nullopt, 0},
        {"鼠标滚动=40000", false, std::nullopt, std::nullopt, std::nullopt},
        {"鼠标滚动=10,20,40000", true, 10, 20, std::nullopt},
        {"鼠标滚动=,,", true, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ScrollReading reading = ReadScroll(InstructionLine(c.line));
        EXPECT_EQ(reading.movesPointer, c.moves);
        EXPECT_EQ(reading.x, c.x);
        EXPECT_EQ(reading.y, c.y);
        EXPECT_EQ(reading.notches, c.notches);
    }
}

TEST(InstructionLineTest, ClickKinds) {
    const std::vector<std::pair<ClickKind, std::string_view>> expected = {
        {ClickKind::LeftClick, "左键单击"},
        {ClickKind::LeftDoubleClick, "左键双击"},
        {ClickKind::RightClick, "右键单击"},
        {ClickKind::MiddleClick, "中键单击"},
    };
    ASSERT_EQ(kClickKinds.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kClickKinds[i].kind, expected[i].first);
        EXPECT_EQ(kClickKinds[i].text, expected[i].second);
        EXPECT_EQ(ClickKindText(expected[i].first), expected[i].second);
        EXPECT_EQ(KindOfClickText(expected[i].second), expected[i].first);
    }
    EXPECT_EQ(ClickKindText(ClickKind::None), "");
    for (std::string_view text : {"", "左键单击 ", " 左键单击", "左键", "右键双击", "中键双击", "left"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(KindOfClickText(text), ClickKind::None);
    }
}

// Whatever the programs write, the reader takes apart into the same kind and
// the same fields.
TEST(WriteLineTest, RoundTripsThroughTheReader) {
    struct Case {
        InstructionKind kind;
        Fields fields;
    };
    const std::vector<Case> cases = {
        {InstructionKind::BitmapTest, {"32767", "", "", "-3"}},
        {InstructionKind::ColourTest, {"100", "100", "835111", "2"}},
        {InstructionKind::MouseClick, {"640", "100+R", "右键单击"}},
        {InstructionKind::MouseClick, {"1", "2", "中键单击"}},
        {InstructionKind::MouseDrag, {"", "10", "200", "200"}},
        {InstructionKind::PasteText, {"100", "100", "你好，世界"}},
        {InstructionKind::PasteText, {"5", "6", "随机列表"}},
        {InstructionKind::Key, {"^a{ENTER}"}},
        {InstructionKind::OpenFile, {"c:\\文档1.docx", "3"}},
        {InstructionKind::OpenUrl, {"列表"}},
        {InstructionKind::Wait, {" 1e3 "}},
        {InstructionKind::Wait, {}},
        {InstructionKind::Scroll, {"100", "100", "-2"}},
        {InstructionKind::ClipboardTest, {"", "1"}},
        {InstructionKind::FileOperation, {"移动", "a.txt", ""}},
        {InstructionKind::WindowOperation, {"取消置顶", "记事本"}},
        {InstructionKind::Screenshot, {"区域", "80", "0", "0", "1200", "800"}},
    };
    for (const Case& c : cases) {
        const std::string written = WriteLine(c.kind, c.fields);
        SCOPED_TRACE(written);
        InstructionLine line(written);
        EXPECT_EQ(line.Kind(), c.kind);
        EXPECT_EQ(line.KeywordText(), Keyword(c.kind));
        EXPECT_EQ(line.Fields(), c.fields);
    }
}

// A typed text passed on with its commas becomes as many fields as it holds.
TEST(WriteLineTest, ATextWithCommasReadsAsSeveralFields) {
    const std::string written = WriteLine(InstructionKind::FileOperation, {"复制", "c:\\a.docx,d:\\a.docx"});
    EXPECT_EQ(written, "文件操作=复制,c:\\a.docx,d:\\a.docx");
    EXPECT_EQ(InstructionLine(written).Fields(), (Fields{"复制", "c:\\a.docx", "d:\\a.docx"}));
}

TEST(WriteLineTest, JoinsFieldsWithoutAddingOrTrimming) {
    EXPECT_EQ(WriteLine(InstructionKind::MouseClick, Fields{"100", "100", "左键单击"}), "鼠标点击=100,100,左键单击");
    EXPECT_EQ(WriteLine(InstructionKind::OpenFile, Fields{"notepad.exe", ""}), "打开文件=notepad.exe,");
    EXPECT_EQ(WriteLine(InstructionKind::ClipboardTest, Fields{" a ", "1"}), "比较文字= a ,1");
    EXPECT_EQ(WriteLine(InstructionKind::Wait, Fields{}), "等待时间=");
    EXPECT_EQ(WriteLine("打开网址", Fields{"列表"}), "打开网址=列表");
    EXPECT_EQ(WriteLine(InstructionKind::MouseDrag, {"", "3", "4"}), "鼠标拖拉=,3,4");
}

}  // namespace
}  // namespace script
