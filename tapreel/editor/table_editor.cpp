#include "tapreel/editor/table_editor.h"

#include <string>

#include "common/text/utf8.h"

namespace tapreel {

PopupMenu TableEditor::OnHeaderClick(int column) {
    switch (column) {
        case column::kNumber:
            FlipCheckMarks();
            return PopupMenu::kNone;
        case column::kKeyName:
            return PopupMenu::kKeyName;
        case column::kAction:
            return PopupMenu::kClick;
        default:
            EditValue(column);
            return PopupMenu::kNone;
    }
}

void TableEditor::OnMenuKey(int index) {
    if (index < 0 || index >= int(kMenukeyItems.size())) return;
    ClickTable& table = model_.Table();
    // The key name is the caption without its access key: "左键(&L)" gives 左键.
    table.SetCell(table.CurrentRow(), column::kKeyName, text::Left(kMenukeyItems[size_t(index)], 2));
}

void TableEditor::OnMenuClick(int index) {
    if (index < 0 || index >= int(kMenuclickItems.size())) return;
    ClickTable& table = model_.Table();
    table.SetCell(table.CurrentRow(), column::kAction, text::Left(kMenuclickItems[size_t(index)], 2));
}

void TableEditor::OnDoubleClick() {
    ClickTable& table = model_.Table();
    table.RemoveRow(table.CurrentRow());
}

bool TableEditor::OnKey(TableKey key, Modifiers modifiers) {
    if (!modifiers.shift || modifiers.ctrl || modifiers.alt) return false;
    switch (key) {
        case TableKey::kUp:
            MoveCurrentRow(-1);
            return true;
        case TableKey::kDown:
            MoveCurrentRow(+1);
            return true;
        case TableKey::kDelete:
            RemoveCheckedRows();
            return true;
        case TableKey::kA:
            FlipCheckMarks();
            return true;
        case TableKey::kOther:
            return false;
    }
    return false;
}

void TableEditor::OnChktop(bool ticked) {
    model_.SetChktop(ticked);
    desktop_.SetTopmost(model_.ownWindow, ticked);
}

void TableEditor::EditValue(int column) {
    if (column < 1 || column > kColumnCount) return;
    ClickTable& table = model_.Table();
    // Without a current row there is no value to edit, so no dialog is shown.
    const int row = table.CurrentRow();
    if (!table.IsRow(row)) return;
    std::string answer =
        dialogs_.InputBox(std::string(kEditPrompt), std::string(kEditTitle), table.Row(row).Column(column));
    // The dialog runs its own message loop; the row it was opened for is the
    // one that changes, if it is still there.
    if (!answer.empty()) {
        table.SetCell(row, column, std::move(answer));
    } else if (column == column::kColour) {
        // An empty colour value means "no colour recorded".
        table.SetCell(row, column, "");
    }
}

void TableEditor::FlipCheckMarks() {
    ClickTable& table = model_.Table();
    for (int i = 0; i < table.RowCount(); ++i) table.SetChecked(i, !table.Row(i).checked);
}

void TableEditor::MoveCurrentRow(int step) {
    ClickTable& table = model_.Table();
    const int row = table.CurrentRow();
    const int other = row + step;
    if (!table.IsRow(row) || !table.IsRow(other)) return;
    table.SwapRows(row, other);
    // The focus follows the key, so the moved row stays current and the key
    // can be pressed again to move it further.
    table.SetCurrentRow(other);
}

void TableEditor::RemoveCheckedRows() {
    // The question is asked even when no row is checked.
    int answer = dialogs_.MessageBox(std::string(kRemoveCheckedQuestion), std::string(kNoticeTitle),
                                     platform::mb::kIconInformation | platform::mb::kOkCancel);
    if (answer != platform::mb::kIdOk) return;
    ClickTable& table = model_.Table();
    for (int i = table.RowCount() - 1; i >= 0; --i) {
        if (table.Row(i).checked) table.RemoveRow(i);
    }
}

}  // namespace tapreel
