// A paste list of a million lines (50 MB) restored at start-up: the window
// keeps answering while the list loads, and CmbPaste ends up showing the
// list's first entries, in order, with the text "列表". The list file is made
// by the test.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "common/win32/wide.h"
#include "e2e/support/kestrun_app.h"
#include "e2e/support/responsiveness.h"
#include "e2e/support/temp_folder.h"
#include "kestrun/ui/combo_fill.h"
#include "kestrun/ui/frm_main_layout.h"

namespace {

namespace id = kestrun::id;

constexpr int kLines = 1'000'000;
constexpr int kShown = int(kestrun::kComboShownLimit);
constexpr char kTestWordGbk[] = "\xb2\xe2\xca\xd4";                       // 测试
constexpr char kPasteListKeyGbk[] = "\xd5\xb3\xcc\xf9\xc1\xd0\xb1\xed=";  // 粘贴列表=

// Line i of the list, as the file holds it: blanks around the entry.
std::string FileLine(int i) {
    char line[64];
    std::snprintf(line, sizeof line, "  %s entry %07d of the paste list, abcdefgh  \r\n", kTestWordGbk, i);
    return line;
}

std::string Entry(int i) {
    char entry[64];
    std::snprintf(entry, sizeof entry, "测试 entry %07d of the paste list, abcdefgh", i);
    return entry;
}

std::string ComboEntry(HWND combo, int index) {
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length < 0 || length > 1000) return "(none)";
    std::wstring text(size_t(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(length));
    return win32::Narrow(text);
}

TEST(KestrunBigListE2e, AMillionLinePasteListLoadsWhileTheWindowKeepsAnswering) {
    e2e::TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    std::string list;
    list.reserve(size_t(kLines) * 52);
    for (int i = 0; i < kLines; ++i) list += FileLine(i);
    const std::wstring listPath = folder.Path() + L"big.txt";
    ASSERT_TRUE(e2e::WriteWholeFile(listPath, list));
    ASSERT_TRUE(
        e2e::WriteWholeFile(folder.Path() + L"lastplan.ini", kPasteListKeyGbk + win32::Narrow(listPath) + "\r\n"));

    std::unique_ptr<e2e::KestrunApp> app = e2e::KestrunApp::StartIn(folder.Path());
    ASSERT_TRUE(app);
    HWND combo = app->Control(id::kCmbPaste);
    // The box's text becomes "列表" once the whole list is in the program;
    // the box then fills.
    const DWORD shown = GetTickCount();
    DWORD listInMs = 0;
    const e2e::Responsiveness watched = e2e::WatchAnswers(
        app->Window(),
        [&] {
            if (listInMs == 0 && app->Text(id::kCmbPaste) == "列表") listInMs = GetTickCount() - shown;
            return SendMessageW(combo, CB_GETCOUNT, 0, 0) == kShown;
        },
        90'000);
    std::printf(
        "list of %d lines: read %lu ms and fully loaded %lu ms after the window showed; longest wait for an "
        "answer %lu ms\n",
        kLines, listInMs, watched.elapsedMs, watched.longestAnswerMs);
    ASSERT_TRUE(watched.reached) << SendMessageW(combo, CB_GETCOUNT, 0, 0) << " entries";
    EXPECT_LT(watched.longestAnswerMs, 1000u) << "the window stopped answering while the list loaded";

    EXPECT_EQ(app->Text(id::kCmbPaste), "列表");
    for (int i : {0, 1, kShown / 2, kShown - 1}) EXPECT_EQ(ComboEntry(combo, i), Entry(i));
    // Closing frees a million entries, which on a busy machine takes a while.
    ASSERT_EQ(app->Close(30'000), std::optional<DWORD>(0));
}

}  // namespace
