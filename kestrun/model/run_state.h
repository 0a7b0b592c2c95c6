// The run state: whether a run is active (shown as the caption and colour of
// CmdGoto), the instruction pointer and cycle counter, whether recording is
// on (the caption of Cmdrecord), whether a capture tool is watching, whether
// the window is closing, and the found point and the origin of coordinates.
// Other code asks IsRunning() and IsRecording(); the captions are only what
// the window shows.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/platform/desktop.h"
#include "kestrun/model/model_part.h"

namespace kestrun {

inline constexpr std::string_view kCaptionStart = "开始执行";
inline constexpr std::string_view kCaptionStop = "停止执行";
inline constexpr std::string_view kCaptionRecord = "录制(&R)";
inline constexpr std::string_view kCaptionRecordStop = "停止(&T)";

inline constexpr int32_t kColourLightGreen = 128 + 256 * 255 + 65536 * 128;  // RGB(128, 255, 128)
inline constexpr int32_t kColourLightRed = 255 + 256 * 128 + 65536 * 128;    // RGB(255, 128, 128)

class RunState : public virtual ModelNotifier {
public:
    bool IsRunning() const { return running_; }
    // Shows the run as active ("停止执行" on light red) or not ("开始执行"
    // on light green).
    void SetRunning(bool running);
    std::string_view CmdGotoCaption() const { return running_ ? kCaptionStop : kCaptionStart; }
    int32_t CmdGotoColour() const { return running_ ? kColourLightRed : kColourLightGreen; }

    int32_t InstructionPointer() const { return instructionPointer_; }
    void SetInstructionPointer(int32_t row) { instructionPointer_ = row; }
    int32_t CycleCounter() const { return cycleCounter_; }
    void SetCycleCounter(int32_t count) { cycleCounter_ = count; }

    bool IsRecording() const { return recording_; }
    void SetRecording(bool recording);
    std::string_view CmdrecordCaption() const { return recording_ ? kCaptionRecordStop : kCaptionRecord; }

    // A capture tool is watching the mouse or the keyboard (Timer2).
    bool Timer2Enabled() const { return timer2Enabled_; }
    void SetTimer2Enabled(bool enabled) { timer2Enabled_ = enabled; }

    // The point the last successful search found, relative to the origin;
    // X and Y in a coordinate field stand for it. A failed search leaves it.
    platform::Point FoundPoint() const { return foundPoint_; }
    void SetFoundPoint(platform::Point point) { foundPoint_ = point; }
    // The screen point that the coordinates of lines are relative to, set by
    // the window origin line; the screen's (0, 0) until then.
    platform::Point Origin() const { return origin_; }
    void SetOrigin(platform::Point origin) { origin_ = origin; }
    // A run starts with the found point and the origin at the screen's (0, 0).
    void ResetPoints() { foundPoint_ = origin_ = {}; }

    // Set when the window is being closed: a wait in progress ends at its
    // next slice instead of keeping the program alive without a window.
    bool Closing() const { return closing_; }
    void SetClosing() { closing_ = true; }

    // A line is being tried outside a run ("执行本行"). The line may pump
    // messages (a wait), and meanwhile no run may start: its ticks would run
    // inside the trial, and the trial's pointer rule would move its pointer.
    bool TryingLine() const { return tryingLine_; }
    void SetTryingLine(bool trying) { tryingLine_ = trying; }

private:
    bool running_ = false;
    bool recording_ = false;
    int32_t instructionPointer_ = 0;
    int32_t cycleCounter_ = 0;
    bool timer2Enabled_ = false;
    bool closing_ = false;
    bool tryingLine_ = false;
    platform::Point foundPoint_;
    platform::Point origin_;
};

}  // namespace kestrun
