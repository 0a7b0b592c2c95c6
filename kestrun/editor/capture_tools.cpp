#include "kestrun/editor/capture_tools.h"

#include <optional>
#include <utility>

#include "common/platform/key_codes.h"
#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/actions/keys.h"

namespace kestrun {

namespace {

constexpr int32_t kHighestColour = 0xFFFFFF;

// The coordinate boxes that a mode fills live and at F8; -1 for none.
int LiveBox(int16_t mode) {
    switch (PickMode(mode)) {
        case PickMode::kColour:
            return kBoxColour;
        case PickMode::kClick:
            return kBoxClick;
        case PickMode::kPaste:
            return kBoxPaste;
        default:
            return -1;
    }
}

}  // namespace

std::string ProgramFolderAsReported(std::string_view programFolder) {
    if (!text::EndsWith(programFolder, "\\")) return std::string(programFolder);
    // "C:\" is a drive root, which the system writes with its "\".
    if (programFolder.size() == 3 && programFolder[1] == ':') return std::string(programFolder);
    return std::string(programFolder.substr(0, programFolder.size() - 1));
}

// --- Pick buttons ---

void CaptureTools::CmdGetXY(int index) {
    if (index < 0 || index > int(PickMode::kUrlList)) return;
    model_.SetPickMode(int16_t(index));
    if (index == int(PickMode::kOpenFile) || index == int(PickMode::kUrlList)) return ChooseFile(PickMode(index));
    StartTimer();
}

void CaptureTools::StartTimer() {
    // A pick already running keeps its timer and its phase; only the mode
    // changed.
    model_.SetTimer2Enabled(true);
    if (timers_.IsTimerOn(kTimer2)) return;
    timers_.SetTimer(kTimer2, kTimer2Interval, [this] { Tick(); });
}

void CaptureTools::StopTimer() {
    timers_.KillTimer(kTimer2);
    model_.SetTimer2Enabled(false);
}

void CaptureTools::ChooseFile(PickMode mode) {
    platform::FileChooserRequest request;
    request.title = kChooseFileTitle;
    request.initialFolder = ProgramFolderAsReported(model_.ProgramFolder());
    request.filter = kTextFileFilter;
    std::string path = dialogs_.ChooseFile(request);
    // Cancel gives the empty text and changes nothing.
    if (path.empty()) return;
    if (mode == PickMode::kOpenFile) {
        model_.SetTxtFilename(std::move(path));
    } else {
        lists_.LoadUrlListFile(path);
    }
}

// --- The capture timer ---

void CaptureTools::Tick() {
    // Nothing here pumps messages, but a message box of another handler
    // could; a tick never runs inside another.
    if (tickRunning_) return;
    tickRunning_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{tickRunning_};

    const int16_t mode = model_.PickMode();
    if (mode == int16_t(PickMode::kKey)) {
        // The key row takes the first key read; F8 plays no part here.
        std::string keyText = keys::ReadPressedKeys(desktop_);
        if (keyText.empty()) return;
        model_.SetTxtKeyName(std::move(keyText));
        return StopTimer();
    }

    ShowLive(mode, desktop_.GetCursorPos());
    if ((desktop_.GetAsyncKeyState(platform::vk::kF8) & platform::key_state::kHeld) == 0) return;
    // The pointer is read again: the pick is where it is as F8 is seen.
    TakePick(mode, desktop_.GetCursorPos());
    // One F8, one pick: the next one starts with the pick button again.
    StopTimer();
}

void CaptureTools::ShowLive(int16_t mode, platform::Point p) {
    const int box = LiveBox(mode);
    if (box < 0) return;
    model_.SetTxtScreenX(box, text::IntToText(p.x));
    model_.SetTxtScreenY(box, text::IntToText(p.y));
    if (box == kBoxColour) ShowColour(p);
}

void CaptureTools::ShowColour(platform::Point p) {
    // A pixel that cannot be read is written as the platform reports it
    // (-1); the box keeps its background then, as no colour has that number.
    const int32_t colour = desktop_.GetPixel(p.x, p.y);
    model_.SetTxtColor(text::IntToText(colour));
    if (colour >= 0 && colour <= kHighestColour) model_.SetTxtColorBackColour(colour);
}

void CaptureTools::TakePick(int16_t mode, platform::Point p) {
    switch (PickMode(mode)) {
        case PickMode::kBitmap:
            model_.SetTxtScreenX(kBoxBitmap, text::IntToText(p.x));
            model_.SetTxtScreenY(kBoxBitmap, text::IntToText(p.y));
            return CaptureBlock(p);
        case PickMode::kColour:
        case PickMode::kClick:
        case PickMode::kPaste:
            return ShowLive(mode, p);
        case PickMode::kDrag: {
            // The first pick after the start box was emptied takes the start,
            // every further pick the end.
            const int box = model_.TxtScreenX(kBoxDragStart).empty() ? kBoxDragStart : kBoxDragEnd;
            model_.SetTxtScreenX(box, text::IntToText(p.x));
            model_.SetTxtScreenY(box, text::IntToText(p.y));
            return;
        }
        default:
            return;
    }
}

void CaptureTools::CaptureBlock(platform::Point p) {
    // The box is cleared first, so a copy that fails leaves it blank rather
    // than showing the previous pick.
    platform::Image box(kBitmapBlockSide, kBitmapBlockSide);
    if (std::optional<platform::Image> block = desktop_.CopyScreen(p.x, p.y, kBitmapBlockSide, kBitmapBlockSide)) {
        for (int y = 0; y < block->height; ++y) {
            for (int x = 0; x < block->width; ++x) box.Set(x, y, block->At(x, y));
        }
    }
    model_.SetCaptureBox(std::move(box));
}

// --- Window pin ---

void CaptureTools::TogglePin(platform::WindowHandle mainWindow) {
    const bool pinned = !model_.Pinned();
    model_.SetPinned(pinned);
    desktop_.SetTopmost(mainWindow, pinned);
}

}  // namespace kestrun
