// Kestrun runs a plan given to it on the command line the way a user's
// unattended run starts: a settings file names the plan and the cycle count,
// the run starts at once, acts on the target window, writes its log and
// stops by itself.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "common/text/codec.h"
#include "common/text/lines.h"
#include "common/win32/wide.h"
#include "e2e/support/bmp_file.h"
#include "e2e/support/dialog_driver.h"
#include "e2e/support/program.h"
#include "e2e/support/target_window.h"
#include "e2e/support/temp_folder.h"
#include "e2e/support/wait.h"
#include "kestrun/ui/product.h"

namespace {

std::string Ansi(const std::string& utf8) { return text::MakeSystemCodec()->Encode(utf8).value_or(""); }

std::string Utf8(const std::string& ansi) { return text::MakeSystemCodec()->Decode(ansi); }

std::string Point(POINT p, const char* between = ",") { return std::to_string(p.x) + between + std::to_string(p.y); }

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class KestrunRunTest : public testing::Test {
protected:
    // Writes the plan and a settings file naming it into the input folder and
    // starts Kestrun with the settings file.
    // Reference bitmaps go where a plan named "plan" keeps them, by number.
    std::unique_ptr<e2e::Program> StartWithPlan(const std::vector<std::string>& lines, const std::string& extra = "",
                                                const std::map<int, std::string>& bitmaps = {}) {
        std::string plan;
        for (const auto& line : lines) plan += line + "\r\n";
        plan += "\r\n";
        std::wstring planPath = inputs_.Path() + L"plan.csv";
        EXPECT_TRUE(e2e::WriteWholeFile(planPath, Ansi(plan)));
        std::string settings = "方案文件=" + win32::Narrow(planPath) + "\r\n循环次数=1\r\n" + extra;
        std::wstring settingsPath = inputs_.Path() + L"run.ini";
        EXPECT_TRUE(e2e::WriteWholeFile(settingsPath, Ansi(settings)));
        // Minimised, so that Kestrun's own window does not cover the target
        // and take the clicks the plan aims at it.
        if (bitmaps.empty()) return e2e::Program::Start(L"kestrun.exe", settingsPath, SW_SHOWMINNOACTIVE);
        // The bitmaps are in place before the program starts and loads the plan.
        CreateDirectoryW((programFolder_.Path() + L"screenshot").c_str(), nullptr);
        for (const auto& [number, bytes] : bitmaps) {
            const std::wstring file = L"screenshot\\plan" + std::to_wstring(number) + L".bmp";
            EXPECT_TRUE(e2e::WriteWholeFile(programFolder_.Path() + file, bytes));
        }
        return e2e::Program::StartIn(programFolder_.Path(), L"kestrun.exe", settingsPath, SW_SHOWMINNOACTIVE);
    }

    // The run log as lines, time stamps checked and replaced by "T".
    std::vector<std::string> RunLog(const e2e::Program& program) {
        std::string text = Utf8(e2e::ReadWholeFile(program.Folder() + L"日志.txt"));
        std::vector<std::string> lines = text::SplitLines(text);
        static const std::regex stamp(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t)");
        for (auto& line : lines) {
            if (line.empty()) continue;
            EXPECT_TRUE(std::regex_search(line, stamp)) << line;
            line = std::regex_replace(line, stamp, "T\t");
        }
        return lines;
    }

    bool WaitForRunEnd(const e2e::Program& program, uint32_t timeoutMs) {
        return e2e::WaitUntil(
            [&] {
                auto log = RunLog(program);
                return Contains(log, "T\t第 1 轮执行完成");
            },
            timeoutMs);
    }

    e2e::TempFolder inputs_;
    e2e::TempFolder programFolder_;
};

TEST_F(KestrunRunTest, PlanOfEveryKindRunsAgainstTheTargetAndLogsEachLine) {
    e2e::TargetOptions options;
    options.title = L"Kestrun Run Target";
    options.rect = {200, 150, 700, 550};
    options.paints = {L"300,200,20,20,835111"};
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    POINT editPoint = target->ScreenPoint(40, 20);
    POINT click = target->ScreenPoint(100, 150);
    POINT wheel = target->ScreenPoint(200, 150);
    POINT dragFrom = target->ScreenPoint(100, 250);
    POINT dragTo = target->ScreenPoint(160, 250);
    POINT painted = target->ScreenPoint(305, 205);
    std::wstring copySource = inputs_.Path() + L"source.txt";
    ASSERT_TRUE(e2e::WriteWholeFile(copySource, "copied"));
    std::string copyTarget = inputs_.Utf8(L"copy.txt");

    std::vector<std::string> plan = {
        "鼠标点击=" + Point(click) + ",左键单击",
        "粘贴文字=" + Point(editPoint) + ",你好Kestrun",
        "模拟按键=a",
        "模拟按键={ENTER}",
        "鼠标滚动=" + Point(wheel) + ",2",
        "鼠标拖拉=" + Point(dragFrom) + "," + Point(dragTo),
        "判断颜色=" + Point(painted) + ",835111,0",
        "比较文字=你好Kestrun,0",
        "比较位图=1,0,0,-2",
        "鼠标点击=" + Point(click) + ",右键单击",
        "等待时间=300毫秒",
        "文件操作=复制," + win32::Narrow(copySource) + "," + copyTarget,
        "窗口操作=激活,Kestrun Run Target",
        "屏幕截图=区域,80,0,0,64,48",
        // A document without an associated program: the shell fails silently.
        "打开网址=" + inputs_.Utf8(L"nothing.unknownext"),
        // A program by its command line, minimised without focus.
        "打开文件=" + win32::Narrow(e2e::BinFolder()) + "target.exe,6",
    };
    auto kestrun = StartWithPlan(plan);
    ASSERT_TRUE(kestrun);
    HWND window = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForRunEnd(*kestrun, 20000)) << "the run did not complete its cycle";

