// The rows of List1, its selection, and the plan file they came from (shown
// as the export button's tooltip).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kestrun/model/model_part.h"

namespace kestrun {

class InstructionList : public virtual ModelNotifier {
public:
    const std::vector<std::string>& Rows() const { return rows_; }
    int RowCount() const { return int(rows_.size()); }
    // The row's text, or the empty text when i names no row.
    std::string Row(int32_t i) const;
    void SetRows(std::vector<std::string> rows);
    void AddRow(std::string line);
    void SetRowText(int i, std::string line);
    void RemoveRow(int i);
    int SelectedRow() const { return selected_; }
    // Selects row i (-1 clears the selection; other values outside the list
    // leave it as it is). Does not count as a click.
    void SetSelection(int i);

    const std::string& CurrentPlanPath() const { return currentPlanPath_; }
    void SetCurrentPlanPath(std::string path);

private:
    std::vector<std::string> rows_;
    int selected_ = -1;
    std::string currentPlanPath_;
};

}  // namespace kestrun
