// ListView1 on Win32: a SysListView32 in report view with a check box in
// front of each row, full-row selection and the nine column headers. It
// renders the click table's changes, and reports what the user does to it
// (a row made current, a check box flipped, a header clicked, a double
// click, a Shift key command) through callbacks. Changes it makes while
// rendering are not reported back.
//
// The list holds no rows of its own (LVS_OWNERDATA): it knows only how many
// there are, and asks for the texts and check marks of the rows it draws. So
// a table of 100 000 rows shows as fast as one of ten. The control does not
// keep such rows' check marks either: a click on a check box and the space
// bar flip the table's mark here.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <functional>

#include "tapreel/editor/table_editor.h"
#include "tapreel/table/click_table.h"

namespace tapreel {

class ListView1 {
public:
    std::function<void(int index)> onRowSelected;  // -1: no current row
    std::function<void(int index, bool checked)> onRowChecked;
    std::function<void(int column)> onHeaderClick;  // 1 to 9
    std::function<void()> onDoubleClick;
    // A key pressed in the table; returns true when it carried a command,
    // and the key then has no other effect.
    std::function<bool(TableKey key, Modifiers modifiers)> onKey;

    ListView1() = default;
    ~ListView1();
    ListView1(const ListView1&) = delete;
    ListView1& operator=(const ListView1&) = delete;

    bool Create(HWND parent, int id, HFONT font, int dpi);
    HWND Handle() const { return hwnd_; }
    void Move(int left, int top, int width, int height);

    // Draws a change of the table.
    void Render(const ClickTable& table, const TableChange& change);
    // Handles WM_NOTIFY from the list; true when it was this list's.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    void SetRowCount(int count, DWORD flags);
    void Select(int index);
    void OnGetDispInfo(NMLVDISPINFOW& info) const;
    void OnItemChanged(const NMLISTVIEW& change);
    bool OnKeyDown(WPARAM key);
    // Flips the check mark of a row as the user asked; false for no row.
    bool FlipCheck(int index);
    bool OnLeftButtonDown(LPARAM point);

    HWND hwnd_ = nullptr;
    const ClickTable* table_ = nullptr;  // the table last rendered
    int rendering_ = 0;                  // nesting depth of Render: changes are the table's own
    bool swallowChar_ = false;
};

}  // namespace tapreel
