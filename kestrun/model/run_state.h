// The run state: whether a run is active (shown as the caption and colour of
// CmdGoto), the instruction pointer and cycle counter, whether recording is
// on (the caption of Cmdrecord), whether a capture tool is watching, and
// whether the window is closing. Other code asks IsRunning() and
// IsRecording(); the captions are only what the window shows.
#pragma once

#include <cstdint>
#include <string_view>

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

    // Set when the window is being closed: a wait in progress ends at its
    // next slice instead of keeping the program alive without a window.
    bool Closing() const { return closing_; }
    void SetClosing() { closing_ = true; }

private:
    bool running_ = false;
    bool recording_ = false;
    int32_t instructionPointer_ = 0;
    int32_t cycleCounter_ = 0;
    bool timer2Enabled_ = false;
    bool closing_ = false;
};

}  // namespace kestrun
