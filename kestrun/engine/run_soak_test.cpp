// Soak: a plan that uses every instruction kind runs for a million ticks of
// the virtual clock (about three days of virtual time) through the real run
// control and interpreter on the fakes, while a scripted user keeps stopping
// and restarting it (button, F7, Esc), clicking rows, editing the list and
// reloading the lists during its waits and drags. It shows two things:
//  - every tick writes its line to the run log before the line runs, and no
//    tick is lost or runs twice;
//  - the program's memory does not grow: the list, the bitmap table, the
//    paste and URL lists, the files and the pending timer messages stay
//    bounded, and so does the heap in use (where it can be measured).
//
// The fakes' own recorders (the desktop's call log, the file system's log of
// changes, the dialogs shown, the run log's bytes) are test instruments that
// would keep every line; they are emptied or capped here, which is why the run
// log is checked line by line as it is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#define KESTRUN_SOAK_MEASURES_HEAP 1
#endif

#include "common/platform/key_codes.h"
#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "common/text/codec.h"
#include "common/text/utf8.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"

namespace kestrun {
namespace {

constexpr int kF7 = platform::vk::kF7;
constexpr int kEscape = platform::vk::kEscape;
constexpr int32_t kBlockColour = 0x20C040;
constexpr int32_t kPixelColour = 835111;
const std::string kLogPath = "C:\\Kestrun\\日志.txt";

// One line of every kind, and a few kinds twice in other forms.
const std::vector<std::string> kPlan = {
    "等待时间=200",
    "比较位图=1,10,10,2",
    "判断颜色=60,60," + std::to_string(kPixelColour) + ",-1",
    "鼠标点击=R*10,100,左键单击",
    "鼠标拖拉=100,100,200,200",
    "粘贴文字=100,100,列表",
    "粘贴文字=5,5,Kestrun",
    "比较文字=Kestrun,3",
    "模拟按键=^a",
    "模拟按键={ENTER}",
    "打开文件=notepad.exe,3",
    "打开文件=C:\\data\\a.txt",
    "打开网址=列表",
    "鼠标滚动=100,100,3",
    "鼠标滚动=-2",
    "文件操作=复制,C:\\data\\a.txt,C:\\data\\b.txt",
    "文件操作=删除,C:\\data\\b.txt",
    "窗口操作=置顶,记事本",
    "窗口操作=激活,不存在的窗口",
    "屏幕截图=区域,80,0,0,16,16",
    "文件操作=删除,C:\\Kestrun\\screenshot\\*.jpg",
    "等待时间=1000毫秒",
    "等待窗口=记事本,300,-1",
    "窗口坐标=记事本",
    "鼠标点击=10,10,左键单击",
    "窗口坐标=屏幕",
    "等待颜色=60,60," + std::to_string(kPixelColour) + ",300,-1",
    "等待位图=1,10,10,200,-1",
    "查找位图=1,0,0,64,64,0,-1",
    "查找颜色=0,0,320,240," + std::to_string(kPixelColour) + ",0,-1",
    "鼠标点击=X,Y+1,左键单击",
};

// The interpreter, checked: the run log must end with the entry of the line
// at the moment the line runs.
class CheckedExecutor : public LineExecutor {
public:
    CheckedExecutor(LineExecutor& inner, fake::FakeFileSystem& files, const text::AnsiCodec& codec)
        : inner_(inner), files_(files), codec_(codec) {}

    void ExecuteLine(const std::string& line) override {
        ++executed;
        const std::string entry = "\t" + EncodeWithEscapes(codec_, line) + "\r\n";
        if (!text::EndsWith(files_.Content(kLogPath).value_or(""), entry)) ++unlogged;
        inner_.ExecuteLine(line);
    }

