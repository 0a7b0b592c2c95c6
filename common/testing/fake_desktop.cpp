#include "common/testing/fake_desktop.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "common/platform/key_codes.h"
#include "common/text/utf8.h"

namespace fake {

using platform::WindowHandle;

namespace {

namespace vk = platform::vk;
// A copy larger than this fails, as the real bitmap allocation would, instead
// of exhausting the test's memory.
constexpr int64_t kMaxCopyPixels = int64_t(1) << 26;
constexpr int64_t kMsPerDay = 86400000;

std::string Hex(uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", unsigned(value));
    return buffer;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, text::LocalTime& t) {
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    t.day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    t.month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    t.year = int(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
}

int64_t ToMilliseconds(const text::LocalTime& t) {
    int64_t timeOfDay = ((int64_t(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
    return DaysFromCivil(t.year, t.month, t.day) * kMsPerDay + timeOfDay;
}

text::LocalTime FromMilliseconds(int64_t ms) {
    int64_t days = ms >= 0 ? ms / kMsPerDay : (ms - kMsPerDay + 1) / kMsPerDay;
    int64_t timeOfDay = ms - days * kMsPerDay;
    text::LocalTime t;
    CivilFromDays(days, t);
    t.hour = int(timeOfDay / 3600000);
    t.minute = int(timeOfDay / 60000 % 60);
    t.second = int(timeOfDay / 1000 % 60);
    t.millisecond = int(timeOfDay % 1000);
    return t;
}

bool ValidKey(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }

}  // namespace

FakeDesktop::FakeDesktop(uint32_t startTick, int screenWidth, int screenHeight)
    : clock_(startTick), screenWidth_(std::max(screenWidth, 1)), screenHeight_(std::max(screenHeight, 1)) {
    localBase_ = text::LocalTime{2026, 1, 1, 12, 0, 0, 0};
}

// --- Synthetic input ---

bool FakeDesktop::SetCursorPos(int x, int y) {
    Record("SetCursorPos " + std::to_string(x) + "," + std::to_string(y));
    cursor_ = ClampToScreen(x, y);
    return true;
}

void FakeDesktop::MoveCursor(int x, int y) { cursor_ = ClampToScreen(x, y); }

platform::Point FakeDesktop::ClampToScreen(int x, int y) const {
    // The platform keeps the pointer on the screen.
    return {std::clamp(x, 0, screenWidth_ - 1), std::clamp(y, 0, screenHeight_ - 1)};
}

void FakeDesktop::MouseEvent(uint32_t flags, int32_t data) {
    Record("mouse_event " + Hex(flags) + " " + std::to_string(data));
    if (flags & platform::mouse::kLeftDown) SetKey(vk::kLeftButton, true);
    if (flags & platform::mouse::kLeftUp) SetKey(vk::kLeftButton, false);
    if (flags & platform::mouse::kRightDown) SetKey(vk::kRightButton, true);
    if (flags & platform::mouse::kRightUp) SetKey(vk::kRightButton, false);
    if (flags & platform::mouse::kMiddleDown) SetKey(vk::kMiddleButton, true);
    if (flags & platform::mouse::kMiddleUp) SetKey(vk::kMiddleButton, false);
}

void FakeDesktop::KeybdEvent(uint8_t virtualKey, uint32_t flags) {
    std::string what = flags == platform::key::kPress     ? "down"
                       : flags == platform::key::kRelease ? "up"
                                                          : "flags " + Hex(flags);
    Record("keybd_event " + std::to_string(virtualKey) + " " + what);
    SetKey(virtualKey, (flags & platform::key::kRelease) == 0);
}

int16_t FakeDesktop::GetAsyncKeyState(int virtualKey) {
    if (!ValidKey(virtualKey)) return 0;
    KeyState& key = keys_[size_t(virtualKey)];
    uint16_t result = (key.held ? platform::key_state::kHeld : 0) |
                      (key.pressedSinceQuery ? platform::key_state::kPressedSinceQuery : 0);
    key.pressedSinceQuery = false;
    return int16_t(result);
}

void FakeDesktop::SendKeys(const std::string& keyText) { Record("SendKeys " + keyText); }

void FakeDesktop::PressKey(int virtualKey) { SetKey(virtualKey, true); }
void FakeDesktop::ReleaseKey(int virtualKey) { SetKey(virtualKey, false); }

void FakeDesktop::PressKeyAt(uint64_t elapsedMs, int virtualKey) {
    At(elapsedMs, [this, virtualKey] { SetKey(virtualKey, true); });
}

void FakeDesktop::ReleaseKeyAt(uint64_t elapsedMs, int virtualKey) {
    At(elapsedMs, [this, virtualKey] { SetKey(virtualKey, false); });
}

void FakeDesktop::TapKeyAt(uint64_t elapsedMs, int virtualKey, uint64_t holdMs) {
    PressKeyAt(elapsedMs, virtualKey);
    ReleaseKeyAt(elapsedMs + holdMs, virtualKey);
}

bool FakeDesktop::IsKeyHeld(int virtualKey) const { return ValidKey(virtualKey) && keys_[size_t(virtualKey)].held; }

std::vector<int> FakeDesktop::HeldKeys() const {
    std::vector<int> held;
    for (int vk = 0; vk < 256; ++vk) {
        if (keys_[size_t(vk)].held) held.push_back(vk);
    }
    return held;
}

void FakeDesktop::SetKey(int virtualKey, bool down) {
    if (!ValidKey(virtualKey)) return;
    KeyState& key = keys_[size_t(virtualKey)];
    if (down) key.pressedSinceQuery = true;
    key.held = down;
}

// --- Pixels and screen copies ---

platform::Image& FakeDesktop::Screen() {
    if (!screen_) screen_.emplace(screenWidth_, screenHeight_, 0xFFFFFF);
    return *screen_;
}

std::optional<platform::Image> FakeDesktop::CopyScreen(int x, int y, int width, int height) {
    if (copyScreenFails_ || width <= 0 || height <= 0) return std::nullopt;
    if (int64_t(width) * int64_t(height) > kMaxCopyPixels) return std::nullopt;
    const platform::Image& screen = Screen();
    platform::Image copy(width, height, 0);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int64_t sx = int64_t(x) + column;
            int64_t sy = int64_t(y) + row;
            if (sx >= 0 && sy >= 0 && sx < screen.width && sy < screen.height) {
                copy.Set(column, row, screen.At(int(sx), int(sy)));
            }
        }
    }
    return copy;
}

void FakeDesktop::PaintRect(int left, int top, int width, int height, int32_t colour) {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) Screen().Set(left + column, top + row, colour);
    }
}

// --- Windows ---

WindowHandle FakeDesktop::FindWindowByExactTitle(const std::string& title) { return windows_.FindByExactTitle(title); }

bool FakeDesktop::SetForegroundWindow(WindowHandle window) {
    Record("SetForegroundWindow " + windows_.Describe(window));
    return windows_.SetForeground(window);
}

bool FakeDesktop::ShowWindow(WindowHandle window, int command) {
    Record("ShowWindow " + windows_.Describe(window) + " " + std::to_string(command));
    return windows_.Show(window, command);
}

bool FakeDesktop::SetTopmost(WindowHandle window, bool topmost) {
    Record("SetTopmost " + windows_.Describe(window) + (topmost ? " on" : " off"));
    return windows_.SetTopmost(window, topmost);
}

int32_t FakeDesktop::GetWindowLong(WindowHandle window, int index) { return windows_.GetLong(window, index); }

int32_t FakeDesktop::SetWindowLong(WindowHandle window, int index, int32_t value) {
    Record("SetWindowLong " + windows_.Describe(window) + " " + std::to_string(index) + " " + Hex(uint32_t(value)));
    return windows_.SetLong(window, index, value);
}

bool FakeDesktop::SetLayeredWindowAttributes(WindowHandle window, uint32_t colourKey, uint8_t alpha, uint32_t flags) {
    Record("SetLayeredWindowAttributes " + windows_.Describe(window) + " " + std::to_string(colourKey) + " " +
           std::to_string(alpha) + " " + std::to_string(flags));
    return windows_.SetLayered(window, colourKey, alpha, flags);
}

void FakeDesktop::SendCloseMessage(WindowHandle window) {
    Record("SendCloseMessage " + windows_.Describe(window));
    windows_.RequestClose(window);
}

std::optional<platform::Rect> FakeDesktop::GetWindowRect(WindowHandle window) { return windows_.Rect(window); }

std::optional<uint32_t> FakeDesktop::GetTokenIntegrityLevel(WindowHandle window) {
    if (window == 0) return ownIntegrityLevel_;
    const FakeWindow* record = windows_.Find(window);
    if (!record || record->closed) return std::nullopt;
    return record->integrityLevel;
}

std::optional<platform::Point> FakeDesktop::ClientToScreen(WindowHandle window) {
    std::optional<platform::Rect> rect = windows_.Rect(window);
    const FakeWindow* record = windows_.Find(window);
    if (!rect || !record) return std::nullopt;
    return platform::Point{rect->left + record->clientOffset.x, rect->top + record->clientOffset.y};
}

bool FakeDesktop::IsWindowVisible(WindowHandle window) {
    const FakeWindow* record = windows_.Find(window);
    return record && !record->closed && record->visible;
}

// --- Clipboard, shell and programs ---

bool FakeDesktop::SetClipboardText(const std::string& text) {
    Record("SetClipboardText " + text);
    if (clipboardFails_) return false;
    clipboard_ = text;
    return true;
}

bool FakeDesktop::ShellOpen(const std::string& target) {
    Record("ShellOpen " + target);
    return rejectedShellTargets_.count(target) == 0;
}

uint32_t FakeDesktop::LaunchProgram(const std::string& commandLine, int windowStyle) {
    Record("LaunchProgram " + commandLine + " " + std::to_string(windowStyle));
    static constexpr int kStyles[] = {0, 1, 2, 3, 4, 6};
    if (std::find(std::begin(kStyles), std::end(kStyles), windowStyle) == std::end(kStyles)) return 0;
    std::string wanted = text::AsciiLower(commandLine);
    auto program = std::find_if(programs_.begin(), programs_.end(),
                                [&](const FakeProgram& p) { return text::AsciiLower(p.commandLine) == wanted; });
    if (program == programs_.end()) return 0;
    if (!program->windowTitle.empty()) {
        FakeWindow window;
        window.title = program->windowTitle;
        window.processId = program->processId;
        window.visible = windowStyle != 0;
        window.placement = windowStyle == 2 || windowStyle == 6 ? Placement::kMinimized
                           : windowStyle == 3                   ? Placement::kMaximized
                                                                : Placement::kNormal;
        bool takesFocus = windowStyle == 1 || windowStyle == 2 || windowStyle == 3;
        auto appear = [this, window, takesFocus] {
            WindowHandle handle = windows_.Add(window);
            if (takesFocus) windows_.SetForeground(handle);
        };
        if (program->windowDelayMs == 0) {
            appear();
        } else {
            At(clock_.Elapsed() + program->windowDelayMs, appear);
        }
    }
    return program->processId;
}

bool FakeDesktop::ActivateProcess(uint32_t processId) {
    Record("ActivateProcess " + std::to_string(processId));
    return windows_.ActivateProcess(processId);
}

// --- Time and the message loop ---

text::LocalTime FakeDesktop::LocalNow() {
    return FromMilliseconds(ToMilliseconds(localBase_) + int64_t(clock_.Elapsed() - localBaseElapsed_));
}

void FakeDesktop::SetLocalTime(const text::LocalTime& now) {
    localBase_ = now;
    localBaseElapsed_ = clock_.Elapsed();
}

VirtualClock::EventId FakeDesktop::At(uint64_t elapsedMs, std::function<void()> action) {
    return clock_.At(elapsedMs, std::move(action));
}

VirtualClock::EventId FakeDesktop::PostAt(uint64_t elapsedMs, std::function<void()> handler) {
    return clock_.PostAt(elapsedMs, std::move(handler));
}

void FakeDesktop::Sleep(uint32_t milliseconds) {
    Record("Sleep " + std::to_string(milliseconds));
    clock_.Sleep(milliseconds);
}

void FakeDesktop::PumpMessages() {
    if (pumpRun_ > 0) {
        ++pumpRun_;
        log_.back() = "PumpMessages x" + std::to_string(pumpRun_);
    } else {
        Record("PumpMessages");
        pumpRun_ = 1;
    }
    waitLeftMessagePending_ = false;
    clock_.Pump(1);
}

void FakeDesktop::WaitForMessages(uint32_t milliseconds) {
    auto messagePending = [this] {
        std::optional<uint64_t> next = clock_.NextMessageTime();
        return next && *next <= clock_.Elapsed();
    };
    if (waitLeftMessagePending_ && messagePending()) {
        throw std::logic_error("WaitForMessages again with a message pending and no pump in between: the caller spins");
    }
    Record("WaitForMessages " + std::to_string(milliseconds));
    clock_.WaitForMessage(milliseconds);
    waitLeftMessagePending_ = messagePending();
}

// --- Process and system ---

void FakeDesktop::TrimWorkingSet() {
    Record("TrimWorkingSet");
    ++trimCount_;
}

bool FakeDesktop::PowerOff() {
    Record("PowerOff");
    ++powerOffCount_;
    return powerOffResult_;
}

// --- The call log ---

void FakeDesktop::Record(std::string line) {
    log_.push_back(std::move(line));
    pumpRun_ = 0;
}

std::vector<std::string> FakeDesktop::LogWithout(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> kept;
    for (const std::string& line : log_) {
        bool drop = std::any_of(prefixes.begin(), prefixes.end(),
                                [&](std::string_view prefix) { return text::StartsWith(line, prefix); });
        if (!drop) kept.push_back(line);
    }
    return kept;
}

std::vector<std::string> FakeDesktop::TakeLog() {
    std::vector<std::string> taken = std::move(log_);
    ClearLog();
    return taken;
}

void FakeDesktop::ClearLog() {
    log_.clear();
    pumpRun_ = 0;
}

}  // namespace fake
