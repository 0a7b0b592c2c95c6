#include "kestrun/actions/capture.h"

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <map>
#include <utility>

#include "common/testing/fake_desktop.h"

namespace kestrun {
namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kRed = 0x0000FF;

// Hands out the scripted numbers, then 0, and counts every draw.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<float> draws = {}) : draws_(draws) {}
    float Next() override {
        ++count;
        if (draws_.empty()) return 0.0f;
        float r = draws_.front();
        draws_.pop_front();
        return r;
    }
    // Adds one sample point: x fraction, then y fraction.
    void AddPoint(float rx, float ry) {
        draws_.push_back(rx);
        draws_.push_back(ry);
    }
    int count = 0;

private:
    std::deque<float> draws_;
};

// A small screen with a pattern, so that every copy shows where it came from.
class PatternedDesktop : public fake::FakeDesktop {
public:
    PatternedDesktop() : fake::FakeDesktop(kDefaultStartTick, 64, 48) {
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) Screen().Set(x, y, x + 256 * y);
        }
    }
};

platform::Image Block(const platform::Image& source, int left, int top, int width, int height) {
    platform::Image block(width, height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (source.Contains(left + x, top + y)) block.Set(x, y, source.At(left + x, top + y));
        }
    }
    return block;
}

TEST(Capture, TheScreenIsCopiedWhole) {
    PatternedDesktop desktop;
    std::optional<platform::Image> shot = CaptureScreen(desktop);
    ASSERT_TRUE(shot);
    EXPECT_EQ(*shot, desktop.Screen());
    desktop.SetCopyScreenFails(true);
    EXPECT_FALSE(CaptureScreen(desktop));
}

TEST(Capture, TheActiveWindowIsItsOuterRectangle) {
    PatternedDesktop desktop;
    platform::WindowHandle window = desktop.AddWindow({.title = "Target", .rect = {10, 5, 40, 25}});
    EXPECT_FALSE(CaptureActiveWindow(desktop)) << "no foreground window";
    desktop.MakeForeground(window);
    std::optional<platform::Image> shot = CaptureActiveWindow(desktop);
    ASSERT_TRUE(shot);
    EXPECT_EQ(*shot, Block(desktop.Screen(), 10, 5, 30, 20));

    // A window partly off the screen: the part outside reads black.
    desktop.Window(window)->rect = {50, 40, 70, 50};
    shot = CaptureActiveWindow(desktop);
    ASSERT_TRUE(shot);
    EXPECT_EQ(*shot, Block(desktop.Screen(), 50, 40, 20, 10));
    EXPECT_EQ(shot->At(19, 9), 0);

    // Empty, inverted or absurd rectangles give no picture.
    for (platform::Rect rect : {platform::Rect{10, 10, 10, 20}, platform::Rect{10, 10, 5, 20},
                                platform::Rect{-2147483647 - 1, 0, 2147483647, 10}}) {
        desktop.Window(window)->rect = rect;
        EXPECT_FALSE(CaptureActiveWindow(desktop));
    }
}

TEST(Capture, RegionsOfNoOrAbsurdSizeAreRefused) {
    PatternedDesktop desktop;
    std::optional<platform::Image> shot = CaptureRegion(desktop, 3, 4, 5, 6);
    ASSERT_TRUE(shot);
    EXPECT_EQ(*shot, Block(desktop.Screen(), 3, 4, 5, 6));
    EXPECT_TRUE(CaptureRegion(desktop, -10, -10, kMaxCaptureSide, 1));
    const std::pair<int, int> refused[] = {
        {0, 0}, {0, 10}, {10, 0}, {-5, 10}, {10, -5}, {kMaxCaptureSide + 1, 1}, {1, kMaxCaptureSide + 1}};
    for (auto [width, height] : refused) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        EXPECT_FALSE(CaptureRegion(desktop, 0, 0, width, height));
    }
}

TEST(CopyBlockToLive, CopiesTheFortyPixelBlockAtThePoint) {
    PatternedDesktop desktop;
    BitmapEntry entry;
    ASSERT_TRUE(CopyBlockToLive(desktop, 7, 3, entry));
    EXPECT_EQ(entry.live, Block(desktop.Screen(), 7, 3, 40, 40));
    EXPECT_EQ(entry.reference, platform::Image(40, 40)) << "the reference image is left alone";

    // Beyond the screen's edge the block reads black.
    ASSERT_TRUE(CopyBlockToLive(desktop, 60, 45, entry));
    EXPECT_EQ(entry.live.At(3, 2), desktop.Screen().At(63, 47));
    EXPECT_EQ(entry.live.At(4, 2), 0);
    EXPECT_EQ(entry.live.At(3, 3), 0);
}

TEST(CopyBlockToLive, AFailedCopyLeavesTheLiveImageAsItWas) {
    PatternedDesktop desktop;
    BitmapEntry entry;
    entry.live = platform::Image(40, 40, kRed);
    desktop.SetCopyScreenFails(true);
    EXPECT_FALSE(CopyBlockToLive(desktop, 0, 0, entry));
    EXPECT_EQ(entry.live, platform::Image(40, 40, kRed));
}

// --- same_pic ---

class SamePicTest : public ::testing::Test {
protected:
    SamePicTest() { bitmaps_[1] = BitmapEntry{platform::Image(40, 40, kWhite), platform::Image(40, 40, kWhite)}; }

    platform::Image& Live() { return bitmaps_[1].live; }
    // Paints rows [top, bottom) of the live image red.
    void PaintLiveRows(int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 40; ++x) Live().Set(x, y, kRed);
        }
    }

    std::map<int, BitmapEntry> bitmaps_;
};

