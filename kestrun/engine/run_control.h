// Run control: starting and stopping a run, the executor tick (one line per
// 100 ms), cycles and their count in TxtRound, the scheduler poll (F7, Esc,
// the scheduled start) and the power-off at the end.
//
// Everything runs on the window's one thread. A tick lets the message loop
// run, so a stop, a start or a row click can happen in the middle of one:
// the tick re-reads the shared state after every pump, and a tick never
// starts while the previous one is still running.
//
// The next tick is due one interval after a tick began. A tick that runs past
// that (a wait, a drag, a launch) owes the tick that fell due meanwhile: it
// runs as soon as the long one returns, and Timer1 starts over from it, so
// the line after a wait of W ms starts W ms after the wait's tick began and
// ticks never come closer than the interval.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "common/platform/timers.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"

namespace kestrun {

inline constexpr int kTimer1 = 1;  // the executor, 100 ms
inline constexpr int kTimer3 = 3;  // the scheduler poll, 1000 ms
inline constexpr uint32_t kTimer1Interval = 100;
inline constexpr uint32_t kTimer3Interval = 1000;

inline constexpr std::string_view kMessageListEmpty = "指令列表为空！";
inline constexpr std::string_view kMessageStillRecording = "还在录制鼠标动作中！ ";
inline constexpr std::string_view kMessageStillCapturing = "还在监测鼠标或键盘动作中！ ";
inline constexpr std::string_view kMessageBadTime = "请输入正确的时间格式（如 8:30）";
inline constexpr std::string_view kLogShutdown = "系统即将自动关机";

// Performs one instruction line and moves the instruction pointer.
class LineExecutor {
public:
    virtual ~LineExecutor() = default;
    virtual void ExecuteLine(const std::string& line) = 0;
    // A run starts: what an executor remembers for one run is forgotten.
    virtual void RunStarted() {}
};

// How a run ended; the values are the exit code of a program that closes
// itself when its run stops.
enum class RunEnd { kCyclesDone = 0, kStopped = 1, kCannotStart = 2 };

// A time of day written as H:MM or H:MM:SS (blanks around it allowed).
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
};
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

class RunControl {
public:
    RunControl(MainModel& model, platform::Desktop& desktop, platform::Dialogs& dialogs, platform::Timers& timers,
               RunLog& log, LineExecutor& executor, std::string messageTitle)
        : model_(model),
          desktop_(desktop),
          dialogs_(dialogs),
          timers_(timers),
          log_(log),
          executor_(executor),
          messageTitle_(std::move(messageTitle)) {}

    // Called when the program must end at once after the power-off request
    // (the window's close-down does not run).
    std::function<void()> endProgram;
    // Called when a run stops: kCyclesDone when its cycles ran out, kStopped
    // for a stop by the user (CmdGoto, F7, Esc). While it is set, an
    // unattended start without rows calls it with kCannotStart instead of
    // showing the refusal, since nobody is there to answer it.
    std::function<void(RunEnd)> runEnded;

    // The start/stop toggle behind CmdGoto (also F7, Esc, the scheduled start,
    // the command-line start and the end of the cycles). A start while a line
    // is on trial does nothing.
    void Toggle();
    // A start made when nobody is at the desk (scheduled, or from a settings
    // file on the command line): with no row selected it starts at the first.
    void StartUnattended();
    // A click on a row of List1: selects it; during a run the pointer follows.
    void RowClick(int row);
    // One tick of Timer1.
    void Tick();
    // One poll of Timer3.
    void SchedulerPoll();
    // Starts Timer3; called once the window exists.
    void StartScheduler();

private:
    void StartRun();
    void StopRun();
    // One tick's work: the end of the list, the line, the selection, the trim.
    void RunOneTick();
    // Starts Timer1 so that its first tick comes after firstDelayMs and the
    // following ones one interval apart.
    void StartTimer1(uint32_t firstDelayMs);
    void LogCycleStart();
    void ShutdownSystem();
    bool CountDownRounds();  // true when the cycle count has run out

    MainModel& model_;
    platform::Desktop& desktop_;
    platform::Dialogs& dialogs_;
    platform::Timers& timers_;
    RunLog& log_;
    LineExecutor& executor_;
    std::string messageTitle_;
    bool tickRunning_ = false;
    // A tick of Timer1 arrived while the previous one was still running.
    bool tickOwed_ = false;
    // When the next tick of Timer1 is due (timeGetTime): an interval after
    // the start of the run or of the last tick.
    uint32_t nextTickDue_ = 0;
    bool pollRunning_ = false;
    // The scheduled minute that already started a run ("yyyyMMddHHmm"), so a
    // plan that ends within its minute is not started again.
    std::string lastScheduledMinute_;
    // What a stop means now: the end of the cycles while the tick stops the
    // run, a stop by the user at any other time.
    RunEnd stopMeans_ = RunEnd::kStopped;
};

}  // namespace kestrun
