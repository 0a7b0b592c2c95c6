// Plans through the real Kestrun window: a plan composed and exported with
// "导出(&S)" and its "方案保存" input box is written byte for byte with its
// reference bitmap; closing writes lastplan.ini; the next start in the same
// program folder shows the plan and the options again without running it.
// A picture dropped on a picture box, the capture box or a reference image,
// becomes that box's picture.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "common/win32/wide.h"
#include "e2e/support/bmp_file.h"
#include "e2e/support/dialog_driver.h"
#include "e2e/support/drop.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/target_window.h"
#include "e2e/support/temp_folder.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

constexpr int kPaint = 30 + 256 * 160 + 65536 * 220;  // the block the bitmap test keeps

// Text in the simplified-Chinese code page, converted here by the system
// itself rather than by the program under test.
std::string Gbk(const std::string& utf8) {
    std::wstring wide = win32::Wide(utf8);
    int size = WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(936, 0, wide.data(), int(wide.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The screen point of the middle of bitmap entry n's reference image in
// Frame2: 100 + (n - 1) x 450 twips from the frame's left, 600 from its top.
POINT ReferenceThumbnail(HWND window, int n) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    POINT point{MulDiv(2520 + (n - 1) * 450 + 100 + 200, dpi, 1440), MulDiv(9975 + 600 + 200, dpi, 1440)};
    ClientToScreen(window, &point);
    return point;
}

TEST(KestrunPlansE2e, ExportWritesThePlanAndBitmapAndTheNextStartRestoresItWithoutRunning) {
    e2e::TargetOptions options;
    options.title = L"Kestrun plan target";
    options.rect = {660, 120, 1160, 560};
    options.paints = {L"0,60,500,400," + std::to_wstring(kPaint)};
    std::unique_ptr<e2e::TargetWindow> target = e2e::TargetWindow::Start(options);
    ASSERT_TRUE(target);
    std::unique_ptr<e2e::KestrunApp> first = e2e::KestrunApp::Start();
    ASSERT_TRUE(first);
    first->MoveTo(0, 0);
    const std::wstring folder = first->Folder();

    // The plan: a click, a bitmap test of a block of the target, a wait; and
    // two options changed.
    first->Press(id::kCmdOrder + 2);
    ASSERT_TRUE(first->WaitForRows({"鼠标点击=100,100,左键单击"}));
    const POINT block = target->ScreenPoint(200, 200);
    const std::string blockX = std::to_string(block.x);
    const std::string blockY = std::to_string(block.y);
    ASSERT_TRUE(first->PickWithF8(0, block, [&] {
        return first->Text(id::kTxtScreenX + 0) == blockX && first->Text(id::kTxtScreenY + 0) == blockY;
    }));
    first->Press(id::kCmdOrder + 0);
    HWND jump = first->WaitForDialog(L"提示");
    ASSERT_NE(jump, nullptr);
    ASSERT_TRUE(e2e::AnswerInputBox(jump, "-2"));
    first->Press(id::kCmdOrder + 8);
    const std::vector<std::string> plan = {"鼠标点击=100,100,左键单击", "比较位图=1," + blockX + "," + blockY + ",-2",
                                           "等待时间=5000"};
    ASSERT_TRUE(first->WaitForRows(plan));
    first->SetText(id::kTxtRound, "3");
    first->SetText(id::kTxtStartime, "21:45");

    // Export: the input box offers "方案" and the time of now.
    SYSTEMTIME before;
    GetLocalTime(&before);
    first->Press(id::kCmdListManger + 5);
    HWND box = first->WaitForDialog(L"方案保存");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::InputBoxPrompt(box), "  请输入方案文件名");
    const std::string offered = e2e::InputBoxAnswer(box);
    std::smatch stamp;
    ASSERT_TRUE(std::regex_match(offered, stamp, std::regex("方案(\\d{4})(\\d\\d)(\\d\\d)\\d{6}"))) << offered;
    EXPECT_EQ(std::stoi(stamp[1]), before.wYear);
    EXPECT_EQ(std::stoi(stamp[2]), before.wMonth);
    ASSERT_TRUE(e2e::AnswerInputBox(box, "我的方案"));

    // The plan file: GBK, CR LF after every line, one empty line at the end.
    const std::wstring planPath = folder + L"process\\我的方案.csv";
    const std::string planBytes = Gbk(plan[0] + "\r\n" + plan[1] + "\r\n" + plan[2] + "\r\n\r\n");
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ReadWholeFile(planPath) == planBytes; }))
        << "plan file: " << testing::PrintToString(e2e::ReadWholeFile(planPath));
    EXPECT_EQ(planBytes.substr(0, 9), "\xca\xf3\xb1\xea\xb5\xe3\xbb\xf7=") << "鼠标点击 in GBK";

    // The bitmap of entry 1, written after the plan file: a 40 x 40 bitmap
    // of the block under the pick.
    const std::wstring bitmapPath = folder + L"ScreenShot\\我的方案1.bmp";
    ASSERT_TRUE(e2e::WaitUntil([&] { return FileExists(bitmapPath); })) << "no bitmap file";
    const std::string bitmap = e2e::ReadWholeFile(bitmapPath);
    ASSERT_GE(bitmap.size(), 54u);
    EXPECT_EQ(e2e::Int32At(bitmap, 18), 40);
    EXPECT_EQ(std::abs(e2e::Int32At(bitmap, 22)), 40);
    EXPECT_EQ(e2e::BmpColourAt(bitmap, 0, 0), kPaint);
    EXPECT_EQ(e2e::BmpColourAt(bitmap, 39, 39), kPaint);
    EXPECT_FALSE(FileExists(folder + L"ScreenShot\\我的方案2.bmp"));

    // Closing writes the seven settings lines.
    ASSERT_EQ(first->Close(), std::optional<DWORD>(0));
    const std::string settings =
        Gbk("方案文件=" + win32::Narrow(planPath) +
            "\r\n定时执行=0\r\n定时时间=21:45\r\n循环次数=3\r\n结束关机=0\r\n网址列表=\r\n粘贴列表=\r\n");
    EXPECT_EQ(e2e::ReadWholeFile(folder + L"lastplan.ini"), settings);
    EXPECT_EQ(settings.substr(0, 9), "\xb7\xbd\xb0\xb8\xce\xc4\xbc\xfe=") << "方案文件 in GBK";

    // The next start in the same folder shows the plan and the options, its
    // bitmap in Frame2, and runs nothing.
    std::unique_ptr<e2e::KestrunApp> second = e2e::KestrunApp::StartIn(folder);
    ASSERT_TRUE(second);
    second->MoveTo(0, 0);
    ASSERT_TRUE(second->WaitForRows(plan)) << testing::PrintToString(second->Rows());
    EXPECT_EQ(second->SelectedRow(), -1);
    EXPECT_EQ(second->Text(id::kTxtRound), "3");
    EXPECT_EQ(second->Text(id::kTxtStartime), "21:45");
    EXPECT_EQ(second->Text(id::kCmdGoto), "开始执行");
    EXPECT_FALSE(FileExists(folder + L"日志.txt")) << "a run started";

    const POINT reference = ReferenceThumbnail(second->Window(), 1);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ScreenColourAt(reference) == kPaint; }))
        << "the reference image did not come back";

    // Without an export in this run, closing leaves lastplan.ini as it was.
    second->SetText(id::kTxtRound, "7");
    ASSERT_EQ(second->Close(), std::optional<DWORD>(0));
    EXPECT_EQ(e2e::ReadWholeFile(folder + L"lastplan.ini"), settings);
    EXPECT_FALSE(FileExists(folder + L"日志.txt"));
    target->Close();
}