    int64_t executed = 0;
    int64_t unlogged = 0;

private:
    LineExecutor& inner_;
    fake::FakeFileSystem& files_;
    const text::AnsiCodec& codec_;
};

// Everything that grows when something leaks, measured at one moment.
struct Footprint {
    size_t rows = 0;
    size_t bitmaps = 0;
    size_t pasteEntries = 0;
    size_t urlEntries = 0;
    size_t files = 0;
    size_t logBytes = 0;
    size_t pending = 0;
    size_t heapBytes = 0;
};

class RunSoak {
public:
    RunSoak()
        : desktop_(fake::FakeDesktop::kDefaultStartTick, 320, 240),
          codec_(text::MakeSystemCodec()),
          timers_(desktop_.Clock()),
          log_(desktop_, files_, *codec_),
          interpreter_(model_, desktop_, files_, log_, random_),
          executor_(interpreter_, files_, *codec_),
          control_(model_, desktop_, dialogs_, timers_, log_, executor_, "Kestrun"),
          lists_(model_, files_, dialogs_, desktop_, *codec_) {
        model_.SetProgramFolder("C:\\Kestrun\\");
        log_.SetPath(kLogPath);
        files_.AddFolder("C:\\Kestrun\\screenshot");
        files_.AddFile("C:\\data\\a.txt", "a");
        files_.AddFile("C:\\data\\paste.txt", "Kestrun\r\n第二\r\nthird\r\n");
        files_.AddFile("C:\\data\\urls.txt", "https://example.com/\r\nb.html\r\n");
        files_.KeepTailOf(kLogPath, 4096);
        lists_.rowClick = [this](int row) { control_.RowClick(row); };
        lists_.LoadPasteListFile("C:\\data\\paste.txt");
        lists_.LoadUrlListFile("C:\\data\\urls.txt");

        fake::FakeWindow notepad;
        notepad.title = "记事本";
        desktop_.AddWindow(notepad);
        // The program shows no window, so launching it again and again
        // leaves nothing behind on the fake desktop.
        desktop_.AddProgram({"notepad.exe", 4242, "", 0});
        desktop_.PaintRect(10, 10, 40, 40, kBlockColour);
        desktop_.Screen().Set(60, 60, kPixelColour);
        model_.EditBitmaps([&](auto& bitmaps) { bitmaps[1].reference = platform::Image(40, 40, kBlockColour); });

        // Stops and starts are counted as the caption of CmdGoto changes,
        // whoever makes them (button, F7, Esc).
        model_.SetChangeListener([this](ModelPart control) {
            if (control != ModelPart::CmdGoto || model_.IsRunning() == running_) return;
            running_ = model_.IsRunning();
            ++(running_ ? starts_ : stops_);
        });
        model_.SetRows(kPlan);
        model_.SetSelection(0);
        control_.StartScheduler();
        control_.Toggle();
        PostUserAction(kUserPeriodMs);
    }

