#include "kestrun/actions/window_ops.h"

#include <array>
#include <cstdint>
#include <string>

#include "common/text/utf8.h"

namespace kestrun {

namespace {

enum class Action {
    kActivate,
    kTopmost,
    kNoTopmost,
    kMaximize,
    kMinimize,
    kRestore,
    kHide,
    kShow,
    kTranslucent,
    kClose
};

struct OperationRow {
    std::array<std::string_view, 3> words;  // unused places are empty
    Action action;
    uint32_t pauseMs;
};

// "置前" (bring to front) activates, while "取消置前" takes the window out of
// the topmost band: the two words are not opposites of each other.
constexpr OperationRow kOperations[] = {
    {{"激活", "activate", "置前"}, Action::kActivate, 100},
    {{"置顶", "topmost", ""}, Action::kTopmost, 100},
    {{"取消置顶", "notopmost", "取消置前"}, Action::kNoTopmost, 100},
    {{"最大化", "max", ""}, Action::kMaximize, 100},
    {{"最小化", "min", ""}, Action::kMinimize, 100},
    {{"还原", "恢复", "restore"}, Action::kRestore, 100},
    {{"隐藏", "hide", ""}, Action::kHide, 100},
    {{"显示", "show", ""}, Action::kShow, 100},
    {{"半透明", "", ""}, Action::kTranslucent, 0},
    {{"关闭", "close", ""}, Action::kClose, 200},
};

constexpr int kGwlExStyle = -20;
constexpr int32_t kWsExLayered = 0x80000;
constexpr uint8_t kHalfOpaque = 125;
constexpr uint32_t kLwaAlpha = 2;

const OperationRow* FindOperation(std::string_view operationWord) {
    const std::string word = text::AsciiLower(operationWord);
    if (word.empty()) return nullptr;
    for (const OperationRow& row : kOperations) {
        for (std::string_view candidate : row.words) {
            if (candidate == word) return &row;
        }
    }
    return nullptr;
}

void Perform(platform::Desktop& desktop, platform::WindowHandle window, Action action) {
    switch (action) {
        case Action::kActivate:
            desktop.SetForegroundWindow(window);
            return;
        case Action::kTopmost:
            desktop.SetTopmost(window, true);
            return;
        case Action::kNoTopmost:
            desktop.SetTopmost(window, false);
            return;
        case Action::kMaximize:
            desktop.ShowWindow(window, platform::show::kMaximized);
            return;
        case Action::kMinimize:
            desktop.ShowWindow(window, platform::show::kMinimize);
            return;
        case Action::kRestore:
            desktop.ShowWindow(window, platform::show::kRestore);
            return;
        case Action::kHide:
            desktop.ShowWindow(window, platform::show::kHide);
            return;
        case Action::kShow:
            desktop.ShowWindow(window, platform::show::kShow);
            return;
        case Action::kTranslucent: {
            // Adding the style to what is there keeps the window's other
            // extended styles, and a second call changes nothing.
            const int32_t exStyle = desktop.GetWindowLong(window, kGwlExStyle);
            desktop.SetWindowLong(window, kGwlExStyle, exStyle | kWsExLayered);
            desktop.SetLayeredWindowAttributes(window, 0, kHalfOpaque, kLwaAlpha);
            return;
        }
        case Action::kClose:
            desktop.SendCloseMessage(window);
            return;
    }
}

}  // namespace

namespace {

// Whether a window the search meets counts: any window, or with visibleOnly
// only a visible one.
bool Counts(platform::Desktop& desktop, platform::WindowHandle window, bool visibleOnly) {
    return !visibleOnly || desktop.IsWindowVisible(window);
}

platform::WindowHandle FindContaining(platform::Desktop& desktop, std::string_view title, bool visibleOnly) {
    if (title.empty()) return 0;
    // Lower-casing ASCII letters never touches the bytes of a multi-byte
    // UTF-8 character, so a byte search on the folded texts matches whole
    // characters, and Chinese titles compare exactly.
    const std::string wanted = text::AsciiLower(title);
    for (const platform::WindowInfo& window : desktop.TopLevelWindows()) {
        if (window.title.empty()) continue;
        if (!text::Contains(text::AsciiLower(window.title), wanted)) continue;
        if (Counts(desktop, window.handle, visibleOnly)) return window.handle;
    }
    return 0;
}

// The window search of the operations and of the waits: the platform's exact
// lookup first, then the containing search. The empty title finds nothing.
platform::WindowHandle SearchWindows(platform::Desktop& desktop, std::string_view title, bool visibleOnly) {
    if (title.empty()) return 0;
    const platform::WindowHandle exact = desktop.FindWindowByExactTitle(std::string(title));
    if (exact != 0 && Counts(desktop, exact, visibleOnly)) return exact;
    return FindContaining(desktop, title, visibleOnly);
}

}  // namespace

platform::WindowHandle FindWindowByTitle(platform::Desktop& desktop, std::string_view title) {
    return FindContaining(desktop, title, false);
}

bool IsWindowOperationWord(std::string_view operationWord) { return FindOperation(operationWord) != nullptr; }

platform::WindowHandle FindWindowForOperation(platform::Desktop& desktop, std::string_view title) {
    return SearchWindows(desktop, title, false);
}

platform::WindowHandle FindVisibleWindow(platform::Desktop& desktop, std::string_view title) {
    return SearchWindows(desktop, title, true);
}

void WindowOperation(platform::Desktop& desktop, std::string_view title, std::string_view operationWord,
                     const std::function<void(std::string_view)>& writeLog) {
    const platform::WindowHandle window = FindWindowForOperation(desktop, title);
    if (window == 0) {
        if (writeLog) writeLog(std::string(kWindowNotFoundPrefix) + std::string(title));
        return;
    }
    const OperationRow* row = FindOperation(operationWord);
    if (!row) return;
    Perform(desktop, window, row->action);
    if (row->pauseMs > 0) desktop.Sleep(row->pauseMs);
}

}  // namespace kestrun