TEST_F(SamePicTest, AMissingEntryOrDifferentSizesAreNotAlikeWithoutSampling) {
    ScriptedRandom random;
    EXPECT_FALSE(same_pic(bitmaps_, 2, random));
    EXPECT_FALSE(same_pic(bitmaps_, 0, random));
    EXPECT_FALSE(same_pic(bitmaps_, -1, random));
    for (auto [width, height] : {std::pair{41, 40}, std::pair{40, 39}, std::pair{20, 20}}) {
        Live() = platform::Image(width, height, kWhite);
        EXPECT_FALSE(same_pic(bitmaps_, 1, random));
    }
    // Two empty images have the same size but no pixel to compare.
    bitmaps_[1] = BitmapEntry{platform::Image(0, 0), platform::Image(0, 0)};
    EXPECT_FALSE(same_pic(bitmaps_, 1, random));
    EXPECT_EQ(random.count, 0);
}

TEST_F(SamePicTest, IdenticalImagesAreAlikeAfterTenPoints) {
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            bitmaps_[1].reference.Set(x, y, x * 97 + y * 65536);
            Live().Set(x, y, x * 97 + y * 65536);
        }
    }
    ScriptedRandom random{0.5f, 0.5f, 0.99f, 0.99f, 0.0f, 0.0f};
    EXPECT_TRUE(same_pic(bitmaps_, 1, random));
    EXPECT_EQ(random.count, 20);
}

TEST_F(SamePicTest, UpToThreeDifferingPointsAreTolerated) {
    PaintLiveRows(0, 1);  // row 0 differs, the rest is alike
    for (int differing = 0; differing <= 4; ++differing) {
        SCOPED_TRACE(differing);
        ScriptedRandom random;
        for (int point = 0; point < 10; ++point) random.AddPoint(0.5f, point < differing ? 0.0f : 0.5f);
        EXPECT_EQ(same_pic(bitmaps_, 1, random), differing <= 3);
        EXPECT_EQ(random.count, differing <= 3 ? 20 : 8);
    }
}

TEST_F(SamePicTest, ImagesThatDifferEverywhereAreNotAlikeAtTheFourthPoint) {
    PaintLiveRows(0, 40);
    ScriptedRandom random;
    EXPECT_FALSE(same_pic(bitmaps_, 1, random));
    EXPECT_EQ(random.count, 8);
}

TEST_F(SamePicTest, XRunsOverTheWholeWidthAndIsDrawnFirst) {
    // Only the last column differs, in the sampled band.
    for (int y = 0; y < 28; ++y) Live().Set(39, y, kRed);
    // Scaled by 1/15, or with y drawn first, these points would land in the
    // first columns and see no difference.
    ScriptedRandom random;
    for (int point = 0; point < 4; ++point) random.AddPoint(0.999f, 0.0f);
    EXPECT_FALSE(same_pic(bitmaps_, 1, random));
    // Column 38 is alike: what was seen above is the last column.
    ScriptedRandom lower;
    for (int point = 0; point < 4; ++point) lower.AddPoint(0.97f, 0.0f);  // x = 38
    EXPECT_TRUE(same_pic(bitmaps_, 1, lower));
}

TEST_F(SamePicTest, YRunsOverTheUpperSeventyPercent) {
    // Row 27 is the last row of the band for a height of 40.
    PaintLiveRows(27, 28);
    ScriptedRandom random;
    for (int point = 0; point < 4; ++point) random.AddPoint(0.0f, 0.99999994f);
    EXPECT_FALSE(same_pic(bitmaps_, 1, random));
}

TEST_F(SamePicTest, DifferencesInTheLowerThirtyPercentAreNeverSeen) {
    PaintLiveRows(28, 40);
    // The largest draws below 1, and scripted draws outside [0, 1), stay in the band.
    ScriptedRandom edge{0.99999994f, 0.99999994f, 1.0f, 1.0f, 2.0f, 5.0f, -1.0f, -1.0f};
    EXPECT_TRUE(same_pic(bitmaps_, 1, edge));
    DefaultRandomSource random;
    for (int run = 0; run < 2000; ++run) ASSERT_TRUE(same_pic(bitmaps_, 1, random)) << "run " << run;
}

TEST_F(SamePicTest, TheRealGeneratorFindsDifferencesInTheBand) {
    PaintLiveRows(0, 28);
    DefaultRandomSource random;
    for (int run = 0; run < 200; ++run) ASSERT_FALSE(same_pic(bitmaps_, 1, random)) << "run " << run;
}

TEST_F(SamePicTest, ColoursCompareInAllThreeBytesOnly) {
    ScriptedRandom random;
    Live().Set(0, 0, kWhite - 0x010000);  // blue one unit lower
    for (int point = 0; point < 4; ++point) random.AddPoint(0.0f, 0.0f);
    EXPECT_FALSE(same_pic(bitmaps_, 1, random));

    Live().Set(0, 0, kWhite | int32_t(0x7F000000));  // a top byte is no colour
    ScriptedRandom again;
    EXPECT_TRUE(same_pic(bitmaps_, 1, again));
}

TEST_F(SamePicTest, TheModelsTableIsUsed) {
    MainModel model;
    model.EditBitmaps([&](auto& bitmaps) { bitmaps[3] = BitmapEntry{}; });
    ScriptedRandom random;
    EXPECT_TRUE(same_pic(model, 3, random));
    EXPECT_FALSE(same_pic(model, 1, random));
    model.EditBitmaps([&](auto& bitmaps) { bitmaps[3].live.Set(0, 0, kRed); });
    model.EditBitmaps([&](auto& bitmaps) { bitmaps[3].live.Set(1, 0, kRed); });
    ScriptedRandom zeros;  // every point is (0, 0)
    EXPECT_FALSE(same_pic(model, 3, zeros));
}

}  // namespace
}  // namespace kestrun
