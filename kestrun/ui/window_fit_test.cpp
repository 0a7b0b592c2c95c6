#include "kestrun/ui/window_fit.h"

#include <gtest/gtest.h>

namespace kestrun {
namespace {

// The main window's client area at full size.
constexpr PixelSize kClient{8310, 11745};

TEST(WindowFit, TwipsBecomePixelsRoundedHalfAwayFromZero) {
    struct Case {
        int twips, dpi, pixels;
    } cases[] = {{11745, 96, 783}, {8310, 144, 831}, {11745, 144, 1175}, {15, 144, 2}, {-15, 144, -2}, {7, 96, 0}};
    for (const Case& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
}

TEST(WindowFit, TheLayoutShrinksUntilTheWindowFitsTheWorkAreaAndTheWindowMovesIntoIt) {
    struct Case {
        const char* what;
        int dpi;
        PixelSize frame;
        PixelRect window, workArea;
        int layoutDpi;
        PixelRect fitted;
    } cases[] = {
        {"fits at 100 %: nothing changes",
         96,
         {16, 39},
         {40, 20, 610, 842},
         {0, 0, 1280, 1024},
         96,
         {40, 20, 610, 842}},
        {"no DPI reads as 100 %", 0, {16, 39}, {40, 20, 610, 842}, {0, 0, 1280, 1024}, 96, {40, 20, 610, 842}},
        {"fits at 100 % but reaches below the work area",
         96,
         {16, 39},
         {40, 300, 610, 1122},
         {0, 0, 1280, 1024},
         96,
         {40, 202, 610, 1024}},
        {"150 % on 1280 x 1024", 144, {22, 52}, {40, 20, 893, 1247}, {0, 0, 1280, 1024}, 119, {40, 1, 749, 1024}},
        {"150 % on 1920 x 1080 above a taskbar",
         144,
         {22, 52},
         {100, 50, 953, 1277},
         {0, 0, 1920, 1008},
         117,
         {100, 2, 797, 1008}},
        {"a narrow work area", 144, {22, 52}, {0, 0, 853, 1227}, {0, 0, 600, 1024}, 100, {0, 0, 599, 868}},
        {"200 % on a monitor left of and above the primary",
         192,
         {28, 66},
         {1800, -300, 2936, 1332},
         {1920, -200, 3840, 880},
         124,
         {1920, -200, 2664, 877}},
        {"a work area too small for any readable layout",
         96,
         {16, 39},
         {50, 50, 620, 872},
         {0, 0, 300, 200},
         kMinLayoutDpi,
         {7, 0, 300, 431}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowFit fit = FitWindow(kClient, c.dpi, c.frame, c.window, c.workArea);
        EXPECT_EQ(fit.layoutDpi, c.layoutDpi);
        EXPECT_EQ(fit.window, c.fitted);
    }
}

}  // namespace
}  // namespace kestrun
