// Kestrun's instruction composer in the real window, as a user works it: the
// fields of Frame1 typed into, the nine add buttons pressed, the mismatch
// jump prompts and the refusals answered, and List1 read back row by row.
// Editing a line by a double click and from the context menu, the
// list-management buttons with their questions, and the context menu's plan
// check and trial run of a line are driven the same way.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "e2e/support/dialog_driver.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/mouse.h"
#include "e2e/support/temp_folder.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;
using e2e::BoxIcon;

constexpr wchar_t kNotice[] = L"提示";
constexpr wchar_t kEditTitle[] = L"编辑指令";
constexpr char kBitmapJumpPrompt[] = " 请告诉我假如图像不匹配的话，要回退或前进几步? 前进负数，回退正数  ";
constexpr char kColourJumpPrompt[] = " 请告诉我假如颜色不匹配的话，要回退或前进几步?  前进负数，回退正数 ";

// One press of an add button: the fields typed first, then either the jump
// prompt answered and a line appended, or a refusal shown and nothing added.
struct AddStep {
    const char* what;
    std::vector<std::pair<int, std::string>> fields;
    int order;                         // CmdOrder Index
    const char* jumpPrompt = nullptr;  // the mismatch jump box, when one is asked
    const char* jumpAnswer = nullptr;
    const char* refusal = nullptr;  // the message shown instead of adding
    const char* line = nullptr;     // the line appended
};

class KestrunEditorE2e : public testing::Test {
protected:
    void SetUp() override {
        app_ = e2e::KestrunApp::Start();
        ASSERT_TRUE(app_) << "Kestrun did not show its window";
        app_->MoveTo(0, 0);
    }

    void TearDown() override {
        if (app_) {
            EXPECT_EQ(app_->Close(), std::optional<DWORD>(0));
        }
    }

    // Presses an add button that needs no answer and waits for its line.
    void Add(int order, const std::string& line) {
        std::vector<std::string> rows = app_->Rows();
        rows.push_back(line);
        app_->Press(id::kCmdOrder + order);
        ASSERT_TRUE(app_->WaitForRows(rows)) << line;
    }

    // Selects a row by a click on it. The clicks alternate between two
    // places on the row, so two selections in a row never make a double
    // click.
    void SelectRow(int row) {
        POINT point = app_->RowPoint(row);
        point.x += (clicks_++ % 2) * 80;
        e2e::ClickAt(point);
        ASSERT_TRUE(e2e::WaitUntil([&] { return app_->SelectedRow() == row; })) << row;
    }

