#include "kestrun/editor/capture_tools.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/key_codes.h"
#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"

namespace kestrun {
namespace {

using fake::DialogKind;
using fake::ShownDialog;

constexpr int kF8 = platform::vk::kF8;
constexpr int kKeyA = 'A';
constexpr int kCtrl = platform::vk::kControl;

class CaptureToolsTest : public testing::Test {
protected:
    CaptureToolsTest() { model_.SetProgramFolder("C:\\Kestrun\\"); }

    // The user holds F8 from elapsedMs for holdMs.
    void HoldF8At(uint64_t elapsedMs, uint64_t holdMs = 150) { desktop_.TapKeyAt(elapsedMs, kF8, holdMs); }
    bool PickRunning() const { return timers_.IsTimerOn(kTimer2) && model_.Timer2Enabled(); }
    bool PickIdle() const { return !timers_.IsTimerOn(kTimer2) && !model_.Timer2Enabled(); }
    std::pair<std::string, std::string> Box(int i) const { return {model_.TxtScreenX(i), model_.TxtScreenY(i)}; }

    fake::FakeDesktop desktop_;  // its clock outlives the timers
    fake::FakeTimers timers_{desktop_.Clock()};
    fake::FakeDialogs dialogs_;
    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_ = text::MakeSystemCodec();
    MainModel model_;
    ListManager lists_{model_, files_, dialogs_, desktop_, *codec_};
    CaptureTools tools_{model_, desktop_, dialogs_, timers_, lists_};
};

using Boxes = std::pair<std::string, std::string>;

// --- Pick buttons ---

TEST_F(CaptureToolsTest, PickButtonsZeroToFiveStartTheCaptureTimer) {
    for (int i = 0; i <= 5; ++i) {
        SCOPED_TRACE(i);
        tools_.CmdGetXY(i);
        EXPECT_EQ(model_.PickMode(), i);
        EXPECT_TRUE(PickRunning());
        EXPECT_EQ(timers_.Interval(kTimer2), 100u);
    }
    EXPECT_TRUE(dialogs_.Shown().empty());
}

TEST_F(CaptureToolsTest, AnotherPickButtonDuringAPickOnlyChangesTheMode) {
    tools_.CmdGetXY(2);
    desktop_.Clock().RunFor(30);
    tools_.CmdGetXY(1);
    EXPECT_EQ(model_.PickMode(), 1);
    // The ticks keep the phase of the first button: the next is at 100 ms.
    desktop_.MoveCursor(10, 20);
    desktop_.Clock().RunFor(69);
    EXPECT_EQ(timers_.TickCount(kTimer2), 0);
    desktop_.Clock().RunFor(1);
    EXPECT_EQ(timers_.TickCount(kTimer2), 1);
    EXPECT_EQ(Box(1), Boxes("10", "20"));
    EXPECT_EQ(Box(2), Boxes("100", "100"));
}

TEST_F(CaptureToolsTest, UnknownPickButtonsDoNothing) {
    for (int i : {-1, 8, 300}) tools_.CmdGetXY(i);
    EXPECT_EQ(model_.PickMode(), 0);
    EXPECT_TRUE(PickIdle());
    EXPECT_TRUE(dialogs_.Shown().empty());
}

// --- Live updates ---

TEST_F(CaptureToolsTest, ModesOneTwoAndFourFollowThePointerLive) {
    desktop_.Screen().Set(300, 200, 0x0000FF);
    desktop_.Screen().Set(310, 210, 0x00FF00);
    const struct {
        int mode;
        int box;
    } cases[] = {{1, 1}, {2, 2}, {4, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        tools_.CmdGetXY(c.mode);
        desktop_.MoveCursor(300, 200);
        desktop_.Clock().RunFor(100);
        EXPECT_EQ(Box(c.box), Boxes("300", "200"));
        desktop_.MoveCursor(310, 210);
        desktop_.Clock().RunFor(100);
        EXPECT_EQ(Box(c.box), Boxes("310", "210"));
        EXPECT_TRUE(PickRunning());
    }
    // Only the colour row shows the colour, as text and as background.
    EXPECT_EQ(model_.TxtColor(), "65280");
    EXPECT_EQ(model_.TxtColorBackColour(), 0x00FF00);
}

TEST_F(CaptureToolsTest, ModesZeroAndThreeShowNothingLive) {
    for (int mode : {0, 3}) {
        SCOPED_TRACE(mode);
        tools_.CmdGetXY(mode);
        desktop_.MoveCursor(300, 200);
        desktop_.Clock().RunFor(500);
        EXPECT_TRUE(PickRunning());
    }
    MainModel fresh;
    for (int i = 0; i < kScreenBoxCount; ++i) EXPECT_EQ(Box(i), Boxes(fresh.TxtScreenX(i), fresh.TxtScreenY(i)));
    EXPECT_EQ(model_.CaptureBox(), fresh.CaptureBox());
}

TEST_F(CaptureToolsTest, UnreadableColourIsWrittenAsReportedAndKeepsTheBackground) {
    // The platform reports -1 for a pixel it cannot read.
    desktop_.Screen().Set(5, 6, -1);
    model_.SetTxtColorBackColour(0x123456);
    tools_.CmdGetXY(1);
    desktop_.MoveCursor(5, 6);
    desktop_.Clock().RunFor(100);
    EXPECT_EQ(model_.TxtColor(), "-1");
    EXPECT_EQ(model_.TxtColorBackColour(), 0x123456);
    EXPECT_EQ(Box(1), Boxes("5", "6"));
}

// --- F8 ---

TEST_F(CaptureToolsTest, FEightTakesOnePickAndEndsIt) {
    const struct {
        int mode;
        int box;
    } cases[] = {{1, 1}, {2, 2}, {4, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const uint64_t start = desktop_.Clock().Elapsed();
        tools_.CmdGetXY(c.mode);
        desktop_.MoveCursor(40, 50);
        HoldF8At(start + 250);
        desktop_.Clock().RunFor(300);
        EXPECT_EQ(Box(c.box), Boxes("40", "50"));
        EXPECT_TRUE(PickIdle());
        // After the pick the pointer moves on, and nothing follows it.
        desktop_.MoveCursor(60, 70);
        desktop_.Clock().RunFor(500);
        EXPECT_EQ(Box(c.box), Boxes("40", "50"));
    }
}

TEST_F(CaptureToolsTest, FEightCountsOnlyWhileHeldAtATick) {
    tools_.CmdGetXY(2);
    // Down at 110 and up at 160: between two ticks, so never seen held.
    HoldF8At(110, 50);
    desktop_.Clock().RunFor(450);
    EXPECT_TRUE(PickRunning());
    EXPECT_EQ(timers_.TickCount(kTimer2), 4);
}

TEST_F(CaptureToolsTest, BitmapPickCopiesTheBlockAtThePointerIntoTheCaptureBox) {
    desktop_.PaintRect(0, 0, 1280, 1024, 0x101010);
    desktop_.PaintRect(500, 400, 40, 40, 0x0000FF);
    desktop_.Screen().Set(539, 439, 0x00FF00);
    tools_.CmdGetXY(0);
    desktop_.MoveCursor(500, 400);
    HoldF8At(150);
    desktop_.Clock().RunFor(200);

    EXPECT_EQ(Box(0), Boxes("500", "400"));
    platform::Image expected(40, 40, 0x0000FF);
    expected.Set(39, 39, 0x00FF00);
    EXPECT_EQ(model_.CaptureBox(), expected);
    EXPECT_TRUE(PickIdle());
}

TEST_F(CaptureToolsTest, BitmapPickAtTheScreenEdgeReadsBlackBeyondIt) {
    tools_.CmdGetXY(0);
    desktop_.MoveCursor(1279, 1023);
    HoldF8At(50);
    desktop_.Clock().RunFor(100);
    EXPECT_EQ(Box(0), Boxes("1279", "1023"));
    EXPECT_EQ(model_.CaptureBox().At(0, 0), 0xFFFFFF);
    EXPECT_EQ(model_.CaptureBox().At(1, 0), 0);
    EXPECT_EQ(model_.CaptureBox().At(39, 39), 0);
}

TEST_F(CaptureToolsTest, BitmapPickThatCannotCopyLeavesTheBoxCleared) {
    model_.SetCaptureBox(platform::Image(40, 40, 0x0000FF));
    desktop_.SetCopyScreenFails(true);
    tools_.CmdGetXY(0);
    desktop_.MoveCursor(7, 8);
    HoldF8At(50);
    desktop_.Clock().RunFor(100);
    EXPECT_EQ(Box(0), Boxes("7", "8"));
    EXPECT_EQ(model_.CaptureBox(), platform::Image(40, 40));
    EXPECT_TRUE(PickIdle());
}

TEST_F(CaptureToolsTest, DragPicksFillTheStartOnceThenTheEnd) {
    const struct {
        int x, y;
        Boxes start, end;
    } picks[] = {
        {10, 20, {"10", "20"}, {"200", "200"}},
        {30, 40, {"10", "20"}, {"30", "40"}},
        {50, 60, {"10", "20"}, {"50", "60"}},
    };
    for (const auto& p : picks) {
        SCOPED_TRACE(p.x);
        const uint64_t start = desktop_.Clock().Elapsed();
        tools_.CmdGetXY(3);
        desktop_.MoveCursor(p.x, p.y);
        HoldF8At(start + 150);
        desktop_.Clock().RunFor(300);
        EXPECT_EQ(Box(3), p.start);
        EXPECT_EQ(Box(4), p.end);
        EXPECT_TRUE(PickIdle());
    }
    // Emptying the start's x makes the next pick the start again.
    model_.SetTxtScreenX(3, "");
    const uint64_t start = desktop_.Clock().Elapsed();
    tools_.CmdGetXY(3);
    desktop_.MoveCursor(70, 80);
    HoldF8At(start + 150);
    desktop_.Clock().RunFor(300);
    EXPECT_EQ(Box(3), Boxes("70", "80"));
    EXPECT_EQ(Box(4), Boxes("50", "60"));
}

TEST_F(CaptureToolsTest, ThePickIsTakenWhereThePointerIsWhenFEightIsSeen) {
    tools_.CmdGetXY(3);
    model_.SetTxtScreenX(3, "");
    desktop_.MoveCursor(10, 10);
    HoldF8At(150);
    desktop_.Clock().RunFor(200);
    EXPECT_EQ(Box(3), Boxes("10", "10"));
}

// --- The key row ---

TEST_F(CaptureToolsTest, KeyPickTakesTheFirstKeyRead) {
    tools_.CmdGetXY(5);
    desktop_.Clock().RunFor(300);
    EXPECT_TRUE(PickRunning());
    EXPECT_EQ(model_.TxtKeyName(), "");

    desktop_.PressKeyAt(310, kCtrl);
    desktop_.TapKeyAt(350, kKeyA, 100);
    desktop_.Clock().RunFor(200);
    EXPECT_EQ(model_.TxtKeyName(), "^A");
    EXPECT_TRUE(PickIdle());
}

TEST_F(CaptureToolsTest, KeyPickIgnoresThePointerAndTakesFEightAsAKey) {
    tools_.CmdGetXY(5);
    desktop_.MoveCursor(1, 2);
    HoldF8At(50);
    desktop_.Clock().RunFor(100);
    EXPECT_EQ(model_.TxtKeyName(), "{F8}");
    EXPECT_EQ(Box(2), Boxes("100", "100"));
    EXPECT_TRUE(PickIdle());
}

// --- File chooser (6 and 7) ---

ShownDialog Chooser() {
    ShownDialog dialog;
    dialog.kind = DialogKind::kFileChooser;
    dialog.title = "请选择文件";
    dialog.initialFolder = "C:\\Kestrun";
    dialog.filter = "文本文件 (*.txt;*.csv)|*.txt;*.csv";
    return dialog;
}

TEST_F(CaptureToolsTest, OpenFileButtonPutsTheChosenPathIntoTheFileBox) {
    dialogs_.AnswerFileChooser("C:\\Kestrun\\a b.txt");
    tools_.CmdGetXY(6);
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Chooser()});
    EXPECT_EQ(model_.TxtFilename(), "C:\\Kestrun\\a b.txt");
    EXPECT_EQ(model_.PickMode(), 6);
    EXPECT_TRUE(PickIdle());

    tools_.CmdGetXY(6);  // cancelled
    EXPECT_EQ(model_.TxtFilename(), "C:\\Kestrun\\a b.txt");
}

TEST_F(CaptureToolsTest, UrlButtonLoadsTheChosenUrlList) {
    files_.AddFile("C:\\lists\\urls.txt", "a.com\r\nb.com\r\n");
    dialogs_.AnswerFileChooser("C:\\lists\\urls.txt");
    tools_.CmdGetXY(7);
    EXPECT_EQ(dialogs_.Shown(), std::vector<ShownDialog>{Chooser()});
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"a.com", "b.com"}));
    EXPECT_EQ(model_.CmbUrlText(), "列表");
    EXPECT_EQ(model_.UrlListPath(), "C:\\lists\\urls.txt");

    tools_.CmdGetXY(7);  // cancelled
    EXPECT_EQ(model_.UrlEntries().size(), 2u);
    EXPECT_TRUE(model_.TxtFilename().empty());
}

