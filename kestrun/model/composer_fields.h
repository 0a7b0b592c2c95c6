// The fields of the composer frame Frame1 and what the tests show beside
// them: the coordinate boxes, the colour, mouse, key, file and time fields,
// the capture box, the last pick mode, and the colour labels LabelColor.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/image.h"
#include "kestrun/model/model_part.h"
#include "kestrun/model/reference_bitmaps.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

// Stands for "the system's window background colour" until the window renders it.
inline constexpr int32_t kColourSystemWindow = -2;

// The composer's coordinate boxes txtScreenX / txtScreenY are control arrays
// of six: 0 bitmap test, 1 colour test, 2 mouse click, 3 drag start, 4 drag
// end, 5 paste text.
inline constexpr int kScreenBoxCount = 6;
inline constexpr int kBoxBitmap = 0;
inline constexpr int kBoxColour = 1;
inline constexpr int kBoxClick = 2;
inline constexpr int kBoxDragStart = 3;
inline constexpr int kBoxDragEnd = 4;
inline constexpr int kBoxPaste = 5;

struct ColourLabel {
    std::string caption;
    int32_t backColour = kColourSystemWindow;
};

class ComposerFields : public virtual ModelNotifier {
public:
    // Box i of txtScreenX / txtScreenY; the empty text, or no change, for an
    // index outside 0..5.
    const std::string& TxtScreenX(int i) const;
    const std::string& TxtScreenY(int i) const;
    void SetTxtScreenX(int i, std::string text);
    void SetTxtScreenY(int i, std::string text);
    // The background of txtScreenX(0) and txtScreenY(0).
    int32_t TxtScreenXY0Colour() const { return txtScreenXY0Colour_; }
    void SetTxtScreenXY0Colour(int32_t colour);
    const std::string& TxtColor() const { return txtColor_; }
    void SetTxtColor(std::string text);
    int32_t TxtColorBackColour() const { return txtColorBackColour_; }
    void SetTxtColorBackColour(int32_t colour);
    const std::string& CmbMouseText() const { return cmbMouseText_; }
    void SetCmbMouseText(std::string text);
    const std::string& TxtKeyName() const { return txtKeyName_; }
    void SetTxtKeyName(std::string text);
    const std::string& TxtFilename() const { return txtFilename_; }
    void SetTxtFilename(std::string text);
    const std::string& TxtTime() const { return txtTime_; }
    void SetTxtTime(std::string text);
    // The capture box Picture2(0): the block the last bitmap pick copied.
    const platform::Image& CaptureBox() const { return captureBox_; }
    void SetCaptureBox(platform::Image image);
    // The index of the last pressed pick button CmdGetXY (a 16-bit number).
    int16_t PickMode() const { return pickMode_; }
    void SetPickMode(int16_t mode) { pickMode_ = mode; }
    // LabelColor 0 (found) and 1 (expected).
    const ColourLabel& LabelColor(int i) const { return labelColor_[i & 1]; }
    void SetLabelColor(int i, ColourLabel label);

private:
    std::string txtScreenX_[kScreenBoxCount] = {"100", "100", "100", "", "200", "100"};
    std::string txtScreenY_[kScreenBoxCount] = {"100", "100", "100", "", "200", "100"};
    int32_t txtScreenXY0Colour_ = kColourSystemWindow;
    std::string txtColor_ = "835111";
    int32_t txtColorBackColour_ = kColourSystemWindow;
    std::string cmbMouseText_{script::ClickKindText(script::ClickKind::LeftClick)};
    std::string txtKeyName_;
    std::string txtFilename_;
    std::string txtTime_ = "5000";
    platform::Image captureBox_{kBitmapBlockSide, kBitmapBlockSide};
    int16_t pickMode_ = 0;
    ColourLabel labelColor_[2];
};

}  // namespace kestrun
