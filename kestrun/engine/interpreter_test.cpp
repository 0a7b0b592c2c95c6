#include "kestrun/engine/interpreter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/key_codes.h"
#include "common/text/lines.h"
#include "kestrun/engine/interpreter_fixture.h"

namespace kestrun {
namespace {

using Log = std::vector<std::string>;

class InterpreterTest : public InterpreterFixture<> {
protected:
    InterpreterTest() { model_.SetCycleCounter(1); }
};

TEST_F(InterpreterTest, UnknownKeywordsAndEmptyLinesStayAndDoNothing) {
    for (const char* line : {"", "鼠标点击 =100,100,左键单击", "hello=1", "鼠标点击"}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(Run(line), std::string(line) == "鼠标点击" ? 6 : 5);
    }
    EXPECT_EQ(Run(""), 5);
    EXPECT_TRUE(desktop_.Log().empty());
}

TEST_F(InterpreterTest, MouseClickKinds) {
    struct Case {
        std::string line;
        Log input;
    };
    const Case cases[] = {
        {"鼠标点击=100,200,左键单击", {"SetCursorPos 100,200", "mouse_event 0x2 0", "mouse_event 0x4 0"}},
        {"鼠标点击=100,200,左键双击",
         {"SetCursorPos 100,200", "mouse_event 0x2 0", "mouse_event 0x4 0", "mouse_event 0x2 0", "mouse_event 0x4 0"}},
        {"鼠标点击=100,200,右键单击", {"SetCursorPos 100,200", "mouse_event 0x8 0", "mouse_event 0x10 0"}},
        {"鼠标点击=100,200,中键单击", {"SetCursorPos 100,200"}},
        {"鼠标点击=100,200,", {"SetCursorPos 100,200"}},
        {"鼠标点击=100", {"SetCursorPos 100,0"}},
        {"鼠标点击=100.5,201.5,右键单击x", {"SetCursorPos 100,202"}},
        {"鼠标点击=99999999999,5,左键单击", {"SetCursorPos 0,5", "mouse_event 0x2 0", "mouse_event 0x4 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run(c.line), 6);
        EXPECT_EQ(desktop_.Log(), c.input) << "the events of one click follow without a pause";
    }
}

TEST_F(InterpreterTest, CyclePlaceholderInClickCoordinates) {
    model_.SetCycleCounter(1);
    Run("鼠标点击=100+R*10,200,左键单击");
    EXPECT_EQ(desktop_.Log()[0], "SetCursorPos 110,200");
    model_.SetCycleCounter(2);
    Run("鼠标点击=100+R*10,R*R,左键单击");
    EXPECT_EQ(desktop_.Log()[0], "SetCursorPos 120,4");
    Run("鼠标点击=100+10,200,左键单击");
    EXPECT_EQ(desktop_.Log()[0], "SetCursorPos 100,200") << "a field without R is never evaluated";
    model_.SetCycleCounter(1);
    Run("鼠标点击=100/(R-1),7,左键单击");
    EXPECT_EQ(desktop_.Log()[0], "SetCursorPos 100,7") << "a fault keeps the substituted text";
    Run("鼠标拖拉=R*10,100,200,200");
    EXPECT_EQ(desktop_.Log()[0], "SetCursorPos 0,100") << "R only counts in click lines";
}

TEST_F(InterpreterTest, DragStepsAndPauses) {
    EXPECT_EQ(Run("鼠标拖拉=100,100,103,100"), 6);
    EXPECT_EQ(desktop_.Log(),
              (Log{"SetCursorPos 100,100", "Sleep 80", "mouse_event 0x2 0", "Sleep 150", "SetCursorPos 102,100",
                   "Sleep 100", "PumpMessages", "SetCursorPos 103,100", "Sleep 15", "PumpMessages",
                   "SetCursorPos 103,100", "Sleep 80", "mouse_event 0x4 0", "Sleep 50"}));

    Run("鼠标拖拉=100,100,400,100");
    Log moves;
    for (const auto& l : Input())
        if (l.rfind("SetCursorPos", 0) == 0) moves.push_back(l);
    ASSERT_EQ(moves.size(), 32u) << "start, 30 steps, end";
    EXPECT_EQ(moves[1], "SetCursorPos 110,100");
    EXPECT_EQ(moves[30], "SetCursorPos 400,100");
}

TEST_F(InterpreterTest, DragLastsUnderASecond) {
    uint32_t start = desktop_.TimeGetTime();
    Run("鼠标拖拉=100,100,400,100");
    uint32_t elapsed = desktop_.TimeGetTime() - start;
    EXPECT_GE(elapsed, 80u + 150 + 100 + 29 * 15 + 80 + 50);
    EXPECT_LT(elapsed, 1000u);
}

TEST_F(InterpreterTest, PasteTextPutsTextOnClipboardClicksAndSendsCtrlV) {
    EXPECT_EQ(Run("粘贴文字=100,100,测试文字"), 6);
    EXPECT_EQ(desktop_.Log(),
              (Log{"SetClipboardText 测试文字", "SetCursorPos 100,100", "mouse_event 0x2 0", "mouse_event 0x4 0",
                   "keybd_event 17 down", "keybd_event 86 down", "keybd_event 86 up", "keybd_event 17 up"}));
    Run("粘贴文字=100,100,a,b");
    EXPECT_EQ(desktop_.Log()[0], "SetClipboardText a") << "the text ends at the next comma";
}

TEST_F(InterpreterTest, PasteListIsConsumedInOrderThenTheWordItself) {
    model_.SetPasteList({"一", "二,2", "三=3"}, "列表");
    for (const char* expected : {"一", "二,2", "三=3", "列表"}) {
        Run("粘贴文字=1,2,列表");
        EXPECT_EQ(desktop_.Log()[0], std::string("SetClipboardText ") + expected);
    }
    EXPECT_TRUE(model_.PasteEntries().empty());
}

TEST_F(InterpreterTest, RandomListDrawsFromEveryEntryAndKeepsTheList) {
    model_.SetPasteList({"a", "b", "c", "d", "e"}, "随机列表");
    random_.draws = {0.0f, 0.5f, 0.999f};
    for (const char* expected : {"a", "c", "e"}) {
        Run("粘贴文字=1,2,随机列表");
        EXPECT_EQ(desktop_.Log()[0], std::string("SetClipboardText ") + expected);
    }
    EXPECT_EQ(model_.PasteEntries().size(), 5u);
    model_.SetPasteList({"only"}, "随机列表");
    random_.draws = {0.7f};
    Run("粘贴文字=1,2,随机列表");
    EXPECT_EQ(desktop_.Log()[0], "SetClipboardText only");
    model_.SetPasteList({}, "");
    Run("粘贴文字=1,2,随机列表");
    EXPECT_EQ(desktop_.Log()[0], "SetClipboardText 随机列表");
}

TEST_F(InterpreterTest, KeyInstructionPausesAroundTheKeys) {
    EXPECT_EQ(Run("模拟按键=^a"), 6);
    EXPECT_EQ(desktop_.Log(), (Log{"Sleep 100", "SendKeys ^a", "Sleep 100"}));
    Run("模拟按键=a,b");
    EXPECT_EQ(Input(), (Log{"keybd_event 65 down", "keybd_event 65 up"})) << "a,b is one key text: its first letter";
    Run("模拟按键={ESC}=");
    EXPECT_EQ(Input(), (Log{"keybd_event 27 down", "keybd_event 27 up"}));
}

TEST_F(InterpreterTest, OwnEscapeKeyIsNotTakenForTheUsersStop) {
    Run("模拟按键={ESC}");
    EXPECT_EQ(desktop_.GetAsyncKeyState(platform::vk::kEscape), 0) << "the key instruction's own Esc is consumed";
}

TEST_F(InterpreterTest, OpenFileLaunchesExeWithStyleOrShellOpensDocuments) {
    desktop_.AddProgram({"notepad.exe", 4242, "无标题 - 记事本", 100});
    uint32_t start = desktop_.TimeGetTime();
    EXPECT_EQ(Run("打开文件=notepad.exe,3"), 6);
    EXPECT_GE(desktop_.TimeGetTime() - start, 500u);
    EXPECT_EQ(Input(), (Log{"LaunchProgram notepad.exe 3", "ActivateProcess 4242"}));
    Run("打开文件=notepad.exe,");
    EXPECT_EQ(Input()[0], "LaunchProgram notepad.exe 0") << "an empty style field starts it hidden";
    Run("打开文件=NOTEPAD.EXE");
    EXPECT_EQ(Input()[0], "LaunchProgram NOTEPAD.EXE 1");
    Run("打开文件=C:\\a.txt,3");
    EXPECT_EQ(Input(), (Log{"ShellOpen C:\\a.txt"}));
    Run("打开文件=missing.exe,1");
    EXPECT_EQ(Input(), (Log{"LaunchProgram missing.exe 1", "ActivateProcess 0"}));
}

// The half second given to a launched program handles the window's messages
// (a row click, the next timer tick) as they arrive, and still lasts half a
// second.
TEST_F(InterpreterTest, OpenFileHandlesMessagesWhileTheProgramStarts) {
    desktop_.AddProgram({"notepad.exe", 4242, "无标题 - 记事本", 0});
    std::vector<uint64_t> handled;
    for (uint64_t at : {100u, 250u, 260u}) desktop_.PostAt(at, [&, at] { handled.push_back(at); });
    EXPECT_EQ(Run("打开文件=notepad.exe,3"), 6);
    EXPECT_EQ(handled, (std::vector<uint64_t>{100, 250, 260}));
    EXPECT_GE(desktop_.Clock().Elapsed(), 500u);
    EXPECT_LE(desktop_.Clock().Elapsed(), 510u);
}

TEST_F(InterpreterTest, OpenUrlTakesTheWholeArgumentOrTheFirstListEntry) {
    Run("打开网址=http://x/?a,b");
    EXPECT_EQ(Input(), (Log{"ShellOpen http://x/?a,b"}));
    Run("打开网址=http://x/?q=1");
    EXPECT_EQ(Input(), (Log{"ShellOpen http://x/?q"}));
    model_.SetUrlList({"http://one", "http://two"}, "列表");
    Run("打开网址=列表");
    EXPECT_EQ(Input(), (Log{"ShellOpen http://one"}));
    EXPECT_EQ(model_.UrlEntries(), (std::deque<std::string>{"http://two"}));
    model_.SetUrlList({}, "");
    EXPECT_EQ(Run("打开网址=列表"), 6);
    EXPECT_EQ(Input(), (Log{"ShellOpen 列表"}));
}

TEST_F(InterpreterTest, WaitSleepsInSlicesAndPumps) {
    for (const char* line : {"等待时间=1000毫秒", "等待时间=1000", "等待时间=1000ms"}) {
        SCOPED_TRACE(line);
        uint32_t start = desktop_.TimeGetTime();
        EXPECT_EQ(Run(line), 6);
        uint32_t elapsed = desktop_.TimeGetTime() - start;
        EXPECT_GE(elapsed, 1000u);
        EXPECT_LE(elapsed, 1050u);
    }
    Run("等待时间=120");
    EXPECT_EQ(desktop_.Log(),
              (Log{"Sleep 50", "PumpMessages", "Sleep 50", "PumpMessages", "Sleep 18", "PumpMessages"}));
    for (const char* line : {"等待时间=0", "等待时间=abc", "等待时间=-5"}) {
        EXPECT_EQ(Run(line), 6);
        EXPECT_TRUE(desktop_.Log().empty()) << line;
    }
}

TEST_F(InterpreterTest, ClosingTheWindowEndsAWaitAtItsNextSlice) {
    desktop_.PostAt(desktop_.Clock().Elapsed() + 300, [&] { model_.SetClosing(); });
    uint32_t start = desktop_.TimeGetTime();
    Run("等待时间=60000");
    EXPECT_LT(desktop_.TimeGetTime() - start, 400u);
}

TEST_F(InterpreterTest, RowClickDuringAWaitAdvancesFromTheClickedRow) {
    desktop_.PostAt(desktop_.Clock().Elapsed() + 300, [&] { model_.SetInstructionPointer(9); });
    EXPECT_EQ(Run("等待时间=1000", 2), 10);
}

TEST_F(InterpreterTest, ScrollNotchesAndPointer) {
    struct Case {
        std::string line;
        Log log;
    };
    const Case cases[] = {
        {"鼠标滚动=-2", {"mouse_event 0x800 -240", "Sleep 100"}},
        {"鼠标滚动=5", {"mouse_event 0x800 600", "Sleep 100"}},
        {"鼠标滚动=1,2,3,4", {"mouse_event 0x800 120", "Sleep 100"}},
        {"鼠标滚动=100,3", {"mouse_event 0x800 12000", "Sleep 100"}},
        {"鼠标滚动=300", {"mouse_event 0x800 0", "Sleep 100"}},
        {"鼠标滚动=-273", {"mouse_event 0x800 -32760", "Sleep 100"}},
        {"鼠标滚动=40000", {"mouse_event 0x800 0", "Sleep 100"}},
        {"鼠标滚动=100,100,3", {"SetCursorPos 100,100", "Sleep 50", "mouse_event 0x800 360", "Sleep 100"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run(c.line), 6);
        EXPECT_EQ(desktop_.Log(), c.log);
    }
}

TEST_F(InterpreterTest, PointerArithmeticWrapsInsteadOfOverflowing) {
    EXPECT_EQ(Run("等待时间=0", INT32_MAX), INT32_MIN);
}

// Lines no composer writes: numbers far beyond 32 bits, expressions that
// fault or nest too deep, NUL bytes and a text of ten megabytes. A number that
// does not fit its type counts as 0, a faulting expression is read as it
// stands, and the line ends with its usual pointer rule.
TEST_F(InterpreterTest, ExtremeLinesAreHarmless) {
    const std::string nul("\0", 1);
    const std::string deep = std::string(300, '(') + "R" + std::string(300, ')');
    struct Case {
        std::string line;
        int32_t pointer;
        Log input;
    };
    const std::vector<Case> cases = {
        {"鼠标点击=99999999999,-1e300,左键单击", 6, {"SetCursorPos 0,0", "mouse_event 0x2 0", "mouse_event 0x4 0"}},
        {"鼠标点击=R*1e300,100/(R-1),右键单击", 6, {"SetCursorPos 0,100", "mouse_event 0x8 0", "mouse_event 0x10 0"}},
        {"鼠标点击=" + deep + ",5,中键单击", 6, {"SetCursorPos 0,5"}},
        {"判断颜色=1e300,5,&HFFFFFFFFFFFF,99999999999", 5, {}},
        {"比较位图=99999999999,0,0,-4", 9, {}},
        {"等待时间=99999999999", 6, {}},
        {"等待时间=-5", 6, {}},
        {"鼠标滚动=1e10", 6, {"mouse_event 0x800 0"}},
        {"鼠标滚动=274", 6, {"mouse_event 0x800 0"}},  // 274 x 120 does not fit 16 bits
        {"屏幕截图=区域,80,0,0,99999999999,5", 6, {}},
        {"鼠标点击" + nul + "=1,1,左键单击", 5, {}},
        {"鼠标点击=1" + nul + "7,2" + nul + ",左键单击",
         6,
         {"SetCursorPos 1,2", "mouse_event 0x2 0", "mouse_event 0x4 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 80));
        EXPECT_EQ(Run(c.line), c.pointer);
        EXPECT_EQ(Input(), c.input);
    }

    const std::string longText(10 << 20, 'x');
    EXPECT_EQ(Run("粘贴文字=1,1," + longText), 6);
    EXPECT_EQ(desktop_.Clipboard(), longText);
    EXPECT_EQ(Run("比较文字=" + longText + ",1"), 6) << "the clipboard holds exactly that text";
}

}  // namespace
}  // namespace kestrun

namespace kestrun {
namespace {

// The run log's entries without their time stamps.
std::vector<std::string> LogTexts(fake::FakeFileSystem& files, const text::AnsiCodec& codec) {
    std::vector<std::string> texts;
    for (const std::string& line : text::SplitLines(codec.Decode(files.ReadFile("C:\\Kestrun\\日志.txt").value_or(""))))
        texts.push_back(line.substr(line.find('\t') + 1));
    return texts;
}

TEST_F(InterpreterTest, InputToAHigherRightsWindowIsWarnedOncePerWindowPerRun) {
    constexpr uint32_t kMedium = 0x2000, kHigh = 0x3000;
    const std::string warning = "【警告】目标窗口以管理员权限运行，模拟输入会被系统拦截: ";
    struct Case {
        const char* name;
        std::optional<uint32_t> ours;
        std::optional<uint32_t> theirs;
        bool warns;
    };
    const Case cases[] = {
        {"higher", kMedium, kHigh, true},
        {"the same", kHigh, kHigh, false},
        {"lower", kHigh, kMedium, false},
        {"no integrity levels", std::nullopt, std::nullopt, false},
        {"their query fails", kMedium, std::nullopt, false},
        {"our query fails", std::nullopt, kHigh, false},
    };
    const std::vector<std::string> inputLines = {"鼠标点击=1,1,左键单击", "鼠标拖拉=1,1,2,2", "粘贴文字=1,1,a",
                                                 "模拟按键=a", "鼠标滚动=1"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        files_.DeleteFile("C:\\Kestrun\\日志.txt");
        interpreter_.RunStarted();
        desktop_.SetOwnIntegrityLevel(c.ours);
        fake::FakeWindow admin{"管理员窗口"};
        admin.integrityLevel = c.theirs;
        fake::FakeWindow other{"另一个窗口"};
        other.integrityLevel = c.theirs;
        const platform::WindowHandle first = desktop_.AddWindow(admin), second = desktop_.AddWindow(other);
        desktop_.MakeForeground(first);
        for (const std::string& line : inputLines) Run(line);
        Run("等待时间=1");
        desktop_.MakeForeground(second);
        Run("模拟按键=b");
        interpreter_.RunStarted();
        Run("鼠标滚动=1");
        const std::vector<std::string> expected =
            c.warns ? std::vector<std::string>{warning + "管理员窗口", warning + "另一个窗口", warning + "另一个窗口"}
                    : std::vector<std::string>{};
        EXPECT_EQ(LogTexts(files_, *codec_), expected);
    }
}

TEST_F(InterpreterTest, NoWarningBeforeInstructionsThatSendNoInput) {
    desktop_.SetOwnIntegrityLevel(0x2000);
    fake::FakeWindow admin{"管理员窗口"};
    admin.integrityLevel = 0x3000;
    desktop_.MakeForeground(desktop_.AddWindow(admin));
    for (const char* line : {"等待时间=1", "判断颜色=1,1,0,0", "打开网址=x", "比较文字=", "窗口操作=激活,管理员窗口"})
        Run(line);
    EXPECT_EQ(LogTexts(files_, *codec_), std::vector<std::string>{});
}

}  // namespace
}  // namespace kestrun