    // A double click on a row, away from the place of the click before, so
    // that click does not pair with its first half; the edit box it opens,
    // or null. Under load Wine may deliver the two clicks too far apart to
    // pair, so a double click that opens nothing is made again.
    HWND DoubleClickRow(int row) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            POINT point = app_->RowPoint(row);
            point.x += (clicks_++ % 2) * 80;
            e2e::DoubleClickAt(point);
            if (HWND box = app_->WaitForDialog(kEditTitle, 3000)) return box;
        }
        return nullptr;
    }

    // The question box of the list-management buttons: its text, Yes and No,
    // the information icon; answered with the given button.
    void AnswerQuestion(const std::string& text, int answer) {
        HWND box = app_->WaitForDialog(kNotice);
        ASSERT_NE(box, nullptr) << text;
        EXPECT_EQ(e2e::MessageBoxText(box), text);
        EXPECT_EQ(e2e::VisibleButtons(box), (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(e2e::MessageBoxIcon(box), BoxIcon::kInformation);
        ASSERT_TRUE(e2e::PressAndWaitClosed(box, answer));
    }

    // Opens the list's context menu with the right button (on the given
    // point of the list, its middle unless told) and chooses an entry by its
    // access key; the box that answers, or null. A key lost while the menu
    // comes up under Wine is tried again.
    HWND ChooseFromListMenu(BYTE accessKey, const std::wstring& title, std::optional<POINT> at = std::nullopt) {
        const POINT list = at ? *at : e2e::CentreOf(app_->Control(id::kList1));
        auto menuOpen = [] { return FindWindowW(L"#32768", nullptr) != nullptr; };
        for (int attempt = 0; attempt < 3; ++attempt) {
            e2e::WaitUntil([&] { return GetForegroundWindow() == app_->Window(); }, 1000);
            e2e::ClickAt({list.x + (clicks_++ % 2) * 40, list.y}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
            if (!e2e::WaitUntil(menuOpen, 1000)) continue;
            keybd_event(accessKey, 0, 0, 0);
            keybd_event(accessKey, 0, KEYEVENTF_KEYUP, 0);
            if (HWND box = app_->WaitForDialog(title, 2000)) return box;
            for (int escape = 0; escape < 3 && menuOpen(); ++escape) {
                keybd_event(VK_ESCAPE, 0, 0, 0);
                keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
                Sleep(100);
            }
        }
        return nullptr;
    }

    // A message box with its text, the information icon and OK, closed.
    void ExpectInformation(HWND box, const std::string& text) {
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(e2e::MessageBoxText(box), text);
        EXPECT_EQ(e2e::MessageBoxIcon(box), BoxIcon::kInformation);
        EXPECT_EQ(e2e::VisibleButtons(box), std::vector<int>{IDOK});
        ASSERT_TRUE(e2e::PressAndWaitClosed(box, IDOK));
    }

    std::unique_ptr<e2e::KestrunApp> app_;
    int clicks_ = 0;
};

TEST_F(KestrunEditorE2e, EveryAddButtonWritesItsLineOrShowsItsRefusal) {
    const std::vector<AddStep> steps = {
        {"click with the design-time fields", {}, 2, nullptr, nullptr, nullptr, "鼠标点击=100,100,左键单击"},
        {"click with typed fields, an expression taken as typed",
         {{id::kTxtScreenX + 2, "640"}, {id::kTxtScreenY + 2, "100+R"}, {id::kCmbMouse, "右键单击"}},
         2,
         nullptr,
         nullptr,
         nullptr,
         "鼠标点击=640,100+R,右键单击"},
        {"click without y", {{id::kTxtScreenY + 2, ""}}, 2, nullptr, nullptr, "内容不完整!"},
        {"colour test, a half rounds to even", {}, 1, kColourJumpPrompt, "2.5", nullptr, "判断颜色=100,100,835111,2"},
        {"colour test, a word jumps 0",
         {{id::kTxtColor, "255"}},
         1,
         kColourJumpPrompt,
         "abc",
         nullptr,
         "判断颜色=100,100,255,0"},
        {"colour test without a colour", {{id::kTxtColor, ""}}, 1, nullptr, nullptr, "内容不完整!"},
        {"bitmap test", {}, 0, kBitmapJumpPrompt, "-3", nullptr, "比较位图=1,100,100,-3"},
        {"bitmap test with empty coordinates",
         {{id::kTxtScreenX + 0, ""}, {id::kTxtScreenY + 0, ""}},
         0,
         kBitmapJumpPrompt,
         "3.5",
         nullptr,
         "比较位图=2,,,4"},
        {"drag without its start", {}, 3, nullptr, nullptr, "内容不完整!"},
        {"drag",
         {{id::kTxtScreenX + 3, "10"}, {id::kTxtScreenY + 3, "20"}},
         3,
         nullptr,
         nullptr,
         nullptr,
         "鼠标拖拉=10,20,200,200"},
        {"paste", {{id::kCmbPaste, "你好，世界"}}, 4, nullptr, nullptr, nullptr, "粘贴文字=100,100,你好，世界"},
        {"paste without a text", {{id::kCmbPaste, ""}}, 4, nullptr, nullptr, "内容不完整!"},
        {"key without a name", {}, 5, nullptr, nullptr, "按键名称未填写!"},
        {"key", {{id::kTxtKeyName, "^a{ENTER}"}}, 5, nullptr, nullptr, nullptr, "模拟按键=^a{ENTER}"},
        {"file without a path", {}, 6, nullptr, nullptr, "文件路径未填写!"},
        {"file", {{id::kTxtFilename, "notepad.exe,3"}}, 6, nullptr, nullptr, nullptr, "打开文件=notepad.exe,3"},
        {"address without a text", {}, 7, nullptr, nullptr, "网址未填写!"},
        {"address", {{id::kCmbUrl, "www.example.com"}}, 7, nullptr, nullptr, nullptr, "打开网址=www.example.com"},
        {"wait with the design-time field", {}, 8, nullptr, nullptr, nullptr, "等待时间=5000"},
        {"wait with a unit", {{id::kTxtTime, "5 s"}}, 8, nullptr, nullptr, "等待时间必须输入数字!"},
        {"wait without a time", {{id::kTxtTime, ""}}, 8, nullptr, nullptr, "等待时间未填写!"},
        {"wait, spaces around the number kept",
         {{id::kTxtTime, " 1e3 "}},
         8,
         nullptr,
         nullptr,
         nullptr,
         "等待时间= 1e3 "},
    };

    std::vector<std::string> expected;
    for (const AddStep& step : steps) {
        SCOPED_TRACE(step.what);
        for (const auto& [control, text] : step.fields) {
            app_->SetText(control, text);
            ASSERT_EQ(app_->Text(control), text);
        }
        app_->Press(id::kCmdOrder + step.order);
        if (step.refusal) {
            HWND box = app_->WaitForDialog(kNotice);
            ASSERT_NE(box, nullptr) << "no refusal";
            EXPECT_EQ(e2e::MessageBoxText(box), step.refusal);
            EXPECT_EQ(e2e::VisibleButtons(box), std::vector<int>{IDOK});
            EXPECT_EQ(e2e::MessageBoxIcon(box), BoxIcon::kExclamation);
            ASSERT_TRUE(e2e::PressAndWaitClosed(box, IDOK));
        } else {
            if (step.jumpPrompt) {
                HWND box = app_->WaitForDialog(kNotice);
                ASSERT_NE(box, nullptr) << "no jump prompt";
                EXPECT_EQ(e2e::InputBoxPrompt(box), step.jumpPrompt);
                EXPECT_EQ(e2e::InputBoxAnswer(box), "0");
                EXPECT_EQ(e2e::VisibleButtons(box), (std::vector<int>{IDOK, IDCANCEL}));
                ASSERT_TRUE(e2e::AnswerInputBox(box, step.jumpAnswer));
            }
            expected.push_back(step.line);
        }
        // A refusal adds nothing: the next step's rows would show it.
        EXPECT_TRUE(app_->WaitForRows(expected)) << "rows: " << testing::PrintToString(app_->Rows());
        EXPECT_EQ(app_->SelectedRow(), int(expected.size()) - 1) << "the new line is selected";
        EXPECT_FALSE(e2e::AnyDialogOpen(app_->ProcessId()));
    }
}

// The reference bitmaps of the bitmap tests show as thumbnails in Frame2:
// entry n at (n - 1) x 450 + 100 twips from the frame's left, the live
// bitmap 200 and the reference image 600 twips from its top, 400 x 400 each.
TEST_F(KestrunEditorE2e, BitmapTestsShowTheirThumbnailsAndDeletingOneFreesItsNumber) {
    for (const char* answer : {"0", "1"}) {
        app_->Press(id::kCmdOrder + 0);
        HWND box = app_->WaitForDialog(kNotice);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(e2e::AnswerInputBox(box, answer));
    }
    ASSERT_TRUE(app_->WaitForRows({"比较位图=1,100,100,0", "比较位图=2,100,100,1"}));

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    auto px = [&](int twips) { return MulDiv(twips, dpi, 1440); };
    auto childAt = [&](int leftTwips, int topTwips) {
        RECT want{px(leftTwips), px(topTwips), px(leftTwips + 400), px(topTwips + 400)};
        for (HWND child = GetWindow(app_->Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect;
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, app_->Window(), reinterpret_cast<POINT*>(&rect), 2);
            if (EqualRect(&rect, &want) && IsWindowVisible(child)) return true;
        }
        return false;
    };
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        int left = 2520 + (n - 1) * 450 + 100;
        EXPECT_TRUE(e2e::WaitUntil([&] { return childAt(left, 9975 + 200); })) << "live bitmap";
        EXPECT_TRUE(childAt(left, 9975 + 600)) << "reference image";
    }

    // Deleting the line of bitmap 2 removes its entry, so the next bitmap
    // test takes number 2 again.
    SelectRow(1);
    app_->Press(id::kCmdListManger + 2);
    AnswerQuestion("  你真的要删除当前指令吗？   ", IDYES);
    ASSERT_TRUE(app_->WaitForRows({"比较位图=1,100,100,0"}));
    EXPECT_EQ(app_->SelectedRow(), -1);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !childAt(2520 + 550, 9975 + 600); })) << "thumbnail 2 stays";
    EXPECT_TRUE(childAt(2520 + 100, 9975 + 600)) << "thumbnail 1 went";
    app_->Press(id::kCmdOrder + 0);
    HWND box = app_->WaitForDialog(kNotice);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(e2e::AnswerInputBox(box, ""));
    EXPECT_TRUE(app_->WaitForRows({"比较位图=1,100,100,0", "比较位图=2,100,100,0"}));
}

