// The instruction interpreter: at every tick the run control hands it the
// line at the instruction pointer. It splits the line, dispatches on its
// keyword in a fixed order, acts on the desktop and moves the pointer: on by
// one, by a test's mismatch jump, or not at all.
//
// Nothing an instruction does stops a run: a step that fails is skipped and
// the instruction ends with its usual pointer rule. Waits, drags and program
// launches let the message loop run, so the pointer is read again at the
// moment it is moved (a row click during a wait counts).
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/files.h"
#include "common/text/codec.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

// Input sent to a program with higher rights than ours is dropped by the
// system without a word; the run log says so, once per window and run.
inline constexpr std::string_view kLogTargetElevated = "【警告】目标窗口以管理员权限运行，模拟输入会被系统拦截: ";

// The pointer rule a line applied: on by one, a jump (a test's mismatch, a
// wait's timeout, a search that found nothing), or none, when the line left
// the pointer where it was (a stop during a wait, an empty clipboard).
enum class PointerRule { kStay, kAdvance, kJump };
struct PointerMove {
    PointerRule rule = PointerRule::kStay;
    int32_t target = 0;  // the pointer the rule set
};

// Where a jump of j from the pointer lands: back by j, wrapping in 32 bits as
// the pointer does.
inline int32_t JumpedPointer(int32_t pointer, int32_t j) { return int32_t(uint32_t(pointer) - uint32_t(j)); }

// A 32-bit sum that wraps instead of overflowing, as the pointer does.
inline int32_t WrappingAdd(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }

// A field read as a 32-bit whole number, 0 when it is none.
inline int32_t Whole32(const script::InstructionLine& line, size_t field) { return line.FieldInt32(field).value_or(0); }

class Interpreter : public LineExecutor {
public:
    Interpreter(MainModel& model, platform::Desktop& desktop, platform::FileSystem& files, RunLog& log,
                RandomSource& random)
        : model_(model), desktop_(desktop), files_(files), log_(log), random_(random) {}

    void ExecuteLine(const std::string& line) override;
    void RunStarted() override { warnedWindows_.clear(); }
    // What the last line did to the pointer.
    PointerMove LastMove() const { return lastMove_; }

private:
    // Pointer rules, applied to the pointer as it is now.
    void Advance();
    void Jump(int32_t j);
    void JumpTo(int32_t target);

    // Before an input instruction acts: the warning when the foreground
    // window's process runs at a higher integrity level than ours.
    void WarnIfInputIsBlocked();

    // Input and programs.
    void MouseClick(const script::InstructionLine& line);
    void MouseDrag(const script::InstructionLine& line);
    void PasteText(const script::InstructionLine& line);
    void Key(const script::InstructionLine& line);
    void OpenFile(const script::InstructionLine& line);
    void OpenUrl(const script::InstructionLine& line);
    void Wait(const script::InstructionLine& line);
    // One slice of a wait: sleeps at most 50 ms of the time remaining, then
    // handles the program's messages, so that stop, F7, Esc and row clicks
    // work while a line waits.
    void PauseSlice(int64_t remainingMs);
    void Scroll(const script::InstructionLine& line);

    // Tests and system instructions (checks_and_system_instructions.cpp).
    void ColourTest(const script::InstructionLine& line);
    void BitmapTest(const script::InstructionLine& line);
    void ClipboardTest(const script::InstructionLine& line);
    void FileOperation(const script::InstructionLine& line);
    void WindowOperation(const script::InstructionLine& line);
    void Screenshot(const script::InstructionLine& line);

    // The waits, the searches and the window origin
    // (wait_and_search_instructions.cpp).
    void WaitColour(const script::InstructionLine& line);
    void WaitBitmap(const script::InstructionLine& line);
    void WaitWindow(const script::InstructionLine& line);
    void FindColour(const script::InstructionLine& line);
    void FindBitmap(const script::InstructionLine& line);
    void WindowOrigin(const script::InstructionLine& line);
    // Checks the condition at once and then every 50 ms, handling messages in
    // between, until it holds (advance), the timeout in timeoutField has
    // passed since the line began (jump by jumpField) or the run stops (the
    // pointer stays on the line).
    template <typename Condition>
    void WaitUntil(const script::InstructionLine& line, size_t timeoutField, size_t jumpField, Condition condition);
    // The searched rectangle of the four fields from firstField, on the
    // screen and clipped to it, and one copy of it; nothing when it is empty
    // or cannot be copied.
    std::optional<platform::Image> SearchArea(const script::InstructionLine& line, size_t firstField,
                                              platform::Rect& area);
    // Keeps a screen point a search found as the found point.
    void RememberFound(platform::Point screenPoint);
    // Shows the colour found in LabelColor 0 and the expected text in
    // LabelColor 1.
    void ShowColours(int32_t found, const std::string& expected);

    // Coordinates (line_coordinates.cpp): the one rule by which every kind
    // reads the points it names. X and Y stand for the found point, "R" for
    // the cycle where withCycle is set (a click), and the origin is added.
    platform::Point ScreenPoint(const script::InstructionLine& line, size_t xField, size_t yField,
                                bool withCycle = false);
    // A length (a region's width or height): X and Y substituted, no origin.
    int32_t Length(const script::InstructionLine& line, size_t field);

    MainModel& model_;
    platform::Desktop& desktop_;
    platform::FileSystem& files_;
    RunLog& log_;
    RandomSource& random_;
    std::set<platform::WindowHandle> warnedWindows_;
    PointerMove lastMove_;
};

}  // namespace kestrun
