// The pick buttons of the real Kestrun window: a pick button pressed, the
// pointer moved over another window and F8 held fills the composer row with
// the point, its colour or the 40 x 40 block under it, exactly once.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/support/kestrun_app.h"
#include "e2e/support/target_window.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

constexpr int kPaint = 200 + 256 * 40 + 65536 * 90;  // the target's free area, a colour number

TEST(KestrunEditorPickE2e, F8TakesThePointTheColourAndTheBlockUnderThePointer) {
    e2e::TargetOptions options;
    options.title = L"Kestrun pick target";
    options.rect = {660, 120, 1160, 560};
    options.paints = {L"0,60,500,400," + std::to_wstring(kPaint)};
    std::unique_ptr<e2e::TargetWindow> target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    app->MoveTo(0, 0);
    auto fieldsAre = [&](int box, POINT p) {
        return app->Text(id::kTxtScreenX + box) == std::to_string(p.x) &&
               app->Text(id::kTxtScreenY + box) == std::to_string(p.y);
    };

    // The colour row follows the pointer while the pick runs ...
    const POINT live = target->ScreenPoint(150, 150);
    app->Press(id::kCmdGetXY + 1);
    SetCursorPos(live.x, live.y);
    EXPECT_TRUE(e2e::WaitUntil([&] { return fieldsAre(1, live); })) << "no live update";
    EXPECT_EQ(app->Text(id::kTxtColor), std::to_string(kPaint));
    // ... F8 takes the pick and ends it: the row no longer follows.
    const POINT colourAt = target->ScreenPoint(240, 200);
    ASSERT_TRUE(app->PickWithF8(1, colourAt, [&] { return fieldsAre(1, colourAt); }));
    EXPECT_EQ(app->Text(id::kTxtColor), std::to_string(kPaint));
    SetCursorPos(live.x, live.y);
    Sleep(300);
    EXPECT_TRUE(fieldsAre(1, colourAt)) << "the pick went on after F8";

    // The bitmap row takes the point and the 40 x 40 block under it into
    // the capture box, which a bitmap test then keeps as its reference.
    const POINT blockAt = target->ScreenPoint(300, 250);
    ASSERT_TRUE(app->PickWithF8(0, blockAt, [&] { return fieldsAre(0, blockAt); }));
    const POINT captureBox = e2e::CentreOf(app->Control(id::kPicture2));
    SetCursorPos(live.x, live.y);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ScreenColourAt(captureBox) == kPaint; })) << "capture box";

    // The drag row: the first pick fills the empty start, the next ones the end.
    const POINT start = target->ScreenPoint(120, 300);
    const POINT end = target->ScreenPoint(420, 380);
    const POINT end2 = target->ScreenPoint(430, 390);
    ASSERT_TRUE(app->PickWithF8(3, start, [&] { return fieldsAre(3, start); }));
    ASSERT_TRUE(app->PickWithF8(3, end, [&] { return fieldsAre(4, end); }));
    EXPECT_TRUE(fieldsAre(3, start));
    ASSERT_TRUE(app->PickWithF8(3, end2, [&] { return fieldsAre(4, end2); }));
    EXPECT_TRUE(fieldsAre(3, start));

    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
    target->Close();
}

}  // namespace
