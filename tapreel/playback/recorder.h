// Click recording: the record button Cmdrecord and the handling of each
// event of the low-level mouse hook.
//
// While recording is on (the caption reads 停止录制(&R)), every press of the
// left or middle button and every wheel turn outside Tapreel's own window
// becomes one row of the click table, with its point, its key name, the time
// since the previous record (or since recording was switched on) and the
// colour of the screen pixel under it. Pointer moves only update the title.
// A right-button press ends recording and is not recorded. An event at
// exactly the point of the last one seen is dropped, which drops the release
// that follows a press at the same place.
//
// The recorder runs on the window's thread inside the hook procedure, so it
// does little: a pixel read, a row appended, the title set.
#pragma once

#include <string>

#include "common/platform/desktop.h"
#include "common/platform/mouse_hook.h"
#include "tapreel/model/frmmain_model.h"

namespace tapreel {

inline constexpr std::string_view kKeyLeft = "左键";
inline constexpr std::string_view kKeyRight = "右键";
inline constexpr std::string_view kKeyMiddle = "中键";
inline constexpr std::string_view kKeyWheel = "滚轮";
inline constexpr std::string_view kKeyMove = "移动";
inline constexpr std::string_view kActionSingle = "单击";
inline constexpr std::string_view kActionDouble = "双击";

// The title while recording: 当前鼠标在位置-x:512; y:300 followed by suffix.
std::string PointerTitle(platform::Point point, std::string_view suffix);

class Recorder {
public:
    Recorder(FrmmainModel& model, platform::Desktop& desktop, platform::MouseHook& hook)
        : model_(model), desktop_(desktop), hook_(hook) {}

    // The record button: switches recording on or off by its caption.
    void OnCmdrecordClick();
    // One event of the hook. The hook hands every event on to the next hook
    // whatever happens here.
    void OnMouseEvent(const platform::MouseHookEvent& event);
    // Removes the hook (the window is going away); the caption stays.
    void RemoveHook() { hook_.Remove(); }

    // The point of the last event that reached the point rule; (0, 0) at
    // start and never reset.
    platform::Point LastSeen() const { return lastSeen_; }

private:
    void StopRecording();
    bool InsideOwnWindow(platform::Point point);

    FrmmainModel& model_;
    platform::Desktop& desktop_;
    platform::MouseHook& hook_;
    platform::Point lastSeen_;
};

}  // namespace tapreel