    // The target saw the input, in order, at the points written in the plan.
    auto lines = target->LogLines();
    EXPECT_TRUE(Contains(lines, "WM_LBUTTONDOWN " + std::to_string(click.x) + " " + std::to_string(click.y)));
    EXPECT_TRUE(Contains(lines, "WM_MOUSEWHEEL 240 " + std::to_string(wheel.x) + " " + std::to_string(wheel.y)));
    EXPECT_TRUE(Contains(lines, "WM_LBUTTONDOWN " + std::to_string(dragFrom.x) + " " + std::to_string(dragFrom.y)));
    EXPECT_TRUE(Contains(lines, "WM_LBUTTONUP " + std::to_string(dragTo.x) + " " + std::to_string(dragTo.y)));
    EXPECT_FALSE(Contains(lines, "WM_RBUTTONDOWN " + std::to_string(click.x) + " " + std::to_string(click.y)))
        << "the failed bitmap test jumped over the right click";
    EXPECT_EQ(target->EditText(), "你好Kestruna\r\n");

    // Files: the copy and the region screenshot.
    EXPECT_EQ(e2e::ReadWholeFile(win32::Wide(copyTarget)), "copied");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((kestrun->Folder() + L"screenshot\\区域截图*.jpg").c_str(), &found);
    EXPECT_NE(search, INVALID_HANDLE_VALUE) << "no region screenshot";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);

    // The log: the start entries, then every executed line as written.
    auto log = RunLog(*kestrun);
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "");
    EXPECT_EQ(log[1], "T\t第 1 轮开始执行");
    EXPECT_EQ(log[2], "T\t指令数量: " + std::to_string(plan.size()));
    std::vector<std::string> expected;
    for (size_t i = 0; i < plan.size(); ++i) {
        if (i == 9) continue;  // jumped over
        expected.push_back("T\t" + plan[i]);
    }
    ASSERT_GE(log.size(), 3 + expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin() + 3, log.begin() + 3 + expected.size()), expected);
    EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
              (std::vector<std::string>{"", "T\t第 1 轮执行完成", "", "T\t"}));

    // The launched program's window appeared; it is closed again.
    HWND launched = nullptr;
    EXPECT_TRUE(e2e::WaitUntil([&] { return (launched = FindWindowW(nullptr, L"E2E Target")) != nullptr; }));
    if (launched) {
        EXPECT_TRUE(IsIconic(launched)) << "started minimised (style 6)";
        PostMessageW(launched, WM_CLOSE, 0, 0);
    }
    target->Close();
    kestrun->Close(window);
}