TEST_F(KestrunEditorE2e, ALineIsEditedByDoubleClickAndFromTheContextMenu) {
    Add(2, "鼠标点击=100,100,左键单击");
    Add(8, "等待时间=5000");
    Add(2, "鼠标点击=100,100,左键单击");

    // A double click on row 1 offers the row's text under the double-click
    // prompt; the answer replaces the line unchanged.
    SelectRow(1);
    HWND box = DoubleClickRow(1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::InputBoxPrompt(box), "需要修改当前指令吗？请输入新的指令内容，请注意格式");
    EXPECT_EQ(e2e::InputBoxAnswer(box), "等待时间=5000");
    ASSERT_TRUE(e2e::AnswerInputBox(box, " 等待时间=300 "));
    ASSERT_TRUE(app_->WaitForRows({"鼠标点击=100,100,左键单击", " 等待时间=300 ", "鼠标点击=100,100,左键单击"}));

    // An empty answer leaves the line as it was.
    box = DoubleClickRow(1);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(e2e::AnswerInputBox(box, ""));
    Sleep(100);
    EXPECT_EQ(app_->Rows()[1], " 等待时间=300 ");

    // The right button does not move the selection: the menu's "修改(&E)"
    // edits row 1 although the click was on row 0.
    box = ChooseFromListMenu('E', kEditTitle, app_->RowPoint(0));
    ASSERT_NE(box, nullptr) << "no edit box from the context menu";
    EXPECT_EQ(e2e::InputBoxPrompt(box), "需要修改当前指令吗？请输入新的指令内容");
    EXPECT_EQ(e2e::InputBoxAnswer(box), " 等待时间=300 ");
    ASSERT_TRUE(e2e::AnswerInputBox(box, "模拟按键={F5}"));
    EXPECT_TRUE(app_->WaitForRows({"鼠标点击=100,100,左键单击", "模拟按键={F5}", "鼠标点击=100,100,左键单击"}));
    EXPECT_EQ(app_->SelectedRow(), 1);
}

