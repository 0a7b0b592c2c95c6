// Tapreel's click table file in the real program: read at start into the
// table, written back at close byte for byte, and left alone when the table
// is empty.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text/codec.h"
#include "e2e/tapreel_app_e2e.h"

namespace {

std::string Ansi(const std::string& utf8) { return text::EncodeFileText(*text::MakeSystemCodec(), utf8); }

TEST(TapreelFileE2e, TheTableIsReadAtStartAndWrittenBackAtClose) {
    // Old row numbers, a blank line, a surplus field and a missing colour.
    std::string file = Ansi("7,100,200,左键,单击,500,,,,\r\n\r\n9,300,400,右键,双击,20,255,1,完成,x,\r\n\r\n");
    std::unique_ptr<e2e::TapreelApp> app = e2e::TapreelApp::Start(file);
    ASSERT_TRUE(app);
    ASSERT_EQ(app->RowCount(), 2);
    EXPECT_EQ(app->Column(1), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(app->Column(4), (std::vector<std::string>{"左键", "右键"}));
    EXPECT_EQ(app->Cell(1, 9), "完成");
    EXPECT_FALSE(app->Checked(0));

    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
    EXPECT_EQ(app->TableBytes(), Ansi("1,100,200,左键,单击,500,,,,\r\n2,300,400,右键,双击,20,255,1,完成,\r\n\r\n"));
}

TEST(TapreelFileE2e, ClosingWithAnEmptyTableLeavesTheFileAlone) {
    std::string blank = "\r\n  \r\n";
    std::unique_ptr<e2e::TapreelApp> app = e2e::TapreelApp::Start(blank);
    ASSERT_TRUE(app);
    EXPECT_EQ(app->RowCount(), 0);
    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
    EXPECT_EQ(app->TableBytes(), blank);

    // Without a file none is made.
    std::unique_ptr<e2e::TapreelApp> fresh = e2e::TapreelApp::Start();
    ASSERT_TRUE(fresh);
    ASSERT_EQ(fresh->Close(), std::optional<DWORD>(0));
    EXPECT_FALSE(fresh->TableBytes().has_value());
}

TEST(TapreelFileE2e, TheWindowShowsItsControls) {
    std::unique_ptr<e2e::TapreelApp> app = e2e::TapreelApp::Start();
    ASSERT_TRUE(app);
    EXPECT_EQ(app->Text(101), "录制(&R)");
    EXPECT_EQ(app->Text(102), "回放(&P)");
    EXPECT_EQ(app->Text(103), "次数:");
    EXPECT_EQ(app->Text(104), "");
    EXPECT_EQ(app->Text(105), "置顶(&T)");
    EXPECT_EQ(app->Text(106), "屏幕缩放");
    EXPECT_EQ(app->Text(107), "100%");
    RECT client{};
    GetClientRect(app->Window(), &client);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(client.right, MulDiv(6615, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(2175, dpi, 1440));
    // The table fills the client area below the 420-twip band.
    RECT list{};
    GetWindowRect(app->Control(110), &list);
    MapWindowPoints(nullptr, app->Window(), reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(list.top, MulDiv(420, dpi, 1440));
    EXPECT_EQ(list.bottom, client.bottom);
    EXPECT_EQ(list.right - list.left, client.right);
    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
}

}  // namespace
