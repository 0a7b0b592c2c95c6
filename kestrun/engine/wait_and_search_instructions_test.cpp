// The waits, the searches, the found point X and Y and the window origin, as
// the interpreter runs them on the fake desktop.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kestrun/engine/interpreter_fixture.h"

namespace kestrun {
namespace {

using Log = std::vector<std::string>;

// Records every screen copy, so a test sees which block a line read.
class CopyRecordingDesktop : public fake::FakeDesktop {
public:
    std::optional<platform::Image> CopyScreen(int x, int y, int width, int height) override {
        copies.push_back(std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" +
                         std::to_string(height));
        return FakeDesktop::CopyScreen(x, y, width, height);
    }
    std::vector<std::string> copies;
};

class WaitAndSearchTest : public InterpreterFixture<CopyRecordingDesktop> {
protected:
    WaitAndSearchTest() {
        model_.SetCycleCounter(2);
        random_.fallback = 0.5f;
    }

    // Runs one line as the fixture does, and starts the copies and the elapsed time afresh.
    int32_t Run(const std::string& line, int32_t pointer = 5) {
        desktop_.copies.clear();
        start_ = desktop_.TimeGetTime();
        return InterpreterFixture::Run(line, pointer);
    }
    uint32_t Elapsed() { return desktop_.TimeGetTime() - start_; }
    // Runs each line and compares what it sent as input, or which blocks of
    // the screen it read.
    struct LineAndLog {
        const char* line;
        Log log;
    };
    void ExpectInput(const std::vector<LineAndLog>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.line);
            Run(c.line);
            EXPECT_EQ(Input(), c.log);
        }
    }
    void ExpectCopies(const std::vector<LineAndLog>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.line);
            Run(c.line);
            EXPECT_EQ(desktop_.copies, c.log);
        }
    }
    void AddBitmap(int n, const platform::Image& reference) {
        model_.EditBitmaps([&](auto& bitmaps) { bitmaps[n].reference = reference; });
    }
    // At elapsed ms from now, as a world event.
    void Later(uint64_t ms, std::function<void()> action) {
        desktop_.At(desktop_.Clock().Elapsed() + ms, std::move(action));
    }

    uint32_t start_ = 0;
};

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kBlue = 0xFF0000;

TEST_F(WaitAndSearchTest, WaitsCheckEveryFiftyMillisecondsUntilTheConditionOrTheTimeout) {
    AddBitmap(1, platform::Image(40, 40, kBlue));
    struct Case {
        std::string line;
        std::function<void()> later;  // happens 120 ms into the line
        int32_t pointer;
        uint32_t elapsed;  // a check every 50 ms, each pump taking 1 ms of the fake clock
    };
    const Case cases[] = {
        {"等待颜色=10,10,255,1000,2", [&] { desktop_.Screen().Set(10, 10, kRed); }, 6, 153},
        {"等待颜色=10,10,255,1000,2", [] {}, 3, 1001},
        {"等待颜色=10,10,255,1000,0", [] {}, 5, 1001},
        {"等待颜色=10,10,255,,2", [&] { desktop_.Screen().Set(10, 10, kRed); }, 3, 0},
        {"等待颜色=10,10,255,abc,2", [&] { desktop_.Screen().Set(10, 10, kRed); }, 3, 0},
        {"等待颜色=10,10,255,-5,-2", [&] { desktop_.Screen().Set(10, 10, kRed); }, 7, 0},
        {"等待颜色=10,10,红色,1000,2", [] {}, 6, 0},
        {"等待位图=1,100,100,1000,2", [&] { desktop_.PaintRect(100, 100, 40, 40, kBlue); }, 6, 153},
        {"等待位图=2,100,100,100,2", [&] { desktop_.PaintRect(100, 100, 40, 40, kBlue); }, 3, 101},
        {"等待窗口=记事本,1000,2", [&] { desktop_.AddWindow({.title = "无标题 - 记事本"}); }, 6, 153},
        {"等待窗口=NOTEPAD,1000,2", [&] { desktop_.AddWindow({.title = "Untitled - Notepad"}); }, 6, 153},
        {"等待窗口=记事本,200,2", [&] { desktop_.AddWindow({.title = "记事本", .visible = false}); }, 3, 201},
        {"等待窗口=,200,2", [&] { desktop_.AddWindow({.title = "记事本"}); }, 3, 201},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        desktop_.PaintRect(0, 0, 1280, 1024, 0xFFFFFF);
        for (const platform::WindowInfo& window : desktop_.TopLevelWindows())
            desktop_.Window(window.handle)->closed = true;
        Later(120, c.later);
        EXPECT_EQ(Run(c.line), c.pointer);
        EXPECT_EQ(Elapsed(), c.elapsed);
    }
    Run("等待颜色=10,10,0,120,0");
    EXPECT_EQ(desktop_.Log(),
              (Log{"Sleep 50", "PumpMessages", "Sleep 50", "PumpMessages", "Sleep 18", "PumpMessages"}));
}