TEST_F(CaptureToolsTest, FileButtonDuringAPickLeavesTheTimerWithoutLiveUpdates) {
    tools_.CmdGetXY(2);
    tools_.CmdGetXY(6);  // cancelled
    EXPECT_TRUE(PickRunning());
    desktop_.MoveCursor(33, 44);
    desktop_.Clock().RunFor(300);
    EXPECT_EQ(Box(2), Boxes("100", "100"));
    HoldF8At(350);
    desktop_.Clock().RunFor(100);
    EXPECT_TRUE(PickIdle());
    MainModel fresh;
    for (int i = 0; i < kScreenBoxCount; ++i) EXPECT_EQ(Box(i), Boxes(fresh.TxtScreenX(i), fresh.TxtScreenY(i)));
}

TEST(CaptureToolsFolder, ProgramFolderIsGivenWithoutItsAppendedBackslash) {
    EXPECT_EQ(ProgramFolderAsReported("C:\\Kestrun\\"), "C:\\Kestrun");
    EXPECT_EQ(ProgramFolderAsReported("D:\\工具\\Kestrun\\"), "D:\\工具\\Kestrun");
    EXPECT_EQ(ProgramFolderAsReported("C:\\"), "C:\\");
    EXPECT_EQ(ProgramFolderAsReported("C:\\Kestrun"), "C:\\Kestrun");
    EXPECT_EQ(ProgramFolderAsReported(""), "");
}

