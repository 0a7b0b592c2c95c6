#include "tapreel/ui/list_view_win32.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "common/win32/trace_win32.h"
#include "common/win32/wide.h"

namespace tapreel {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// Column widths in twips: enough for the header or the usual values.
constexpr std::array<int, kColumnCount> kColumnWidthsTwips = {600, 750, 750, 600, 900, 900, 1050, 1350, 900};

// A state image index of 2 is a ticked box, 1 an empty one.
bool IsChecked(UINT state) { return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2; }

// Keeps the list's own notifications from reaching the callbacks while the
// table is being drawn.
class RenderScope {
public:
    explicit RenderScope(int& depth) : depth_(depth) { ++depth_; }
    ~RenderScope() { --depth_; }
    RenderScope(const RenderScope&) = delete;
    RenderScope& operator=(const RenderScope&) = delete;

private:
    int& depth_;
};

}  // namespace

ListView1::~ListView1() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, SubclassProc, kSubclassId);
}

bool ListView1::Create(HWND parent, int id, HFONT font, int dpi) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0,
                            0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, WM_SETFONT, WPARAM(font), TRUE);
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < kColumnCount; ++i) {
        std::wstring header = win32::Wide(kColumnHeaders[size_t(i)]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = header.data();
        column.cx = MulDiv(kColumnWidthsTwips[size_t(i)], dpi, 1440);
        column.iSubItem = i;
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
    SetWindowSubclass(hwnd_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void ListView1::Move(int left, int top, int width, int height) { MoveWindow(hwnd_, left, top, width, height, TRUE); }

void ListView1::Render(const ClickTable& table, const TableChange& change) {
    RenderScope scope(rendering_);
    switch (change.kind) {
        case TableChange::Kind::kReset:
            Reset(table);
            break;
        case TableChange::Kind::kAdded:
            Insert(table, change.index);
            // A recorded row is shown as it arrives.
            ListView_EnsureVisible(hwnd_, change.index, FALSE);
            break;
        case TableChange::Kind::kRemoved:
            ListView_DeleteItem(hwnd_, change.index);
            break;
        case TableChange::Kind::kRowChanged:
            WriteRow(table, change.index);
            break;
        case TableChange::Kind::kCurrentRow:
            Select(change.index);
            break;
    }
}

void ListView1::Reset(const ClickTable& table) {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(hwnd_);
    ListView_SetItemCount(hwnd_, table.RowCount());
    for (int i = 0; i < table.RowCount(); ++i) Insert(table, i);
    Select(table.CurrentRow());
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView1::Insert(const ClickTable& table, int index) {
    std::wstring number = win32::Wide(table.Row(index).Column(1));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = number.data();
    SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    WriteRow(table, index);
}

void ListView1::WriteRow(const ClickTable& table, int index) {
    const ClickRow& row = table.Row(index);
    for (int column = 1; column <= kColumnCount; ++column) {
        std::wstring value = win32::Wide(row.Column(column));
        LVITEMW item{};
        item.iSubItem = column - 1;
        item.pszText = value.data();
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    }
    ListView_SetCheckState(hwnd_, index, row.checked ? TRUE : FALSE);
}

void ListView1::Select(int index) {
    if (index < 0) {
        ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    ListView_SetItemState(hwnd_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, index, FALSE);
}

bool ListView1::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != hwnd_) return false;
    result = 0;
    switch (header.code) {
        case LVN_ITEMCHANGED:
            OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
            break;
        case LVN_COLUMNCLICK: {
            const auto& click = reinterpret_cast<const NMLISTVIEW&>(header);
            if (onHeaderClick) onHeaderClick(click.iSubItem + 1);
            break;
        }
        case NM_DBLCLK:
            if (onDoubleClick) onDoubleClick();
            break;
        default:
            break;
    }
    return true;
}

void ListView1::OnItemChanged(const NMLISTVIEW& change) {
    if (rendering_ > 0 || !(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
    const UINT changed = change.uOldState ^ change.uNewState;
    if ((changed & LVIS_STATEIMAGEMASK) && IsChecked(change.uOldState) != IsChecked(change.uNewState)) {
        if (onRowChecked) onRowChecked(change.iItem, IsChecked(change.uNewState));
    }
    if (changed & (LVIS_SELECTED | LVIS_FOCUSED)) {
        // The current row is the one that is selected and has the focus.
        int current = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED | LVNI_SELECTED);
        if (onRowSelected) onRowSelected(current);
    }
}

bool ListView1::OnKeyDown(WPARAM key) {
    TableKey tableKey = TableKey::kOther;
    switch (key) {
        case VK_UP:
            tableKey = TableKey::kUp;
            break;
        case VK_DOWN:
            tableKey = TableKey::kDown;
            break;
        case VK_DELETE:
            tableKey = TableKey::kDelete;
            break;
        case 'A':
            tableKey = TableKey::kA;
            break;
        default:
            return false;
    }
    Modifiers modifiers{(GetKeyState(VK_SHIFT) & 0x8000) != 0, (GetKeyState(VK_CONTROL) & 0x8000) != 0,
                        (GetKeyState(VK_MENU) & 0x8000) != 0};
    return onKey && onKey(tableKey, modifiers);
}

LRESULT CALLBACK ListView1::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ListView1*>(data);
    try {
        switch (msg) {
            case WM_KEYDOWN:
                if (self->OnKeyDown(wParam)) {
                    // Shift+A would also start the list's type-ahead search.
                    self->swallowChar_ = wParam == 'A';
                    return 0;
                }
                break;
            case WM_CHAR:
                if (self->swallowChar_) {
                    self->swallowChar_ = false;
                    return 0;
                }
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
                self->hwnd_ = nullptr;
                break;
            default:
                break;
        }
    } catch (...) {
        // No exception may cross the window procedure.
        win32::TraceCurrentException("ListView1 subclass procedure");
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace tapreel