TEST_F(WaitAndSearchTest, WaitColourToleranceAndLabels) {
    desktop_.Screen().Set(10, 10, 0x050403);
    const struct {
        const char* line;
        int32_t pointer;
    } cases[] = {
        {"等待颜色=10,10,0,0,1", 4},
        {"等待颜色=10,10,0,0,1,4", 4},
        {"等待颜色=10,10,0,0,1,5", 6},
        {"等待颜色=10,10,0,0,1,-1", 4},
        // As the colour test compares: a fraction or a number beyond 32 bits
        // equals no pixel; a point off the screen is alike no colour.
        {"等待颜色=10,10,328707.4,0,1", 4},
        {"等待颜色=10,10,1e10,0,1", 4},
        {"等待颜色=-5,-5,16777215,0,1,1", 4},
        {"等待颜色=10,10,328707,0,1", 6},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c.line), c.pointer) << c.line;
    EXPECT_EQ(model_.LabelColor(0).caption, "328707");
    EXPECT_EQ(model_.LabelColor(1).caption, "328707");
}

TEST_F(WaitAndSearchTest, StopEndsAWaitAtTheNextCheckAndLeavesThePointer) {
    model_.SetRunning(true);
    desktop_.PostAt(desktop_.Clock().Elapsed() + 120, [&] { model_.SetRunning(false); });
    EXPECT_EQ(Run("等待窗口=记事本,60000,2"), 5);
    EXPECT_LE(Elapsed(), 160u);
}

TEST_F(WaitAndSearchTest, RowClickDuringAWaitMovesThePointerItJumpsOrAdvancesFrom) {
    desktop_.PostAt(desktop_.Clock().Elapsed() + 120, [&] { model_.SetInstructionPointer(9); });
    Later(220, [&] { desktop_.Screen().Set(10, 10, kRed); });
    EXPECT_EQ(Run("等待颜色=10,10,255,1000,2"), 10);
    desktop_.PostAt(desktop_.Clock().Elapsed() + 120, [&] { model_.SetInstructionPointer(9); });
    EXPECT_EQ(Run("等待颜色=10,10,0,300,2"), 7);
}

