#include "kestrun/editor/modrecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"

namespace kestrun {
namespace {

using msg = MouseMessage;

MouseHookEvent Event(msg message, int x, int y) {
    MouseHookEvent event;
    event.message = message;
    event.point = {x, y};
    return event;
}

class ModrecordTest : public testing::Test {
protected:
    ModrecordTest() {
        fake::FakeWindow window;
        window.title = "Kestrun";
        window.rect = {1000, 600, 1280, 1000};
        recorder_.mainWindow = desktop_.AddWindow(window);
        recorder_.installHook = [this] { hookCalls_.push_back("install"); };
        recorder_.removeHook = [this] { hookCalls_.push_back("remove"); };
    }

    void StartRecording() {
        if (!model_.IsRecording()) recorder_.CmdrecordClick();
        hookCalls_.clear();
    }
    HookResult Send(msg message, int x, int y) { return recorder_.RecordHookProc(Event(message, x, y)); }
    // A press and its release at another point (or the same one).
    void Click(msg down, msg up, int x, int y, int upX, int upY) {
        Send(msg::kMouseMove, x, y);
        Send(down, x, y);
        Send(msg::kMouseMove, upX, upY);
        Send(up, upX, upY);
    }

    fake::FakeDesktop desktop_;
    MainModel model_;
    Modrecord recorder_{model_, desktop_};
    std::vector<std::string> hookCalls_;
};

// --- The record button ---

TEST_F(ModrecordTest, RecordButtonTogglesItsCaptionAndTheHook) {
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
    recorder_.CmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "停止(&T)");
    EXPECT_TRUE(model_.IsRecording());
    recorder_.CmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
    EXPECT_FALSE(model_.IsRecording());
    EXPECT_EQ(hookCalls_, (std::vector<std::string>{"install", "remove"}));
}

TEST_F(ModrecordTest, RecordButtonWithoutHookHandlersStillToggles) {
    Modrecord bare(model_, desktop_);
    bare.CmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "停止(&T)");
    bare.CmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
}

TEST_F(ModrecordTest, EventsAreIgnoredWhileNotRecording) {
    // The hook can still deliver an event after the caption went back.
    EXPECT_EQ(Send(msg::kLeftButtonDown, 512, 300), HookResult::kCallNextHook);
    EXPECT_EQ(model_.RowCount(), 0);
    EXPECT_EQ(model_.TxtScreenX(2), "100");
    EXPECT_EQ(model_.CmbMouseText(), "左键单击");
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{0, 0}));
}

// --- Classification ---

TEST(ModrecordClassify, EachMessageHasItsKind) {
    const struct {
        msg message;
        std::string_view kind;
    } cases[] = {
        {msg::kMouseMove, "移动"},
        {msg::kLeftButtonDown, "左键单击"},
        {msg::kRightButtonDown, "右键单击"},
        {msg::kMiddleButtonDown, "中键单击"},
        {msg::kMouseWheel, "滚轮"},
        {msg::kLeftButtonUp, ""},
        {msg::kRightButtonUp, ""},
        {msg::kMiddleButtonUp, ""},
        {msg::kXButtonDown, ""},
        {msg::kXButtonUp, ""},
        {msg::kMouseHorizontalWheel, ""},
        {msg::kOther, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.message));
        EXPECT_EQ(ClassifyMouseMessage(c.message), c.kind);
    }
}

// --- Recording clicks and drags ---

TEST_F(ModrecordTest, PressAndReleaseAtOnePlaceGiveOneClickLine) {
    StartRecording();
    desktop_.Screen().Set(512, 300, 0x00FF00);
    Click(msg::kLeftButtonDown, msg::kLeftButtonUp, 512, 300, 512, 300);
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"鼠标点击=512,300,左键单击"});
    EXPECT_EQ(model_.TxtScreenX(2), "512");
    EXPECT_EQ(model_.TxtScreenY(2), "300");
    EXPECT_EQ(model_.CmbMouseText(), "左键单击");
    EXPECT_EQ(model_.TxtColor(), "65280");
    EXPECT_EQ(model_.TxtColorBackColour(), 0x00FF00);
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{512, 300}));
    // Recording selects nothing.
    EXPECT_EQ(model_.SelectedRow(), -1);
}

TEST_F(ModrecordTest, ReleaseElsewhereTurnsTheClickIntoADrag) {
    StartRecording();
    Click(msg::kLeftButtonDown, msg::kLeftButtonUp, 512, 300, 700, 420);
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"鼠标拖拉=512,300,700,420"});
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{700, 420}));
}

