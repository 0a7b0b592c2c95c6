#include "kestrun/model/composer_fields.h"

#include <utility>

namespace kestrun {

// The composer's setters skip the notification when nothing changes: the
// recording hook writes the pointer position at every mouse move, and the
// window need not redraw boxes whose text stays the same.

const std::string& ComposerFields::TxtScreenX(int i) const {
    static const std::string kNone;
    return i >= 0 && i < kScreenBoxCount ? txtScreenX_[i] : kNone;
}

const std::string& ComposerFields::TxtScreenY(int i) const {
    static const std::string kNone;
    return i >= 0 && i < kScreenBoxCount ? txtScreenY_[i] : kNone;
}

void ComposerFields::SetTxtScreenX(int i, std::string text) {
    if (i < 0 || i >= kScreenBoxCount || txtScreenX_[i] == text) return;
    txtScreenX_[i] = std::move(text);
    Changed(ModelPart::TxtScreenXY);
}

void ComposerFields::SetTxtScreenY(int i, std::string text) {
    if (i < 0 || i >= kScreenBoxCount || txtScreenY_[i] == text) return;
    txtScreenY_[i] = std::move(text);
    Changed(ModelPart::TxtScreenXY);
}

void ComposerFields::SetTxtColor(std::string text) {
    if (text == txtColor_) return;
    txtColor_ = std::move(text);
    Changed(ModelPart::TxtColor);
}

void ComposerFields::SetTxtColorBackColour(int32_t colour) {
    if (colour == txtColorBackColour_) return;
    txtColorBackColour_ = colour;
    Changed(ModelPart::TxtColor);
}

void ComposerFields::SetCmbMouseText(std::string text) {
    if (text == cmbMouseText_) return;
    cmbMouseText_ = std::move(text);
    Changed(ModelPart::CmbMouse);
}

void ComposerFields::SetTxtKeyName(std::string text) {
    if (text == txtKeyName_) return;
    txtKeyName_ = std::move(text);
    Changed(ModelPart::TxtKeyName);
}

void ComposerFields::SetTxtFilename(std::string text) {
    if (text == txtFilename_) return;
    txtFilename_ = std::move(text);
    Changed(ModelPart::TxtFilename);
}

void ComposerFields::SetTxtTime(std::string text) {
    if (text == txtTime_) return;
    txtTime_ = std::move(text);
    Changed(ModelPart::TxtTime);
}

void ComposerFields::SetCaptureBox(platform::Image image) {
    captureBox_ = std::move(image);
    Changed(ModelPart::CaptureBox);
}

void ComposerFields::SetTxtScreenXY0Colour(int32_t colour) {
    txtScreenXY0Colour_ = colour;
    Changed(ModelPart::TxtScreenXY0);
}

void ComposerFields::SetLabelColor(int i, ColourLabel label) {
    labelColor_[i & 1] = std::move(label);
    Changed(ModelPart::LabelColor);
}

}  // namespace kestrun
