// The three waits (colour, bitmap, window), the two searches (colour,
// bitmap) and the window origin.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/text/number.h"
#include "kestrun/actions/capture.h"
#include "kestrun/actions/image_search.h"
#include "kestrun/actions/window_ops.h"
#include "kestrun/engine/interpreter.h"

namespace kestrun {

namespace {

// The searched block's centre, from its top-left corner.
constexpr int kBlockCentre = kBitmapBlockSide / 2;

// A tolerance per colour channel, 0 to 255.
int Tolerance(const script::InstructionLine& line, size_t field) { return std::clamp(Whole32(line, field), 0, 255); }

}  // namespace

template <typename Condition>
void Interpreter::WaitUntil(const script::InstructionLine& line, size_t timeoutField, size_t jumpField,
                            Condition condition) {
    // A timeout that is missing, no number or not above 0 means one check.
    const int64_t timeout = std::max<int64_t>(Whole32(line, timeoutField), 0);
    const bool running = model_.IsRunning();
    const uint32_t start = desktop_.TimeGetTime();
    for (;;) {
        if (condition()) return Advance();
        const int64_t elapsed = int64_t(desktop_.TimeGetTime() - start);
        if (elapsed >= timeout) return Jump(Whole32(line, jumpField));
        PauseSlice(timeout - elapsed);
        // A stop leaves the pointer on this line, so a new start waits again.
        if (model_.Closing() || (running && !model_.IsRunning())) return;
    }
}

void Interpreter::WaitColour(const script::InstructionLine& line) {
    const int tolerance = Tolerance(line, 6);
    WaitUntil(line, 4, 5, [&] {
        const platform::Point point = ScreenPoint(line, 1, 2);
        const int32_t found = desktop_.GetPixel(point.x, point.y);
        ShowColours(found, line.Field(3));
        const std::optional<double> expected = text::StrictNumber(line.Field(3));
        // An expected colour that is no number does not hold the run up.
        if (!expected) return true;
        // One that is no colour (a fraction, beyond 32 bits) equals no
        // pixel, as in the colour test.
        const std::optional<int32_t> colour = text::ToInt32(*expected);
        return colour && *colour == *expected && ColoursAlike(found, *colour, tolerance);
    });
}

void Interpreter::WaitBitmap(const script::InstructionLine& line) {
    const int32_t n = Whole32(line, 1);
    WaitUntil(line, 4, 5, [&] {
        const platform::Point point = ScreenPoint(line, 2, 3);
        if (model_.Bitmaps().count(n) > 0) {
            model_.EditBitmaps([&](auto& bitmaps) { CopyBlockToLive(desktop_, point.x, point.y, bitmaps.at(n)); });
        }
        return same_pic(model_.Bitmaps(), n, random_);
    });
}

void Interpreter::WaitWindow(const script::InstructionLine& line) {
    WaitUntil(line, 2, 3, [&] { return FindVisibleWindow(desktop_, line.Field(1)) != 0; });
}

std::optional<platform::Image> Interpreter::SearchArea(const script::InstructionLine& line, size_t firstField,
                                                       platform::Rect& area) {
    const platform::Point a = ScreenPoint(line, firstField, firstField + 1);
    const platform::Point b = ScreenPoint(line, firstField + 2, firstField + 3);
    area = SearchRectangle(a.x, a.y, b.x, b.y, desktop_.ScreenSize());
    if (area.Width() <= 0 || area.Height() <= 0) return std::nullopt;
    // One block copy of the whole rectangle; the search runs on the copy.
    return desktop_.CopyScreen(area.left, area.top, area.Width(), area.Height());
}

void Interpreter::RememberFound(platform::Point screenPoint) {
    // Relative to the origin, so that X and Y, to which the origin is added
    // again, name the same screen point with and without an origin.
    const platform::Point origin = model_.Origin();
    model_.SetFoundPoint({screenPoint.x - origin.x, screenPoint.y - origin.y});
}

void Interpreter::FindColour(const script::InstructionLine& line) {
    const std::optional<double> colourValue = text::StrictNumber(line.Field(5));
    const std::optional<int32_t> colour = colourValue ? text::ToInt32(*colourValue) : std::nullopt;
    platform::Rect area;
    const std::optional<platform::Image> copy = SearchArea(line, 1, area);
    const std::optional<platform::Point> place =
        copy && colour ? kestrun::FindColour(*copy, *colour, Tolerance(line, 6)) : std::nullopt;
    if (!place) return Jump(Whole32(line, 7));
    const int32_t found = copy->At(place->x, place->y);
    model_.SetLabelColor(0, {text::IntToText(found), found});
    RememberFound({area.left + place->x, area.top + place->y});
    Advance();
}

void Interpreter::FindBitmap(const script::InstructionLine& line) {
    const int32_t n = Whole32(line, 1);
    const auto entry = model_.Bitmaps().find(n);
    platform::Rect area;
    const std::optional<platform::Image> copy =
        entry != model_.Bitmaps().end() ? SearchArea(line, 2, area) : std::nullopt;
    const std::optional<platform::Point> place =
        copy ? FindBlock(*copy, entry->second.reference, Tolerance(line, 6)) : std::nullopt;
    if (!place) return Jump(Whole32(line, 7));
    model_.EditBitmaps([&](auto& bitmaps) {
        platform::Image& live = bitmaps.at(n).live;
        for (int y = 0; y < live.height; ++y) {
            for (int x = 0; x < live.width; ++x) live.Set(x, y, copy->At(place->x + x, place->y + y));
        }
    });
    RememberFound({area.left + place->x + kBlockCentre, area.top + place->y + kBlockCentre});
    Advance();
}

void Interpreter::WindowOrigin(const script::InstructionLine& line) {
    const std::string& title = line.Field(1);
    if (title.empty() || title == script::kOriginScreenWord) {
        model_.SetOrigin({});
        return Advance();
    }
    const platform::WindowHandle window = FindVisibleWindow(desktop_, title);
    if (window == 0) {
        log_.WriteLog(std::string(kWindowNotFoundPrefix) + title, false);
        return Advance();
    }
    // The window's position now; the line runs again to follow a moved window.
    if (std::optional<platform::Point> corner = desktop_.ClientToScreen(window)) model_.SetOrigin(*corner);
    Advance();
}

}  // namespace kestrun
