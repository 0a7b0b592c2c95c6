// The "新增更多(&N)" submenu of List1's context menu in the real Kestrun
// window: each of its entries, reached with the right mouse button
// and the keyboard as a user reaches it, asks its own input box (title,
// prompt, default) and appends its line, or nothing when the answer fails
// the entry's test.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/support/dialog_driver.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/menus.h"
#include "e2e/support/mouse.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

enum class Answer { kType, kKeepDefault, kCancel };

struct MenuNewCase {
    int index;  // menuNew Index (the separators between are skipped)
    const char* title;
    const char* prompt;
    const char* defaultAnswer;
    Answer answer;
    const char* typed;
    const char* line;  // the line appended; null when nothing is
};

TEST(KestrunEditorSubmenuE2e, EachEntryAsksItsInputBoxAndAppendsItsLine) {
    const std::vector<MenuNewCase> cases = {
        {0, "新增鼠标滚动指令",
         "请输入鼠标所在坐标及滚动步数，格数可为正数，也可为负数，坐标可输入也可不输入，比如100,100,3或-2", "",
         Answer::kType, "100,100,3", "鼠标滚动=100,100,3"},
        {2, "新增剪切板文字比较指令",
         "请输入待比较的剪切板，如果包含该文字，将执行后续动作，否则请输入后退的步数或跳过的步数，输入格式如：Kestrun,"
         "1或Kestrun,-2",
         "", Answer::kType, "Kestrun,1", "比较文字=Kestrun,1"},
        {4, "新增文件复制指令", "请输入待复制的文件的原始路径及目标路径，比如：c:\\文档1.docx,d:\\文档1.docx", "",
         Answer::kType, "c:\\a.txt,d:\\b.txt", "文件操作=复制,c:\\a.txt,d:\\b.txt"},
        {5, "新增文件移动指令", "请输入待移动的文件的原始路径及目标路径，比如：c:\\文档1.docx,d:\\文档2.docx", "",
         Answer::kType, "   ", nullptr},
        {6, "新增文件删除指令", "请输入待删除的文件的路径，比如：c:\\文档1.docx", "", Answer::kType, "c:\\a.txt",
         "文件操作=删除,c:\\a.txt"},
        {8, "新增窗口激活指令", "请输入待激活的窗口的标题，比如：记事本", "", Answer::kType, " 记事本 ",
         "窗口操作=激活, 记事本 "},
        {9, "新增窗口置顶指令", "请输入待置顶的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=置顶,记事本"},
        {10, "新增取消窗口置顶指令", "请输入欲取消置顶的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=取消置顶,记事本"},
        {11, "新增最大化窗口指令", "请输入待最大化的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=最大化,记事本"},
        {12, "新增最小化窗口指令", "请输入待最小化的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=最小化,记事本"},
        {13, "新增还原或恢复窗口指令", "请输入待还原的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=还原,记事本"},
        {14, "新增隐藏窗口指令", "请输入待隐藏的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=隐藏,记事本"},
        {15, "新增显示窗口指令", "请输入待显示的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=显示,记事本"},
        {16, "新增关闭窗口指令", "请输入待关闭的窗口的标题，比如：记事本", "", Answer::kCancel, "", nullptr},
        {17, "新增半透明窗口指令", "请输入待半透明的窗口的标题，比如：记事本", "", Answer::kType, "记事本",
         "窗口操作=半透明,记事本"},
        {19, "新增截图指令", "请输入屏幕截图后保存的jpg图像的质量数0-100，越大质量越好，默认80", "80", Answer::kType,
         "100", nullptr},
        {20, "新增截图指令", "请输入活动窗口截图后保存的jpg图像的质量数0-100，越大质量越好，默认80", "80",
         Answer::kKeepDefault, "", "屏幕截图=窗口,80"},
        {21, "新增截图指令", "请输入区域截图后保存的jpg图像的质量数0-100，越大质量越好，默认80，以及起始坐标及长宽大小",
         "80,0,0,1200,800", Answer::kKeepDefault, "", "屏幕截图=区域,80,0,0,1200,800"},
        {23, "新增等待颜色指令",
         "请输入坐标、颜色值、最长等待毫秒数和超时后后退的步数（负数为跳过的步数），比如：100,100,835111,10000,0",
         "100,100,835111,10000,0", Answer::kKeepDefault, "", "等待颜色=100,100,835111,10000,0"},
        {24, "新增等待位图指令", "请输入位图左上角坐标、最长等待毫秒数和超时后后退的步数，比如：100,100,10000,0",
         "100,100,10000,0", Answer::kKeepDefault, "", "等待位图=1,100,100,10000,0"},
        {25, "新增等待窗口指令", "请输入窗口标题、最长等待毫秒数和超时后后退的步数，比如：记事本,10000,0", "",
         Answer::kType, "记事本,10000,0", "等待窗口=记事本,10000,0"},
        {26, "新增查找颜色指令",
         "请输入查找区域的左上角和右下角坐标、颜色值、容差(0-255)和找不到时后退的步数，比如：0,0,1280,1024,835111,10,0",
         "0,0,1280,1024,835111,0,0", Answer::kKeepDefault, "", "查找颜色=0,0,1280,1024,835111,0,0"},
        {27, "新增查找位图指令",
         "请输入查找区域的左上角和右下角坐标、容差(0-255)和找不到时后退的步数，比如：0,0,1280,1024,10,0",
         "0,0,1280,1024,0,0", Answer::kKeepDefault, "", "查找位图=2,0,0,1280,1024,0,0"},
        {28, "新增窗口坐标指令", "请输入作为坐标原点的窗口标题（输入“屏幕”回到屏幕坐标），比如：记事本", "",
         Answer::kType, "屏幕", "窗口坐标=屏幕"},
    };

    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::Start();
    ASSERT_TRUE(app);
    app->MoveTo(0, 0);
    app->Press(id::kCmdOrder + 8);
    std::vector<std::string> rows = {"等待时间=5000"};
    ASSERT_TRUE(app->WaitForRows(rows));
    ASSERT_EQ(app->SelectedRow(), 0);

    const POINT list = e2e::CentreOf(app->Control(id::kList1));
    int clicks = 0;
    // Opens the entry's input box: the right button opens the list's menu
    // and N its submenu; Home or End go to the first or the last entry, and
    // Down and Up move over the entries, not the separators. Should a key be
    // lost under Wine while the menus come and go, the wrong box or none
    // opens: the box is then cancelled (which adds nothing) and the entry is
    // chosen again. A box with the wrong title or prompt every time fails.
    auto openEntry = [&](size_t position, const MenuNewCase& entry) -> HWND {
        for (int attempt = 0; attempt < 3; ++attempt) {
            e2e::ClickAt({list.x + (clicks++ % 2) * 40, list.y}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
            if (!e2e::WaitUntil([&] { return e2e::OpenMenus(app->ProcessId()).size() == 1; })) continue;
            // Keys go to the foreground window's thread, which the window
            // manager hands back to Kestrun in its own time after a dialog.
            // The pointer leaves the menus, or the menus follow it and take
            // the highlight away from the keys.
            e2e::WaitUntil([&] { return GetForegroundWindow() == app->Window(); }, 1000);
            SetCursorPos(list.x - 250, list.y + 250);
            e2e::TapKey('N');
            if (e2e::WaitUntil([&] { return e2e::OpenMenus(app->ProcessId()).size() == 2; }, 1000)) {
                if (position < cases.size() / 2) {
                    e2e::TapKey(VK_HOME);
                    for (size_t down = 0; down < position; ++down) e2e::TapKey(VK_DOWN);
                } else {
                    e2e::TapKey(VK_END);
                    for (size_t up = position + 1; up < cases.size(); ++up) e2e::TapKey(VK_UP);
                }
                e2e::TapKey(VK_RETURN);
            }
            HWND box = e2e::WaitForAnyDialog(app->ProcessId(), 1000);
            if (box && e2e::WindowText(box) == entry.title && e2e::InputBoxPrompt(box) == entry.prompt) return box;
            if (box) e2e::PressAndWaitClosed(box, IDCANCEL);
            for (int escape = 0; escape < 4 && e2e::OpenMenus(app->ProcessId()).size() > 0; ++escape) {
                e2e::TapKey(VK_ESCAPE);
                e2e::WaitUntil([&] { return e2e::OpenMenus(app->ProcessId()).size() == 0; }, 200);
            }
        }
        return nullptr;
    };

    for (size_t position = 0; position < cases.size(); ++position) {
        const MenuNewCase& entry = cases[position];
        SCOPED_TRACE(entry.title + std::string(" ") + std::to_string(entry.index));
        HWND box = openEntry(position, entry);
        ASSERT_NE(box, nullptr) << "no input box with this title and prompt";
        EXPECT_EQ(e2e::InputBoxPrompt(box), entry.prompt);
        EXPECT_EQ(e2e::InputBoxAnswer(box), entry.defaultAnswer);
        switch (entry.answer) {
            case Answer::kType:
                ASSERT_TRUE(e2e::AnswerInputBox(box, entry.typed));
                break;
            case Answer::kKeepDefault:
                ASSERT_TRUE(e2e::PressAndWaitClosed(box, IDOK));
                break;
            case Answer::kCancel:
                ASSERT_TRUE(e2e::PressAndWaitClosed(box, IDCANCEL));
                break;
        }
        if (entry.line) rows.push_back(entry.line);
        // A refused answer adds nothing: the next entry's rows would show it.
        EXPECT_TRUE(app->WaitForRows(rows)) << testing::PrintToString(app->Rows());
        EXPECT_EQ(app->SelectedRow(), 0) << "an add from the submenu leaves the selection";
    }
    EXPECT_EQ(app->Close(), std::optional<DWORD>(0));
}

}  // namespace
