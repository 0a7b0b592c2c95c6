// Tapreel's recording in the real program: clicks made on another window
// while recording is on become rows of the table through the low-level mouse
// hook, and a right click ends recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/text/number.h"
#include "e2e/support/target_window.h"
#include "e2e/tapreel_app_e2e.h"

namespace {

constexpr int kCmdrecord = 101;
constexpr int kGreen = 65280;

std::string Num(long v) { return std::to_string(v); }

TEST(TapreelRecordE2e, ClicksOnAnotherWindowBecomeRows) {
    e2e::TargetOptions options;
    options.title = L"Tapreel recording target";
    options.rect = {100, 300, 580, 620};
    options.paints = {L"0,80,480,240," + std::to_wstring(kGreen)};
    std::unique_ptr<e2e::TargetWindow> target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    std::unique_ptr<e2e::TapreelApp> app = e2e::TapreelApp::Start();
    ASSERT_TRUE(app);
    SetWindowPos(app->Window(), nullptr, 700, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    app->PostClick(kCmdrecord);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app->Text(kCmdrecord) == "停止录制(&R)"; }));

    POINT p1 = target->ScreenPoint(100, 120);
    POINT p2 = target->ScreenPoint(100, 200);  // straight below p1
    POINT p3 = target->ScreenPoint(250, 200);  // straight beside p2, clicked twice
    POINT p4 = target->ScreenPoint(300, 150);  // a drag from here ...
    POINT p5 = target->ScreenPoint(350, 250);  // ... to here
    POINT p6 = target->ScreenPoint(400, 280);  // the right click that stops
    auto settle = [&](int rows) { return e2e::WaitUntil([&] { return app->RowCount() >= rows; }, 2000); };
    e2e::ClickAt(p1);
    ASSERT_TRUE(settle(1));
    Sleep(200);
    e2e::ClickAt(p2);
    ASSERT_TRUE(settle(2));
    Sleep(100);
    e2e::ClickAt(p3);
    e2e::ClickAt(p3);
    ASSERT_TRUE(settle(3));
    Sleep(100);
    SetCursorPos(p4.x, p4.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ASSERT_TRUE(settle(4));
    SetCursorPos(p5.x, p5.y);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    ASSERT_TRUE(settle(5));
    e2e::ClickAt(p6, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app->Text(kCmdrecord) == "录制(&R)"; }));
    EXPECT_EQ(app->Text(0), "当前鼠标在位置-x:" + Num(p6.x) + "; y:" + Num(p6.y) + "右键");

    // The double click gave one row, the drag two, the right click none.
    ASSERT_EQ(app->RowCount(), 5);
    EXPECT_EQ(app->Column(1), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(app->Column(2), (std::vector<std::string>{Num(p1.x), Num(p2.x), Num(p3.x), Num(p4.x), Num(p5.x)}));
    EXPECT_EQ(app->Column(3), (std::vector<std::string>{Num(p1.y), Num(p2.y), Num(p3.y), Num(p4.y), Num(p5.y)}));
    EXPECT_EQ(app->Column(4), (std::vector<std::string>{"左键", "左键", "左键", "左键", ""}));
    EXPECT_EQ(app->Column(5), std::vector<std::string>(5, "单击"));
    EXPECT_EQ(app->Column(7), std::vector<std::string>(5, Num(kGreen)));
    // The pause of 200 ms before the second click shows in its interval.
    double second = text::LeadingNumber(app->Cell(1, 6));
    EXPECT_GE(second, 200);
    EXPECT_LT(second, 1000);

    // Clicks after the right click are not recorded.
    Sleep(100);
    e2e::ClickAt(target->ScreenPoint(50, 250));
    Sleep(200);
    EXPECT_EQ(app->RowCount(), 5);
    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
    std::optional<std::string> file = app->TableBytes();
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(std::count(file->begin(), file->end(), '\n'), 6);
}

}  // namespace
