#include "kestrun/engine/run_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "common/platform/key_codes.h"
#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "common/text/codec.h"
#include "common/text/lines.h"

namespace kestrun {
namespace {

constexpr int kEscape = platform::vk::kEscape;
constexpr int kF7 = platform::vk::kF7;

// Stands for the interpreter: records each line and advances the pointer,
// or runs what the test scripts for a line.
class ScriptedExecutor : public LineExecutor {
public:
    explicit ScriptedExecutor(MainModel& model) : model_(model) {}
    void ExecuteLine(const std::string& line) override {
        executed.push_back(line);
        if (onLine) onLine(line);
        if (line.empty()) return;  // an empty line is retried
        model_.SetInstructionPointer(model_.InstructionPointer() + 1);
    }
    std::vector<std::string> executed;
    std::function<void(const std::string&)> onLine;

private:
    MainModel& model_;
};

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest()
        : codec_(text::MakeSystemCodec()),
          timers_(desktop_.Clock()),
          log_(desktop_, files_, *codec_),
          executor_(model_),
          control_(model_, desktop_, dialogs_, timers_, log_, executor_, "Kestrun") {
        model_.SetProgramFolder("C:\\Kestrun\\");
        log_.SetPath("C:\\Kestrun\\日志.txt");
        desktop_.SetLocalTime({2026, 12, 6, 8, 29, 0, 0});
        control_.endProgram = [this] { ++programEnds_; };
    }

    void LoadRows(int count) {
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i) rows.push_back("等待时间=" + std::to_string(i));
        model_.SetRows(rows);
    }

    // The run log as text lines, time stamps replaced by "T".
    std::vector<std::string> LogEntries() {
        std::string bytes = files_.ReadFile(log_.Path()).value_or("");
        std::vector<std::string> lines = text::SplitLines(codec_->Decode(bytes));
        static const std::regex stamp(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t)");
        for (auto& line : lines) line = std::regex_replace(line, stamp, "T\t");
        return lines;
    }

    void RunTicks(int count) {
        for (int i = 0; i < count && model_.IsRunning(); ++i) timers_.TickNow(kTimer1);
    }

    // Waits as an instruction does: in slices of up to 50 ms, pumping
    // messages after each.
    void PumpingWait(uint64_t ms) {
        const uint64_t start = desktop_.Clock().Elapsed();
        for (uint64_t waited = 0; waited < ms; waited = desktop_.Clock().Elapsed() - start) {
            desktop_.Sleep(uint32_t(std::min<uint64_t>(50, ms - waited)));
            desktop_.PumpMessages();
        }
    }

    // Runs the rows once, on the timer, and returns when each line started.
    // The line "wait" waits waitMs; during() is called as it begins.
    std::map<std::string, uint64_t> LineStarts(std::vector<std::string> rows, uint64_t waitMs,
                                               const std::function<void()>& during = {}) {
        std::map<std::string, uint64_t> startOf;
        executor_.onLine = [&](const std::string& line) {
            startOf[line] = desktop_.Clock().Elapsed();
            if (line != "wait") return;
            if (during) during();
            PumpingWait(waitMs);
        };
        model_.SetRows(std::move(rows));
        model_.SetSelection(0);
        model_.SetTxtRound("1");
        control_.Toggle();
        desktop_.Clock().RunUntil([&] { return !model_.IsRunning(); }, 20000);
        executor_.onLine = nullptr;
        return startOf;
    }

    fake::FakeDesktop desktop_;
    fake::FakeDialogs dialogs_;
    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_;
    fake::FakeTimers timers_;
    MainModel model_;
    RunLog log_;
    ScriptedExecutor executor_;
    RunControl control_;
    int programEnds_ = 0;
};

