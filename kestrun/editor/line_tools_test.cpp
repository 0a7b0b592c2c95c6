#include "kestrun/editor/line_tools.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"
#include "common/testing/fake_dialogs.h"
#include "common/testing/fake_files.h"
#include "common/testing/fake_timers.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"

namespace kestrun {
namespace {

constexpr uint32_t kInformation = platform::mb::kOk | platform::mb::kIconInformation;

class LineToolsTest : public testing::Test {
protected:
    LineToolsTest() {
        model_.SetRows({"等待时间=10", "判断颜色=5,5,255,1", "比较文字=abc", "查找颜色=0,0,20,20,255,0,-1",
                        "判断颜色=5,5,255,0", "窗口操作=激活,没有这个窗口"});
        desktop_.PaintRect(5, 5, 1, 1, 255);
    }

    // The one message box shown since the last call.
    fake::ShownDialog TakeBox() {
        EXPECT_EQ(dialogs_.Shown().size(), 1u);
        fake::ShownDialog box = dialogs_.Shown().empty() ? fake::ShownDialog{} : dialogs_.Shown().back();
        dialogs_.ClearShown();
        return box;
    }

    fake::FakeDesktop desktop_;
    fake::FakeDialogs dialogs_;
    fake::FakeFileSystem files_;
    std::unique_ptr<text::AnsiCodec> codec_ = text::MakeSystemCodec();
    DefaultRandomSource random_;
    MainModel model_;
    LineTools tools_{model_, desktop_, files_, dialogs_, *codec_, random_};
};

TEST_F(LineToolsTest, RunLineRunsTheSelectedRowOnceAndSaysWhatItDid) {
    const struct {
        int row;
        int32_t colour;  // at (5, 5)
        std::string text;
    } cases[] = {
        {0, 255, "第 1 行：等待时间=10\r\n结果：前进到第 2 行。"},
        {1, 255, "第 2 行：判断颜色=5,5,255,1\r\n结果：前进到第 3 行。\r\n找到的颜色：255，期望的颜色：255。"},
        {1, 0, "第 2 行：判断颜色=5,5,255,1\r\n结果：跳转到第 1 行。\r\n找到的颜色：0，期望的颜色：255。"},
        {2, 0, "第 3 行：比较文字=abc\r\n结果：停在本行，下一次还执行这一行。\r\n剪切板里没有文字。"},
        {3, 255,
         "第 4 行：查找颜色=0,0,20,20,255,0,-1\r\n结果：前进到第 5 行。\r\n找到的颜色：255\r\n找到的点（X,Y）：5,5。"},
        // A jump is told as one, also to the next row or to this one.
        {3, 0, "第 4 行：查找颜色=0,0,20,20,255,0,-1\r\n结果：跳转到第 5 行。\r\n没有找到，X,Y 仍是 5,5。"},
        {4, 0, "第 5 行：判断颜色=5,5,255,0\r\n结果：跳转到第 5 行。\r\n找到的颜色：0，期望的颜色：255。"},
        {5, 0, "第 6 行：窗口操作=激活,没有这个窗口\r\n结果：前进，本行是最后一行，本轮到此结束。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        desktop_.PaintRect(5, 5, 1, 1, c.colour);
        model_.SetSelection(c.row);
        model_.SetInstructionPointer(7);
        const uint64_t start = desktop_.Clock().Elapsed();
        tools_.MenuClick(int(LineTool::kRunLine));
        const fake::ShownDialog box = TakeBox();
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.title, "执行结果");
        EXPECT_EQ(box.flags, kInformation);
        EXPECT_EQ(model_.SelectedRow(), c.row) << "no selection moves";
        EXPECT_EQ(model_.InstructionPointer(), 7);
        if (c.row == 0) {
            EXPECT_GE(desktop_.Clock().Elapsed() - start, 10u) << "the line really ran";
        }
    }
    EXPECT_EQ(files_.Log(), std::vector<std::string>{}) << "no run-log entry";
}

TEST_F(LineToolsTest, RunLineDuringARunOrWithoutASelectionRefuses) {
    for (bool running : {true, false}) {
        model_.SetSelection(running ? 0 : -1);
        model_.SetRunning(running);
        tools_.RunLineClick();
        const fake::ShownDialog box = TakeBox();
        EXPECT_EQ(box.text, "请先停止执行并选中一行。");
        EXPECT_EQ(box.title, "执行结果");
        EXPECT_EQ(box.flags, kInformation);
    }
    EXPECT_TRUE(desktop_.Log().empty()) << "nothing ran";
}

TEST_F(LineToolsTest, NoRunStartsWhileALineIsOnTrial) {
    fake::FakeTimers timers(desktop_.Clock());
    RunLog log(desktop_, files_, *codec_);
    log.SetPath("C:\\Kestrun\\日志.txt");
    Interpreter interpreter(model_, desktop_, files_, log, random_);
    RunControl control(model_, desktop_, dialogs_, timers, log, interpreter, "Kestrun");
    model_.SetRows({"等待窗口=没有这个窗口,1000,0", "等待时间=10"});
    model_.SetSelection(0);
    // The start button is clicked while the trial's wait pumps messages.
    desktop_.PostAt(desktop_.Clock().Elapsed() + 500, [&] { control.Toggle(); });
    tools_.RunLineClick();
    EXPECT_EQ(TakeBox().text, "第 1 行：等待窗口=没有这个窗口,1000,0\r\n结果：跳转到第 1 行。");
    EXPECT_FALSE(model_.IsRunning());
    EXPECT_EQ(files_.Log(), std::vector<std::string>{}) << "no run-log entry";

    control.Toggle();
    EXPECT_TRUE(model_.IsRunning()) << "once the trial is over a run starts";
}

TEST_F(LineToolsTest, CheckPlanShowsTheReportOfTheRows) {
    model_.AddRow("等待时间=abc");
    tools_.MenuClick(int(LineTool::kCheckPlan));
    const fake::ShownDialog box = TakeBox();
    EXPECT_EQ(box.text, "第 7 行：等待时间“abc”不是数字，会按 0 毫秒等待。\r\n共 1 处问题。");
    EXPECT_EQ(box.title, "方案检查");
    EXPECT_EQ(box.flags, kInformation);
    EXPECT_EQ(model_.SelectedRow(), -1);
    EXPECT_TRUE(desktop_.Log().empty()) << "nothing ran";
}

}  // namespace
}  // namespace kestrun
