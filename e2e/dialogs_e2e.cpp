// Win32Dialogs shows real modal dialogs: the message box, the input box and
// the open-file chooser. This thread shows each one while a helper thread
// finds it by its title, checks what it shows and answers it the way a user
// would.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "common/win32/desktop_win32.h"
#include "common/win32/dialogs_win32.h"
#include "common/win32/wide.h"
#include "e2e/support/program.h"
#include "e2e/support/temp_folder.h"
#include "e2e/support/wait.h"

namespace {

using win32::Win32Dialogs;

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770") PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// Shows a dialog with show() on this thread while drive(dialog) runs on a
// helper thread once a dialog titled title is visible. When none appears,
// the helper cancels whatever dialog this thread shows, so that the test
// fails instead of hanging. Returns show()'s result.
template <class Result>
Result WithDialog(const std::wstring& title, const std::function<void(HWND)>& drive,
                  const std::function<Result()>& show) {
    DWORD showingThread = GetCurrentThreadId();
    std::atomic<bool> found{false};
    std::thread helper([&] {
        HWND dialog = nullptr;
        found = e2e::WaitUntil([&] {
            dialog = FindWindowW(L"#32770", title.c_str());
            return dialog && IsWindowVisible(dialog);
        });
        if (found) {
            drive(dialog);
        } else {
            EnumThreadWindows(showingThread, CloseDialog, 0);
        }
    });
    Result result = show();
    helper.join();
    EXPECT_TRUE(found) << "no dialog titled " << win32::Narrow(title);
    return result;
}

// --- The message box ---

TEST(DialogsTest, MessageBoxShowsItsTextAndReturnsTheButtonPressed) {
    struct Case {
        uint32_t flags;
        int press;
        int expected;
    };
    const Case cases[] = {
        {platform::mb::kYesNo | platform::mb::kIconQuestion, IDNO, platform::mb::kIdNo},
        {platform::mb::kYesNo | platform::mb::kIconQuestion, IDYES, platform::mb::kIdYes},
        {platform::mb::kOk | platform::mb::kIconInformation, IDOK, platform::mb::kIdOk},
        {platform::mb::kOkCancel | platform::mb::kIconExclamation, IDCANCEL, platform::mb::kIdCancel},
    };
    Win32Dialogs dialogs;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.press);
        std::wstring shownText;
        int answer = WithDialog<int>(
            L"提示",
            [&](HWND box) {
                shownText = ItemText(box, 0xFFFF);  // the message text's static control
                SendMessageW(GetDlgItem(box, c.press), BM_CLICK, 0, 0);
            },
            [&] { return dialogs.MessageBox("确定要删除吗？\r\n第二行", "提示", c.flags); });
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(win32::Narrow(shownText), "确定要删除吗？\r\n第二行");
    }
}

// --- The input box ---

struct InputSeen {
    std::wstring prompt;
    std::wstring edit;
    DWORD selectionStart = 1;
    DWORD selectionEnd = 0;
    bool editFocused = false;
};

InputSeen Inspect(HWND box, DWORD showingThread) {
    InputSeen seen;
    seen.prompt = ItemText(box, Win32Dialogs::kInputPromptId);
    seen.edit = ItemText(box, Win32Dialogs::kInputEditId);
    HWND edit = GetDlgItem(box, Win32Dialogs::kInputEditId);
    SendMessageW(edit, EM_GETSEL, WPARAM(&seen.selectionStart), LPARAM(&seen.selectionEnd));
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    seen.editFocused = GetGUIThreadInfo(showingThread, &info) && info.hwndFocus == edit;
    return seen;
}

TEST(DialogsTest, InputBoxOffersTheDefaultSelectedAndReturnsTheAnswer) {
    Win32Dialogs dialogs;
    DWORD thisThread = GetCurrentThreadId();
    InputSeen seen;
    std::string answer = WithDialog<std::string>(
        L"方案保存",
        [&](HWND box) {
            seen = Inspect(box, thisThread);
            SetDlgItemTextW(box, Win32Dialogs::kInputEditId, L"新方案 1");
            SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        },
        [&] { return dialogs.InputBox("  请输入方案文件名", "方案保存", "方案20260101120000"); });

    EXPECT_EQ(answer, "新方案 1");
    EXPECT_EQ(win32::Narrow(seen.prompt), "  请输入方案文件名");
    EXPECT_EQ(win32::Narrow(seen.edit), "方案20260101120000");
    // The whole default is selected and the edit box has the focus, so that
    // typing replaces it.
    EXPECT_EQ(seen.selectionStart, 0u);
    EXPECT_EQ(seen.selectionEnd, 16u);
    EXPECT_TRUE(seen.editFocused);
}

