#include "kestrun/actions/window_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/testing/fake_desktop.h"

namespace kestrun {
namespace {

using Lines = std::vector<std::string>;

class WindowOperationTest : public ::testing::Test {
protected:
    // Performs the operation on the window titled title and returns the
    // desktop's call log of it.
    Lines Operate(std::string_view title, std::string_view word) {
        desktop_.ClearLog();
        WindowOperation(desktop_, title, word, [this](std::string_view line) { logged_.emplace_back(line); });
        return desktop_.Log();
    }

    fake::FakeDesktop desktop_;
    Lines logged_;
};

TEST(WindowOperation, EveryWordOfTheTableActsAndPauses) {
    struct Case {
        const char* word;
        Lines calls;
    };
    const std::string w = "\"Target\"";
    const Case cases[] = {
        {"激活", {"SetForegroundWindow " + w, "Sleep 100"}},
        {"activate", {"SetForegroundWindow " + w, "Sleep 100"}},
        {"置前", {"SetForegroundWindow " + w, "Sleep 100"}},
        {"置顶", {"SetTopmost " + w + " on", "Sleep 100"}},
        {"topmost", {"SetTopmost " + w + " on", "Sleep 100"}},
        {"取消置顶", {"SetTopmost " + w + " off", "Sleep 100"}},
        {"notopmost", {"SetTopmost " + w + " off", "Sleep 100"}},
        {"取消置前", {"SetTopmost " + w + " off", "Sleep 100"}},
        {"最大化", {"ShowWindow " + w + " 3", "Sleep 100"}},
        {"max", {"ShowWindow " + w + " 3", "Sleep 100"}},
        {"最小化", {"ShowWindow " + w + " 6", "Sleep 100"}},
        {"min", {"ShowWindow " + w + " 6", "Sleep 100"}},
        {"还原", {"ShowWindow " + w + " 9", "Sleep 100"}},
        {"恢复", {"ShowWindow " + w + " 9", "Sleep 100"}},
        {"restore", {"ShowWindow " + w + " 9", "Sleep 100"}},
        {"隐藏", {"ShowWindow " + w + " 0", "Sleep 100"}},
        {"hide", {"ShowWindow " + w + " 0", "Sleep 100"}},
        {"显示", {"ShowWindow " + w + " 5", "Sleep 100"}},
        {"show", {"ShowWindow " + w + " 5", "Sleep 100"}},
        {"半透明", {"SetWindowLong " + w + " -20 0x80000", "SetLayeredWindowAttributes " + w + " 0 125 2"}},
        {"关闭", {"SendCloseMessage " + w, "Sleep 200"}},
        {"close", {"SendCloseMessage " + w, "Sleep 200"}},
        // The word is lower-cased before it is compared.
        {"ACTIVATE", {"SetForegroundWindow " + w, "Sleep 100"}},
        {"Activate", {"SetForegroundWindow " + w, "Sleep 100"}},
        {"Max", {"ShowWindow " + w + " 3", "Sleep 100"}},
        {"NoTopMost", {"SetTopmost " + w + " off", "Sleep 100"}},
        {"CLOSE", {"SendCloseMessage " + w, "Sleep 200"}},
        // Anything else does nothing: no trimming, no prefixes, no full-width letters.
        {"", {}},
        {" max", {}},
        {"max ", {}},
        {"maximize", {}},
        {"ｍａｘ", {}},
        {"透明", {}},
        {"置前 ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        fake::FakeDesktop desktop;
        desktop.AddWindow({.title = "Target"});
        Lines logged;
        WindowOperation(desktop, "Target", c.word, [&](std::string_view line) { logged.emplace_back(line); });
        EXPECT_EQ(desktop.Log(), c.calls);
        EXPECT_TRUE(logged.empty());
    }
}

TEST_F(WindowOperationTest, OperationsChangeTheWindow) {
    platform::WindowHandle other = desktop_.AddWindow({.title = "Other"});
    platform::WindowHandle target = desktop_.AddWindow({.title = "Target"});
    desktop_.MakeForeground(other);

    Operate("Target", "activate");
    EXPECT_EQ(desktop_.GetForegroundWindow(), target);
    Operate("Target", "topmost");
    EXPECT_TRUE(desktop_.Window(target)->topmost);
    Operate("Target", "取消置前");
    EXPECT_FALSE(desktop_.Window(target)->topmost);
    Operate("Target", "max");
    EXPECT_EQ(desktop_.Window(target)->placement, fake::Placement::kMaximized);
    Operate("Target", "min");
    EXPECT_EQ(desktop_.Window(target)->placement, fake::Placement::kMinimized);
    Operate("Target", "restore");
    EXPECT_EQ(desktop_.Window(target)->placement, fake::Placement::kNormal);
    Operate("Target", "hide");
    EXPECT_FALSE(desktop_.Window(target)->visible);
    // A hidden window is still found, by both searches.
    Operate("Target", "show");
    EXPECT_TRUE(desktop_.Window(target)->visible);
    Operate("arge", "close");
    EXPECT_TRUE(desktop_.Window(target)->closed);
    EXPECT_FALSE(desktop_.Window(other)->closed);
    EXPECT_TRUE(logged_.empty());
}

TEST_F(WindowOperationTest, HalfTransparentKeepsOtherStylesAndTwiceLeavesOpacity125) {
    platform::WindowHandle target = desktop_.AddWindow({.title = "Target", .exStyle = 0x100});
    Operate("Target", "半透明");
    EXPECT_EQ(desktop_.Window(target)->exStyle, 0x80100);
    EXPECT_EQ(desktop_.Window(target)->alpha, 125);
    EXPECT_EQ(desktop_.Window(target)->layeredFlags, 2u);
    EXPECT_EQ(Operate("Target", "半透明"),
              (Lines{"SetWindowLong \"Target\" -20 0x80100", "SetLayeredWindowAttributes \"Target\" 0 125 2"}));
    EXPECT_EQ(desktop_.Window(target)->exStyle, 0x80100);
    EXPECT_EQ(desktop_.Window(target)->alpha, 125);
}

TEST_F(WindowOperationTest, TheCloseRequestIsAnsweredBeforeThePause) {
    platform::WindowHandle stubborn = desktop_.AddWindow({.title = "Editor", .closesOnRequest = false});
    // A window that answers with a question of its own stays open, silently.
    EXPECT_EQ(Operate("Editor", "关闭"), (Lines{"SendCloseMessage \"Editor\"", "Sleep 200"}));
    EXPECT_FALSE(desktop_.Window(stubborn)->closed);
    EXPECT_TRUE(logged_.empty());
}

TEST_F(WindowOperationTest, ARefusedForegroundChangePassesSilently) {
    desktop_.AddWindow({.title = "Locked", .acceptsForeground = false});
    EXPECT_EQ(Operate("Locked", "激活"), (Lines{"SetForegroundWindow \"Locked\"", "Sleep 100"}));
    EXPECT_EQ(desktop_.GetForegroundWindow(), 0u);
    EXPECT_TRUE(logged_.empty());
}

TEST_F(WindowOperationTest, AMissingWindowIsLoggedAndNothingElseHappens) {
    desktop_.AddWindow({.title = "Target"});
    for (const char* word : {"max", "关闭", "nonsense", ""}) {
        SCOPED_TRACE(word);
        logged_.clear();
        EXPECT_TRUE(Operate("无此窗口", word).empty());
        EXPECT_EQ(logged_, Lines{"【错误】找不到窗口: 无此窗口"});
    }
}

TEST_F(WindowOperationTest, AnUnknownWordOnAnExistingWindowDoesNothingAndLogsNothing) {
    platform::WindowHandle target = desktop_.AddWindow({.title = "Target"});
    EXPECT_TRUE(Operate("Target", "explode").empty());
    EXPECT_TRUE(logged_.empty());
    EXPECT_FALSE(desktop_.Window(target)->closed);
}

TEST_F(WindowOperationTest, AnEmptyTitleIsRefusedEvenWhenAWindowHasNoTitle) {
    platform::WindowHandle untitled = desktop_.AddWindow({.title = ""});
    desktop_.AddWindow({.title = "Target"});
    EXPECT_TRUE(Operate("", "关闭").empty());
    EXPECT_EQ(logged_, Lines{"【错误】找不到窗口: "});
    EXPECT_FALSE(desktop_.Window(untitled)->closed);
}

TEST_F(WindowOperationTest, AClosedWindowIsNotFoundAgain) {
    desktop_.AddWindow({.title = "Target"});
    Operate("Target", "close");
    EXPECT_TRUE(Operate("Target", "close").empty());
    EXPECT_EQ(logged_, Lines{"【错误】找不到窗口: Target"});
}

TEST_F(WindowOperationTest, WithoutALoggerAMissingWindowIsStillHarmless) {
    desktop_.ClearLog();
    WindowOperation(desktop_, "x", "max", nullptr);
    EXPECT_TRUE(desktop_.Log().empty());
}

TEST(FindWindow, AnExactTitleWinsOverAnEarlierContainingOne) {
    fake::FakeDesktop desktop;
    platform::WindowHandle containing = desktop.AddWindow({.title = "无标题 - 记事本"});
    platform::WindowHandle exact = desktop.AddWindow({.title = "记事本"});
    EXPECT_EQ(FindWindowForOperation(desktop, "记事本"), exact);
    EXPECT_EQ(FindWindowForOperation(desktop, "无标题"), containing);
    // The containing search alone takes the first window in the platform's order.
    EXPECT_EQ(FindWindowByTitle(desktop, "记事本"), containing);
}

TEST(FindWindow, TheExactLookupIgnoresAsciiCase) {
    fake::FakeDesktop desktop;
    desktop.AddWindow({.title = "Untitled - Notepad (2)"});
    platform::WindowHandle exact = desktop.AddWindow({.title = "Untitled - Notepad"});
    EXPECT_EQ(FindWindowForOperation(desktop, "UNTITLED - notepad"), exact);
}

TEST(FindWindow, TheContainingSearchIgnoresAsciiCaseOnly) {
    fake::FakeDesktop desktop;
    platform::WindowHandle untitled = desktop.AddWindow({.title = ""});
    platform::WindowHandle notepad = desktop.AddWindow({.title = "Untitled - Notepad"});
    platform::WindowHandle hidden = desktop.AddWindow({.title = "Hidden Ｔｏｏｌ 窗口", .visible = false});
    struct Case {
        const char* title;
        platform::WindowHandle expected;
    };
    const Case cases[] = {
        {"notepad", notepad},
        {"NOTEPAD", notepad},
        {"d - n", notepad},
        {"Untitled - Notepad", notepad},
        {"Untitled - Notepad!", 0},
        {"hidden", hidden},  // hidden windows take part
        {"窗口", hidden},
        {"ｔｏｏｌ", 0},  // full-width letters compare exactly
        {"Ｔｏｏｌ", hidden},
        {"", 0},  // not the untitled window, not the first window
        {"x", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(FindWindowByTitle(desktop, c.title), c.expected);
        EXPECT_EQ(FindWindowForOperation(desktop, c.title), c.expected);
    }
    EXPECT_NE(untitled, 0u);
}

TEST(FindWindow, NotepadIsFoundByTheContainingSearchAndOperatedOn) {
    fake::FakeDesktop desktop;
    platform::WindowHandle notepad = desktop.AddWindow({.title = "Untitled - Notepad"});
    Lines logged;
    WindowOperation(desktop, "notepad", "Max", [&](std::string_view line) { logged.emplace_back(line); });
    EXPECT_EQ(desktop.Window(notepad)->placement, fake::Placement::kMaximized);
    EXPECT_TRUE(logged.empty());
}

}  // namespace
}  // namespace kestrun
