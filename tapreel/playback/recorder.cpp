#include "tapreel/playback/recorder.h"

#include <optional>

#include "common/text/number.h"
#include "tapreel/playback/screen_colour.h"

namespace tapreel {

std::string PointerTitle(platform::Point point, std::string_view suffix) {
    std::string title = "当前鼠标在位置-x:";
    title += text::IntToText(point.x);
    title += "; y:";
    title += text::IntToText(point.y);
    title += suffix;
    return title;
}

void Recorder::OnCmdrecordClick() {
    if (model_.CmdrecordCaption() != kCaptionRecord) {
        StopRecording();
        return;
    }
    // New records go after the rows already in the table; nothing is
    // cleared. When the hook cannot be installed the caption still says
    // that recording is on, and nothing is recorded until it is switched off.
    model_.SetCmdrecordCaption(kCaptionRecordStop);
    if (hook_.Install()) model_.timeBase = desktop_.TimeGetTime();
}

void Recorder::StopRecording() {
    model_.SetCmdrecordCaption(kCaptionRecord);
    hook_.Remove();
}

bool Recorder::InsideOwnWindow(platform::Point point) {
    if (model_.ownWindow == 0) return false;
    std::optional<platform::Rect> rect = desktop_.GetWindowRect(model_.ownWindow);
    if (!rect) return false;
    return rect->left < point.x && point.x < rect->right && rect->top < point.y && point.y < rect->bottom;
}

void Recorder::OnMouseEvent(const platform::MouseHookEvent& event) {
    const platform::Point point = event.point;
    if (model_.CmdrecordCaption() != kCaptionRecordStop) return;

    std::string_view keyName;
    switch (event.message) {
        case platform::MouseMessage::kMouseMove:
            keyName = kKeyMove;
            model_.SetTitle(PointerTitle(point, ""));
            break;
        case platform::MouseMessage::kLeftButtonDown:
            keyName = kKeyLeft;
            model_.SetTitle(PointerTitle(point, kKeyLeft));
            break;
        case platform::MouseMessage::kRightButtonDown:
            model_.SetTitle(PointerTitle(point, kKeyRight));
            // A right click anywhere ends recording and is not recorded itself.
            StopRecording();
            return;
        case platform::MouseMessage::kMiddleButtonDown:
            keyName = kKeyMiddle;
            model_.SetTitle(PointerTitle(point, kKeyMiddle));
            break;
        case platform::MouseMessage::kMouseWheel:
            keyName = kKeyWheel;
            model_.SetTitle(PointerTitle(point, ""));
            break;
        default:
            // Releases, the side buttons and the horizontal wheel.
            break;
    }

    if (InsideOwnWindow(point)) return;
    if (event.message == platform::MouseMessage::kMouseMove) return;
    if (point.x <= 0 && point.y <= 0) return;
    // Only an event at exactly the last point is dropped: that is the
    // release after a press at the same place. A click straight below or
    // beside the last one is a new click and is recorded.
    if (point == lastSeen_) return;

    const uint32_t now = desktop_.TimeGetTime();
    // Unsigned subtraction gives the true interval across the wrap of the
    // 32-bit millisecond counter.
    const uint32_t interval = now - model_.timeBase;
    ClickTable& table = model_.Table();
    ClickRow row;
    row.columns[column::kNumber - 1] = text::IntToText(table.RowCount() + 1);
    row.columns[column::kX - 1] = text::IntToText(point.x);
    row.columns[column::kY - 1] = text::IntToText(point.y);
    row.columns[column::kKeyName - 1] = std::string(keyName);
    row.columns[column::kAction - 1] = std::string(kActionSingle);
    row.columns[column::kInterval - 1] = text::IntToText(interval);
    row.columns[column::kColour - 1] = text::IntToText(ScreenColour(desktop_, point.x, point.y));
    table.AddRow(std::move(row));
    model_.timeBase = now;
    lastSeen_ = point;
}

}  // namespace tapreel
