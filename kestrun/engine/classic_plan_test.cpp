// A plan of the fourteen classic kinds, with cycle expressions and jumps,
// runs three cycles through the real run control and interpreter; the call
// log of the desktop (every input event, pause and window call) and the run
// log's bytes must stay exactly what they were before the waits, searches
// and window origin joined the language. Their digests were taken from the
// program as it was then.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "common/text/codec.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"

namespace kestrun {
namespace {

class FixedRandom : public RandomSource {
public:
    float Next() override { return 0.25f; }
};

const std::vector<std::string> kClassicPlan = {
    "比较位图=1,10,10,-1",
    "比较位图=1,200,200,-1,",
    "判断颜色=60,60,835111,-1",
    "判断颜色=61,60,835111,-1",
    "鼠标点击=R*10,100+R,左键单击",
    "鼠标点击=100/(R-1),5,右键单击",
    "鼠标点击=100+5,7,左键双击",
    "鼠标拖拉=100,100,200,150",
    "粘贴文字=100,100,列表",
    "粘贴文字=5,5,随机列表",
    "粘贴文字=5,5,Kestrun",
    "比较文字=Kestrun,-1",
    "比较文字=other,-1",
    "模拟按键=^a",
    "打开文件=notepad.exe,3",
    "打开文件=C:\\data\\a.txt",
    "打开网址=https://example.com/",
    "等待时间=120毫秒",
    "鼠标滚动=100,100,3",
    "鼠标滚动=-2",
    "文件操作=复制,C:\\data\\a.txt,C:\\data\\b.txt",
    "窗口操作=最大化,记事本",
    "窗口操作=激活,不存在的窗口",
    "屏幕截图=区域,80,0,0,16,16",
    "判断颜色=1,1,255,-3",
};

uint64_t Digest(std::string_view bytes, uint64_t hash = 1469598103934665603ull) {
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

TEST(ClassicPlanTest, RunsExactlyAsBefore) {
    fake::FakeDesktop desktop(fake::FakeDesktop::kDefaultStartTick, 320, 240);
    fake::FakeDialogs dialogs;
    fake::FakeFileSystem files;
    std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    fake::FakeTimers timers(desktop.Clock());
    MainModel model;
    RunLog log(desktop, files, *codec);
    FixedRandom random;
    Interpreter interpreter(model, desktop, files, log, random);
    RunControl control(model, desktop, dialogs, timers, log, interpreter, "Kestrun");

    desktop.SetLocalTime({2026, 12, 6, 8, 30, 0, 0});
    model.SetProgramFolder("C:\\Kestrun\\");
    log.SetPath("C:\\Kestrun\\日志.txt");
    files.AddFolder("C:\\Kestrun\\screenshot");
    files.AddFile("C:\\data\\a.txt", "a");
    fake::FakeWindow notepad;
    notepad.title = "记事本";
    desktop.AddWindow(notepad);
    desktop.AddProgram({"notepad.exe", 4242, "", 0});
    desktop.PaintRect(10, 10, 40, 40, 0x20C040);
    desktop.Screen().Set(60, 60, 835111);
    desktop.Clipboard() = "Kestrun";
    model.EditBitmaps([&](auto& bitmaps) { bitmaps[1].reference = platform::Image(40, 40, 0x20C040); });
    model.SetPasteList({"一", "二", "三"}, "一");
    model.SetTxtRound("3");
    model.SetRows(kClassicPlan);
    model.SetSelection(0);

    control.Toggle();
    for (int i = 0; i < 400 && model.IsRunning(); ++i) timers.TickNow(kTimer1);
    ASSERT_FALSE(model.IsRunning());

    // The message loop's waits and pumps are left out: how often a wait for
    // messages ends depends on when the timer's ticks fall, not on what the
    // plan does.
    std::string calls;
    size_t count = 0;
    for (const std::string& line : desktop.Log()) {
        if (line.starts_with("WaitForMessages") || line.starts_with("PumpMessages")) continue;
        calls += line + "\n";
        ++count;
    }
    EXPECT_EQ(count, 384u);
    EXPECT_EQ(Digest(calls), 9773140051604486393ull);
    EXPECT_EQ(Digest(files.ReadFile(log.Path()).value_or("")), 2691216961614686519ull);
}

}  // namespace
}  // namespace kestrun
