#include "tapreel/playback/recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "tapreel/testing/tapreel_test_support.h"

namespace tapreel {
namespace {

using testing::ColumnOf;
using testing::MakeRow;
using K = platform::MouseMessage;

class ClickRecorderTest : public ::testing::Test {
protected:
    ClickRecorderTest() : recorder_(model_, desktop_, hook_) {
        fake::FakeWindow own;
        own.title = "Tapreel";
        own.rect = {800, 100, 1241, 290};
        model_.ownWindow = desktop_.AddWindow(own);
    }

    void StartRecording() {
        recorder_.OnCmdrecordClick();
        ASSERT_TRUE(model_.IsRecording());
    }
    void Event(K kind, int x, int y) { recorder_.OnMouseEvent({kind, {x, y}}); }
    void Click(int x, int y) {
        Event(K::kLeftButtonDown, x, y);
        Event(K::kOther, x, y);
    }
    void Advance(uint64_t ms) { desktop_.Clock().Sleep(ms); }
    const ClickTable& Table() const { return model_.Table(); }

    fake::FakeDesktop desktop_;
    FrmmainModel model_;
    testing::FakeMouseHook hook_;
    Recorder recorder_;
};

TEST_F(ClickRecorderTest, TheButtonSwitchesRecordingAndTheHook) {
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
    recorder_.OnCmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "停止录制(&R)");
    EXPECT_TRUE(hook_.IsInstalled());
    recorder_.OnCmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
    EXPECT_FALSE(hook_.IsInstalled());
}

TEST_F(ClickRecorderTest, ARefusedHookStillShowsRecordingAndLeavesTheTimeBase) {
    hook_.refuses = true;
    model_.timeBase = 42;
    recorder_.OnCmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "停止录制(&R)");
    EXPECT_EQ(model_.timeBase, 42u);
    recorder_.OnCmdrecordClick();
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
}

TEST_F(ClickRecorderTest, AClickBecomesARowWithItsIntervalAndColour) {
    desktop_.Screen().Set(512, 300, 255 + 256 * 128);
    Advance(5000);
    StartRecording();
    Advance(1234);
    Click(512, 300);
    ASSERT_EQ(Table().RowCount(), 1);
    EXPECT_EQ(Table().Row(0), MakeRow({"1", "512", "300", "左键", "单击", "1234", "33023", "", ""}));
    EXPECT_EQ(model_.Title(), "当前鼠标在位置-x:512; y:300左键");

    // The next interval runs from this record.
    Advance(250);
    Event(K::kMiddleButtonDown, 600, 310);
    EXPECT_EQ(Table().Row(1), MakeRow({"2", "600", "310", "中键", "单击", "250", "16777215", "", ""}));
}

TEST_F(ClickRecorderTest, NewRowsFollowTheRowsAlreadyThere) {
    model_.Table().SetRows({MakeRow({"1"}), MakeRow({"5"})});
    StartRecording();
    Click(10, 10);
    EXPECT_EQ(ColumnOf(Table(), 1), (std::vector<std::string>{"1", "5", "3"}));
}

TEST_F(ClickRecorderTest, ASingleAndADoubleClickGiveOneRowEach) {
    StartRecording();
    Click(100, 100);
    Click(100, 100);
    EXPECT_EQ(Table().RowCount(), 1);
    Click(200, 200);
    EXPECT_EQ(Table().RowCount(), 2);
    EXPECT_EQ(ColumnOf(Table(), 5), (std::vector<std::string>{"单击", "单击"}));
}

TEST_F(ClickRecorderTest, ADragGivesThePressAndTheRelease) {
    StartRecording();
    Event(K::kLeftButtonDown, 100, 100);
    Event(K::kMouseMove, 150, 180);
    Event(K::kOther, 200, 250);
    ASSERT_EQ(Table().RowCount(), 2);
    EXPECT_EQ(ColumnOf(Table(), 4), (std::vector<std::string>{"左键", ""}));
    EXPECT_EQ(ColumnOf(Table(), 2), (std::vector<std::string>{"100", "200"}));
}

TEST_F(ClickRecorderTest, AClickStraightBelowOrBesideTheLastOneIsRecorded) {
    // Only the point itself is dropped: a straight vertical or horizontal
    // drag keeps its end, and a second click in the same column is kept.
    StartRecording();
    Click(100, 100);
    Click(100, 300);
    Click(400, 300);
    Event(K::kLeftButtonDown, 400, 500);
    Event(K::kOther, 400, 700);
    EXPECT_EQ(ColumnOf(Table(), 2), (std::vector<std::string>{"100", "100", "400", "400", "400"}));
    EXPECT_EQ(ColumnOf(Table(), 3), (std::vector<std::string>{"100", "300", "300", "500", "700"}));
}

