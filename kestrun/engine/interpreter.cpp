#include "kestrun/engine/interpreter.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "common/platform/key_codes.h"
#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/actions/keys.h"

namespace kestrun {

namespace {

constexpr uint32_t kLaunchSettleMs = 500;

}  // namespace

void Interpreter::Advance() {
    lastMove_ = {PointerRule::kAdvance, WrappingAdd(model_.InstructionPointer(), 1)};
    model_.SetInstructionPointer(lastMove_.target);
}

void Interpreter::Jump(int32_t j) { JumpTo(JumpedPointer(model_.InstructionPointer(), j)); }

void Interpreter::JumpTo(int32_t target) {
    lastMove_ = {PointerRule::kJump, target};
    model_.SetInstructionPointer(target);
}

void Interpreter::WarnIfInputIsBlocked() {
    const platform::WindowHandle window = desktop_.GetForegroundWindow();
    if (window == 0 || warnedWindows_.count(window) > 0) return;
    const std::optional<uint32_t> theirs = desktop_.GetTokenIntegrityLevel(window);
    if (!theirs) return;
    const std::optional<uint32_t> ours = desktop_.GetTokenIntegrityLevel(0);
    if (!ours || *theirs <= *ours) return;
    warnedWindows_.insert(window);
    std::string title;
    for (const platform::WindowInfo& info : desktop_.TopLevelWindows()) {
        if (info.handle == window) title = info.title;
    }
    log_.WriteLog(std::string(kLogTargetElevated) + title, false);
}

void Interpreter::ExecuteLine(const std::string& text) {
    using Kind = script::InstructionKind;
    script::InstructionLine line(text);
    lastMove_ = {};
    switch (line.Kind()) {
        case Kind::BitmapTest:
            return BitmapTest(line);
        case Kind::ColourTest:
            return ColourTest(line);
        case Kind::MouseClick:
            return MouseClick(line);
        case Kind::MouseDrag:
            return MouseDrag(line);
        case Kind::PasteText:
            return PasteText(line);
        case Kind::Key:
            return Key(line);
        case Kind::OpenFile:
            return OpenFile(line);
        case Kind::OpenUrl:
            return OpenUrl(line);
        case Kind::Wait:
            return Wait(line);
        case Kind::Scroll:
            return Scroll(line);
        case Kind::ClipboardTest:
            return ClipboardTest(line);
        case Kind::FileOperation:
            return FileOperation(line);
        case Kind::WindowOperation:
            return WindowOperation(line);
        case Kind::Screenshot:
            return Screenshot(line);
        case Kind::WaitColour:
            return WaitColour(line);
        case Kind::WaitBitmap:
            return WaitBitmap(line);
        case Kind::WaitWindow:
            return WaitWindow(line);
        case Kind::FindColour:
            return FindColour(line);
        case Kind::FindBitmap:
            return FindBitmap(line);
        case Kind::WindowOrigin:
            return WindowOrigin(line);
        case Kind::None:
            return;  // not an instruction: read again at the next tick
    }
}

void Interpreter::MouseClick(const script::InstructionLine& line) {
    WarnIfInputIsBlocked();
    const platform::Point point = ScreenPoint(line, 1, 2, true);
    desktop_.SetCursorPos(point.x, point.y);
    using namespace platform::mouse;
    switch (script::KindOfClickText(line.Field(3))) {
        case script::ClickKind::LeftClick:
            desktop_.MouseEvent(kLeftDown, 0);
            desktop_.MouseEvent(kLeftUp, 0);
            break;
        case script::ClickKind::LeftDoubleClick:
            for (int i = 0; i < 2; ++i) {
                desktop_.MouseEvent(kLeftDown, 0);
                desktop_.MouseEvent(kLeftUp, 0);
            }
            break;
        case script::ClickKind::RightClick:
            desktop_.MouseEvent(kRightDown, 0);
            desktop_.MouseEvent(kRightUp, 0);
            break;
        case script::ClickKind::MiddleClick:
        case script::ClickKind::None:
            // The pointer has moved; nothing is clicked.
            break;
    }
    Advance();
}

void Interpreter::MouseDrag(const script::InstructionLine& line) {
    WarnIfInputIsBlocked();
    const platform::Point start = ScreenPoint(line, 1, 2), end = ScreenPoint(line, 3, 4);
    int32_t x1 = start.x, y1 = start.y, x2 = end.x, y2 = end.y;
    // Differences in 64 bits: coordinates far apart must not overflow.
    int64_t dx = std::llabs(int64_t(x2) - x1), dy = std::llabs(int64_t(y2) - y1);
    desktop_.SetCursorPos(x1, y1);
    desktop_.Sleep(80);
    desktop_.MouseEvent(platform::mouse::kLeftDown, 0);
    desktop_.Sleep(150);
    int64_t steps = (dx > dy ? dx : dy) / 5 + 1;
    if (steps > 30) steps = 30;
    if (steps < 2) steps = 2;
    for (int64_t i = 1; i <= steps; ++i) {
        double fx = x1 + (double(x2) - x1) * double(i) / double(steps);
        double fy = y1 + (double(y2) - y1) * double(i) / double(steps);
        desktop_.SetCursorPos(int(text::RoundHalfEven(fx)), int(text::RoundHalfEven(fy)));
        desktop_.Sleep(i == 1 ? 100 : 15);
        desktop_.PumpMessages();
    }
    desktop_.SetCursorPos(x2, y2);
    desktop_.Sleep(80);
    desktop_.MouseEvent(platform::mouse::kLeftUp, 0);
    desktop_.Sleep(50);
    Advance();
}

void Interpreter::PasteText(const script::InstructionLine& line) {
    WarnIfInputIsBlocked();
    const platform::Point point = ScreenPoint(line, 1, 2);
    std::string textToPaste = line.Field(3);
    if (textToPaste == script::kListWord && !model_.PasteEntries().empty()) {
        textToPaste = model_.TakeFirstPasteEntry();
    }
    if (textToPaste == script::kRandomListWord && !model_.PasteEntries().empty()) {
        // Every entry is equally likely, the last ones too.
        const auto& entries = model_.PasteEntries();
        size_t index = size_t(std::floor(double(entries.size()) * double(random_.Next())));
        if (index >= entries.size()) index = entries.size() - 1;
        textToPaste = entries[index];
    }
    desktop_.SetClipboardText(textToPaste);
    desktop_.SetCursorPos(point.x, point.y);
    desktop_.MouseEvent(platform::mouse::kLeftDown, 0);
    desktop_.MouseEvent(platform::mouse::kLeftUp, 0);
    desktop_.KeybdEvent(platform::vk::kControl, platform::key::kPress);
    desktop_.KeybdEvent(platform::vk::kLetterV, platform::key::kPress);
    desktop_.KeybdEvent(platform::vk::kLetterV, platform::key::kRelease);
    desktop_.KeybdEvent(platform::vk::kControl, platform::key::kRelease);
    Advance();
}

void Interpreter::Key(const script::InstructionLine& line) {
    WarnIfInputIsBlocked();
    keys::PerformKeyInstruction(desktop_, line.ArgumentText());
    // A key this instruction sent is not the user's Esc or F7: reading the
    // keys here clears their "pressed since the last query" state before the
    // scheduler poll looks.
    desktop_.GetAsyncKeyState(platform::vk::kEscape);
    desktop_.GetAsyncKeyState(platform::vk::kF7);
    Advance();
}

void Interpreter::OpenFile(const script::InstructionLine& line) {
    std::string path = line.Field(1);
    int16_t windowStyle = 1;
    if (line.FieldCount() >= 2) windowStyle = line.FieldInt16(2).value_or(0);
    if (text::AsciiLower(text::Right(path, 3)) == "exe") {
        uint32_t processId = desktop_.LaunchProgram(path, windowStyle);
        // Give the program half a second to show its window, handling the
        // window's messages meanwhile without burning the processor. The wait
        // ends early when a message arrives; the message must then be handled
        // here, or the next wait would end at once again and the loop spin.
        uint32_t start = desktop_.TimeGetTime();
        for (uint32_t elapsed = 0; elapsed < kLaunchSettleMs; elapsed = desktop_.TimeGetTime() - start) {
            desktop_.WaitForMessages(kLaunchSettleMs - elapsed);
            desktop_.PumpMessages();
        }
        desktop_.ActivateProcess(processId);
    } else {
        desktop_.ShellOpen(path);
    }
    Advance();
}

void Interpreter::OpenUrl(const script::InstructionLine& line) {
    std::string address = line.ArgumentText();
    if (address == script::kListWord && !model_.UrlEntries().empty()) address = model_.TakeFirstUrlEntry();
    desktop_.ShellOpen(address);
    Advance();
}

void Interpreter::Wait(const script::InstructionLine& line) {
    int32_t duration = script::WaitDuration(line.ArgumentText()).value_or(0);
    uint32_t start = desktop_.TimeGetTime();
    for (;;) {
        int64_t elapsed = int64_t(desktop_.TimeGetTime() - start);
        if (elapsed >= duration) break;
        PauseSlice(duration - elapsed);
        if (model_.Closing()) break;
    }
    Advance();
}

void Interpreter::PauseSlice(int64_t remainingMs) {
    constexpr int64_t kSliceMs = 50;
    desktop_.Sleep(uint32_t(remainingMs > kSliceMs ? kSliceMs : remainingMs));
    desktop_.PumpMessages();
}

void Interpreter::Scroll(const script::InstructionLine& line) {
    WarnIfInputIsBlocked();
    script::ScrollReading reading = script::ReadScroll(line);
    if (reading.movesPointer) {
        const platform::Point point = ScreenPoint(line, 1, 2);
        desktop_.SetCursorPos(point.x, point.y);
        desktop_.Sleep(50);
    }
    int16_t notches = reading.notches.value_or(0);
    // notches x 120 in 16 bits: a product that does not fit turns nothing.
    int32_t product = int32_t(notches) * 120;
    int16_t amount = (product < INT16_MIN || product > INT16_MAX) ? 0 : int16_t(product);
    desktop_.MouseEvent(platform::mouse::kWheel, amount);
    desktop_.Sleep(100);
    Advance();
}

}  // namespace kestrun