TEST_F(RunControlTest, RefusalsShowTheirMessageAndChangeNothing) {
    struct Case {
        const char* name;
        std::function<void(MainModel&)> setUp;
        std::string message;
    };
    const Case cases[] = {
        {"empty list", [](MainModel&) {}, "指令列表为空！"},
        {"recording",
         [](MainModel& m) {
             m.AddRow("等待时间=1");
             m.SetRecording(true);
         },
         "还在录制鼠标动作中！ "},
        {"capturing",
         [](MainModel& m) {
             m.AddRow("等待时间=1");
             m.SetTimer2Enabled(true);
         },
         "还在监测鼠标或键盘动作中！ "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainModel model;
        fake::FakeDialogs dialogs;
        RunLog log(desktop_, files_, *codec_);
        ScriptedExecutor executor(model);
        RunControl control(model, desktop_, dialogs, timers_, log, executor, "Kestrun");
        c.setUp(model);
        control.Toggle();
        ASSERT_EQ(dialogs.Shown().size(), 1u);
        EXPECT_EQ(dialogs.Shown()[0].text, c.message);
        EXPECT_EQ(dialogs.Shown()[0].title, "Kestrun");
        EXPECT_EQ(dialogs.Shown()[0].flags, platform::mb::kOk);
        EXPECT_FALSE(model.IsRunning());
        EXPECT_FALSE(timers_.IsTimerOn(kTimer1));
        EXPECT_EQ(model.CycleCounter(), 0);
    }
}

TEST_F(RunControlTest, StartAndStopSetCaptionColourTimerAndLog) {
    LoadRows(12);
    model_.SetSelection(3);
    control_.Toggle();
    EXPECT_EQ(model_.CmdGotoCaption(), "停止执行");
    EXPECT_EQ(model_.CmdGotoColour(), kColourLightRed);
    EXPECT_TRUE(timers_.IsTimerOn(kTimer1));
    EXPECT_EQ(timers_.Interval(kTimer1), 100u);
    EXPECT_EQ(model_.InstructionPointer(), 3);
    EXPECT_EQ(model_.CycleCounter(), 1);
    EXPECT_TRUE(desktop_.FineTimerResolution()) << "ticks and waits keep time while a run is active";
    EXPECT_EQ(LogEntries(), (std::vector<std::string>{"", "T\t第 1 轮开始执行", "T\t指令数量: 12"}));

    model_.SetTxtScreenXY0Colour(0x00FFFF);
    control_.Toggle();
    EXPECT_EQ(model_.CmdGotoCaption(), "开始执行");
    EXPECT_EQ(model_.CmdGotoColour(), kColourLightGreen);
    EXPECT_FALSE(timers_.IsTimerOn(kTimer1));
    EXPECT_EQ(model_.TxtScreenXY0Colour(), kColourSystemWindow);
    EXPECT_FALSE(desktop_.FineTimerResolution());
    EXPECT_EQ(LogEntries().size(), 3u) << "a stop writes no entry";
}

TEST_F(RunControlTest, LogIsGbkWithTabsCrLfAndBlankLines) {
    LoadRows(1);
    model_.SetSelection(0);
    control_.Toggle();
    std::string bytes = *files_.ReadFile(log_.Path());
    // "第" is D7 DA in GBK; the entry follows an empty line.
    EXPECT_EQ(bytes,
              "\r\n2026-12-06 08:29:00\t\xB5\xDA 1 \xC2\xD6\xBF\xAA\xCA\xBC\xD6\xB4\xD0\xD0\r\n"
              "2026-12-06 08:29:00\t\xD6\xB8\xC1\xEE\xCA\xFD\xC1\xBF: 1\r\n");
}

TEST_F(RunControlTest, FoundPointAndOriginStartAtTheScreensCornerAndLastThroughCycles) {
    LoadRows(2);
    model_.SetSelection(0);
    model_.SetFoundPoint({5, 6});
    model_.SetOrigin({7, 8});
    control_.Toggle();
    EXPECT_EQ(model_.FoundPoint(), (platform::Point{0, 0}));
    EXPECT_EQ(model_.Origin(), (platform::Point{0, 0}));
    executor_.onLine = [&](const std::string&) {
        model_.SetFoundPoint({5, 6});
        model_.SetOrigin({7, 8});
    };
    RunTicks(5);  // into the third cycle
    EXPECT_EQ(model_.CycleCounter(), 3);
    EXPECT_EQ(model_.FoundPoint(), (platform::Point{5, 6}));
    EXPECT_EQ(model_.Origin(), (platform::Point{7, 8}));
}

TEST_F(RunControlTest, TicksLogEachLineAndSelectTheNext) {
    LoadRows(3);
    model_.SetSelection(0);
    model_.SetTxtRound("1");
    control_.Toggle();
    RunTicks(10);
    EXPECT_EQ(executor_.executed, (std::vector<std::string>{"等待时间=0", "等待时间=1", "等待时间=2"}));
    EXPECT_FALSE(model_.IsRunning());
    EXPECT_EQ(model_.TxtRound(), "0");
    EXPECT_EQ(model_.SelectedRow(), 2) << "the tick that ends the run does not move the selection";
    EXPECT_EQ(LogEntries(),
              (std::vector<std::string>{"", "T\t第 1 轮开始执行", "T\t指令数量: 3", "T\t等待时间=0", "T\t等待时间=1",
                                        "T\t等待时间=2", "", "T\t第 1 轮执行完成", "", "T\t"}));
    EXPECT_EQ(desktop_.TrimCount(), 3);
}

TEST_F(RunControlTest, CycleCountsDownAndNewCycleRunsFirstRowInSameTick) {
    LoadRows(2);
    model_.SetSelection(1);  // the first, partial pass counts as a full cycle
    model_.SetTxtRound("3");
    control_.Toggle();
    std::vector<std::string> shown;
    model_.SetChangeListener([&](ModelPart c) {
        if (c == ModelPart::TxtRound) shown.push_back(model_.TxtRound());
    });
    RunTicks(100);
    EXPECT_EQ(shown, (std::vector<std::string>{"2", "1", "0"}));
    EXPECT_EQ(executor_.executed.size(), 5u);  // 1 + 2 + 2
    EXPECT_EQ(model_.CycleCounter(), 3);
    auto entries = LogEntries();
    // End of pass 1 and the first line of pass 2 share one tick.
    std::vector<std::string> expectedTail = {
        "", "T\t第 2 轮执行完成", "", "T\t", "", "T\t第 3 轮开始执行", "T\t指令数量: 2", "T\t等待时间=0"};
    ASSERT_GE(entries.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(entries.end() - 13, entries.end() - 5), expectedTail);

    // Starting again with 0 in the box runs one more pass and leaves -1; the
    // cycle counter goes on from 3.
    model_.SetSelection(0);
    control_.Toggle();
    RunTicks(100);
    EXPECT_EQ(model_.TxtRound(), "-1");
    EXPECT_EQ(model_.CycleCounter(), 4);
}

TEST_F(RunControlTest, CountTextsRunTheRightNumberOfPasses) {
    struct Case {
        std::string round;
        int passes;
        std::string after;
    };
    const Case cases[] = {{"2.5", 3, "-0.5"}, {"0", 1, "-1"},  {"-3", 1, "-4"}, {"abc", 1, "-1"},
                          {" ", 1, "-1"},     {"5次", 5, "0"}, {"&H2", 2, "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.round);
        LoadRows(1);
        model_.SetSelection(0);
        model_.SetTxtRound(c.round);
        executor_.executed.clear();
        control_.Toggle();
        RunTicks(1000);
        EXPECT_FALSE(model_.IsRunning());
        EXPECT_EQ(int(executor_.executed.size()), c.passes);
        EXPECT_EQ(model_.TxtRound(), c.after);
    }
}

TEST_F(RunControlTest, EmptyCountNeverEndsAndCyclesKeepRising) {
    LoadRows(1);
    model_.SetSelection(0);
    control_.Toggle();
    RunTicks(2000);
    EXPECT_TRUE(model_.IsRunning());
    EXPECT_EQ(model_.CycleCounter(), 2000) << "with one row, every tick after the first ends a cycle";
}

TEST_F(RunControlTest, StartWithoutSelectionStaysOnNoRowUntilARowIsClicked) {
    LoadRows(3);
    control_.Toggle();
    EXPECT_EQ(model_.InstructionPointer(), -1);
    RunTicks(5);
    EXPECT_EQ(executor_.executed, std::vector<std::string>(5, ""));
    EXPECT_EQ(LogEntries().back(), "T\t");
    control_.RowClick(2);
    RunTicks(1);
    EXPECT_EQ(executor_.executed.back(), "等待时间=2");
}

TEST_F(RunControlTest, RowClickDuringAWaitMovesTheRun) {
    LoadRows(5);
    model_.SetSelection(0);
    executor_.onLine = [&](const std::string& line) {
        if (line != "等待时间=0") return;
        desktop_.PostAt(desktop_.Clock().Elapsed() + 100, [&] { control_.RowClick(3); });
        for (int i = 0; i < 10; ++i) {
            desktop_.Sleep(50);
            desktop_.PumpMessages();
        }
    };
    control_.Toggle();
    RunTicks(2);
    EXPECT_EQ(executor_.executed, (std::vector<std::string>{"等待时间=0", "等待时间=4"}));
}

TEST_F(RunControlTest, StopDuringAWaitLetsTheLineFinishAndRunsNoMore) {
    LoadRows(3);
    model_.SetSelection(0);
    executor_.onLine = [&](const std::string&) {
        desktop_.PostAt(desktop_.Clock().Elapsed() + 100, [&] { control_.Toggle(); });
        for (int i = 0; i < 10; ++i) {
            desktop_.Sleep(50);
            desktop_.PumpMessages();
        }
    };
    control_.Toggle();
    desktop_.Clock().RunFor(5000);
    EXPECT_EQ(executor_.executed.size(), 1u);
    EXPECT_EQ(model_.CmdGotoCaption(), "开始执行");
    EXPECT_EQ(model_.InstructionPointer(), 1);
    EXPECT_EQ(model_.SelectedRow(), 1);
}

TEST_F(RunControlTest, TicksNeverOverlap) {
    LoadRows(2);
    model_.SetSelection(0);
    int depth = 0;
    int maxDepth = 0;
    executor_.onLine = [&](const std::string&) {
        maxDepth = std::max(maxDepth, ++depth);
        for (int i = 0; i < 20; ++i) {
            desktop_.Sleep(50);
            desktop_.PumpMessages();  // Timer1 falls due several times in here
        }
        --depth;
    };
    control_.Toggle();
    desktop_.Clock().RunFor(10000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_GT(timers_.ReentrantTicks(kTimer1), 0) << "the fake did deliver nested ticks";
}

// Timer1 falls due while a line waits, and that tick runs as soon as the line
// returns: the line after a wait of W ms starts W ms after the wait began,
// and the timer starts over from it.
TEST_F(RunControlTest, TheTickThatFellDueDuringALongLineRunsAsSoonAsItReturns) {
    for (uint64_t waitMs : {100, 150, 2500}) {
        SCOPED_TRACE(waitMs);
        auto startOf = LineStarts({"a", "wait", "b", "c"}, waitMs);
        EXPECT_EQ(startOf["wait"] - startOf["a"], 100u);
        EXPECT_NEAR(double(startOf["b"] - startOf["wait"]), double(waitMs), 2);
        EXPECT_EQ(startOf["c"] - startOf["b"], 100u);
    }
}

// A tick that began late (the program was busy when it fell due) is
// followed an interval after it began, not sooner, even when the next tick
// of the timer arrives while it runs.
TEST_F(RunControlTest, TheNextTickIsDueAnIntervalAfterTheTickBegan) {
    // Busy, without pumping, from 195 to 255 ms: the tick due at 200 begins
    // at 255, and its wait lets the tick of 300 arrive.
    desktop_.PostAt(195, [&] { desktop_.Sleep(60); });
    auto startOf = LineStarts({"a", "wait", "b"}, 60);
    EXPECT_EQ(startOf["wait"], 256u);
    EXPECT_EQ(startOf["b"] - startOf["wait"], 100u);
}

// A run stopped and started again while a line waits ticks from its new
// start: its first tick comes an interval after it, or as soon as the line
// returns when that is later.
TEST_F(RunControlTest, ARunStartedAgainDuringALongLineTicksFromItsStart) {
    for (uint64_t startAfterMs : {200, 970}) {  // into the wait of 1000 ms
        SCOPED_TRACE(startAfterMs);
        uint64_t startedAt = 0;
        auto startOf = LineStarts({"wait", "b"}, 1000, [&] {
            uint64_t now = desktop_.Clock().Elapsed();
            desktop_.PostAt(now + startAfterMs - 100, [&] { control_.Toggle(); });
            desktop_.PostAt(now + startAfterMs, [&] {
                startedAt = desktop_.Clock().Elapsed();
                control_.Toggle();
            });
        });
        uint64_t due = std::max(startOf["wait"] + 1000, startedAt + 100);
        EXPECT_NEAR(double(startOf["b"]), double(due), 3);
    }
}

TEST_F(RunControlTest, RefusedStopAtTheEndOfTheCountRunsOnWithoutStartEntries) {
    LoadRows(1);
    model_.SetSelection(0);
    model_.SetTxtRound("1");
    control_.Toggle();
    model_.SetRecording(true);
    RunTicks(3);  // the line, the refused stop, the line again
    EXPECT_TRUE(model_.IsRunning());
    ASSERT_EQ(dialogs_.Shown().size(), 1u);
    EXPECT_EQ(dialogs_.Shown()[0].text, "还在录制鼠标动作中！ ");
    EXPECT_EQ(executor_.executed.size(), 2u);
    EXPECT_EQ(model_.CycleCounter(), 1);
    EXPECT_EQ(model_.TxtRound(), "0");
    RunTicks(1);
    EXPECT_EQ(model_.TxtRound(), "-1") << "the next end of the list counts down once more";
}

TEST_F(RunControlTest, ShutdownAtTheEndLogsPowersOffAndEndsTheProgram) {
    LoadRows(1);
    model_.SetSelection(0);
    model_.SetTxtRound("1");
    model_.SetChkShut(true);
    control_.Toggle();
    RunTicks(3);
    EXPECT_EQ(desktop_.PowerOffCount(), 1);
    EXPECT_EQ(programEnds_, 1);
    auto entries = LogEntries();
    EXPECT_EQ(std::vector<std::string>(entries.end() - 2, entries.end()),
              (std::vector<std::string>{"", "T\t系统即将自动关机"}));
}

TEST_F(RunControlTest, RunEndedTellsHowTheRunStoppedAndReplacesTheEmptyListRefusal) {
    struct Case {
        const char* name;
        int rows;
        const char* rounds;  // empty: the run never ends by itself
        std::function<void(RunControl&, fake::FakeDesktop&)> act;
        std::vector<RunEnd> ends;
    };
    const Case cases[] = {
        {"cycles ran out", 2, "1", [](RunControl&, fake::FakeDesktop&) {}, {RunEnd::kCyclesDone}},
        {"CmdGoto", 2, "", [](RunControl& c, fake::FakeDesktop&) { c.Toggle(); }, {RunEnd::kStopped}},
        {"Esc",
         2,
         "",
         [](RunControl& c, fake::FakeDesktop& d) {
             c.StartScheduler();
             d.TapKeyAt(d.Clock().Elapsed() + 10, kEscape, 20);
         },
         {RunEnd::kStopped}},
        {"no rows", 0, "1", [](RunControl&, fake::FakeDesktop&) {}, {RunEnd::kCannotStart}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainModel model;
        fake::FakeDialogs dialogs;
        fake::FakeTimers timers(desktop_.Clock());
        RunLog log(desktop_, files_, *codec_);
        ScriptedExecutor executor(model);
        RunControl control(model, desktop_, dialogs, timers, log, executor, "Kestrun");
        std::vector<RunEnd> ends;
        control.runEnded = [&](RunEnd end) { ends.push_back(end); };
        for (int i = 0; i < c.rows; ++i) model.AddRow("等待时间=1");
        model.SetTxtRound(c.rounds);
        control.StartUnattended();
        c.act(control, desktop_);
        for (int i = 0; i < 40 && model.IsRunning(); ++i) desktop_.Clock().RunFor(100);
        EXPECT_FALSE(model.IsRunning());
        EXPECT_EQ(ends, c.ends);
        EXPECT_TRUE(dialogs.Shown().empty());
    }
}

TEST_F(RunControlTest, F7TogglesOnlyWhenDownAtThePoll) {
    LoadRows(1);
    model_.SetSelection(0);
    control_.StartScheduler();
    // A short press between two polls is not noticed.
    desktop_.TapKeyAt(1200, kF7, 100);
    desktop_.Clock().RunFor(2100);
    EXPECT_FALSE(model_.IsRunning());
    // Held across two polls: start, then stop.
    desktop_.PressKeyAt(2500, kF7);
    desktop_.ReleaseKeyAt(4500, kF7);
    desktop_.Clock().RunFor(1000);
    EXPECT_TRUE(model_.IsRunning());
    desktop_.Clock().RunFor(1000);
    EXPECT_FALSE(model_.IsRunning());
}

TEST_F(RunControlTest, EscOnlyStopsARun) {
    LoadRows(1);
    model_.SetSelection(0);
    control_.StartScheduler();
    desktop_.TapKeyAt(500, kEscape, 20);
    desktop_.Clock().RunFor(1100);
    EXPECT_FALSE(model_.IsRunning()) << "an Esc pressed while idle never starts the plan";
    control_.Toggle();
    desktop_.TapKeyAt(1500, kEscape, 20);  // pressed and released between polls
    desktop_.Clock().RunFor(1000);
    EXPECT_FALSE(model_.IsRunning());
}

TEST_F(RunControlTest, ScheduledStartFiresOncePerMinuteFromTheFirstRow) {
    LoadRows(1);
    model_.SetTxtRound("1");
    model_.SetChkDingshi(true);
    model_.SetTxtStartime("8:30");
    control_.StartScheduler();
    desktop_.Clock().RunFor(59000);  // 08:29:59
    EXPECT_EQ(executor_.executed.size(), 0u);
    desktop_.Clock().RunUntil([&] { return model_.IsRunning(); }, 1500);
    EXPECT_TRUE(model_.IsRunning()) << "started within a second of 08:30:00";
    EXPECT_EQ(model_.InstructionPointer(), 0) << "an unattended start begins at the first row";
    desktop_.Clock().RunFor(30000);  // the one-pass run has ended within the minute
    EXPECT_FALSE(model_.IsRunning());
    EXPECT_EQ(executor_.executed.size(), 1u) << "not started again within 08:30";
    EXPECT_EQ(model_.CycleCounter(), 1);
}

TEST_F(RunControlTest, ScheduledStartWaitsForALineOnTrialToEnd) {
    LoadRows(1);
    model_.SetChkDingshi(true);
    model_.SetTxtStartime("8:30");
    control_.StartScheduler();
    model_.SetTryingLine(true);
    desktop_.Clock().RunFor(80000);  // 08:30:20
    EXPECT_FALSE(model_.IsRunning());
    model_.SetTryingLine(false);
    desktop_.Clock().RunUntil([&] { return model_.IsRunning(); }, 1500);
    EXPECT_TRUE(model_.IsRunning()) << "the start of the minute comes after the trial";
}

TEST_F(RunControlTest, BadScheduledTimeWarnsOnceAndUnticks) {
    for (const char* bad : {"25:00", "8:3", "abc", "", "8:60", "8:30:61", "830"}) {
        SCOPED_TRACE(bad);
        dialogs_.ClearShown();
        LoadRows(1);
        model_.SetChkDingshi(true);
        model_.SetTxtStartime(bad);
        control_.SchedulerPoll();
        control_.SchedulerPoll();
        ASSERT_EQ(dialogs_.Shown().size(), 1u);
        EXPECT_EQ(dialogs_.Shown()[0].text, "请输入正确的时间格式（如 8:30）");
        EXPECT_EQ(dialogs_.Shown()[0].flags, platform::mb::kOk | platform::mb::kIconExclamation);
        EXPECT_FALSE(model_.ChkDingshi());
    }
}

// A full disk (or a log file that is read-only or in use) loses the run log's
// entries and nothing else: the run goes on line by line.
TEST_F(RunControlTest, ARunGoesOnWhenTheLogCannotBeWritten) {
    LoadRows(3);
    model_.SetSelection(0);
    files_.SetDiskFull(true);
    control_.Toggle();
    RunTicks(7);
    EXPECT_EQ(executor_.executed, (std::vector<std::string>{"等待时间=0", "等待时间=1", "等待时间=2", "等待时间=0",
                                                            "等待时间=1", "等待时间=2", "等待时间=0"}));
    EXPECT_FALSE(files_.Content(log_.Path()));
    EXPECT_EQ(model_.CycleCounter(), 3);

    files_.SetDiskFull(false);
    files_.AddFile(log_.Path(), "old\r\n", {.readOnly = true});
    RunTicks(2);
    EXPECT_EQ(executor_.executed.size(), 9u);
    EXPECT_EQ(files_.Content(log_.Path()), "old\r\n");
}

TEST(ParseTimeOfDay, AcceptsHoursMinutesAndOptionalSeconds) {
    struct Case {
        const char* text;
        int hour;
        int minute;
    };
    for (const Case& c : {Case{"8:30", 8, 30}, Case{"08:30", 8, 30}, Case{"20:15:00", 20, 15}, Case{" 0:00 ", 0, 0},
                          Case{"23:59:59", 23, 59}}) {
        SCOPED_TRACE(c.text);
        auto t = ParseTimeOfDay(c.text);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->hour, c.hour);
        EXPECT_EQ(t->minute, c.minute);
    }
}

}  // namespace
}  // namespace kestrun
