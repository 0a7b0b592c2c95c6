#include "kestrun/engine/run_control.h"

#include <cctype>

#include "common/platform/key_codes.h"
#include "common/text/number.h"
#include "common/text/utf8.h"

namespace kestrun {

namespace {

// Marks a flag for the length of a scope, so a handler cannot re-enter
// itself from a nested message loop.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

// 32-bit counters wrap instead of overflowing after 2^31 cycles.
int32_t Increment(int32_t v) { return int32_t(uint32_t(v) + 1u); }

std::optional<int> ReadTwoDigits(std::string_view s, size_t& pos, size_t maxDigits) {
    size_t start = pos;
    int value = 0;
    while (pos < s.size() && pos - start < maxDigits && std::isdigit(static_cast<unsigned char>(s[pos]))) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
    }
    if (pos == start) return std::nullopt;
    return value;
}

}  // namespace

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view textIn) {
    std::string s = text::TrimBlanks(textIn);
    size_t pos = 0;
    auto hour = ReadTwoDigits(s, pos, 2);
    if (!hour || pos >= s.size() || s[pos] != ':') return std::nullopt;
    ++pos;
    size_t minuteStart = pos;
    auto minute = ReadTwoDigits(s, pos, 2);
    if (!minute || pos - minuteStart != 2) return std::nullopt;
    if (pos < s.size()) {
        if (s[pos] != ':') return std::nullopt;
        ++pos;
        size_t secondStart = pos;
        auto second = ReadTwoDigits(s, pos, 2);
        if (!second || pos - secondStart != 2 || *second > 59) return std::nullopt;
    }
    if (pos != s.size() || *hour > 23 || *minute > 59) return std::nullopt;
    return TimeOfDay{*hour, *minute};
}

void RunControl::Toggle() {
    // A line on trial owns the pointer until it ends; a start meanwhile does
    // nothing.
    if (model_.TryingLine() && !model_.IsRunning()) return;
    auto refuse = [&](std::string_view message) {
        dialogs_.MessageBox(std::string(message), messageTitle_, platform::mb::kOk);
    };
    if (model_.RowCount() == 0) return refuse(kMessageListEmpty);
    if (model_.IsRecording()) return refuse(kMessageStillRecording);
    if (model_.Timer2Enabled()) return refuse(kMessageStillCapturing);
    if (!model_.IsRunning()) {
        StartRun();
    } else {
        StopRun();
    }
}

void RunControl::StartRun() {
    model_.SetRunning(true);
    model_.SetInstructionPointer(model_.SelectedRow());
    model_.ResetPoints();
    desktop_.SetFineTimerResolution(true);
    nextTickDue_ = desktop_.TimeGetTime() + kTimer1Interval;
    StartTimer1(kTimer1Interval);
    model_.SetCycleCounter(Increment(model_.CycleCounter()));
    executor_.RunStarted();
    LogCycleStart();
}

void RunControl::StopRun() {
    model_.SetRunning(false);
    timers_.KillTimer(kTimer1);
    desktop_.SetFineTimerResolution(false);
    model_.SetTxtScreenXY0Colour(kColourSystemWindow);
    if (runEnded) runEnded(stopMeans_);
}

void RunControl::StartUnattended() {
    if (model_.RowCount() == 0 && runEnded) return runEnded(RunEnd::kCannotStart);
    // Nobody is at the desk to click a row: a run that started on no row
    // would sit there for ever, so it starts at the first row instead.
    if (model_.SelectedRow() < 0 && model_.RowCount() > 0) model_.SetSelection(0);
    Toggle();
}

void RunControl::LogCycleStart() {
    log_.WriteLog("第 " + text::IntToText(model_.CycleCounter()) + " 轮开始执行", true);
    log_.WriteLog("指令数量: " + text::IntToText(model_.RowCount()), false);
}

void RunControl::RowClick(int row) {
    model_.SetSelection(row);
    if (model_.IsRunning() && row >= 0 && row < model_.RowCount()) model_.SetInstructionPointer(row);
}

bool RunControl::CountDownRounds() {
    double remaining = text::LeadingNumber(model_.TxtRound()) - 1;
    model_.SetTxtRound(text::NumberToText(remaining));
    return !(remaining > 0);
}