TEST_F(KestrunRunTest, WaitsSearchesAndTheWindowOriginFollowTheScreen) {
    e2e::TargetOptions options(L"Kestrun Find Target", {200, 150, 700, 550});
    options.paints = {L"317,233,20,20,1193046"};  // somewhere the plan does not name
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    const POINT block = target->ScreenPoint(317, 233);
    const POINT before = target->ScreenPoint(50, 150);

    std::vector<std::string> plan = {
        // The second target shows its colour there a while after the start;
        // a wait that times out ends the cycle (pointer past the end).
        "等待颜色=950,780,4227327,10000,-100",
        "查找颜色=0,0,1280,1024,1193046,0,-100",
        "鼠标点击=X+5,Y+5,左键单击",
        "窗口坐标=Kestrun Find Target",
        "鼠标点击=50,150,左键单击",
        "等待时间=1500",
        "窗口坐标=Kestrun Find Target",
        "鼠标点击=50,150,左键单击",
    };
    auto kestrun = StartWithPlan(plan);
    ASSERT_TRUE(kestrun);
    HWND window = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(window, nullptr);
    Sleep(1500);
    // Below the edit box that covers the top of its client area.
    e2e::TargetOptions lateOptions(L"Kestrun Late Target", {900, 700, 1000, 800});
    lateOptions.popup = true;
    lateOptions.paints = {L"0,60,100,40,4227327"};
    auto late = e2e::TargetWindow::Start(lateOptions);
    ASSERT_TRUE(late);

    const std::string firstClick = "WM_LBUTTONDOWN " + std::to_string(block.x + 5) + " " + std::to_string(block.y + 5);
    EXPECT_TRUE(target->WaitForLogLine(firstClick, 10000))
        << "the search did not lead the click to the block: " << testing::PrintToString(RunLog(*kestrun))
        << testing::PrintToString(target->LogLines());
    const std::string originClick = "WM_LBUTTONDOWN " + std::to_string(before.x) + " " + std::to_string(before.y);
    EXPECT_TRUE(target->WaitForLogLine(originClick, 5000)) << "the click relative to the window missed it";
    SetWindowPos(target->Window(), nullptr, 350, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const POINT after = target->ScreenPoint(50, 150);
    ASSERT_NE(after.x, before.x);
    ASSERT_TRUE(WaitForRunEnd(*kestrun, 10000));
    EXPECT_TRUE(
        Contains(target->LogLines(), "WM_LBUTTONDOWN " + std::to_string(after.x) + " " + std::to_string(after.y)))
        << "the origin line run again did not follow the moved window";

    late->Close();
    target->Close();
    kestrun->Close(window);
}

TEST_F(KestrunRunTest, APictureSearchFindsTheBlockWhereverTheTargetShowsItAndTheClickLandsOnIt) {
    // Two bands, the lower one a little off the reference in every channel:
    // within the tolerance the plan gives.
    constexpr int kTop = 0x1F8E4D, kBottom = 0x6B2FA0, kBottomShown = 0x6530A6;
    e2e::TargetOptions options(L"Kestrun Picture Target", {200, 150, 700, 550});
    options.paints = {L"233,181,40,20," + std::to_wstring(kTop), L"233,201,40,20," + std::to_wstring(kBottomShown),
                      L"400,300,40,40," + std::to_wstring(kTop)};
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    const POINT centre = target->ScreenPoint(233 + 20, 181 + 20);

    const std::string picture = e2e::BmpFile(40, 40, [](int, int y) { return y < 20 ? kTop : kBottom; });
    // A wait that times out ends the cycle before the click (pointer past
    // the end), so the click shows that each line before it succeeded.
    const std::vector<std::string> plan = {
        "等待窗口=Kestrun Picture Target,5000,-100",
        "窗口坐标=Kestrun Picture Target",
        "等待位图=2,400,300,5000,-100",
        "窗口坐标=屏幕",
        "查找位图=1,0,0,1280,1024,10,-100",
        "鼠标点击=X,Y,左键单击",
    };
    auto kestrun = StartWithPlan(plan, "", {{1, picture}, {2, e2e::SolidBmp(40, 40, kTop)}});
    ASSERT_TRUE(kestrun);
    HWND window = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(target->WaitForLogLine("WM_LBUTTONDOWN " + Point(centre, " "), 10000))
        << "the click did not land on the middle of the block: " << testing::PrintToString(RunLog(*kestrun))
        << testing::PrintToString(target->LogLines());
    ASSERT_TRUE(WaitForRunEnd(*kestrun, 10000));

    target->Close();
    kestrun->Close(window);
}

TEST_F(KestrunRunTest, WindowOperationsActOnASecondWindowFoundByTitle) {
    e2e::TargetOptions options;
    options.title = L"Kestrun 窗口操作 Target";
    options.rect = {600, 500, 900, 700};
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    HWND window = target->Window();
    // The contained, case-insensitive title finds it; the missing one is logged.
    auto kestrun = StartWithPlan({
        "窗口操作=最大化,窗口操作 target",
        "窗口操作=置顶,Kestrun 窗口操作 Target",
        "窗口操作=半透明,Kestrun 窗口操作 Target",
        "窗口操作=还原,Kestrun 窗口操作 Target",
        "窗口操作=激活,没有这个窗口",
    });
    ASSERT_TRUE(kestrun);
    HWND main = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForRunEnd(*kestrun, 20000));
    EXPECT_FALSE(IsZoomed(window)) << "restored after the maximise";
    LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 125);
    EXPECT_TRUE(Contains(RunLog(*kestrun), "T\t【错误】找不到窗口: 没有这个窗口"));
    target->Close();
    kestrun->Close(main);
}