    // Runs until `ticks` more lines have been executed.
    void RunTicks(int64_t ticks) {
        const int64_t target = executor_.executed + ticks;
        desktop_.Clock().RunUntil([&] { return executor_.executed >= target; }, uint64_t(ticks) * 10'000);
        ASSERT_GE(executor_.executed, target) << "the run stopped for good";
    }

    Footprint Measure() {
        Footprint f;
        f.rows = model_.Rows().size();
        f.bitmaps = model_.Bitmaps().size();
        f.pasteEntries = model_.PasteEntries().size();
        f.urlEntries = model_.UrlEntries().size();
        f.files = files_.AllFiles().size();
        f.logBytes = files_.Content(kLogPath).value_or("").size();
        f.pending = desktop_.Clock().PendingCount();
#ifdef KESTRUN_SOAK_MEASURES_HEAP
        // Bytes in use from the heap and in blocks of their own (large ones).
        const struct mallinfo2 info = mallinfo2();
        f.heapBytes = info.uordblks + info.hblkhd;
#endif
        return f;
    }

    int64_t Executed() const { return executor_.executed; }
    int64_t Unlogged() const { return executor_.unlogged; }
    // Ticks that ran a line: all ticks but those that arrived while the
    // previous tick was still running (which return at once).
    int64_t TicksThatRan() const { return timers_.TickCount(kTimer1) - timers_.ReentrantTicks(kTimer1); }
    int Stops() const { return stops_; }
    int Starts() const { return starts_; }
    int32_t Cycles() const { return model_.CycleCounter(); }

private:
    static constexpr uint64_t kUserPeriodMs = 3'700;

    // The scripted user: one action every few seconds, each in turn. Actions
    // arrive as messages, so they happen in the pumps of waits, drags and
    // ticks, or while the program idles after a stop.
    void PostUserAction(uint64_t afterMs) {
        desktop_.PostAt(desktop_.Clock().Elapsed() + afterMs, [this] {
            UserAction(action_++ % 10);
            // The recorders of the fakes are test instruments, not program
            // state: they would keep every call of the whole soak.
            desktop_.ClearLog();
            files_.ClearLog();
            dialogs_.ClearShown();
            PostUserAction(kUserPeriodMs);
        });
    }

    void UserAction(int action) {
        const int rows = model_.RowCount();
        const uint64_t now = desktop_.Clock().Elapsed();
        switch (action) {
            case 0:  // a click on a row
                control_.RowClick(int(Next() % uint32_t(rows)));
                break;
            case 1:  // the first line edited
                model_.SetRowText(0, "等待时间=" + std::to_string(100 + Next() % 300));
                break;
            case 2:  // the stop button, and a start a second and a half later
                if (!model_.IsRunning()) break;
                control_.Toggle();
                desktop_.PostAt(now + 1'500, [this] { StartIfStopped(); });
                break;
            case 3:  // a line moved down and back up
                control_.RowClick(int(Next() % uint32_t(rows - 1)));
                lists_.MoveDown();
                lists_.MoveUp();
                break;
            case 4:  // F7 stops the run, F7 again starts it
                if (!model_.IsRunning()) break;
                desktop_.TapKeyAt(now + 10, kF7, 1'000);
                desktop_.TapKeyAt(now + 4'000, kF7, 1'000);
                desktop_.PostAt(now + 6'000, [this] { StartIfStopped(); });
                break;
            case 5:  // the lists loaded again
                lists_.LoadPasteListFile("C:\\data\\paste.txt");
                lists_.LoadUrlListFile("C:\\data\\urls.txt");
                break;
            case 6:  // a line added at the end
                model_.AddRow("鼠标滚动=1");
                break;
            case 7:  // the bitmap block changes for a second
                desktop_.PaintRect(10, 10, 40, 40, 0);
                desktop_.At(now + 1'000, [this] { desktop_.PaintRect(10, 10, 40, 40, kBlockColour); });
                break;
            case 8:  // the added line selected and deleted
                if (rows > int(kPlan.size())) {
                    control_.RowClick(rows - 1);
                    dialogs_.AnswerMessageBox(platform::mb::kIdYes);
                    lists_.Delete();
                }
                break;
            case 9:  // Esc stops, the button starts again
                if (!model_.IsRunning()) break;
                desktop_.TapKeyAt(now + 10, kEscape, 100);
                desktop_.PostAt(now + 2'500, [this] { StartIfStopped(); });
                break;
        }
    }

    // The user's start after a stop; a key the poll did not see left the run
    // going, or a second poll saw F7 again.
    void StartIfStopped() {
        if (!model_.IsRunning()) control_.Toggle();
    }

    uint32_t Next() {
        seed_ = seed_ * 1103515245u + 12345u;
        return seed_ >> 8;
    }

    struct FixedRandom : RandomSource {
        float Next() override {
            state = state * 1664525u + 1013904223u;
            return float(state >> 8) / float(1u << 24);
        }
        uint32_t state = 7;
    };

    fake::FakeDesktop desktop_;
    fake::FakeDialogs dialogs_;
    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_;
    fake::FakeTimers timers_;
    MainModel model_;
    RunLog log_;
    FixedRandom random_;
    Interpreter interpreter_;
    CheckedExecutor executor_;
    RunControl control_;
    ListManager lists_;
    uint32_t seed_ = 1;
    int action_ = 0;
    bool running_ = false;
    int stops_ = 0;
    int starts_ = 0;
};

void Soak(int64_t ticks) {
    RunSoak soak;
    const auto started = std::chrono::steady_clock::now();
    // Warm up: the lists, the screenshot folder and the heap reach their
    // working size.
    const int64_t warmUp = std::max<int64_t>(ticks / 20, 2'000);
    soak.RunTicks(warmUp);
    const Footprint base = soak.Measure();

    constexpr int kCheckpoints = 10;
    size_t endHeapBytes = base.heapBytes;
    for (int i = 1; i <= kCheckpoints; ++i) {
        soak.RunTicks((ticks - warmUp) / kCheckpoints);
        const Footprint now = soak.Measure();
        SCOPED_TRACE("checkpoint " + std::to_string(i) + " after " + std::to_string(soak.Executed()) + " ticks");
        EXPECT_LE(now.rows, kPlan.size() + 1);
        EXPECT_LE(now.bitmaps, base.bitmaps);
        EXPECT_LE(now.pasteEntries, 3u);
        EXPECT_LE(now.urlEntries, 2u);
        EXPECT_LE(now.files, base.files + 2);
        EXPECT_LT(now.logBytes, 2u * 4096u);
        EXPECT_LE(now.pending, base.pending + 8);
        // Nothing in the program is meant to grow: a leak of 8 bytes a tick
        // would be several megabytes here.
        EXPECT_LT(now.heapBytes, base.heapBytes + 512 * 1024);
        endHeapBytes = now.heapBytes;
    }

    EXPECT_GE(soak.Executed(), ticks);
    EXPECT_EQ(soak.Unlogged(), 0) << "ticks whose line was not the last run log entry";
    EXPECT_EQ(soak.TicksThatRan(), soak.Executed());
    // The scripted user did stop and start the run many times.
    EXPECT_GT(soak.Stops(), int(ticks / 2'000));
    EXPECT_GT(soak.Starts(), int(ticks / 2'000));
    EXPECT_GT(soak.Cycles(), int32_t(ticks / 40));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "[ soak     ] %lld ticks, %d cycles, %d stops in %.1f s; heap %zu bytes after the warm-up, %zu at the end\n",
        static_cast<long long>(soak.Executed()), int(soak.Cycles()), soak.Stops(), seconds, base.heapBytes,
        endHeapBytes);
}

// Every build runs the short soak, the sanitizer build included.
TEST(RunSoakTest, EveryKindForFiftyThousandTicks) { Soak(50'000); }

// The full soak: the native test run takes it; the sanitizer run, where it is
// several times slower, leaves it out (scripts/test.sh).
TEST(RunSoakTest, EveryKindForAMillionTicks) { Soak(1'000'000); }

}  // namespace
}  // namespace kestrun
