// The tests and system instructions as the interpreter runs them: colour,
// bitmap and clipboard tests with their mismatch jumps, file and window
// operations, screenshots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kestrun/engine/interpreter_fixture.h"

namespace kestrun {
namespace {

class TestInstructionsTest : public InterpreterFixture<> {
protected:
    TestInstructionsTest() {
        desktop_.SetLocalTime({2026, 12, 6, 8, 30, 5, 0});
        random_.fallback = 0.5f;
    }
};

TEST_F(TestInstructionsTest, ColourTestComparesExactlyAndJumps) {
    desktop_.PaintRect(10, 10, 1, 1, 835111);
    struct Case {
        std::string line;
        int32_t pointer;
    };
    const Case cases[] = {
        {"判断颜色=10,10,835111,2", 6},   {"判断颜色=10,10,835112,2", 3}, {"判断颜色=10,10,835112,-2", 7},
        {"判断颜色=10,10,835112,0", 5},   {"判断颜色=10,10,835112", 5},   {"判断颜色=10,10,&HCBE27,2", 6},
        {"判断颜色=10,10, 835111 ,2", 6}, {"判断颜色=10,10,abc,2", 6},    {"判断颜色=10,10,12abc,2", 6},
        {"判断颜色=10,10,,2", 6},         {"判断颜色=-5,10,835111,1", 4}, {"判断颜色=-5,10,-1,1", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run(c.line), c.pointer);
    }
}

TEST_F(TestInstructionsTest, ColourTestShowsFoundAndExpectedColours) {
    desktop_.PaintRect(10, 10, 1, 1, 255);
    Run("判断颜色=10,10,65280,0");
    EXPECT_EQ(model_.LabelColor(0).caption, "255");
    EXPECT_EQ(model_.LabelColor(0).backColour, 255);
    EXPECT_EQ(model_.LabelColor(1).caption, "65280");
    EXPECT_EQ(model_.LabelColor(1).backColour, 65280);
    Run("判断颜色=10,10,abc,0");
    EXPECT_EQ(model_.LabelColor(1).caption, "abc");
    EXPECT_EQ(model_.LabelColor(1).backColour, 65280) << "a text that is no number keeps the last colour";
}

TEST_F(TestInstructionsTest, BitmapTestCopiesTheBlockAndComparesWithTheReference) {
    desktop_.PaintRect(100, 100, 40, 40, 0x112233);
    EXPECT_EQ(Run("比较位图=1,100,100,2"), 3) << "no bitmap 1 loaded: the test fails";
    BitmapEntry entry;
    entry.reference = platform::Image(40, 40, 0x112233);
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[1] = entry; });
    EXPECT_EQ(Run("比较位图=1,100,100,2"), 6);
    EXPECT_EQ(model_.Bitmaps().at(1).live, platform::Image(40, 40, 0x112233));
    desktop_.PaintRect(100, 100, 40, 40, 0x445566);
    EXPECT_EQ(Run("比较位图=1,100,100,-2"), 7);
    EXPECT_EQ(Run("比较位图=1,100,100,0"), 5);
}

TEST_F(TestInstructionsTest, ClipboardTest) {
    desktop_.Clipboard().reset();
    EXPECT_EQ(Run("比较文字=你好,1"), 5) << "an empty clipboard holds the run";
    desktop_.Clipboard() = "你好";
    EXPECT_EQ(Run("比较文字=你好,1"), 6);
    desktop_.Clipboard() = "你好吗";
    EXPECT_EQ(Run("比较文字=你好,1"), 4);
    EXPECT_EQ(Run("比较文字=你好"), 5) << "no jump field: stay";
    EXPECT_EQ(Run("比较文字=你好,1.5"), 4) << "5 - 1.5 = 3.5, rounded to even";
    EXPECT_EQ(Run("比较文字=你好,2.5"), 2) << "5 - 2.5 = 2.5, rounded to even";
    EXPECT_EQ(Run("比较文字="), 6) << "no field 1 at all: any text advances";
    EXPECT_EQ(Run("比较文字=,1"), 4) << "an empty field 1 never matches";
}