TEST(KestrunPlansE2e, ImportThroughTheFileChooserLoadsThePlanItsBitmapAndItsPasteList) {
    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    app->MoveTo(0, 0);
    const std::wstring folder = app->Folder();
    // A plan as a user may have edited it: indented lines, an empty line, a
    // comment of its own; its header names the paste list.
    const std::wstring listPath = folder + L"粘贴列表.txt";
    ASSERT_TRUE(e2e::WriteWholeFile(listPath, Gbk("甲\r\n  乙  \r\n\r\n")));
    const std::wstring planPath = folder + L"process\\导入方案.csv";
    ASSERT_TRUE(e2e::WriteWholeFile(
        planPath,
        Gbk("'粘贴列表文件: " + win32::Narrow(listPath) +
            "\r\n\r\n  鼠标点击=1,2,左键单击  \r\n' 自己的注释\r\n比较位图=1,3,4,0\r\n粘贴文字=5,6,列表\r\n\r\n")));
    ASSERT_TRUE(e2e::WriteWholeFile(folder + L"screenshot\\导入方案1.bmp", e2e::SolidBmp(40, 40, kPaint)));
    app->Press(id::kCmdOrder + 8);
    ASSERT_TRUE(app->WaitForRows({"等待时间=5000"}));

    app->Press(id::kCmdListManger + 4);
    HWND chooser = app->WaitForDialog(L"请选择文件", 10000);
    ASSERT_NE(chooser, nullptr) << "no file chooser";
    // The chooser's file name box: a combo box (cmb13) or an edit box (edt1).
    HWND name = GetDlgItem(chooser, 0x47C);
    if (HWND edit = name ? FindWindowExW(name, nullptr, L"Edit", nullptr) : nullptr) name = edit;
    if (!name) name = GetDlgItem(chooser, 0x480);
    ASSERT_NE(name, nullptr) << "no file name box";
    e2e::SetWindowTextTo(name, win32::Narrow(planPath));
    ASSERT_TRUE(e2e::PressAndWaitClosed(chooser, IDOK));

    // The plan replaces the list, trimmed, without the comments.
    ASSERT_TRUE(app->WaitForRows({"鼠标点击=1,2,左键单击", "比较位图=1,3,4,0", "粘贴文字=5,6,列表"}))
        << testing::PrintToString(app->Rows());
    EXPECT_EQ(app->SelectedRow(), -1);
    EXPECT_EQ(app->Text(id::kCmbPaste), "列表");
    EXPECT_EQ(SendMessageW(app->Control(id::kCmbPaste), CB_GETCOUNT, 0, 0), 2);
    const POINT reference = ReferenceThumbnail(app->Window(), 1);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ScreenColourAt(reference) == kPaint; }))
        << "the reference image was not loaded";

    // An imported plan is not the current plan: closing writes no settings.
    ASSERT_EQ(app->Close(), std::optional<DWORD>(0));
    EXPECT_FALSE(FileExists(folder + L"lastplan.ini"));
}