TEST_F(KestrunRunTest, ScreenshotsAreJpegFilesWhoseSizeFollowsTheQuality) {
    e2e::TargetOptions options;
    options.title = L"Kestrun Screenshot Target";
    options.rect = {100, 100, 500, 400};
    for (int i = 0; i < 20; ++i) {
        options.paints.push_back(std::to_wstring(i * 17) + L",80," + std::to_wstring(8) + L",200," +
                                 std::to_wstring(i * 0x0B1F37));
    }
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    POINT corner = target->ScreenPoint(0, 80);
    std::string region = "," + std::to_string(corner.x) + "," + std::to_string(corner.y) + ",340,200";
    auto kestrun = StartWithPlan({"屏幕截图=区域,95" + region, "等待时间=1100", "屏幕截图=区域,5" + region});
    ASSERT_TRUE(kestrun);
    HWND main = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForRunEnd(*kestrun, 20000));

    std::map<std::string, std::string> byName;  // names sort by time
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((kestrun->Folder() + L"screenshot\\*.jpg").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        std::string name = win32::Narrow(found.cFileName);
        EXPECT_TRUE(std::regex_match(name, std::regex("区域截图\\d{14}\\.jpg"))) << name;
        byName[name] = e2e::ReadWholeFile(kestrun->Folder() + L"screenshot\\" + found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::vector<std::string> shots;
    for (const auto& [name, shot] : byName) shots.push_back(shot);
    ASSERT_EQ(shots.size(), 2u) << "two shots a second apart have two names";
    for (const auto& shot : shots) {
        ASSERT_GE(shot.size(), 4u);
        EXPECT_EQ(shot.substr(0, 2), "\xFF\xD8");
        EXPECT_EQ(shot.substr(shot.size() - 2), "\xFF\xD9");
    }
    // The first shot is quality 95, the second 5.
    EXPECT_GT(shots[0].size(), shots[1].size() * 2) << "quality changes the file";
    target->Close();
    kestrun->Close(main);
}

TEST_F(KestrunRunTest, ClosingDuringALongWaitEndsTheProgramAtOnce) {
    auto kestrun = StartWithPlan({"等待时间=60000"});
    ASSERT_TRUE(kestrun);
    HWND main = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Contains(RunLog(*kestrun), "T\t等待时间=60000"); }));
    std::optional<DWORD> exitCode = kestrun->Close(main, 3000);
    ASSERT_TRUE(exitCode.has_value()) << "the program lingered in the wait after its window closed";
    EXPECT_EQ(*exitCode, 0u);
}