TEST_F(TestInstructionsTest, FileOperations) {
    files_.CreateFolder("C:\\tmp");
    files_.CreateFolder("D:\\x");
    files_.WriteFileAtomic("C:\\tmp\\a.log", "a");
    files_.WriteFileAtomic("C:\\tmp\\b.log", "b");
    files_.WriteFileAtomic("C:\\tmp\\c.txt", "c");

    EXPECT_EQ(Run("文件操作=复制,C:\\tmp\\*.log,D:\\x\\y.log"), 6);
    EXPECT_FALSE(files_.FileExists("D:\\x\\y.log")) << "a copy takes one file, not a pattern";
    Run("文件操作=复制,C:\\tmp\\c.txt,D:\\x\\c.txt");
    EXPECT_EQ(files_.ReadFile("D:\\x\\c.txt"), "c");
    files_.WriteFileAtomic("C:\\tmp\\c.txt", "new");
    Run("文件操作=复制,C:\\tmp\\c.txt,D:\\x\\c.txt");
    EXPECT_EQ(files_.ReadFile("D:\\x\\c.txt"), "new") << "a copy replaces";
    Run("文件操作=移动,C:\\tmp\\c.txt,D:\\x\\c.txt");
    EXPECT_TRUE(files_.FileExists("C:\\tmp\\c.txt")) << "a move fails when the target exists";
    Run("文件操作=移动,C:\\tmp\\c.txt,D:\\x\\moved.txt");
    EXPECT_FALSE(files_.FileExists("C:\\tmp\\c.txt"));
    EXPECT_TRUE(files_.FileExists("D:\\x\\moved.txt"));
    EXPECT_EQ(Run("文件操作=删除,C:\\tmp\\*.log"), 6);
    EXPECT_FALSE(files_.FileExists("C:\\tmp\\a.log"));
    EXPECT_FALSE(files_.FileExists("C:\\tmp\\b.log"));
    EXPECT_EQ(Run("文件操作=删除,C:\\tmp\\missing.txt"), 6);
    EXPECT_EQ(Run("文件操作=删除,"), 6);
    EXPECT_EQ(Run("文件操作=改名,D:\\x\\moved.txt,D:\\x\\z.txt"), 6);
    EXPECT_TRUE(files_.FileExists("D:\\x\\moved.txt"));
}

TEST_F(TestInstructionsTest, WindowOperationLogsAMissingWindow) {
    EXPECT_EQ(Run("窗口操作=激活,记事本"), 6);
    EXPECT_NE(RunLogText().find("\t【错误】找不到窗口: 记事本\r\n"), std::string::npos);
    EXPECT_EQ(RunLogText().substr(0, 2), "20") << "no empty line before the entry";
}

TEST_F(TestInstructionsTest, ScreenshotNamesQualityAndRegions) {
    EXPECT_EQ(Run("屏幕截图=屏幕,80"), 6);
    std::string screen = "C:\\Kestrun\\screenshot\\屏幕截图20261206083005.jpg";
    ASSERT_TRUE(files_.FileExists(screen));
    std::string at80 = *files_.ReadFile(screen);
    EXPECT_EQ(at80.substr(0, 2), "\xFF\xD8");

    Run("屏幕截图=屏幕,150");
    EXPECT_EQ(*files_.ReadFile(screen), at80) << "a quality above 100 saves at 80, replacing the same-second shot";
    desktop_.PaintRect(0, 0, 1280, 1024, 0);
    for (int i = 0; i < 1280; i += 7) desktop_.PaintRect(i, 0, 3, 1024, 0xFFFFFF);
    Run("屏幕截图=屏幕,80");
    std::string stripes80 = *files_.ReadFile(screen);
    Run("屏幕截图=屏幕");
    EXPECT_LT(files_.ReadFile(screen)->size(), stripes80.size()) << "a missing quality is 0, the lowest";

    Run("屏幕截图=区域,80,10,20,30,40");
    EXPECT_TRUE(files_.FileExists("C:\\Kestrun\\screenshot\\区域截图20261206083005.jpg"));
    EXPECT_EQ(Run("屏幕截图=全屏,80"), 6) << "a 0 x 0 region is skipped and the run goes on";

    platform::WindowHandle window = desktop_.AddWindow({.title = "记事本", .rect = {10, 10, 110, 60}});
    desktop_.MakeForeground(window);
    Run("屏幕截图=窗口,80");
    EXPECT_TRUE(files_.FileExists("C:\\Kestrun\\screenshot\\窗口截图20261206083005.jpg"));
}

}  // namespace
}  // namespace kestrun
