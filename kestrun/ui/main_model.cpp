#include "kestrun/ui/main_model.h"

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

}  // namespace kestrun
