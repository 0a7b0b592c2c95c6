#include "tapreel/playback/player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/platform/key_codes.h"
#include "common/testing/fake_desktop.h"
#include "tapreel/testing/tapreel_test_support.h"

namespace tapreel {
namespace {

using testing::ColumnOf;
using testing::MakeRow;

constexpr uint32_t kLeftDown = 0x2;
constexpr uint32_t kLeftUp = 0x4;
constexpr uint32_t kRightDown = 0x8;
constexpr uint32_t kRightUp = 0x10;
constexpr uint32_t kMiddleDown = 0x20;
constexpr uint32_t kMiddleUp = 0x40;

// The fake desktop, noting when each button event was sent and how deeply
// the playback button's handler was nested at that moment.
class TimedDesktop : public fake::FakeDesktop {
public:
    struct Sent {
        uint64_t at;
        uint32_t flags;
        int depth;
    };
    void MouseEvent(uint32_t flags, int32_t data) override {
        sent.push_back({Clock().Elapsed(), flags, depth});
        FakeDesktop::MouseEvent(flags, data);
    }
    // The times of the button-down events: one per click.
    std::vector<uint64_t> PressTimes() const {
        std::vector<uint64_t> times;
        for (const Sent& s : sent) {
            if (s.flags == kLeftDown || s.flags == kRightDown || s.flags == kMiddleDown) times.push_back(s.at);
        }
        return times;
    }
    std::vector<uint32_t> Flags() const {
        std::vector<uint32_t> flags;
        for (const Sent& s : sent) flags.push_back(s.flags);
        return flags;
    }
    std::vector<Sent> sent;
    int depth = 0;
};

class ClickPlayerTest : public ::testing::Test {
protected:
    ClickPlayerTest() : player_(model_, desktop_) {
        model_.onChanged = [this](ModelPart what) {
            if (what == ModelPart::kTxtCs) counts_.push_back(model_.TxtCs());
        };
    }

    // A click on the playback button, as the window delivers it.
    void ClickButton() {
        ++desktop_.depth;
        player_.OnCmdJianKClick();
        --desktop_.depth;
    }
    // The same click arriving as a message at elapsed time ms.
    void ClickButtonAt(uint64_t ms) {
        desktop_.PostAt(ms, [this] { ClickButton(); });
    }
    void SetRows(std::vector<ClickRow> rows) { model_.Table().SetRows(std::move(rows)); }
    // A row at (x, y) with a key name, an action and an interval.
    static ClickRow Row(int n, int x, int y, std::string key, std::string action, std::string interval) {
        return MakeRow({std::to_string(n), std::to_string(x), std::to_string(y), key, action, interval, "", "", ""});
    }