TEST(DialogsTest, InputBoxTypingReplacesTheDefaultAndEnterConfirms) {
    Win32Dialogs dialogs;
    win32::Win32Desktop keyboard;
    std::string answer = WithDialog<std::string>(
        L"编辑指令",
        [&](HWND box) {
            e2e::WaitUntil([&] { return GetForegroundWindow() == box; });
            keyboard.SendKeys("xy{ENTER}");
        },
        [&] { return dialogs.InputBox("需要修改当前指令吗？", "编辑指令", "等待=100"); });
    EXPECT_EQ(answer, "xy");
}

TEST(DialogsTest, InputBoxCancelGivesTheEmptyText) {
    Win32Dialogs dialogs;
    struct Case {
        const char* name;
        std::function<void(HWND)> cancel;
    };
    const Case cases[] = {
        {"Cancel button", [](HWND box) { SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0); }},
        {"closed", [](HWND box) { PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string answer = WithDialog<std::string>(
            L"提示",
            [&](HWND box) {
                SetDlgItemTextW(box, Win32Dialogs::kInputEditId, L"typed, then cancelled");
                c.cancel(box);
            },
            [&] { return dialogs.InputBox("prompt", "提示", "0"); });
        EXPECT_EQ(answer, "");
    }
}

// --- The file chooser ---

// Control ids of the system's open-file dialog.
constexpr int kFolderCombo = 0x471;    // the folder being shown
constexpr int kFileNameCombo = 0x47C;  // the file name box
constexpr int kFilterCombo = 0x470;    // the file types

struct ChildSearch {
    int id;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (GetDlgCtrlID(window) != search->id || std::wstring(className) != search->className) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindChild(HWND dialog, int id, const wchar_t* className) {
    ChildSearch search{id, className, nullptr};
    EnumChildWindows(dialog, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring ComboItem(HWND combo, int index) {
    wchar_t text[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= 255) return L"(too long)";
    SendMessageW(combo, CB_GETLBTEXT, index, LPARAM(text));
    return text;
}

struct ChooserSeen {
    std::wstring folder;
    std::vector<std::wstring> filters;
};

// Reads what the chooser shows, then either types a file name and presses
// Open, or presses Cancel when name is empty.
void AnswerChooser(HWND chooser, const std::wstring& name, ChooserSeen& seen) {
    wchar_t folder[MAX_PATH] = {};
    GetDlgItemTextW(chooser, kFolderCombo, folder, MAX_PATH);
    seen.folder = folder;
    HWND filters = FindChild(chooser, kFilterCombo, L"ComboBox");
    LRESULT count = filters ? SendMessageW(filters, CB_GETCOUNT, 0, 0) : 0;
    for (int i = 0; i < count; ++i) seen.filters.push_back(ComboItem(filters, i));

    if (name.empty()) {
        SendMessageW(GetDlgItem(chooser, IDCANCEL), BM_CLICK, 0, 0);
        return;
    }
    HWND edit = FindChild(chooser, kFileNameCombo, L"Edit");
    SendMessageW(edit, WM_SETTEXT, 0, LPARAM(name.c_str()));
    SendMessageW(GetDlgItem(chooser, IDOK), BM_CLICK, 0, 0);
}

TEST(DialogsTest, ChooseFileStartsInTheFolderAndReturnsTheChosenPath) {
    e2e::TempFolder folder;
    ASSERT_TRUE(e2e::WriteWholeFile(folder.Path() + L"列表.txt", "a\r\n"));
    std::wstring folderPath = folder.Path().substr(0, folder.Path().size() - 1);  // without the final "\"
    std::wstring folderName = folderPath.substr(folderPath.find_last_of(L'\\') + 1);
    Win32Dialogs dialogs;

    platform::FileChooserRequest request;
    request.title = "请选择文件";
    request.initialFolder = win32::Narrow(folderPath);
    request.filter = "文本文件 (*.txt;*.csv)|*.txt;*.csv";
    ChooserSeen seen;
    std::string chosen = WithDialog<std::string>(
        L"请选择文件", [&](HWND chooser) { AnswerChooser(chooser, L"列表.txt", seen); },
        [&] { return dialogs.ChooseFile(request); });

    EXPECT_EQ(chosen, folder.Utf8(L"列表.txt"));
    EXPECT_EQ(seen.folder, folderName);
    EXPECT_EQ(seen.filters, std::vector<std::wstring>{L"文本文件 (*.txt;*.csv)"});
}

TEST(DialogsTest, ChooseFileCancelGivesTheEmptyText) {
    e2e::TempFolder folder;
    Win32Dialogs dialogs;
    // A description without a pattern is passed on as it stands.
    platform::FileChooserRequest request{"请选择文件", folder.Utf8(), "方案文件 (*.csv;*.csv)"};
    ChooserSeen seen;
    std::string chosen = WithDialog<std::string>(
        L"请选择文件", [&](HWND chooser) { AnswerChooser(chooser, L"", seen); },
        [&] { return dialogs.ChooseFile(request); });
    EXPECT_EQ(chosen, "");
}

}  // namespace