TEST_F(WaitAndSearchTest, ColourSearchFindsTheFirstPixelRowByRowInTheClippedRectangle) {
    desktop_.Screen().Set(300, 200, 0x101010);
    desktop_.Screen().Set(100, 201, 0x101010);
    desktop_.Screen().Set(50, 200, 0x141010);
    desktop_.Screen().Set(1279, 1023, 0x101010);
    const struct {
        const char* line;
        int32_t pointer;
        platform::Point found;  // unchanged (5, 6) when nothing is found
    } cases[] = {
        {"查找颜色=0,0,1280,1024,1052688,0,2", 6, {300, 200}},
        {"查找颜色=0,0,1280,1024,1052688,4,2", 6, {50, 200}},
        {"查找颜色=0,0,1280,1024,1052688,3,2", 6, {300, 200}},
        {"查找颜色=1280,1024,0,0,1052688,0,2", 6, {300, 200}},          // corners in either order
        {"查找颜色=0,0,300,1024,1052688,0,2", 6, {100, 201}},           // the right edge is excluded
        {"查找颜色=0,0,1280,200,1052688,0,2", 3, {5, 6}},               // and the bottom one
        {"查找颜色=1000,1000,5000,5000,1052688,0,2", 6, {1279, 1023}},  // clipped to the screen
        {"查找颜色=-50,-50,-1,-1,1052688,0,2", 3, {5, 6}},
        {"查找颜色=0,0,1280,1024,abc,0,2", 3, {5, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        model_.SetFoundPoint({5, 6});
        EXPECT_EQ(Run(c.line), c.pointer);
        EXPECT_EQ(model_.FoundPoint(), c.found);
        EXPECT_LE(desktop_.copies.size(), 1u) << "the screen is read once";
    }
    Run("查找颜色=0,0,1280,1024,1052688,4,2");
    EXPECT_EQ(model_.LabelColor(0).caption, "1314832");
    EXPECT_EQ(desktop_.copies, (Log{"0,0 1280x1024"}));
}

TEST_F(WaitAndSearchTest, BitmapSearchFindsTheWholeBlockAndSetsItsCentre) {
    platform::Image picture(40, 40, 0x303030);
    picture.Set(5, 5, 0x90A0B0);
    AddBitmap(1, picture);
    desktop_.PaintRect(400, 300, 40, 40, 0x303030);
    desktop_.Screen().Set(405, 305, 0x90A0B8);
    const struct {
        const char* line;
        int32_t pointer;
        platform::Point found;
    } cases[] = {
        {"查找位图=1,0,0,1280,1024,8,2", 6, {420, 320}},
        {"查找位图=1,0,0,1280,1024,7,2", 3, {5, 6}},
        {"查找位图=1,440,340,0,0,8,2", 6, {420, 320}},
        {"查找位图=1,0,0,439,1024,8,2", 3, {5, 6}},   // the block must lie wholly inside
        {"查找位图=2,0,0,1280,1024,8,2", 3, {5, 6}},  // no such bitmap
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        model_.SetFoundPoint({5, 6});
        EXPECT_EQ(Run(c.line), c.pointer);
        EXPECT_EQ(model_.FoundPoint(), c.found);
    }
    Run("查找位图=1,0,0,1280,1024,8,2");
    EXPECT_EQ(model_.Bitmaps().at(1).live.At(5, 5), 0x90A0B8) << "the block found is the live bitmap";
    EXPECT_EQ(desktop_.copies, (Log{"0,0 1280x1024"}));
}

TEST_F(WaitAndSearchTest, XAndYStandForTheFoundPointInEveryCoordinateField) {
    model_.SetFoundPoint({57, 30});
    ExpectInput({
        {"鼠标点击=X,Y+30,左键单击", {"SetCursorPos 57,60", "mouse_event 0x2 0", "mouse_event 0x4 0"}},
        {"鼠标点击=X+R,Y*R,中键单击", {"SetCursorPos 59,60"}},
        {"鼠标点击=X/0,Y)(,中键单击", {"SetCursorPos 57,30"}},    // a fault keeps the substituted text
        {"鼠标点击=x+5,100+5,中键单击", {"SetCursorPos 0,100"}},  // small letters and plain sums as before
        {"粘贴文字=X-7,Y,a",
         {"SetClipboardText a", "SetCursorPos 50,30", "mouse_event 0x2 0", "mouse_event 0x4 0", "keybd_event 17 down",
          "keybd_event 86 down", "keybd_event 86 up", "keybd_event 17 up"}},
        {"鼠标滚动=X,Y-10,1", {"SetCursorPos 57,20", "mouse_event 0x800 120"}},
    });
    Run("鼠标拖拉=X,Y,X+2,Y+100");
    EXPECT_EQ(Input().front(), "SetCursorPos 57,30");
    EXPECT_EQ(Input().end()[-2], "SetCursorPos 59,130");

    AddBitmap(1, platform::Image(40, 40, kRed));
    ExpectCopies({
        {"比较位图=1,X,Y,0", {"57,30 40x40"}},
        {"等待位图=1,X+1,Y,0,0", {"58,30 40x40"}},
        {"查找位图=1,X,Y,X+50,Y*2,0,0", {"57,30 50x30"}},
    });

    desktop_.Screen().Set(58, 31, kRed);
    EXPECT_EQ(Run("判断颜色=X+1,Y+1,255,2"), 6);
    EXPECT_EQ(Run("等待颜色=X+1,Y+1,255,0,2"), 6);
    EXPECT_EQ(Run("查找颜色=X,Y,X+2,Y+2,255,0,2"), 6);
    EXPECT_EQ(model_.FoundPoint(), (platform::Point{58, 31}));
    Run("屏幕截图=区域,80,X,Y,X,Y");
    EXPECT_EQ(desktop_.copies, (Log{"58,31 58x31"}));
}

TEST_F(WaitAndSearchTest, WindowOriginMovesEveryPointALineNames) {
    platform::WindowHandle notepad = desktop_.AddWindow({.title = "记事本", .rect = {100, 50, 600, 450}});
    EXPECT_EQ(Run("窗口坐标=记事本"), 6);
    EXPECT_EQ(model_.Origin(), (platform::Point{108, 81}));
    EXPECT_EQ(Input(), Log{});

    ExpectInput({
        {"鼠标点击=10,R,中键单击", {"SetCursorPos 118,83"}},
        {"粘贴文字=10,20,a",
         {"SetClipboardText a", "SetCursorPos 118,101", "mouse_event 0x2 0", "mouse_event 0x4 0", "keybd_event 17 down",
          "keybd_event 86 down", "keybd_event 86 up", "keybd_event 17 up"}},
        {"鼠标滚动=10,20,1", {"SetCursorPos 118,101", "mouse_event 0x800 120"}},
    });
    Run("鼠标拖拉=0,0,10,10");
    EXPECT_EQ(Input().front(), "SetCursorPos 108,81");
    EXPECT_EQ(Input().end()[-2], "SetCursorPos 118,91");

    AddBitmap(1, platform::Image(40, 40, kRed));
    ExpectCopies({
        {"比较位图=1,2,3,0", {"110,84 40x40"}},
        {"等待位图=1,2,3,0,0", {"110,84 40x40"}},
        {"查找颜色=0,0,10,20,255,0,0", {"108,81 10x20"}},
        {"查找位图=1,20,10,0,0,0,0", {"108,81 20x10"}},
        {"屏幕截图=区域,80,2,3,30,40", {"110,84 30x40"}},
    });

    desktop_.Screen().Set(111, 85, kRed);
    EXPECT_EQ(Run("判断颜色=3,4,255,2"), 6);
    EXPECT_EQ(Run("等待颜色=3,4,255,0,2"), 6);
    EXPECT_EQ(Run("查找颜色=0,0,50,50,255,0,2"), 6);
    EXPECT_EQ(model_.FoundPoint(), (platform::Point{3, 4})) << "the found point is relative to the origin";

    desktop_.Window(notepad)->rect = {300, 60, 800, 460};
    Run("窗口坐标=记事本");
    EXPECT_EQ(model_.Origin(), (platform::Point{308, 91})) << "running the line again follows the window";
    EXPECT_EQ(Run("窗口坐标=不存在的窗口"), 6);
    EXPECT_EQ(model_.Origin(), (platform::Point{308, 91}));
    EXPECT_NE(RunLogText().find("\t【错误】找不到窗口: 不存在的窗口\r\n"), std::string::npos);
    for (const char* line : {"窗口坐标=屏幕", "窗口坐标="}) {
        model_.SetOrigin({1, 2});
        EXPECT_EQ(Run(line), 6);
        EXPECT_EQ(model_.Origin(), (platform::Point{0, 0})) << line;
    }
}

}  // namespace
}  // namespace kestrun
