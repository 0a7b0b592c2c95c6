#include "kestrun/actions/image_search.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

using platform::Image;
using platform::Point;
using platform::Rect;

constexpr int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

TEST(ImageSearchTest, ColoursAreAlikeWhenEveryChannelLiesWithinTheTolerance) {
    struct Case {
        int32_t a, b;
        int tolerance;
        bool alike;
    } cases[] = {
        {Rgb(10, 20, 30), Rgb(10, 20, 30), 0, true},
        {Rgb(10, 20, 30), Rgb(11, 20, 30), 0, false},
        {Rgb(10, 20, 30), Rgb(15, 25, 35), 5, true},
        {Rgb(10, 20, 30), Rgb(10, 20, 36), 5, false},
        {Rgb(10, 20, 30), Rgb(10, 14, 30), 5, false},
        {Rgb(0, 0, 0), Rgb(255, 255, 255), 255, true},
        {Rgb(200, 0, 0), Rgb(0, 0, 200), 199, false},
        {-1, Rgb(255, 255, 255), 255, false},
        {-1, -1, 0, true},
        {0x1000000, 0xFFFFFF, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.a << " " << c.b << " t=" << std::dec << c.tolerance);
        EXPECT_EQ(ColoursAlike(c.a, c.b, c.tolerance), c.alike);
    }
}

TEST(ImageSearchTest, TheRectangleTakesItsCornersInEitherOrderAndIsClippedToTheScreen) {
    const Point screen{1280, 1024};
    struct Case {
        int x1, y1, x2, y2;
        Rect expected;
    } cases[] = {
        {10, 20, 110, 220, {10, 20, 110, 220}},    {110, 220, 10, 20, {10, 20, 110, 220}},
        {-50, -5, 2000, 3000, {0, 0, 1280, 1024}}, {1300, 1100, 1400, 1200, {1300, 1100, 1300, 1100}},
        {-100, 10, -20, 20, {0, 10, 0, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2);
        EXPECT_EQ(SearchRectangle(c.x1, c.y1, c.x2, c.y2, screen), c.expected);
    }
}

TEST(ImageSearchTest, TheFirstPixelOfTheColourIsFoundRowByRow) {
    Image image(8, 4, Rgb(255, 255, 255));
    image.Set(6, 1, Rgb(100, 0, 0));
    image.Set(2, 2, Rgb(100, 0, 0));
    image.Set(1, 1, Rgb(104, 0, 0));
    EXPECT_EQ(FindColour(image, Rgb(100, 0, 0), 0), (Point{6, 1}));
    EXPECT_EQ(FindColour(image, Rgb(100, 0, 0), 4), (Point{1, 1}));
    EXPECT_EQ(FindColour(image, Rgb(0, 0, 100), 4), std::nullopt);
    EXPECT_EQ(FindColour(Image{}, Rgb(0, 0, 0), 255), std::nullopt);
}

TEST(ImageSearchTest, TheFirstPlaceWhereTheWholeBlockIsAlikeIsFound) {
    // A block of background with one mark, on a screen of the same
    // background: only the places under the mark can match.
    Image block(4, 3, Rgb(240, 240, 240));
    block.Set(3, 2, Rgb(0, 0, 0));
    Image screen(20, 10, Rgb(240, 240, 240));
    EXPECT_EQ(FindBlock(screen, block, 10), std::nullopt);

    screen.Set(19, 9, Rgb(8, 8, 8));  // the block at the bottom-right edge, within 8
    EXPECT_EQ(FindBlock(screen, block, 8), (Point{16, 7}));
    EXPECT_EQ(FindBlock(screen, block, 7), std::nullopt);

    screen.Set(5, 4, Rgb(0, 0, 0));  // an earlier place, row by row
    EXPECT_EQ(FindBlock(screen, block, 0), (Point{2, 2}));

    screen.Set(3, 2, Rgb(240, 240, 255));  // one pixel of that place now differs by 15
    EXPECT_EQ(FindBlock(screen, block, 14), (Point{16, 7}));
    EXPECT_EQ(FindBlock(screen, block, 15), (Point{2, 2}));

    EXPECT_EQ(FindBlock(block, screen, 255), std::nullopt);  // larger than the image
    EXPECT_EQ(FindBlock(screen, Image{}, 255), std::nullopt);
}

}  // namespace
}  // namespace kestrun
