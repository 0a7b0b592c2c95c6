// Pixels and screen copies through Win32Desktop read the colours another
// program painted, as colour numbers (red + 256 green + 65536 blue).
#include <gtest/gtest.h>

#include "common/text/colour.h"
#include "common/win32/desktop_win32.h"
#include "e2e/support/target_window.h"

namespace {

// Two blocks side by side whose colours differ in every channel, so that a
// swapped channel order or a shifted copy shows.
constexpr int32_t kLeftColour = text::ColourNumber(0x1B, 0x2A, 0xC3);
constexpr int32_t kRightColour = text::ColourNumber(0xE4, 0x75, 0x06);
constexpr int kBlockLeft = 40;  // client coordinates, below the edit box
constexpr int kBlockTop = 100;
constexpr int kBlockWidth = 30;
constexpr int kBlockHeight = 20;

std::wstring Paint(int left, int top, int32_t colour) {
    return std::to_wstring(left) + L"," + std::to_wstring(top) + L"," + std::to_wstring(kBlockWidth) + L"," +
           std::to_wstring(kBlockHeight) + L"," + std::to_wstring(colour);
}

class DesktopScreenTest : public testing::Test {
protected:
    void SetUp() override {
        e2e::TargetOptions options{L"E2E Target Pixels"};
        options.paints = {Paint(kBlockLeft, kBlockTop, kLeftColour),
                          Paint(kBlockLeft + kBlockWidth, kBlockTop, kRightColour)};
        target_ = e2e::TargetWindow::Start(options);
        ASSERT_TRUE(target_);
        // In front, so that no other window covers the blocks.
        ASSERT_TRUE(target_->Focus());
        origin_ = target_->ScreenPoint(kBlockLeft, kBlockTop);
        ASSERT_TRUE(e2e::WaitUntil([&] { return desktop_.GetPixel(origin_.x, origin_.y) == kLeftColour; }))
            << "the block was not painted";
    }
    void TearDown() override {
        if (target_) {
            EXPECT_EQ(target_->Close(), 0u);
        }
    }

    win32::Win32Desktop desktop_;
    std::unique_ptr<e2e::TargetWindow> target_;
    POINT origin_{};  // the left block's top-left corner on the screen
};

TEST_F(DesktopScreenTest, GetPixelReadsColourNumbers) {
    EXPECT_EQ(desktop_.GetPixel(origin_.x + kBlockWidth - 1, origin_.y + kBlockHeight - 1), kLeftColour);
    EXPECT_EQ(desktop_.GetPixel(origin_.x + kBlockWidth, origin_.y), kRightColour);
    EXPECT_NE(desktop_.GetPixel(origin_.x - 1, origin_.y), kLeftColour);

    platform::Point size = desktop_.ScreenSize();
    EXPECT_EQ(size.x, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(size.y, GetSystemMetrics(SM_CYSCREEN));
    // Points off the screen read -1.
    EXPECT_EQ(desktop_.GetPixel(-1, 10), -1);
    EXPECT_EQ(desktop_.GetPixel(10, -1), -1);
    EXPECT_EQ(desktop_.GetPixel(size.x, 10), -1);
    EXPECT_EQ(desktop_.GetPixel(10, size.y), -1);
}

TEST_F(DesktopScreenTest, CopyScreenReturnsTheBlockRowByRow) {
    // A copy with a margin of 3 pixels around both blocks.
    constexpr int kMargin = 3;
    std::optional<platform::Image> copy = desktop_.CopyScreen(
        origin_.x - kMargin, origin_.y - kMargin, 2 * kBlockWidth + 2 * kMargin, kBlockHeight + 2 * kMargin);
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->width, 2 * kBlockWidth + 2 * kMargin);
    ASSERT_EQ(copy->height, kBlockHeight + 2 * kMargin);
    for (int y = 0; y < copy->height; ++y) {
        for (int x = 0; x < copy->width; ++x) {
            int blockX = x - kMargin;
            int blockY = y - kMargin;
            bool inside = blockY >= 0 && blockY < kBlockHeight && blockX >= 0 && blockX < 2 * kBlockWidth;
            if (!inside) continue;
            ASSERT_EQ(copy->At(x, y), blockX < kBlockWidth ? kLeftColour : kRightColour) << "at " << x << "," << y;
        }
    }
    // The margin is what the screen shows there.
    EXPECT_EQ(copy->At(0, 0), desktop_.GetPixel(origin_.x - kMargin, origin_.y - kMargin));
    EXPECT_EQ(copy->At(copy->width - 1, copy->height - 1),
              desktop_.GetPixel(origin_.x + 2 * kBlockWidth + kMargin - 1, origin_.y + kBlockHeight + kMargin - 1));
}

TEST_F(DesktopScreenTest, CopyScreenRefusesEmptyAndHugeBlocks) {
    EXPECT_FALSE(desktop_.CopyScreen(0, 0, 0, 10));
    EXPECT_FALSE(desktop_.CopyScreen(0, 0, 10, -1));
    EXPECT_FALSE(desktop_.CopyScreen(0, 0, 100000, 100000));
}

TEST(DesktopScreenEdgeTest, CopyScreenReadsBlackOffTheScreen) {
    win32::Win32Desktop desktop;
    // A frameless window at the left edge of the screen, painted in one
    // colour below its edit box.
    e2e::TargetOptions options{L"E2E Target Screen Edge"};
    options.rect = {0, 300, 300, 500};
    options.popup = true;
    options.paints = {L"0,80,300,40," + std::to_wstring(kLeftColour)};
    auto target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    ASSERT_TRUE(target->Focus());
    POINT block = target->ScreenPoint(0, 80);
    ASSERT_EQ(block.x, 0) << "the window does not start at the screen's edge";
    ASSERT_TRUE(e2e::WaitUntil([&] { return desktop.GetPixel(0, block.y) == kLeftColour; }));

    // Four columns beyond the left edge of the screen, four on it.
    std::optional<platform::Image> copy = desktop.CopyScreen(-4, block.y, 8, 4);
    ASSERT_TRUE(copy);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(copy->At(x, y), x < 4 ? 0 : kLeftColour) << "at " << x << "," << y;
    }
    EXPECT_EQ(target->Close(), 0u);
}

}  // namespace
