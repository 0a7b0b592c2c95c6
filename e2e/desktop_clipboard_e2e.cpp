// The clipboard's text through Win32Desktop: it round-trips any text, and
// it is the same clipboard that another program copies to and pastes from.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include "common/win32/desktop_win32.h"
#include "e2e/support/target_window.h"

namespace {

// The process's working set in bytes (the measure Wine keeps up to date).
size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

TEST(DesktopClipboardTest, TextRoundTrips) {
    win32::Win32Desktop desktop;
    const char* texts[] = {
        "plain", "中文剪贴板 text", "", "two\r\nlines", "tab\there", "😀 outside the basic plane",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(desktop.SetClipboardText(text));
        EXPECT_EQ(desktop.GetClipboardText(), std::optional<std::string>(text));
    }
}

TEST(DesktopClipboardTest, NoTextReadsAsNothing) {
    win32::Win32Desktop desktop;
    ASSERT_TRUE(desktop.SetClipboardText("something"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(desktop.GetClipboardText(), std::nullopt);
}

// A clipboard test of text the program pasted itself, again and again, as a
// plan of a paste and a clipboard test does it all day: reading the text back
// costs no memory.
TEST(DesktopClipboardTest, ReadingTextPlacedByItselfKeepsMemoryFlat) {
    win32::Win32Desktop desktop;
    constexpr int kCycles = 5000;
    size_t before = 0;
    for (int i = 0; i <= kCycles; ++i) {
        ASSERT_TRUE(desktop.SetClipboardText("mini"));
        ASSERT_EQ(desktop.GetClipboardText(), std::optional<std::string>("mini"));
        if (i == 0) before = WorkingSet();  // after the first cycle has set everything up
    }
    // A kilobyte lost a cycle would be 5 MB.
    EXPECT_LT(WorkingSet(), before + 1024 * 1024);
}

TEST(DesktopClipboardTest, AnotherProgramPastesAndCopiesTheSameText) {
    auto target = e2e::TargetWindow::Start({L"E2E Target Clipboard"});
    ASSERT_TRUE(target);
    ASSERT_TRUE(target->Focus());
    win32::Win32Desktop desktop;

    // A paste and a copy finish inside the target's handling of the keys,
    // which can go on waiting for the clipboard after SendKeys has returned;
    // the results are therefore awaited.
    ASSERT_TRUE(desktop.SetClipboardText("粘贴 pasted"));
    desktop.SendKeys("^v");
    EXPECT_TRUE(e2e::WaitUntil([&] { return target->EditText() == "粘贴 pasted"; })) << target->EditText();

    desktop.SendKeys("abc{ENTER}中文");
    desktop.SendKeys("^a");
    desktop.SendKeys("^c");
    const std::string copied = "粘贴 pastedabc\r\n中文";
    EXPECT_TRUE(e2e::WaitUntil([&] { return desktop.GetClipboardText() == copied; }));
    EXPECT_EQ(desktop.GetClipboardText(), copied);
    EXPECT_EQ(target->Close(), 0u);
}

}  // namespace
