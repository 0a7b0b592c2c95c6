// The click table: an ordered list of click records, each with a check mark
// and nine text columns, and the current row (the row that is selected and
// has the focus in ListView1).
//
// Columns are numbered 1 to 9 as the headers show them; rows are addressed by
// their 0-based index in the table. Column 1 holds the row's number as text
// like any other column: nothing here renumbers rows.
//
// Every change is reported through onChanged, so that the window can redraw
// just what changed.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tapreel {

inline constexpr int kColumnCount = 9;

// The columns by their meaning.
namespace column {
inline constexpr int kNumber = 1;       // 序号
inline constexpr int kX = 2;            // 横座标
inline constexpr int kY = 3;            // 纵座标
inline constexpr int kKeyName = 4;      // 键名
inline constexpr int kAction = 5;       // 操作方式
inline constexpr int kInterval = 6;     // 间隔时间
inline constexpr int kColour = 7;       // 颜色值
inline constexpr int kColourCheck = 8;  // 颜色符合判断
inline constexpr int kDone = 9;         // 是否完成
}  // namespace column

// The headers of columns 1 to 9, in order.
inline constexpr std::array<std::string_view, kColumnCount> kColumnHeaders = {
    "序号", "横座标", "纵座标", "键名", "操作方式", "间隔时间", "颜色值", "颜色符合判断", "是否完成"};

struct ClickRow {
    bool checked = false;
    std::array<std::string, kColumnCount> columns;

    // Column 1 to 9; the empty text for any other number.
    const std::string& Column(int number) const;
    bool operator==(const ClickRow&) const = default;
};

// What changed, for the view.
struct TableChange {
    enum class Kind {
        kReset,       // every row may have changed
        kAdded,       // a row was appended at index
        kRemoved,     // the row at index was removed
        kRowChanged,  // texts or the check mark of the row at index
        kCurrentRow,  // the current row is now index (-1: none)
    };
    Kind kind = Kind::kReset;
    int index = -1;
};

class ClickTable {
public:
    std::function<void(const TableChange&)> onChanged;

    int RowCount() const { return int(rows_.size()); }
    bool IsRow(int index) const { return index >= 0 && index < RowCount(); }
    // The row at index; an empty row for an index that names no row.
    const ClickRow& Row(int index) const;
    const std::vector<ClickRow>& Rows() const { return rows_; }

    // Replaces every row; no row is current afterwards.
    void SetRows(std::vector<ClickRow> rows);
    void AddRow(ClickRow row);
    // Removes the row; the rows after it move up. When it was the current
    // row, no row is current afterwards; a current row after it stays
    // current at its new index.
    void RemoveRow(int index);
    // Sets one column of a row; nothing when index or column names none.
    void SetCell(int index, int column, std::string value);
    void SetChecked(int index, bool checked);
    // Exchanges the texts and the check marks of two rows.
    void SwapRows(int a, int b);

    // The current row, -1 when there is none.
    int CurrentRow() const { return current_; }
    bool HasCurrentRow() const { return IsRow(current_); }
    // Makes the row current; -1 (or any index that names no row) leaves no
    // row current.
    void SetCurrentRow(int index);

private:
    void Notify(TableChange::Kind kind, int index);

    std::vector<ClickRow> rows_;
    int current_ = -1;
};

}  // namespace tapreel
