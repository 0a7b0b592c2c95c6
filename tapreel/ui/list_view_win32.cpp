#include "tapreel/ui/list_view_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <string>

#include "common/win32/trace_win32.h"
#include "common/win32/wide.h"

namespace tapreel {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// Column widths in twips: enough for the header or the usual values.
constexpr std::array<int, kColumnCount> kColumnWidthsTwips = {600, 750, 750, 600, 900, 900, 1050, 1350, 900};

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
    hwnd_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, WM_SETFONT, WPARAM(font), TRUE);
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // The check marks are the table's: the list asks for them.
    ListView_SetCallbackMask(hwnd_, LVIS_STATEIMAGEMASK);
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
    table_ = &table;
    switch (change.kind) {
        case TableChange::Kind::kReset:
            SetRowCount(table.RowCount(), 0);
            Select(table.CurrentRow());
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case TableChange::Kind::kAdded:
            SetRowCount(table.RowCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
            // A recorded row is shown as it arrives.
            ListView_EnsureVisible(hwnd_, change.index, FALSE);
            break;
        case TableChange::Kind::kRemoved:
            // The rows after it move up: every row below is drawn again.
            SetRowCount(table.RowCount(), LVSICF_NOSCROLL);
            InvalidateRect(hwnd_, nullptr, TRUE);
            break;
        case TableChange::Kind::kRowChanged:
            ListView_RedrawItems(hwnd_, change.index, change.index);
            break;
        case TableChange::Kind::kCurrentRow:
            Select(change.index);
            break;
    }
}

void ListView1::SetRowCount(int count, DWORD flags) {
    SendMessageW(hwnd_, LVM_SETITEMCOUNT, WPARAM(count), LPARAM(flags));
}

void ListView1::OnGetDispInfo(NMLVDISPINFOW& info) const {
    LVITEMW& item = info.item;
    if (!table_ || !table_->IsRow(item.iItem)) return;
    const ClickRow& row = table_->Row(item.iItem);
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        std::wstring value = win32::Wide(row.Column(item.iSubItem + 1));
        const size_t copied = std::min(value.size(), size_t(item.cchTextMax - 1));
        std::copy_n(value.data(), copied, item.pszText);
        item.pszText[copied] = L'\0';
    }
    if ((item.mask & LVIF_STATE) && item.iSubItem == 0) {
        item.state =
            (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);  // ticked : empty
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

bool ListView1::FlipCheck(int index) {
    if (!table_ || !table_->IsRow(index)) return false;
    if (onRowChecked) onRowChecked(index, !table_->Row(index).checked);
    return true;
}

bool ListView1::OnLeftButtonDown(LPARAM point) {
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    // A full-row hit sets every LVHT_ONITEM flag; the box alone is the state icon.
    if (ListView_HitTest(hwnd_, &hit) < 0 || (hit.flags & LVHT_ONITEM) != LVHT_ONITEMSTATEICON) return false;
    return FlipCheck(hit.iItem);
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
        case LVN_GETDISPINFOW:
            OnGetDispInfo(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)));
            break;
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
    if (rendering_ > 0 || !(change.uChanged & LVIF_STATE)) return;
    // Index -1 stands for every row (all of them deselected at once).
    const UINT changed = change.uOldState ^ change.uNewState;
    if (change.iItem < 0 || (changed & (LVIS_SELECTED | LVIS_FOCUSED))) {
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
        case VK_SPACE:
            return FlipCheck(ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED));
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
                    // Shift+A and the space bar would also start the list's
                    // type-ahead search.
                    self->swallowChar_ = wParam == 'A' || wParam == VK_SPACE;
                    return 0;
                }
                break;
            case WM_LBUTTONDOWN:
                // The click flips the mark; the control itself keeps none.
                if (self->OnLeftButtonDown(lParam)) return 0;
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
