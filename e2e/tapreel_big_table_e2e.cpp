// A click table of 100 000 rows: the window shows and answers at once, every
// row is there, a click on a check box flips that row's mark, and
// closing saves the table byte for byte. The table file is made by the test.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "e2e/support/responsiveness.h"
#include "e2e/tapreel_app_e2e.h"

namespace {

constexpr int kRows = 100'000;

// Row n (from 1) as the file holds it: nine columns, each followed by ",".
std::string TableLine(int n) {
    char line[96];
    std::snprintf(line, sizeof line, "%d,%d,%d,,L,%d,,,,\r\n", n, n % 1280, n % 1024, 100 + n % 900);
    return line;
}

TEST(TapreelBigTableE2e, AHundredThousandRowTableShowsAtOnceAndSavesWhole) {
    std::string table;
    for (int n = 1; n <= kRows; ++n) table += TableLine(n);
    table += "\r\n";

    const DWORD started = GetTickCount();
    std::unique_ptr<e2e::TapreelApp> app = e2e::TapreelApp::Start(table);
    ASSERT_TRUE(app);
    const DWORD shownMs = GetTickCount() - started;
    const e2e::Responsiveness watched = e2e::WatchAnswers(
        app->Window(), [&] { return app->RowCount() == kRows; }, 30'000);
    std::printf(
        "table of %d rows: window shown %lu ms after the start, all rows %lu ms later; longest wait for "
        "an answer %lu ms\n",
        kRows, shownMs, watched.elapsedMs, watched.longestAnswerMs);
    ASSERT_TRUE(watched.reached) << app->RowCount() << " rows";
    EXPECT_LT(watched.longestAnswerMs, 1000u);

    for (int row : {0, kRows / 2, kRows - 1}) {
        EXPECT_EQ(app->Cell(row, 1), std::to_string(row + 1));
        EXPECT_EQ(app->Cell(row, 6), std::to_string(100 + (row + 1) % 900));
    }
    // A click on a row's check box ticks that row, a second one clears it.
    ASSERT_TRUE(e2e::ActUntil([&] { SetForegroundWindow(app->Window()); },
                              [&] { return GetForegroundWindow() == app->Window(); }));
    POINT box = app->CellPoint(1, 1);
    box.x -= 22;  // from past the box to its middle
    e2e::ClickAt(box);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Checked(1); }));
    EXPECT_FALSE(app->Checked(0));
    Sleep(600);  // no double click
    e2e::ClickAt(box);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !app->Checked(1); }));
    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
    EXPECT_EQ(app->TableBytes(), table);
}

}  // namespace