    TimedDesktop desktop_;
    FrmmainModel model_;
    Player player_;
    std::vector<std::string> counts_;  // TxtCs as playback changed it
};

TEST_F(ClickPlayerTest, RowsAreClickedAtTheirPointsWithTheirIntervals) {
    SetRows({Row(1, 100, 110, "左键", "单击", "1000"), Row(2, 200, 210, "左键", "单击", "500"),
             Row(3, 300, 310, "左键", "单击", "800")});
    model_.SetTxtCs("1");
    ClickButton();

    // The first row is clicked at once, and each interval is the time from
    // a row's click to the next row's. (Each pump of the fake takes 1 ms: one
    // before each click, one after each wait.)
    EXPECT_EQ(desktop_.PressTimes(), (std::vector<uint64_t>{1, 1002, 1503}));
    EXPECT_EQ(desktop_.Clock().Elapsed(), 2303u);
    EXPECT_EQ(desktop_.LogWithout({"PumpMessages", "WaitForMessages"}),
              (std::vector<std::string>{"SetCursorPos 100,110", "mouse_event 0x2 0", "mouse_event 0x4 0",
                                        "SetCursorPos 200,210", "mouse_event 0x2 0", "mouse_event 0x4 0",
                                        "SetCursorPos 300,310", "mouse_event 0x2 0", "mouse_event 0x4 0"}));
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
    EXPECT_EQ(model_.TxtCs(), "0");
}

TEST_F(ClickPlayerTest, WaitingSleepsUntilAMessageOrTheEnd) {
    SetRows({Row(1, 10, 10, "左键", "单击", "1000")});
    model_.SetTxtCs("1");
    // Ten messages arrive during the wait; each wakes the wait once.
    for (int t = 100; t <= 1000; t += 100) desktop_.PostAt(uint64_t(t), [] {});
    ClickButton();
    int waits = 0;
    int pumps = 0;
    for (const std::string& line : desktop_.Log()) {
        if (line.rfind("WaitForMessages", 0) == 0) ++waits;
        // A run of pumps is one line: "PumpMessages x12".
        if (line == "PumpMessages") ++pumps;
        if (line.rfind("PumpMessages x", 0) == 0) pumps += std::stoi(line.substr(14));
    }
    EXPECT_EQ(waits, 10);
    EXPECT_EQ(pumps, 11);
    EXPECT_EQ(desktop_.Clock().Elapsed(), 1001u);
}

TEST_F(ClickPlayerTest, AnEmptyOrZeroIntervalDoesNotWait) {
    SetRows({Row(1, 10, 10, "左键", "单击", ""), Row(2, 20, 20, "左键", "单击", "0"),
             Row(3, 30, 30, "左键", "单击", "abc")});
    model_.SetTxtCs("1");
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes(), (std::vector<uint64_t>{1, 2, 3}));
    for (const std::string& line : desktop_.Log()) EXPECT_NE(line.rfind("WaitForMessages", 0), 0u) << line;
}

TEST_F(ClickPlayerTest, TheKeyNameAndActionChooseTheEvents) {
    struct Case {
        const char* key;
        const char* action;
        std::vector<uint32_t> flags;
    };
    const std::vector<Case> cases = {
        {"左键", "单击", {kLeftDown, kLeftUp}},
        {"左键", "双击", {kLeftDown, kLeftUp, kLeftDown, kLeftUp}},
        {"左键", "", {kLeftDown, kLeftUp, kLeftDown, kLeftUp}},
        {"右键", "单击", {kRightDown, kRightUp}},
        {"右键", "双击", {kRightDown, kRightUp}},
        {"中键", "单击", {kMiddleDown, kMiddleUp}},
        {"滚轮", "单击", {kMiddleDown, kMiddleUp}},
        {"", "单击", {kMiddleDown, kMiddleUp}},
        {"滚轮", "双击", {kMiddleDown, kMiddleUp, kMiddleDown, kMiddleUp}},
        {"左键 ", "单击", {kMiddleDown, kMiddleUp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "/" + c.action);
        desktop_.sent.clear();
        SetRows({Row(1, 10, 10, c.key, c.action, "")});
        model_.SetTxtCs("1");
        ClickButton();
        EXPECT_EQ(desktop_.Flags(), c.flags);
    }
}

TEST_F(ClickPlayerTest, APassMarksEveryRowWithTheColourAndDone) {
    desktop_.Screen().Set(100, 110, 255);
    SetRows({Row(1, 100, 110, "左键", "单击", ""), Row(2, 5000, 5000, "左键", "单击", "")});
    model_.SetTxtCs("1");
    ClickButton();
    // A point off the screen reads as white.
    EXPECT_EQ(ColumnOf(model_.Table(), 8), (std::vector<std::string>{"255", "16777215"}));
    EXPECT_EQ(ColumnOf(model_.Table(), 9), (std::vector<std::string>{"完成", "完成"}));
}

TEST_F(ClickPlayerTest, CoordinatesAreLeadingNumbersRoundedHalfToEven) {
    SetRows({MakeRow({"1", "100.5", "101.5", "左键", "单击"}), MakeRow({"2", "7", " 1 2px", "左键", "单击"}),
             MakeRow({"3", "1e20", "abc", "左键", "单击"}), MakeRow({"4", "-3", "&H10", "左键", "单击"})});
    model_.SetTxtCs("1");
    ClickButton();
    // A value that does not fit keeps the previous row's value.
    EXPECT_EQ(desktop_.LogWithout({"PumpMessages", "mouse_event"}),
              (std::vector<std::string>{"SetCursorPos 100,102", "SetCursorPos 7,12", "SetCursorPos 7,0",
                                        "SetCursorPos -3,16"}));
}

TEST_F(ClickPlayerTest, ThePassCountIsCountedDown) {
    struct Case {
        const char* count;
        int passes;
        std::vector<std::string> counts;  // TxtCs after each change
    };
    const std::vector<Case> cases = {
        {"3", 3, {"2", "1", "0"}},
        {"1", 1, {"0"}},
        {"2.5", 3, {"1.5", "0.5", "-0.5"}},
        {"0", 1, {}},
        {"-2", 1, {}},
        {"abc", 1, {}},
        {" ", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        desktop_.sent.clear();
        SetRows({Row(1, 10, 10, "左键", "单击", "100")});
        model_.SetTxtCs(c.count);
        counts_.clear();
        ClickButton();
        EXPECT_EQ(int(desktop_.PressTimes().size()), c.passes);
        EXPECT_EQ(counts_, c.counts);
        EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
    }
}

TEST_F(ClickPlayerTest, AnEmptyCountRepeatsUntilTheButtonStopsIt) {
    SetRows({Row(1, 10, 10, "左键", "单击", "100"), Row(2, 20, 20, "左键", "单击", "100")});
    // Stopped in the middle of the fifth pass: that pass still ends.
    ClickButtonAt(850);
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes().size(), 10u);
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
    EXPECT_EQ(model_.TxtCs(), "");
}

TEST_F(ClickPlayerTest, TheButtonShowsThePlaybackState) {
    SetRows({Row(1, 10, 10, "左键", "单击", "100")});
    model_.SetTxtCs("1");
    std::string during;
    desktop_.PostAt(50, [&] { during = model_.CmdJianKCaption(); });
    ClickButton();
    EXPECT_EQ(during, "停止回放(&P)");
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
}

TEST_F(ClickPlayerTest, EscapeHeldAsAPassEndsLetsTheNextPassRunThenStops) {
    SetRows({Row(1, 10, 10, "左键", "单击", "100"), Row(2, 20, 20, "左键", "单击", "100")});
    model_.SetTxtCs("5");
    desktop_.PressKeyAt(150, platform::vk::kEscape);
    desktop_.ReleaseKeyAt(260, platform::vk::kEscape);
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes().size(), 4u);
    EXPECT_EQ(model_.TxtCs(), "3");
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
}

TEST_F(ClickPlayerTest, AnF10TapDuringAPassStopsAfterTheNextPass) {
    // The tap is over before the next pass looks, but it was pressed since
    // the previous look.
    SetRows({Row(1, 10, 10, "左键", "单击", "100"), Row(2, 20, 20, "左键", "单击", "100")});
    desktop_.TapKeyAt(50, platform::vk::kF10, 20);
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes().size(), 4u);
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
}