TEST_F(ClickRecorderTest, AWheelTurnIsRecordedAwayFromTheLastPointOnly) {
    StartRecording();
    Click(100, 100);
    Event(K::kMouseWheel, 100, 100);
    EXPECT_EQ(Table().RowCount(), 1);
    Event(K::kMouseWheel, 300, 400);
    ASSERT_EQ(Table().RowCount(), 2);
    EXPECT_EQ(Table().Row(1).Column(column::kKeyName), "滚轮");
    EXPECT_EQ(model_.Title(), "当前鼠标在位置-x:300; y:400");
}

TEST_F(ClickRecorderTest, ARightClickEndsRecordingAndIsNotRecorded) {
    StartRecording();
    Event(K::kRightButtonDown, 300, 400);
    EXPECT_EQ(Table().RowCount(), 0);
    EXPECT_EQ(model_.CmdrecordCaption(), "录制(&R)");
    EXPECT_FALSE(hook_.IsInstalled());
    EXPECT_EQ(model_.Title(), "当前鼠标在位置-x:300; y:400右键");
    // The release that follows is no longer looked at.
    Event(K::kOther, 300, 400);
    EXPECT_EQ(Table().RowCount(), 0);
}

TEST_F(ClickRecorderTest, EventsStrictlyInsideTheOwnWindowAreNotRecorded) {
    StartRecording();
    Click(801, 101);
    Click(1240, 289);
    EXPECT_EQ(Table().RowCount(), 0);
    // The title still follows the pointer there.
    EXPECT_EQ(model_.Title(), "当前鼠标在位置-x:1240; y:289左键");
    // The edges are outside.
    Click(800, 150);
    Click(900, 290);
    EXPECT_EQ(Table().RowCount(), 2);
}

TEST_F(ClickRecorderTest, MovesOnlyUpdateTheTitle) {
    StartRecording();
    Event(K::kMouseMove, 640, 480);
    EXPECT_EQ(Table().RowCount(), 0);
    EXPECT_EQ(model_.Title(), "当前鼠标在位置-x:640; y:480");
    // A move does not become the last seen point.
    Click(640, 480);
    EXPECT_EQ(Table().RowCount(), 1);
}

TEST_F(ClickRecorderTest, PointsAtOrAboveTheTopLeftCornerAreNotRecorded) {
    StartRecording();
    Click(0, 0);
    Click(-5, -1);
    EXPECT_EQ(Table().RowCount(), 0);
    Click(0, 7);
    Click(-3, 7);
    EXPECT_EQ(ColumnOf(Table(), 2), (std::vector<std::string>{"0", "-3"}));
}

TEST_F(ClickRecorderTest, NothingHappensWhileRecordingIsOff) {
    std::string title = model_.Title();
    Click(100, 100);
    Event(K::kMouseMove, 5, 5);
    EXPECT_EQ(Table().RowCount(), 0);
    EXPECT_EQ(model_.Title(), title);
    EXPECT_EQ(recorder_.LastSeen(), (platform::Point{0, 0}));
}

TEST_F(ClickRecorderTest, TheLastPointIsKeptBetweenRecordings) {
    StartRecording();
    Click(100, 100);
    recorder_.OnCmdrecordClick();
    StartRecording();
    Click(100, 100);
    EXPECT_EQ(Table().RowCount(), 1);
}

TEST_F(ClickRecorderTest, TitlesAndKeyNamesByEventKind) {
    struct Case {
        K kind;
        const char* title;
        const char* keyName;
    };
    const std::vector<Case> cases = {
        {K::kLeftButtonDown, "当前鼠标在位置-x:11; y:21左键", "左键"},
        {K::kMiddleButtonDown, "当前鼠标在位置-x:12; y:22中键", "中键"},
        {K::kMouseWheel, "当前鼠标在位置-x:13; y:23", "滚轮"},
        {K::kOther, "当前鼠标在位置-x:13; y:23", ""},  // the title stays
    };
    StartRecording();
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].title);
        Event(cases[i].kind, 11 + int(i), 21 + int(i));
        EXPECT_EQ(model_.Title(), cases[i].title);
        ASSERT_EQ(Table().RowCount(), int(i) + 1);
        EXPECT_EQ(Table().Row(int(i)).Column(column::kKeyName), cases[i].keyName);
    }
}

TEST(ClickRecorderClock, TheIntervalIsRightAcrossTheCounterWrap) {
    fake::FakeDesktop desktop(0xFFFFFF00u);
    FrmmainModel model;
    testing::FakeMouseHook hook;
    Recorder recorder(model, desktop, hook);
    recorder.OnCmdrecordClick();
    desktop.Clock().Sleep(0x100 + 700);
    recorder.OnMouseEvent({K::kLeftButtonDown, {50, 60}});
    EXPECT_EQ(model.Table().Row(0).Column(column::kInterval), "956");
}

}  // namespace
}  // namespace tapreel
