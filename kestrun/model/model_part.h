// The parts of the main window's state, so that the view redraws just the
// part that changed, and the notifier every part of the model reports to.
#pragma once

#include <functional>

namespace kestrun {

// Which part of the window changed.
enum class ModelPart {
    List1,           // the rows, and the selection with them
    List1Selection,  // the selected row alone (every tick moves it)
    CmdGoto,         // caption or colour
    TxtRound,
    ChkShut,
    ChkDingshi,
    TxtStartime,
    CmbPaste,
    CmbUrl,
    LabelColor,
    Bitmaps,       // the reference bitmap table (Picture1 / Picture2)
    TxtScreenXY0,  // background of txtScreenX(0) and txtScreenY(0)
    Cmdrecord,
    ExportTooltip,  // the current plan file path
    // The composer's fields in Frame1.
    TxtScreenXY,  // the texts of txtScreenX(0..5) and txtScreenY(0..5)
    TxtColor,     // text and background
    CmbMouse,
    TxtKeyName,
    TxtFilename,
    TxtTime,
    CaptureBox,  // the image of Picture2(0)
    Pinned,      // the window is kept above other windows
    // Stays last: the window draws every part up to here when it opens.
    Last = Pinned,
};

// Shared by all parts of the model (a virtual base), so that one listener,
// the view, hears every change.
class ModelNotifier {
public:
    void SetChangeListener(std::function<void(ModelPart)> listener) { listener_ = std::move(listener); }

protected:
    ModelNotifier() = default;
    ~ModelNotifier() = default;
    void Changed(ModelPart part) const {
        if (listener_) listener_(part);
    }

private:
    std::function<void(ModelPart)> listener_;
};

}  // namespace kestrun