TEST_F(ModrecordTest, StraightDragsAndClicksInLineWithTheLastAreRecorded) {
    // Only a point equal in both coordinates is the same place.
    StartRecording();
    Click(msg::kLeftButtonDown, msg::kLeftButtonUp, 512, 300, 512, 420);    // vertical drag
    Click(msg::kLeftButtonDown, msg::kLeftButtonUp, 600, 420, 600, 420);    // same y as the last point
    Click(msg::kRightButtonDown, msg::kRightButtonUp, 600, 500, 600, 500);  // same x
    Click(msg::kLeftButtonDown, msg::kLeftButtonUp, 100, 500, 300, 500);    // horizontal drag
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"鼠标拖拉=512,300,512,420", "鼠标点击=600,420,左键单击",
                                                       "鼠标点击=600,500,右键单击", "鼠标拖拉=100,500,300,500"}));
}

TEST_F(ModrecordTest, SecondPressAtTheSamePlaceIsDropped) {
    StartRecording();
    Send(msg::kLeftButtonDown, 512, 300);
    Send(msg::kLeftButtonUp, 512, 300);
    Send(msg::kLeftButtonDown, 512, 300);
    Send(msg::kLeftButtonUp, 512, 300);
    EXPECT_EQ(model_.Rows(), std::vector<std::string>{"鼠标点击=512,300,左键单击"});
    // It still shows in the click row.
    EXPECT_EQ(model_.TxtScreenX(2), "512");
}

TEST_F(ModrecordTest, EveryKindOfPressIsRecorded) {
    StartRecording();
    Send(msg::kLeftButtonDown, 10, 10);
    Send(msg::kRightButtonDown, 20, 20);
    Send(msg::kMiddleButtonDown, 30, 30);
    Send(msg::kMouseWheel, 40, 40);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"鼠标点击=10,10,左键单击", "鼠标点击=20,20,右键单击",
                                                       "鼠标点击=30,30,中键单击", "鼠标点击=40,40,滚轮"}));
    // The wheel shows its point but not a kind.
    EXPECT_EQ(model_.CmbMouseText(), "中键单击");
    EXPECT_EQ(model_.TxtScreenX(2), "40");
}

TEST_F(ModrecordTest, MovesShowThePointerButAreNeverRecorded) {
    StartRecording();
    EXPECT_EQ(Send(msg::kMouseMove, 321, 123), HookResult::kCallNextHook);
    EXPECT_EQ(model_.TxtScreenX(2), "321");
    EXPECT_EQ(model_.TxtScreenY(2), "123");
    EXPECT_EQ(model_.RowCount(), 0);
    EXPECT_EQ(model_.TxtColor(), "835111");
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{0, 0}));
}

TEST_F(ModrecordTest, ReleasesShowNothingInTheClickRow) {
    StartRecording();
    Send(msg::kLeftButtonUp, 321, 123);
    EXPECT_EQ(model_.TxtScreenX(2), "100");
    EXPECT_EQ(model_.CmbMouseText(), "左键单击");
}

TEST_F(ModrecordTest, PointsAtOrBeyondTheTopLeftCornerAreNotRecorded) {
    StartRecording();
    const struct {
        int x, y;
        bool recorded;
    } cases[] = {{0, 0, false}, {-5, -3, false}, {-5, 0, false}, {0, 5, true}, {5, 0, true}, {-1, 7, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        model_.SetRows({});
        EXPECT_EQ(Send(msg::kLeftButtonDown, c.x, c.y), HookResult::kCallNextHook);
        EXPECT_EQ(model_.RowCount(), c.recorded ? 1 : 0);
    }
}

TEST_F(ModrecordTest, EventsOnTheOwnWindowAreNeitherRecordedNorHandedOn) {
    StartRecording();
    // The window's outer rectangle is (1000, 600) - (1280, 1000).
    EXPECT_EQ(Send(msg::kLeftButtonDown, 1100, 700), HookResult::kSkipNextHook);
    EXPECT_EQ(Send(msg::kLeftButtonUp, 1200, 800), HookResult::kSkipNextHook);
    EXPECT_EQ(Send(msg::kMouseMove, 1001, 601), HookResult::kSkipNextHook);
    EXPECT_EQ(model_.RowCount(), 0);
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{0, 0}));
    // The click row still shows the press.
    EXPECT_EQ(model_.TxtScreenX(2), "1001");

    // Its border lines are outside.
    for (platform::Point p : {platform::Point{1000, 700}, platform::Point{1100, 600}, platform::Point{1280, 700},
                              platform::Point{1100, 1000}}) {
        SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
        model_.SetRows({});
        EXPECT_EQ(Send(msg::kLeftButtonDown, p.x, p.y), HookResult::kCallNextHook);
        EXPECT_EQ(model_.RowCount(), 1);
    }
}

