// Recording clicks in the real Kestrun window: with "录制(&R)" pressed, the
// user's clicks and drags on another window become lines of List1 at their
// real screen points, through the low-level mouse hook; clicks on Kestrun's
// own window, the record button included, never do.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/support/kestrun_app.h"
#include "e2e/support/mouse.h"
#include "e2e/support/target_window.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

// The target's free client area is painted in this colour number
// (red + 256 green + 65536 blue), which recording reads into txtColor.
constexpr int kPaint = 51 + 256 * 102 + 65536 * 204;

std::string Xy(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

std::string Shown(const e2e::KestrunApp& app) { return "List1: " + testing::PrintToString(app.Rows()); }

std::string Down(POINT p, const char* message) {
    return std::string(message) + " " + std::to_string(p.x) + " " + std::to_string(p.y);
}

TEST(KestrunEditorRecordE2e, ClicksAndDragsOnAnotherWindowBecomeLinesAndOwnClicksDoNot) {
    e2e::TargetOptions options;
    options.title = L"Kestrun recording target";
    options.rect = {660, 120, 1160, 560};
    options.paints = {L"0,60,500,400," + std::to_wstring(kPaint)};
    std::unique_ptr<e2e::TargetWindow> target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    app->MoveTo(0, 0);

    app->Press(id::kCmdrecord);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app->Text(id::kCmdrecord) == "停止(&T)"; }));

    const POINT click = target->ScreenPoint(100, 100);
    const POINT below = target->ScreenPoint(100, 220);     // the same x as the click before
    const POINT dragFrom = target->ScreenPoint(200, 260);  // a horizontal drag: the same y at both ends
    const POINT dragTo = target->ScreenPoint(380, 260);
    const POINT right = target->ScreenPoint(300, 330);
    const POINT last = target->ScreenPoint(420, 120);
    std::vector<std::string> rows;

    e2e::ClickAt(click);
    rows.push_back("鼠标点击=" + Xy(click) + ",左键单击");
    ASSERT_TRUE(app->WaitForRows(rows)) << Shown(*app);
    EXPECT_EQ(app->Text(id::kTxtColor), std::to_string(kPaint)) << "the colour under the click";

    e2e::ClickAt(below);
    rows.push_back("鼠标点击=" + Xy(below) + ",左键单击");
    ASSERT_TRUE(app->WaitForRows(rows)) << "a click straight below the last one is recorded " << Shown(*app);

    // The press becomes a click line, the release elsewhere turns it into a drag.
    e2e::LeftDownAt(dragFrom);
    rows.push_back("鼠标点击=" + Xy(dragFrom) + ",左键单击");
    ASSERT_TRUE(app->WaitForRows(rows)) << Shown(*app);
    e2e::LeftUpAt(dragTo);
    rows.back() = "鼠标拖拉=" + Xy(dragFrom) + "," + Xy(dragTo);
    ASSERT_TRUE(app->WaitForRows(rows)) << "a horizontal drag keeps its end " << Shown(*app);

    e2e::ClickAt(right, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    rows.push_back("鼠标点击=" + Xy(right) + ",右键单击");
    ASSERT_TRUE(app->WaitForRows(rows)) << Shown(*app);
    EXPECT_EQ(app->Text(id::kCmbMouse), "右键单击");

    // A click on Kestrun's own list selects the row but is not recorded:
    // the click after it is the next line. (The target is brought to the
    // front first: under Wine a click that activates a window of another
    // process just after Kestrun took the focus can be lost.)
    e2e::ClickAt(app->RowPoint(0));
    ASSERT_TRUE(e2e::WaitUntil([&] { return app->SelectedRow() == 0; }));
    ASSERT_TRUE(target->Focus());
    e2e::ClickAt(last);
    rows.push_back("鼠标点击=" + Xy(last) + ",左键单击");
    ASSERT_TRUE(app->WaitForRows(rows)) << "a click on Kestrun itself was recorded " << Shown(*app)
                                        << testing::PrintToString(target->LogLines());

    // The hook blocks nothing: the target received every press.
    for (POINT p : {click, below, dragFrom, last}) {
        EXPECT_TRUE(target->WaitForLogLine(Down(p, "WM_LBUTTONDOWN")))
            << Xy(p) << testing::PrintToString(target->LogLines());
    }
    EXPECT_TRUE(target->WaitForLogLine(Down(dragTo, "WM_LBUTTONUP")));
    EXPECT_TRUE(target->WaitForLogLine(Down(right, "WM_RBUTTONDOWN")));

    // A real click on the record button stops the recording, and its own
    // press is not recorded, though the click row shows where it was.
    RECT button;
    GetWindowRect(app->Control(id::kCmdrecord), &button);
    const POINT stop{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    e2e::ClickAt(stop);
    ASSERT_TRUE(e2e::WaitUntil([&] { return app->Text(id::kCmdrecord) == "录制(&R)"; }));
    EXPECT_EQ(app->Text(id::kTxtScreenX + 2), std::to_string(stop.x));
    EXPECT_EQ(app->Text(id::kTxtScreenY + 2), std::to_string(stop.y));
    EXPECT_EQ(app->Text(id::kCmbMouse), "左键单击");

    // Once stopped, clicks are not recorded.
    ASSERT_TRUE(target->Focus());
    e2e::ClickAt(target->ScreenPoint(450, 350));
    ASSERT_TRUE(target->WaitForLogLine(Down(target->ScreenPoint(450, 350), "WM_LBUTTONUP")));
    Sleep(200);
    EXPECT_EQ(app->Rows(), rows);

    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
    target->Close();
}

}  // namespace
