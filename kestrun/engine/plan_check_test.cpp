#include "kestrun/engine/plan_check.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kestrun {

void PrintTo(const PlanProblem& problem, std::ostream* out) { *out << problem.row << " " << problem.what; }

namespace {

MainModel PlanOf(const std::vector<std::string>& rows) {
    MainModel model;
    model.SetRows(rows);
    // Entry 1 holds a picture; entry 2 was loaded without its file.
    model.EditBitmaps([](auto& bitmaps) {
        bitmaps[1].hasReference = true;
        bitmaps[2];
    });
    return model;
}

TEST(PlanCheckTest, EachProblemKindGivesExactlyOneLine) {
    const struct {
        std::string row;
        std::string what;  // empty: no problem
    } rows[] = {
        {"比较位图 =1,0,0,0", "指令名“比较位图 ”多了空格，不是指令，执行到这里会一直停在这一行。"},
        {"点击鼠标=1,1", "“点击鼠标”不是指令，执行到这里会一直停在这一行。"},
        {"", "空行不是指令，执行到这里会一直停在这一行。"},
        {"判断颜色=1,1,abc,0", "颜色“abc”不是数字，颜色判断总是算作相符。"},
        {"比较位图=7,0,0,0", "位图 7 没有参考图像，比较总是不相符。"},
        {"判断颜色=1,1,255,9", "不符时跳到第 -3 行，在列表之外，执行会停在那里不动。"},
        {"比较文字=abc,-40", "不符时跳到第 47 行，在列表之外，本轮会就此结束。"},
        {"粘贴文字=1,1,列表", "粘贴列表是空的，会把“列表”这几个字粘贴出去。"},
        {"打开网址=列表", "网址列表是空的，会把“列表”当作网址打开。"},
        {"文件操作=改名,a,b", "文件操作“改名”不认识，这一行什么也不做。"},
        {"文件操作=删除,", "文件操作没有写文件路径，这一行什么也不做。"},
        {"窗口操作=放大,记事本", "窗口操作“放大”不认识，这一行什么也不做。"},
        {"窗口操作=激活,", "窗口标题是空的，找不到窗口，这一行只在日志里记一条错误。"},
        {"等待时间=1.5秒", "等待时间“1.5秒”不是数字，会按 2 毫秒等待。"},
        {"鼠标点击=1,1,中键单击", "点击方式“中键单击”不是左键单击、左键双击或右键单击，只移动鼠标，不点击。"},
        {"等待时间=一二三四五六七八九十一二三四五六七八九十一",
         "等待时间“一二三四五六七八九十一二三四五六七八九十…”不是数字，会按 0 毫秒等待。"},
        {"等待颜色=1,1,abc,1000,0", "颜色“abc”不是数字，等待颜色会立即算作等到。"},
        {"等待位图=7,0,0,1000,0", "位图 7 没有参考图像，比较总是不相符。"},
        {"等待窗口=,1000,0", "窗口标题是空的，等待窗口总是等到超时。"},
        {"等待窗口=记事本,3秒,0", "最长等待“3秒”不是数字，会按 3 毫秒等待。"},
        {"查找颜色=0,0,9,9,红,0,0", "颜色“红”不是数字，查找颜色总是找不到。"},
        {"查找位图=1,0,0,9,9,0,99", "不符时跳到第 -77 行，在列表之外，执行会停在那里不动。"},
        {"等待位图=2,0,0,1000,0", "位图 2 没有参考图像，只有纯白的画面才算相符。"},
        // A jump forward past the pointer's range wraps round, as it does at
        // run time.
        {"判断颜色=1,1,255,-2147483648", "不符时跳到第 -2147483624 行，在列表之外，执行会停在那里不动。"},
        // Lines without a problem: a jump to the row after the last ends the
        // cycle as running off the end does.
        {"判断颜色=1,1,255,-4", ""},
        {"比较位图=1,0,0,17", ""},
        {"等待时间=1000毫秒", ""},
        {"鼠标点击=R*10,1,左键双击", ""},
    };
    std::vector<std::string> plan;
    std::vector<PlanProblem> expected;
    for (const auto& r : rows) {
        if (!r.what.empty()) expected.push_back({int(plan.size()), r.what});
        plan.push_back(r.row);
    }
    EXPECT_EQ(CheckPlan(PlanOf(plan)), expected);
}

TEST(PlanCheckTest, CleanPlanOfEveryKindHasNoProblem) {
    MainModel model = PlanOf({
        "比较位图=1,0,0,0",
        "判断颜色=1,1,&HFF,0",
        "鼠标点击=1,1,右键单击",
        "鼠标拖拉=1,1,2,2",
        "粘贴文字=1,1,列表",
        "模拟按键=^a",
        "打开文件=notepad.exe",
        "打开网址=列表",
        "等待时间=100",
        "鼠标滚动=3",
        "比较文字=a,1",
        "文件操作=复制,a,b",
        "窗口操作=close,记事本",
        "屏幕截图=屏幕,80",
        "等待颜色=1,1,255,1000,0",
        "等待位图=1,0,0,1000,0",
        "等待窗口=记事本,1000,0",
        "查找颜色=0,0,X,Y+1,255,10,0",
        "查找位图=1,0,0,100,100,0,0",
        "窗口坐标=屏幕",
    });
    model.SetPasteList({"p"}, "p");
    model.SetUrlList({"u"}, "u");
    EXPECT_EQ(CheckPlan(model), std::vector<PlanProblem>{});
    EXPECT_EQ(PlanCheckReport(CheckPlan(model)), "未发现问题。");
}

TEST(PlanCheckTest, ReportListsTheFirstThirtyThenTheCount) {
    std::vector<PlanProblem> problems;
    std::string expected;
    for (int row = 0; row < 32; ++row) {
        problems.push_back({row, "x"});
        if (row < 30) expected += "第 " + std::to_string(row + 1) + " 行：x\r\n";
    }
    EXPECT_EQ(PlanCheckReport(problems), expected + "共 32 处问题。");
    EXPECT_EQ(PlanCheckReport({{4, "y"}}), "第 5 行：y\r\n共 1 处问题。");
}

}  // namespace
}  // namespace kestrun
