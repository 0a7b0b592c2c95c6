#include "common/testing/fake_windows.h"

#include "common/text/utf8.h"

namespace fake {

namespace show = platform::show;
using platform::WindowHandle;

namespace {

// Handles look like real ones and never collide with small numbers that a
// test might pass by mistake.
constexpr WindowHandle kFirstHandle = 0x10010;
constexpr WindowHandle kHandleStep = 0x10;

}  // namespace

WindowHandle FakeWindows::Add(FakeWindow window) {
    WindowHandle handle = kFirstHandle + kHandleStep * windows_.size();
    windows_.emplace_back(handle, std::move(window));
    return handle;
}

FakeWindow* FakeWindows::Find(WindowHandle handle) {
    for (auto& [h, window] : windows_) {
        if (h == handle) return &window;
    }
    return nullptr;
}

const FakeWindow* FakeWindows::Find(WindowHandle handle) const { return const_cast<FakeWindows*>(this)->Find(handle); }

FakeWindow* FakeWindows::FindOpen(WindowHandle handle) {
    FakeWindow* window = Find(handle);
    return window && !window->closed ? window : nullptr;
}

const FakeWindow* FakeWindows::FindOpen(WindowHandle handle) const {
    return const_cast<FakeWindows*>(this)->FindOpen(handle);
}

std::string FakeWindows::Describe(WindowHandle handle) const {
    const FakeWindow* window = Find(handle);
    if (window) return "\"" + window->title + "\"";
    return "#" + std::to_string(handle);
}

WindowHandle FakeWindows::FindByExactTitle(const std::string& title) const {
    std::string wanted = text::AsciiLower(title);
    for (const auto& [handle, window] : windows_) {
        if (!window.closed && text::AsciiLower(window.title) == wanted) return handle;
    }
    return 0;
}

std::vector<platform::WindowInfo> FakeWindows::TopLevel() const {
    std::vector<platform::WindowInfo> result;
    for (const auto& [handle, window] : windows_) {
        if (!window.closed) result.push_back({handle, window.title});
    }
    return result;
}

bool FakeWindows::SetForeground(WindowHandle handle) {
    FakeWindow* window = FindOpen(handle);
    if (!window || !window->acceptsForeground) return false;
    foreground_ = handle;
    return true;
}

bool FakeWindows::Show(WindowHandle handle, int command) {
    FakeWindow* window = FindOpen(handle);
    if (!window) return false;
    bool activates = false;
    bool deactivates = false;
    switch (command) {
        case show::kHide:
            window->visible = false;
            deactivates = true;
            break;
        case show::kNormal:
        case show::kRestore:
            window->visible = true;
            window->placement = Placement::kNormal;
            activates = true;
            break;
        case show::kMinimized:
            window->visible = true;
            window->placement = Placement::kMinimized;
            activates = true;
            break;
        case show::kMinimize:
        case 7:  // minimised without activation
            window->visible = true;
            window->placement = Placement::kMinimized;
            deactivates = true;
            break;
        case show::kMaximized:
            window->visible = true;
            window->placement = Placement::kMaximized;
            activates = true;
            break;
        case show::kShow:
            window->visible = true;
            activates = true;
            break;
        case show::kNoActivate:
        case 8:  // shown in its current state without activation
            window->visible = true;
            break;
        default:
            return false;
    }
    if (activates && window->acceptsForeground) foreground_ = handle;
    if (deactivates && foreground_ == handle) foreground_ = 0;
    return true;
}

bool FakeWindows::SetTopmost(WindowHandle handle, bool topmost) {
    FakeWindow* window = FindOpen(handle);
    if (!window) return false;
    window->topmost = topmost;
    window->visible = true;
    return true;
}

int32_t FakeWindows::GetLong(WindowHandle handle, int index) const {
    const FakeWindow* window = FindOpen(handle);
    if (!window) return 0;
    if (index == kGwlStyle) return window->style;
    if (index == kGwlExStyle) return window->exStyle;
    return 0;
}

int32_t FakeWindows::SetLong(WindowHandle handle, int index, int32_t value) {
    FakeWindow* window = FindOpen(handle);
    if (!window) return 0;
    int32_t* field = index == kGwlStyle ? &window->style : index == kGwlExStyle ? &window->exStyle : nullptr;
    if (!field) return 0;
    int32_t previous = *field;
    *field = value;
    return previous;
}

bool FakeWindows::SetLayered(WindowHandle handle, uint32_t colourKey, uint8_t alpha, uint32_t flags) {
    FakeWindow* window = FindOpen(handle);
    if (!window || (window->exStyle & kWsExLayered) == 0) return false;
    window->colourKey = colourKey;
    window->alpha = alpha;
    window->layeredFlags = flags;
    return true;
}

void FakeWindows::RequestClose(WindowHandle handle) {
    FakeWindow* window = FindOpen(handle);
    if (!window || !window->closesOnRequest) return;
    window->closed = true;
    window->visible = false;
    if (foreground_ == handle) foreground_ = 0;
}

std::optional<platform::Rect> FakeWindows::Rect(WindowHandle handle) const {
    const FakeWindow* window = FindOpen(handle);
    if (!window) return std::nullopt;
    return window->rect;
}

bool FakeWindows::ActivateProcess(uint32_t processId) {
    // Process id 0 is what a failed launch returns; it names no process.
    if (processId == 0) return false;
    for (auto& [handle, window] : windows_) {
        if (!window.closed && window.visible && window.processId == processId) return SetForeground(handle);
    }
    return false;
}

}  // namespace fake
