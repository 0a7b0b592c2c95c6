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
#include "common/platform/mouse_hook.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

// The kinds an event is classified as; the empty kind covers the releases,
// the other buttons and the horizontal wheel.
inline constexpr std::string_view kKindMove = "移动";
inline constexpr std::string_view kKindLeftClick = script::ClickKindText(script::ClickKind::LeftClick);
inline constexpr std::string_view kKindRightClick = script::ClickKindText(script::ClickKind::RightClick);
inline constexpr std::string_view kKindMiddleClick = script::ClickKindText(script::ClickKind::MiddleClick);
inline constexpr std::string_view kKindWheel = "滚轮";

using platform::HookResult;
using platform::MouseHookEvent;
using platform::MouseMessage;

// The kind of an event ("" for the empty kind).
std::string_view ClassifyMouseMessage(MouseMessage message);

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
    HookResult RecordHookProc(const MouseHookEvent& event);

    // The last recorded point; it survives from one recording to the next.
    platform::Point LastPoint() const { return last_; }

private:
    MainModel& model_;
    platform::Desktop& desktop_;
    platform::Point last_;
};

}  // namespace kestrun