TEST(KestrunPlansE2e, APictureDroppedOnAPictureBoxBecomesItsPicture) {
    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    app->MoveTo(0, 0);
    app->Press(id::kCmdOrder + 0);
    HWND jump = app->WaitForDialog(L"提示");
    ASSERT_NE(jump, nullptr);
    ASSERT_TRUE(e2e::AnswerInputBox(jump, "0"));
    ASSERT_TRUE(app->WaitForRows({"比较位图=1,100,100,0"}));

    struct Case {
        const char* box;
        POINT at;
        int colour;
    };
    const Case cases[] = {
        {"the reference image of entry 1", ReferenceThumbnail(app->Window(), 1), 200 + 256 * 40 + 65536 * 10},
        {"the capture box", e2e::CentreOf(app->Control(id::kPicture2)), 10 + 256 * 200 + 65536 * 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const std::wstring picture = app->Folder() + L"拖入" + std::to_wstring(c.colour) + L".bmp";
        ASSERT_TRUE(e2e::WriteWholeFile(picture, e2e::SolidBmp(40, 40, c.colour)));
        ASSERT_TRUE(e2e::DropFiles(app->Window(), c.at, {picture}));
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ScreenColourAt(c.at) == c.colour; }))
            << "the box shows " << e2e::ScreenColourAt(c.at);
    }
    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
}

}  // namespace