TEST_F(KestrunRunTest, ExitWhenDoneClosesTheProgramWithTheRunsEndAsExitCode) {
    enum class Act { kNothing, kEsc, kF7, kClose };
    const struct {
        const char* name;
        std::vector<std::string> plan;
        Act act;
        DWORD exitCode;
    } cases[] = {
        {"cycles ran out", {"等待时间=10"}, Act::kNothing, 0},
        {"Esc", {"等待时间=60000"}, Act::kEsc, 1},
        {"F7", {"等待时间=60000"}, Act::kF7, 1},
        {"window closed during the run", {"等待时间=60000"}, Act::kClose, 1},
        {"empty plan", {}, Act::kNothing, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto kestrun = StartWithPlan(c.plan, "结束退出=1\r\n");
        ASSERT_TRUE(kestrun);
        if (c.act != Act::kNothing) {
            ASSERT_TRUE(e2e::WaitUntil([&] { return Contains(RunLog(*kestrun), "T\t等待时间=60000"); }));
        }
        if (c.act == Act::kEsc || c.act == Act::kF7) {
            // F7 counts only while it is down at a poll of the keys (once a
            // second), so it is held past one; a second poll that restarts the
            // run comes after the stop has asked the window to close.
            const BYTE key = c.act == Act::kEsc ? VK_ESCAPE : VK_F7;
            keybd_event(key, 0, 0, 0);
            Sleep(c.act == Act::kEsc ? 50 : 1500);
            keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        }
        if (c.act == Act::kClose)
            PostMessageW(kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle)), WM_CLOSE, 0, 0);
        bool dialogSeen = false;
        e2e::WaitUntil(
            [&] {
                dialogSeen = dialogSeen || e2e::AnyDialogOpen(kestrun->ProcessId());
                return !kestrun->IsRunning();
            },
            10000);
        EXPECT_FALSE(dialogSeen) << "nobody is there to answer a message box";
        EXPECT_EQ(kestrun->WaitForExit(0), std::optional<DWORD>(c.exitCode));
        // As at a close by the user without an export, lastplan.ini is left alone.
        EXPECT_EQ(e2e::ReadWholeFile(kestrun->Folder() + L"lastplan.ini"), "");
    }
}

// The tick that falls due while a wait runs comes as soon as the wait ends,
// every time: a click, a wait of 2500 ms (one tick later) and the next
// click come 2600 ms apart, and the click after that one tick later. A
// tick lost in the wait's message loop makes it 2700 ms.
TEST_F(KestrunRunTest, TheLineAfterAWaitStartsAsTheWaitEnds) {
    e2e::TargetOptions options;
    options.title = L"Kestrun Wait Target";
    options.rect = {200, 150, 700, 550};
    options.times = true;
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    // Points apart, so that no two clicks make a double click.
    std::vector<std::string> clicks;
    for (int i = 0; i < 5; ++i) clicks.push_back(Point(target->ScreenPoint(60 + 70 * i, 200)));
    auto kestrun = StartWithPlan({
        "鼠标点击=" + clicks[0] + ",左键单击",
        "等待时间=2500",
        "鼠标点击=" + clicks[1] + ",左键单击",
        "等待时间=2500",
        "鼠标点击=" + clicks[2] + ",左键单击",
        "等待时间=2500",
        "鼠标点击=" + clicks[3] + ",左键单击",
        "鼠标点击=" + clicks[4] + ",左键单击",
    });
    ASSERT_TRUE(kestrun);
    HWND window = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForRunEnd(*kestrun, 30000));

    // "WM_LBUTTONDOWN x y @time", one for each click.
    std::vector<long long> times;
    for (const std::string& line : target->LogLines()) {
        std::smatch match;
        static const std::regex down(R"(^WM_LBUTTONDOWN -?\d+ -?\d+ @(\d+)$)");
        if (std::regex_match(line, match, down)) times.push_back(std::stoll(match[1]));
    }
    ASSERT_EQ(times.size(), 5u);
    for (size_t i = 1; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(times[i] - times[i - 1], 2585);
        EXPECT_LE(times[i] - times[i - 1], 2650);
    }
    EXPECT_GE(times[4] - times[3], 95) << "ticks never come closer than 100 ms";
    EXPECT_LE(times[4] - times[3], 150);
    target->Close();
    kestrun->Close(window);
}

// A device is no settings file either: the system answers for one as for a
// file that is there, and reading it gives nothing.
TEST_F(KestrunRunTest, MissingSettingsFileOrADeviceShowsTheWindowWithoutRunning) {
    for (const std::wstring& argument : {inputs_.Path() + L"missing.ini", std::wstring(L"CON"), std::wstring(L"nul"),
                                         std::wstring(L"con.ini"), std::wstring(L"\\\\.\\NUL")}) {
        SCOPED_TRACE(win32::Narrow(argument));
        auto kestrun = e2e::Program::Start(L"kestrun.exe", argument);
        ASSERT_TRUE(kestrun);
        HWND window = kestrun->WaitForWindow(win32::Wide(kestrun::kWindowTitle));
        ASSERT_NE(window, nullptr);
        // A run on an empty list would say "指令列表为空！" in a box.
        EXPECT_EQ(e2e::WaitForAnyDialog(kestrun->ProcessId(), 1000), nullptr) << "a run started";
        EXPECT_EQ(e2e::ReadWholeFile(kestrun->Folder() + L"日志.txt"), "") << "no run, no log";
        EXPECT_EQ(kestrun->Close(window), 0u);
    }
}

}  // namespace