TEST_F(ClickPlayerTest, AnEmptyTableEndsPlaybackWithoutSpinning) {
    for (const char* count : {"", "3"}) {
        SCOPED_TRACE(count);
        model_.SetTxtCs(count);
        ClickButton();
        EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
        EXPECT_FALSE(player_.IsRunning());
        EXPECT_TRUE(desktop_.sent.empty());
    }
    EXPECT_EQ(model_.TxtCs(), "2");
}

TEST_F(ClickPlayerTest, StartingAgainInsideAPassDoesNotNest) {
    SetRows({Row(1, 10, 10, "左键", "单击", "100"), Row(2, 20, 20, "左键", "单击", "100")});
    // A stop and a start inside each of many passes: the running loop goes
    // on, and no second loop starts inside it.
    for (uint64_t t = 50; t < 2000; t += 200) {
        ClickButtonAt(t);
        ClickButtonAt(t + 20);
    }
    ClickButtonAt(2050);
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes().size(), 22u);
    int deepest = 0;
    for (const auto& s : desktop_.sent) deepest = std::max(deepest, s.depth);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
}

TEST_F(ClickPlayerTest, ARowChosenDuringThePumpSuppliesTheRest) {
    SetRows({Row(1, 10, 10, "左键", "单击", "300"), Row(2, 20, 20, "右键", "单击", "50")});
    model_.SetTxtCs("1");
    // The user clicks row 2 while row 1 lets the window handle events.
    desktop_.PostAt(0, [this] { model_.Table().SetCurrentRow(1); });
    ClickButton();
    // Row 1's point, row 2's button; "完成" goes to row 2; its interval is
    // the one waited for.
    EXPECT_EQ(desktop_.sent.front().flags, kRightDown);
    EXPECT_EQ(desktop_.PressTimes(), (std::vector<uint64_t>{1, 52}));
    EXPECT_EQ(ColumnOf(model_.Table(), 9), (std::vector<std::string>{"", "完成"}));
}