TEST_F(KestrunEditorE2e, ListButtonsMoveDeleteAndClearWithTheirQuestions) {
    Add(2, "鼠标点击=100,100,左键单击");
    Add(8, "等待时间=5000");
    app_->SetText(id::kTxtKeyName, "a");
    Add(5, "模拟按键=a");

    // 上移 with the last row selected; the first row cannot move up and
    // loses the selection.
    SelectRow(2);
    app_->Press(id::kCmdListManger + 0);
    ASSERT_TRUE(app_->WaitForRows({"鼠标点击=100,100,左键单击", "模拟按键=a", "等待时间=5000"}));
    EXPECT_EQ(app_->SelectedRow(), 1);
    app_->Press(id::kCmdListManger + 0);
    ASSERT_TRUE(app_->WaitForRows({"模拟按键=a", "鼠标点击=100,100,左键单击", "等待时间=5000"}));
    EXPECT_TRUE(e2e::WaitUntil([&] { return app_->SelectedRow() == 0; }));
    app_->Press(id::kCmdListManger + 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return app_->SelectedRow() == -1; }));
    EXPECT_EQ(app_->Rows(), (std::vector<std::string>{"模拟按键=a", "鼠标点击=100,100,左键单击", "等待时间=5000"}));

    // 下移, then 删除 answered No and Yes.
    SelectRow(0);
    app_->Press(id::kCmdListManger + 1);
    ASSERT_TRUE(app_->WaitForRows({"鼠标点击=100,100,左键单击", "模拟按键=a", "等待时间=5000"}));
    EXPECT_EQ(app_->SelectedRow(), 1);
    app_->Press(id::kCmdListManger + 2);
    AnswerQuestion("  你真的要删除当前指令吗？   ", IDNO);
    Sleep(100);
    EXPECT_EQ(app_->Rows().size(), 3u);
    app_->Press(id::kCmdListManger + 2);
    AnswerQuestion("  你真的要删除当前指令吗？   ", IDYES);
    ASSERT_TRUE(app_->WaitForRows({"鼠标点击=100,100,左键单击", "等待时间=5000"}));

    // 清空 answered No, then Yes.
    app_->Press(id::kCmdListManger + 3);
    AnswerQuestion("  你真的要清空所有指令吗？  ", IDNO);
    Sleep(100);
    EXPECT_EQ(app_->Rows().size(), 2u);
    app_->Press(id::kCmdListManger + 3);
    AnswerQuestion("  你真的要清空所有指令吗？  ", IDYES);
    EXPECT_TRUE(app_->WaitForRows({}));
}

TEST_F(KestrunEditorE2e, CheckPlanAndRunLineAnswerFromTheContextMenu) {
    Add(8, "等待时间=5000");
    Add(8, "等待时间=5000");
    for (auto [row, line] : {std::pair{1, "等待 时间=10"}, std::pair{0, "等待时间=10"}}) {
        SelectRow(row);
        HWND box = DoubleClickRow(row);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(e2e::AnswerInputBox(box, line));
    }
    ASSERT_TRUE(app_->WaitForRows({"等待时间=10", "等待 时间=10"}));
    ASSERT_EQ(app_->SelectedRow(), 0);

    ExpectInformation(ChooseFromListMenu('A', L"方案检查"),
                      "第 2 行：指令名“等待 时间”多了空格，不是指令，执行到这里会一直停在这一行。\r\n共 1 处问题。");
    ExpectInformation(ChooseFromListMenu('X', L"执行结果"), "第 1 行：等待时间=10\r\n结果：前进到第 2 行。");
    EXPECT_EQ(app_->SelectedRow(), 0) << "the selection stays";
    EXPECT_EQ(e2e::ReadWholeFile(app_->Folder() + L"日志.txt"), "") << "no run-log entry";
}

}  // namespace