TEST_F(ModrecordTest, WithoutAWindowRectangleNothingCountsAsOwn) {
    recorder_.mainWindow = 0;
    StartRecording();
    EXPECT_EQ(Send(msg::kLeftButtonDown, 1100, 700), HookResult::kCallNextHook);
    EXPECT_EQ(model_.RowCount(), 1);
}

TEST_F(ModrecordTest, UnreadablePixelCountsAsWhite) {
    StartRecording();
    desktop_.Screen().Set(50, 60, -1);
    Send(msg::kLeftButtonDown, 50, 60);
    EXPECT_EQ(model_.TxtColor(), "16777215");
    EXPECT_EQ(model_.TxtColorBackColour(), 16777215);
}

// --- Rewriting the last line ---

TEST_F(ModrecordTest, ReleaseElsewhereRewritesWhateverTheLastLineHolds) {
    StartRecording();
    const struct {
        const char* lastLine;
        const char* rewritten;
    } cases[] = {
        {"鼠标点击=512,300,左键单击", "鼠标拖拉=512,300,700,420"},
        {"鼠标点击=1,2,右键单击", "鼠标拖拉=1,2,700,420"},
        // A kind of two characters loses three characters of the point.
        {"鼠标点击=512,300,滚轮", "鼠标拖拉=512,3,700,420"},
        {"等待时间=500000", "鼠标拖拉=5,700,420"},  // 11 characters
        {"等待时间=50000", "鼠标拖拉=,700,420"},    // 10 characters
        {"等待时间=5", "鼠标拖拉=,700,420"},
        {"", "鼠标拖拉=,700,420"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lastLine);
        model_.SetRows({"等待时间=1", c.lastLine});
        Send(msg::kLeftButtonUp, 700, 420);
        EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"等待时间=1", c.rewritten}));
        Send(msg::kLeftButtonDown, 1, 1);  // moves the last point away
    }
}

TEST_F(ModrecordTest, ReleaseElsewhereWithAnEmptyListOnlyMovesTheLastPoint) {
    StartRecording();
    Send(msg::kLeftButtonUp, 700, 420);
    EXPECT_EQ(model_.RowCount(), 0);
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{700, 420}));
    // A press right there is then taken for the release of an earlier press.
    Send(msg::kLeftButtonDown, 700, 420);
    EXPECT_EQ(model_.RowCount(), 0);
}

TEST_F(ModrecordTest, OtherButtonsAndTheHorizontalWheelActAsReleases) {
    StartRecording();
    const struct {
        msg message;
        int x;
    } cases[] = {{msg::kXButtonDown, 553}, {msg::kMouseHorizontalWheel, 556}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        model_.SetRows({"鼠标点击=10,20,左键单击"});
        Send(c.message, c.x, 40);
        EXPECT_EQ(model_.Row(0), "鼠标拖拉=10,20," + std::to_string(c.x) + ",40");
    }
}

TEST_F(ModrecordTest, LastPointSurvivesFromOneRecordingToTheNext) {
    StartRecording();
    Send(msg::kLeftButtonDown, 512, 300);
    recorder_.CmdrecordClick();  // stop
    recorder_.CmdrecordClick();  // record again
    Send(msg::kLeftButtonDown, 512, 300);
    EXPECT_EQ(model_.RowCount(), 1);
    EXPECT_EQ(recorder_.LastPoint(), (platform::Point{512, 300}));
}

// A whole session: moves, clicks, a drag, a click on Kestrun's own window
// and a click at the corner, as the hook delivers them.
TEST_F(ModrecordTest, SessionOfScriptedEvents) {
    StartRecording();
    const struct {
        msg message;
        int x, y;
    } events[] = {
        {msg::kMouseMove, 400, 300},      {msg::kLeftButtonDown, 400, 300}, {msg::kLeftButtonUp, 400, 300},
        {msg::kMouseMove, 420, 310},      {msg::kLeftButtonDown, 420, 310}, {msg::kLeftButtonUp, 420, 310},
        {msg::kLeftButtonDown, 420, 310}, {msg::kLeftButtonUp, 420, 310},   {msg::kRightButtonDown, 800, 100},
        {msg::kMouseMove, 850, 150},      {msg::kRightButtonUp, 850, 150},  {msg::kLeftButtonDown, 1100, 700},
        {msg::kLeftButtonUp, 1100, 700},  {msg::kLeftButtonDown, 0, 0},     {msg::kLeftButtonUp, 0, 0},
        {msg::kMouseWheel, 300, 300},
    };
    for (const auto& e : events) Send(e.message, e.x, e.y);
    EXPECT_EQ(model_.Rows(), (std::vector<std::string>{"鼠标点击=400,300,左键单击", "鼠标点击=420,310,左键单击",
                                                       "鼠标拖拉=800,100,850,150", "鼠标点击=300,300,滚轮"}));
}

}  // namespace
}  // namespace kestrun
