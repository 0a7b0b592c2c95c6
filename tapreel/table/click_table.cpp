#include "tapreel/table/click_table.h"

#include <utility>

namespace tapreel {

namespace {

const std::string kNoText;
const ClickRow kNoRow;

}  // namespace

const std::string& ClickRow::Column(int number) const {
    if (number < 1 || number > kColumnCount) return kNoText;
    return columns[size_t(number - 1)];
}

const ClickRow& ClickTable::Row(int index) const { return IsRow(index) ? rows_[size_t(index)] : kNoRow; }

void ClickTable::SetRows(std::vector<ClickRow> rows) {
    rows_ = std::move(rows);
    current_ = -1;
    Notify(TableChange::Kind::kReset, -1);
}

void ClickTable::AddRow(ClickRow row) {
    rows_.push_back(std::move(row));
    Notify(TableChange::Kind::kAdded, RowCount() - 1);
}

void ClickTable::RemoveRow(int index) {
    if (!IsRow(index)) return;
    rows_.erase(rows_.begin() + index);
    // The current row is a row, not a position: it stays with its row, and
    // goes when its row goes.
    bool currentMoved = false;
    if (current_ == index) {
        current_ = -1;
        currentMoved = true;
    } else if (current_ > index) {
        current_ -= 1;
        currentMoved = true;
    }
    Notify(TableChange::Kind::kRemoved, index);
    if (currentMoved) Notify(TableChange::Kind::kCurrentRow, current_);
}

void ClickTable::SetCell(int index, int column, std::string value) {
    if (!IsRow(index) || column < 1 || column > kColumnCount) return;
    std::string& cell = rows_[size_t(index)].columns[size_t(column - 1)];
    if (cell == value) return;
    cell = std::move(value);
    Notify(TableChange::Kind::kRowChanged, index);
}

void ClickTable::SetChecked(int index, bool checked) {
    if (!IsRow(index) || rows_[size_t(index)].checked == checked) return;
    rows_[size_t(index)].checked = checked;
    Notify(TableChange::Kind::kRowChanged, index);
}

void ClickTable::SwapRows(int a, int b) {
    if (!IsRow(a) || !IsRow(b) || a == b) return;
    std::swap(rows_[size_t(a)], rows_[size_t(b)]);
    Notify(TableChange::Kind::kRowChanged, a);
    Notify(TableChange::Kind::kRowChanged, b);
}

void ClickTable::SetCurrentRow(int index) {
    int next = IsRow(index) ? index : -1;
    if (next == current_) return;
    current_ = next;
    Notify(TableChange::Kind::kCurrentRow, current_);
}

void ClickTable::Notify(TableChange::Kind kind, int index) {
    if (onChanged) onChanged(TableChange{kind, index});
}

}  // namespace tapreel
