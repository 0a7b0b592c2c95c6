// Editing the click table through Tapreel's real window: header clicks with
// the "项目值修改" input box and the pop-up menu, Shift+Up, a double click,
// Space, Shift+A and Shift+Delete with its question, and the file written at
// close.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text/codec.h"
#include "e2e/support/dialog_driver.h"
#include "e2e/tapreel_app_e2e.h"

namespace {

std::string Ansi(const std::string& utf8) { return text::EncodeFileText(*text::MakeSystemCodec(), utf8); }

void Press(BYTE key) {
    keybd_event(key, 0, 0, 0);
    keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

void ShiftPress(BYTE key) {
    keybd_event(VK_SHIFT, 0, 0, 0);
    Press(key);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

TEST(TapreelEditE2e, TheTableIsEditedThroughTheWindow) {
    std::string file;
    for (int i = 1; i <= 5; ++i) {
        std::string n = std::to_string(i);
        file += n + "," + n + "0," + n + "00,左键,单击," + n + "000,255,,,\r\n";
    }
    std::unique_ptr<e2e::TapreelApp> app = e2e::TapreelApp::Start(Ansi(file + "\r\n"));
    ASSERT_TRUE(app);
    const DWORD pid = GetProcessId(app->Process());
    // Under Wine the window manager confirms a move on its own time; clicks
    // wait for the window to stand where it was put.
    ASSERT_TRUE(e2e::ActUntil(
        [&] {
            SetWindowPos(app->Window(), nullptr, 100, 100, 700, 400, SWP_NOZORDER);
            SetForegroundWindow(app->Window());
        },
        [&] {
            RECT rect{};
            GetWindowRect(app->Window(), &rect);
            return rect.left == 100 && rect.top == 100 && GetForegroundWindow() == app->Window();
        }));
    // A row click, repeated until the row is current.
    auto makeCurrent = [&](int row) {
        return e2e::ActUntil([&] { e2e::ClickAt(app->CellPoint(row, 3)); }, [&] { return app->Current(row); });
    };
    // A header click, repeated until the input box shows (a click that lands
    // while the box is up goes to the disabled window and does nothing).
    auto openBox = [&](int column) {
        HWND box = nullptr;
        e2e::ActUntil([&] { e2e::ClickAt(app->HeaderPoint(column)); },
                      [&] { return (box = e2e::WaitForDialog(pid, L"项目值修改", 0)) != nullptr; }, 4, 2000);
        return box;
    };
    auto rowsSettle = [&](const std::vector<std::string>& numbers) {
        return e2e::WaitUntil([&] { return app->Column(1) == numbers; }, 2000);
    };

    // Row 2 becomes current; header 2 edits its x.
    ASSERT_TRUE(makeCurrent(1));
    Sleep(600);  // apart from the row click, whatever the double-click distance
    HWND box = openBox(2);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::DialogItemText(box, 100), "    请输入当前项的新值");
    EXPECT_EQ(e2e::DialogItemText(box, 101), "20");
    SetDlgItemTextW(box, 101, L"777");
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Cell(1, 2) == "777"; }));

    // Header 7, cancelled: the colour value is emptied.
    Sleep(600);  // apart from the last click, so the header click is no double click
    box = openBox(7);
    ASSERT_NE(box, nullptr);
    SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Cell(1, 7).empty(); }));
    EXPECT_EQ(app->Cell(0, 7), "255");

    // Header 5 shows the "点击" menu; D chooses "双击(&D)".
    Sleep(600);
    e2e::ClickAt(app->HeaderPoint(5));
    Sleep(300);
    Press('D');
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Cell(1, 5) == "双击"; }));

    // Shift+Up moves the row up with its number.
    Sleep(600);
    ASSERT_TRUE(makeCurrent(1));
    ShiftPress(VK_UP);
    EXPECT_TRUE(rowsSettle({"2", "1", "3", "4", "5"}));
    EXPECT_EQ(app->Cell(0, 2), "777");

    // A double click removes the row under it at once.
    Sleep(600);
    POINT last = app->CellPoint(4, 3);
    e2e::ClickAt(last);
    e2e::ClickAt(last);
    EXPECT_TRUE(rowsSettle({"2", "1", "3", "4"}));

    // Space ticks row "3"; Shift+A flips every mark; Shift+Delete asks and
    // removes the ticked rows.
    Sleep(600);
    ASSERT_TRUE(makeCurrent(2));
    Press(VK_SPACE);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Checked(2); }));
    ShiftPress('A');
    EXPECT_TRUE(e2e::WaitUntil([&] { return app->Checked(0) && app->Checked(1) && !app->Checked(2); }));
    EXPECT_TRUE(app->Checked(3));
    ShiftPress(VK_DELETE);
    HWND question = e2e::WaitForDialog(pid, L"提示");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(e2e::DialogItemText(question, 0xFFFF), "    你确实要将当前所有选中的项目删除吗？    ");
    SendMessageW(GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(rowsSettle({"3"}));

    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
    EXPECT_EQ(app->TableBytes(), Ansi("3,30,300,左键,单击,3000,255,,,\r\n\r\n"));
}

}  // namespace
