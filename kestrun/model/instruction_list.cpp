#include "kestrun/model/instruction_list.h"

#include <utility>

namespace kestrun {

std::string InstructionList::Row(int32_t i) const {
    if (i < 0 || i >= RowCount()) return {};
    return rows_[size_t(i)];
}

void InstructionList::SetRows(std::vector<std::string> rows) {
    rows_ = std::move(rows);
    selected_ = -1;
    Changed(ModelPart::List1);
}

void InstructionList::AddRow(std::string line) {
    rows_.push_back(std::move(line));
    Changed(ModelPart::List1);
}

void InstructionList::SetRowText(int i, std::string line) {
    if (i < 0 || i >= RowCount()) return;
    rows_[size_t(i)] = std::move(line);
    Changed(ModelPart::List1);
}

void InstructionList::RemoveRow(int i) {
    if (i < 0 || i >= RowCount()) return;
    rows_.erase(rows_.begin() + i);
    // A list box clears its selection when the selected row goes.
    if (selected_ == i) {
        selected_ = -1;
    } else if (selected_ > i) {
        --selected_;
    }
    Changed(ModelPart::List1);
}

void InstructionList::SetSelection(int i) {
    if (i < -1 || i >= RowCount()) return;
    selected_ = i;
    Changed(ModelPart::List1Selection);
}

void InstructionList::SetCurrentPlanPath(std::string path) {
    currentPlanPath_ = std::move(path);
    Changed(ModelPart::ExportTooltip);
}

}  // namespace kestrun