// --- Window pin ---

TEST_F(CaptureToolsTest, DoubleClicksPinAndUnpinTheWindow) {
    fake::FakeWindow window;
    window.title = "Kestrun";
    const platform::WindowHandle handle = desktop_.AddWindow(window);
    tools_.TogglePin(handle);
    EXPECT_TRUE(model_.Pinned());
    tools_.TogglePin(handle);
    EXPECT_FALSE(model_.Pinned());
    EXPECT_EQ(desktop_.Log(), (std::vector<std::string>{"SetTopmost \"Kestrun\" on", "SetTopmost \"Kestrun\" off"}));
}

// --- The run control sees a pick running ---

class NoLines : public LineExecutor {
public:
    void ExecuteLine(const std::string&) override {}
};

TEST_F(CaptureToolsTest, RunIsRefusedWhileAPickRuns) {
    NoLines executor;
    RunLog log(desktop_, files_, *codec_);
    RunControl run(model_, desktop_, dialogs_, timers_, log, executor, "Kestrun");
    model_.SetRows({"等待时间=1"});
    tools_.CmdGetXY(2);
    run.Toggle();
    EXPECT_FALSE(model_.IsRunning());
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.MessageBoxes()[0].text, "还在监测鼠标或键盘动作中！ ");

    HoldF8At(150);
    desktop_.Clock().RunFor(200);
    run.Toggle();
    EXPECT_TRUE(model_.IsRunning());
}

}  // namespace
}  // namespace kestrun