TEST_F(ClickPlayerTest, TheIntervalIsReadAfreshWhileWaiting) {
    SetRows({Row(1, 10, 10, "左键", "单击", "1000"), Row(2, 20, 20, "左键", "单击", "")});
    model_.SetTxtCs("1");
    desktop_.PostAt(200, [this] { model_.Table().SetCell(0, column::kInterval, "300"); });
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes(), (std::vector<uint64_t>{1, 302}));
}

TEST_F(ClickPlayerTest, ARecordedClickRestartsTheWait) {
    SetRows({Row(1, 10, 10, "左键", "单击", "1000"), Row(2, 20, 20, "左键", "单击", "")});
    model_.SetTxtCs("1");
    desktop_.PostAt(600, [this] { model_.timeBase = desktop_.TimeGetTime(); });
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes(), (std::vector<uint64_t>{1, 1602}));
}

TEST_F(ClickPlayerTest, RowsRemovedDuringAPassAreSkipped) {
    SetRows({Row(1, 10, 10, "左键", "单击", "100"), Row(2, 20, 20, "左键", "单击", "100"),
             Row(3, 30, 30, "左键", "单击", "100")});
    model_.SetTxtCs("2");
    desktop_.PostAt(50, [this] {
        model_.Table().RemoveRow(2);
        model_.Table().RemoveRow(1);
    });
    ClickButton();
    // Pass 1 plays row 1 only; pass 2 plays the one row left.
    EXPECT_EQ(desktop_.LogWithout({"PumpMessages", "WaitForMessages", "mouse_event"}),
              (std::vector<std::string>{"SetCursorPos 10,10", "SetCursorPos 10,10"}));
}

TEST_F(ClickPlayerTest, RemovingTheCurrentRowEndsItsStepsAndWait) {
    SetRows({Row(1, 10, 10, "左键", "单击", "1000"), Row(2, 20, 20, "左键", "单击", "")});
    model_.SetTxtCs("1");
    desktop_.PostAt(0, [this] { model_.Table().RemoveRow(0); });
    ClickButton();
    // Row 1 went during its pump: no click for it. Row 2 is now the first
    // row; the pass counted two rows at its start, and the second no longer
    // exists.
    EXPECT_TRUE(desktop_.sent.empty());
    EXPECT_EQ(ColumnOf(model_.Table(), 9), (std::vector<std::string>{""}));
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
}

TEST_F(ClickPlayerTest, AbortEndsPlaybackAtTheNextPump) {
    SetRows({Row(1, 10, 10, "左键", "单击", "1000"), Row(2, 20, 20, "左键", "单击", "1000")});
    desktop_.PostAt(500, [this] { player_.Abort(); });
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes(), (std::vector<uint64_t>{1}));
    EXPECT_EQ(desktop_.Clock().Elapsed(), 501u);
    EXPECT_EQ(model_.CmdJianKCaption(), "回放(&P)");
    EXPECT_FALSE(player_.IsRunning());
    // The next start plays again.
    model_.SetTxtCs("1");
    ClickButton();
    EXPECT_EQ(desktop_.PressTimes().size(), 3u);
}

TEST_F(ClickPlayerTest, StartingSelectsTheFirstRow) {
    SetRows({Row(1, 10, 10, "左键", "单击", ""), Row(2, 20, 20, "左键", "单击", "")});
    model_.Table().SetCurrentRow(1);
    model_.SetTxtCs("1");
    std::vector<int> selected;
    model_.Table().onChanged = [&](const TableChange& c) {
        if (c.kind == TableChange::Kind::kCurrentRow) selected.push_back(c.index);
    };
    ClickButton();
    EXPECT_EQ(selected, (std::vector<int>{0, 1}));
}

}  // namespace
}  // namespace tapreel
