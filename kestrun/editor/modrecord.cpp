#include "kestrun/editor/modrecord.h"

#include <optional>
#include <string>

#include "common/text/number.h"
#include "common/text/utf8.h"

namespace kestrun {

namespace {

// A pixel that cannot be read counts as white.
constexpr int32_t kUnreadableColour = 16777215;

// The part of a click line between "鼠标点击=" and the comma before a kind of
// four characters: characters 6 to length - 5, counted from 1. A line of 10
// characters or fewer has no such part.
std::string ClickPointPart(const std::string& line) {
    const size_t length = text::CharCount(line);
    if (length <= 10) return {};
    return text::Mid(line, 5, length - 10);
}

bool StrictlyInside(const platform::Rect& r, platform::Point p) {
    return r.left < p.x && p.x < r.right && r.top < p.y && p.y < r.bottom;
}

}  // namespace

std::string_view ClassifyMouseMessage(uint32_t message) {
    switch (message) {
        case mouse_message::kMouseMove:
            return kKindMove;
        case mouse_message::kLeftButtonDown:
            return kKindLeftClick;
        case mouse_message::kRightButtonDown:
            return kKindRightClick;
        case mouse_message::kMiddleButtonDown:
            return kKindMiddleClick;
        case mouse_message::kMouseWheel:
            return kKindWheel;
        default:
            return {};
    }
}

void Modrecord::CmdrecordClick() {
    if (!model_.IsRecording()) {
        model_.SetRecording(true);
        if (installHook) installHook();
        return;
    }
    model_.SetRecording(false);
    if (removeHook) removeHook();
}

HookResult Modrecord::RecordHookProc(const LowLevelMouseEvent& event) {
    // The event arrives as a copy, so nothing below can touch the platform's
    // record.
    if (!model_.IsRecording()) return HookResult::kCallNextHook;
    const int x = event.point.x;
    const int y = event.point.y;

    const std::string_view kind = ClassifyMouseMessage(event.message);
    if (!kind.empty()) {
        // Moves, presses and the wheel show the pointer in the click row;
        // a press also shows its kind there.
        model_.SetTxtScreenX(2, text::IntToText(x));
        model_.SetTxtScreenY(2, text::IntToText(y));
        if (kind != kKindMove && kind != kKindWheel) model_.SetCmbMouseText(std::string(kind));
    }

    // Events on Kestrun's own window are not recorded and not handed on;
    // they still reach the window.
    if (std::optional<platform::Rect> own = desktop_.GetWindowRect(mainWindow);
        own && StrictlyInside(*own, event.point)) {
        return HookResult::kSkipNextHook;
    }
    if (kind == kKindMove) return HookResult::kCallNextHook;
    if (x <= 0 && y <= 0) return HookResult::kCallNextHook;
    // The release that follows a press at the same place is dropped here.
    // Only both coordinates together make the same place: a click straight
    // below or beside the last one, and the end of a straight vertical or
    // horizontal drag, are recorded.
    if (x == last_.x && y == last_.y) return HookResult::kCallNextHook;

    int32_t colour = desktop_.GetPixel(x, y);
    if (colour < 0) colour = kUnreadableColour;
    model_.SetTxtColor(text::IntToText(colour));
    model_.SetTxtColorBackColour(colour);

    const std::string position = text::IntToText(x) + "," + text::IntToText(y);
    if (!kind.empty()) {
        model_.AddRow("鼠标点击=" + position + "," + std::string(kind));
    } else if (model_.RowCount() > 0) {
        // A release away from its press: the press's line becomes a drag
        // from its point to here. The last line is rewritten whatever it
        // holds.
        const int lastRow = model_.RowCount() - 1;
        model_.SetRowText(lastRow, "鼠标拖拉=" + ClickPointPart(model_.Row(lastRow)) + "," + position);
    }
    last_ = event.point;
    return HookResult::kCallNextHook;
}

}  // namespace kestrun
