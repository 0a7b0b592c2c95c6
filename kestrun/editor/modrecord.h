// Modrecord: recording the user's mouse clicks into the instruction list.
//
// While the record button Cmdrecord reads "停止(&T)", the window's layer
// keeps a system-wide low-level mouse hook installed and hands every mouse
// event of the desktop to RecordHookProc. A press becomes the line
// "鼠标点击=x,y,kind" at the end of List1; a release away from the last
// recorded point turns the last line into "鼠标拖拉=x0,y0,x,y". Events on
// Kestrun's own window are never recorded.
//
// The platform waits for the hook procedure on every mouse event of the
// desktop, so it does a handful of comparisons, at most one pixel read and
// one row change per event, and never shows anything.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/platform/desktop.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

// The mouse messages a low-level mouse hook receives.
namespace mouse_message {
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLeftButtonDown = 0x0201;
inline constexpr uint32_t kLeftButtonUp = 0x0202;
inline constexpr uint32_t kRightButtonDown = 0x0204;
inline constexpr uint32_t kRightButtonUp = 0x0205;
inline constexpr uint32_t kMiddleButtonDown = 0x0207;
inline constexpr uint32_t kMiddleButtonUp = 0x0208;
inline constexpr uint32_t kMouseWheel = 0x020A;
inline constexpr uint32_t kXButtonDown = 0x020B;
inline constexpr uint32_t kXButtonUp = 0x020C;
inline constexpr uint32_t kMouseHorizontalWheel = 0x020E;
}  // namespace mouse_message

// The kinds an event is classified as; the empty kind covers the releases,
// the other buttons and the horizontal wheel.
inline constexpr std::string_view kKindMove = "移动";
inline constexpr std::string_view kKindLeftClick = script::ClickKindText(script::ClickKind::LeftClick);
inline constexpr std::string_view kKindRightClick = script::ClickKindText(script::ClickKind::RightClick);
inline constexpr std::string_view kKindMiddleClick = script::ClickKindText(script::ClickKind::MiddleClick);
inline constexpr std::string_view kKindWheel = "滚轮";

// One event of the low-level mouse hook: its message and a copy of its
// event record (point in screen pixels, then the rest of the record).
struct LowLevelMouseEvent {
    uint32_t message = 0;
    platform::Point point;
    uint32_t mouseData = 0;
    uint32_t flags = 0;
    uint32_t time = 0;
    uintptr_t extraInfo = 0;
};

// What the hook does with an event after the procedure: hand it to the next
// hook (and return that hook's answer), or return 0 without handing it on.
// Neither blocks the event: it still reaches its window.
enum class HookResult { kCallNextHook, kSkipNextHook };

// The kind of an event ("" for the empty kind).
std::string_view ClassifyMouseMessage(uint32_t message);

class Modrecord {
public:
    Modrecord(MainModel& model, platform::Desktop& desktop) : model_(model), desktop_(desktop) {}

    // Installs the low-level mouse hook (the window's layer keeps its
    // handle) and removes it again. Unset, nothing is installed.
    std::function<void()> installHook;
    std::function<void()> removeHook;
    // The main window, whose outer rectangle no recorded event may lie in.
    platform::WindowHandle mainWindow = 0;

    // The click handler of Cmdrecord: "录制(&R)" becomes "停止(&T)" and the
    // hook is installed; any other caption becomes "录制(&R)" and the hook is
    // removed. A hook the platform refuses still leaves "停止(&T)".
    void CmdrecordClick();

    // The hook procedure for one event.
    HookResult RecordHookProc(const LowLevelMouseEvent& event);

    // The last recorded point; it survives from one recording to the next.
    platform::Point LastPoint() const { return last_; }

private:
    MainModel& model_;
    platform::Desktop& desktop_;
    platform::Point last_;
};

}  // namespace kestrun
