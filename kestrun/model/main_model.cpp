#include "kestrun/model/main_model.h"

#include <utility>

namespace kestrun {

std::string MainModel::Row(int32_t i) const {
    if (i < 0 || i >= RowCount()) return {};
    return rows_[size_t(i)];
}

void MainModel::SetRows(std::vector<std::string> rows) {
    rows_ = std::move(rows);
    selected_ = -1;
    Changed(Control::List1);
}

void MainModel::AddRow(std::string line) {
    rows_.push_back(std::move(line));
    Changed(Control::List1);
}

void MainModel::SetRowText(int i, std::string line) {
    if (i < 0 || i >= RowCount()) return;
    rows_[size_t(i)] = std::move(line);
    Changed(Control::List1);
}

void MainModel::RemoveRow(int i) {
    if (i < 0 || i >= RowCount()) return;
    rows_.erase(rows_.begin() + i);
    // A list box clears its selection when the selected row goes.
    if (selected_ == i) {
        selected_ = -1;
    } else if (selected_ > i) {
        --selected_;
    }
    Changed(Control::List1);
}

void MainModel::SetSelection(int i) {
    if (i < -1 || i >= RowCount()) return;
    selected_ = i;
    Changed(Control::List1);
}

void MainModel::SetCmdGoto(std::string_view caption, int32_t colour) {
    cmdGotoCaption_ = caption;
    cmdGotoColour_ = colour;
    Changed(Control::CmdGoto);
}

void MainModel::SetCmdrecordCaption(std::string_view caption) {
    cmdrecordCaption_ = caption;
    Changed(Control::Cmdrecord);
}

void MainModel::SetTxtRound(std::string text) {
    txtRound_ = std::move(text);
    Changed(Control::TxtRound);
}

void MainModel::SetChkShut(bool ticked) {
    chkShut_ = ticked;
    Changed(Control::ChkShut);
}

void MainModel::SetChkDingshi(bool ticked) {
    chkDingshi_ = ticked;
    Changed(Control::ChkDingshi);
}

void MainModel::SetTxtStartime(std::string text) {
    txtStartime_ = std::move(text);
    Changed(Control::TxtStartime);
}

void MainModel::SetPasteList(std::vector<std::string> entries, std::string text) {
    pasteEntries_ = std::move(entries);
    cmbPasteText_ = std::move(text);
    Changed(Control::CmbPaste);
}

void MainModel::SetUrlList(std::vector<std::string> entries, std::string text) {
    urlEntries_ = std::move(entries);
    cmbUrlText_ = std::move(text);
    Changed(Control::CmbUrl);
}

std::string MainModel::TakeFirstPasteEntry() {
    if (pasteEntries_.empty()) return {};
    std::string first = std::move(pasteEntries_.front());
    pasteEntries_.erase(pasteEntries_.begin());
    Changed(Control::CmbPaste);
    return first;
}

std::string MainModel::TakeFirstUrlEntry() {
    if (urlEntries_.empty()) return {};
    std::string first = std::move(urlEntries_.front());
    urlEntries_.erase(urlEntries_.begin());
    Changed(Control::CmbUrl);
    return first;
}

void MainModel::SetCurrentPlanPath(std::string path) {
    currentPlanPath_ = std::move(path);
    Changed(Control::ExportTooltip);
}

void MainModel::SetLabelColor(int i, ColourLabel label) {
    labelColor_[i & 1] = std::move(label);
    Changed(Control::LabelColor);
}

void MainModel::SetTxtScreenXY0Colour(int32_t colour) {
    txtScreenXY0Colour_ = colour;
    Changed(Control::TxtScreenXY0);
}

void MainModel::SetCmbPasteText(std::string text) {
    if (text == cmbPasteText_) return;
    cmbPasteText_ = std::move(text);
    Changed(Control::CmbPaste);
}

void MainModel::SetCmbUrlText(std::string text) {
    if (text == cmbUrlText_) return;
    cmbUrlText_ = std::move(text);
    Changed(Control::CmbUrl);
}

// The composer's setters skip the notification when nothing changes: the
// recording hook writes the pointer position at every mouse move, and the
// window need not redraw boxes whose text stays the same.

const std::string& MainModel::TxtScreenX(int i) const {
    static const std::string kNone;
    return i >= 0 && i < kScreenBoxCount ? txtScreenX_[i] : kNone;
}

const std::string& MainModel::TxtScreenY(int i) const {
    static const std::string kNone;
    return i >= 0 && i < kScreenBoxCount ? txtScreenY_[i] : kNone;
}

void MainModel::SetTxtScreenX(int i, std::string text) {
    if (i < 0 || i >= kScreenBoxCount || txtScreenX_[i] == text) return;
    txtScreenX_[i] = std::move(text);
    Changed(Control::TxtScreenXY);
}

void MainModel::SetTxtScreenY(int i, std::string text) {
    if (i < 0 || i >= kScreenBoxCount || txtScreenY_[i] == text) return;
    txtScreenY_[i] = std::move(text);
    Changed(Control::TxtScreenXY);
}

void MainModel::SetTxtColor(std::string text) {
    if (text == txtColor_) return;
    txtColor_ = std::move(text);
    Changed(Control::TxtColor);
}

void MainModel::SetTxtColorBackColour(int32_t colour) {
    if (colour == txtColorBackColour_) return;
    txtColorBackColour_ = colour;
    Changed(Control::TxtColor);
}

void MainModel::SetCmbMouseText(std::string text) {
    if (text == cmbMouseText_) return;
    cmbMouseText_ = std::move(text);
    Changed(Control::CmbMouse);
}

void MainModel::SetTxtKeyName(std::string text) {
    if (text == txtKeyName_) return;
    txtKeyName_ = std::move(text);
    Changed(Control::TxtKeyName);
}

void MainModel::SetTxtFilename(std::string text) {
    if (text == txtFilename_) return;
    txtFilename_ = std::move(text);
    Changed(Control::TxtFilename);
}

void MainModel::SetTxtTime(std::string text) {
    if (text == txtTime_) return;
    txtTime_ = std::move(text);
    Changed(Control::TxtTime);
}

void MainModel::SetCaptureBox(platform::Image image) {
    captureBox_ = std::move(image);
    Changed(Control::CaptureBox);
}

void MainModel::SetPinned(bool pinned) {
    if (pinned == pinned_) return;
    pinned_ = pinned;
    Changed(Control::Pinned);
}

}  // namespace kestrun