void RunControl::StartTimer1(uint32_t firstDelayMs) {
    if (firstDelayMs == kTimer1Interval) {
        timers_.SetTimer(kTimer1, kTimer1Interval, [this] { Tick(); });
        return;
    }
    timers_.SetTimer(kTimer1, firstDelayMs, [this] {
        StartTimer1(kTimer1Interval);
        Tick();
    });
}

void RunControl::Tick() {
    if (tickRunning_) {
        tickOwed_ = true;
        return;
    }
    ScopedFlag running(tickRunning_);
    nextTickDue_ = desktop_.TimeGetTime() + kTimer1Interval;
    tickOwed_ = false;
    RunOneTick();
    // A stop during the tick ends the run, and nothing is owed to it.
    if (!model_.IsRunning()) return;
    const int32_t early = int32_t(nextTickDue_ - desktop_.TimeGetTime());
    if (early <= 0) {
        // The next tick fell due while this one ran: it comes as soon as this
        // one returns, and the one after it an interval later.
        StartTimer1(kTimer1Interval);
        timers_.QueueTick(kTimer1);
    } else if (tickOwed_) {
        // A tick arrived sooner than an interval after this one began (this
        // one began late): it comes when it is due.
        StartTimer1(uint32_t(early));
    }
}

void RunControl::RunOneTick() {
    desktop_.PumpMessages();

    if (model_.InstructionPointer() >= model_.RowCount()) {
        model_.SetInstructionPointer(0);
        log_.WriteLog("第 " + text::IntToText(model_.CycleCounter()) + " 轮执行完成", true);
        log_.WriteLog("", true);
        if (!model_.TxtRound().empty() && CountDownRounds()) {
            stopMeans_ = RunEnd::kCyclesDone;
            Toggle();
            stopMeans_ = RunEnd::kStopped;
            if (model_.ChkShut()) {
                log_.WriteLog(kLogShutdown, true);
                ShutdownSystem();
            }
            return;
        }
        model_.SetCycleCounter(Increment(model_.CycleCounter()));
        LogCycleStart();
    }

    std::string line = model_.Row(model_.InstructionPointer());
    log_.WriteLog(line, false);
    executor_.ExecuteLine(line);

    // The selection shows the next line to run; selecting it counts as a
    // click on it, which sets the pointer to the same row.
    int32_t next = model_.InstructionPointer();
    if (next == -1) {
        model_.SetSelection(-1);
    } else if (next >= 0 && next < model_.RowCount()) {
        RowClick(next);
    }
    desktop_.TrimWorkingSet();
}

void RunControl::SchedulerPoll() {
    // A message box shown by the poll runs a modal loop in which the next
    // poll could arrive; it waits for this one to end.
    if (pollRunning_) return;
    ScopedFlag running(pollRunning_);

    // Esc counts when it is down now or was pressed since the last query;
    // F7 only when it is down now.
    bool escPressed = desktop_.GetAsyncKeyState(platform::vk::kEscape) != 0;
    bool f7Pressed = desktop_.GetAsyncKeyState(platform::vk::kF7) < 0;
    // F7 toggles; Esc only ever stops a run, so a stray Esc pressed in
    // another program never starts the loaded plan.
    if (f7Pressed || (escPressed && model_.IsRunning())) Toggle();

    if (!model_.ChkDingshi()) return;
    auto scheduled = ParseTimeOfDay(model_.TxtStartime());
    if (!scheduled) {
        dialogs_.MessageBox(std::string(kMessageBadTime), messageTitle_,
                            platform::mb::kOk | platform::mb::kIconExclamation);
        model_.SetChkDingshi(false);
        return;
    }
    text::LocalTime now = desktop_.LocalNow();
    if (scheduled->hour != now.hour || scheduled->minute != now.minute || model_.IsRunning()) return;
    // A line on trial holds the start off; a later poll of the minute starts
    // the run once the trial is over.
    if (model_.TryingLine()) return;
    // The scheduled start fires once per scheduled minute: a plan that ends
    // before the minute is over is not started again.
    std::string minute = text::FileTimeStamp(now).substr(0, 12);
    if (minute == lastScheduledMinute_) return;
    lastScheduledMinute_ = minute;
    StartUnattended();
}

void RunControl::StartScheduler() {
    timers_.SetTimer(kTimer3, kTimer3Interval, [this] { SchedulerPoll(); });
}

void RunControl::ShutdownSystem() {
    desktop_.PowerOff();
    if (endProgram) endProgram();
}

}  // namespace kestrun
