// FrmMain: rendering the model into the controls. Every change of the model
// names the part of the window that changed; only that part is redrawn.
#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/wide.h"
#include "common/win32/window_kit.h"
#include "kestrun/ui/frm_main_layout.h"
#include "kestrun/ui/frm_main_text_fields.h"
#include "kestrun/ui/frm_main_win32.h"
#include "kestrun/ui/picture_box_win32.h"

namespace kestrun {

namespace {

constexpr int kLivePictureBase = 1000;       // Picture1(n): 1000 + n
constexpr int kReferencePictureBase = 5000;  // Picture2(n): 5000 + n

COLORREF ToColorRef(int32_t colour) { return COLORREF(uint32_t(colour) & 0xFFFFFF); }

std::vector<std::string> ComboEntries(HWND combo) {
    std::vector<std::string> entries;
    int count = int(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int length = int(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0));
        std::wstring entry(size_t(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(size_t(length > 0 ? length : 0));
        entries.push_back(win32::Narrow(entry));
    }
    return entries;
}

}  // namespace

void FrmMain::SetControlText(int controlId, std::string_view text) {
    if (ControlText(controlId) == text) return;
    rendering_ = true;
    SetWindowTextW(Item(controlId), win32::Wide(text).c_str());
    rendering_ = false;
}

void FrmMain::RenderComboEntries(int controlId, const std::vector<std::string>& entries, std::string_view text) {
    HWND combo = Item(controlId);
    // Each character the user types into the edit part comes back here as a
    // change of the model's text. Setting the text again would put the caret
    // before what was typed, so the next character would land in front of
    // it: the entries are rebuilt only when they changed, and the text is set
    // only when it differs.
    if (ComboEntries(combo) != entries) {
        rendering_ = true;
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);  // empties the edit part too
        for (const std::string& entry : entries) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(entry).c_str()));
        }
        rendering_ = false;
    }
    SetControlText(controlId, text);
}

void FrmMain::Render(kestrun::ModelPart what) {
    using C = kestrun::ModelPart;
    for (const TextField& field : TextFields()) {
        if (field.part == what) SetControlText(field.id, field.get(model_));
    }
    switch (what) {
        case C::List1:
            RenderList();
            break;
        case C::CmdGoto:
            SetControlText(id::kCmdGoto, model_.CmdGotoCaption());
            InvalidateRect(Item(id::kCmdGoto), nullptr, TRUE);
            break;
        case C::ChkShut:
            CheckDlgButton(hwnd_, id::kChkShut, model_.ChkShut() ? BST_CHECKED : BST_UNCHECKED);
            break;
        case C::ChkDingshi:
            CheckDlgButton(hwnd_, id::kChkDingshi, model_.ChkDingshi() ? BST_CHECKED : BST_UNCHECKED);
            break;
        case C::LabelColor:
            for (int i = 0; i < 2; ++i) {
                SetControlText(id::kLabelColor + i, model_.LabelColor(i).caption);
                InvalidateRect(Item(id::kLabelColor + i), nullptr, TRUE);
            }
            break;
        case C::Bitmaps:
            RenderBitmaps();
            break;
        case C::Cmdrecord:
            SetControlText(id::kCmdrecord, model_.CmdrecordCaption());
            break;
        case C::ExportTooltip:
            UpdateTooltip(Item(id::kCmdListManger + 5), model_.CurrentPlanPath());
            break;
        case C::CmbPaste:
            RenderComboEntries(id::kCmbPaste, model_.PasteEntries(), model_.CmbPasteText());
            break;
        case C::CmbUrl:
            RenderComboEntries(id::kCmbUrl, model_.UrlEntries(), model_.CmbUrlText());
            break;
        case C::TxtColor:
            InvalidateRect(Item(id::kTxtColor), nullptr, TRUE);
            break;
        case C::TxtScreenXY0:
            InvalidateRect(Item(id::kTxtScreenX), nullptr, TRUE);
            InvalidateRect(Item(id::kTxtScreenY), nullptr, TRUE);
            break;
        case C::CaptureBox:
            SetPictureBoxImage(Item(id::kPicture2), &model_.CaptureBox());
            break;
        default:
            break;
    }
}

void FrmMain::RenderList() {
    HWND list = Item(id::kList1);
    // Rebuilding a long list at every tick would be slow: rows are rewritten
    // only when they changed, the selection always.
    int count = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
    bool same = count == model_.RowCount();
    for (int i = 0; same && i < count; ++i) {
        int length = int(SendMessageW(list, LB_GETTEXTLEN, i, 0));
        std::wstring row(size_t(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
        row.resize(size_t(length));
        same = win32::Narrow(row) == model_.Rows()[size_t(i)];
    }
    if (!same) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& row : model_.Rows()) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(row).c_str()));
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    SendMessageW(list, LB_SETCURSEL, WPARAM(model_.SelectedRow()), 0);
}

void FrmMain::RenderBitmaps() {
    auto place = [&](std::map<int, HWND>& boxes, int base, TwipsRect (*rectOf)(int), bool live) {
        for (auto it = boxes.begin(); it != boxes.end();) {
            if (!model_.Bitmaps().count(it->first)) {
                DestroyWindow(it->second);
                it = boxes.erase(it);
            } else {
                ++it;
            }
        }
        for (auto& [n, entry] : model_.Bitmaps()) {
            const platform::Image* image = live ? &entry.live : &entry.reference;
            auto found = boxes.find(n);
            if (found != boxes.end()) {
                SetPictureBoxImage(found->second, image);
                continue;
            }
            boxes[n] = CreatePictureBox(hwnd_, base + n, PicturePixels(rectOf(n)), image);
        }
    };
    place(livePictures_, kLivePictureBase, LiveBitmapRect, true);
    place(referencePictures_, kReferencePictureBase, ReferenceBitmapRect, false);
}

int FrmMain::ReferenceBoxIndex(HWND box) const {
    if (box == Item(id::kPicture2)) return 0;
    for (const auto& [n, window] : referencePictures_) {
        if (window == box) return n;
    }
    return -1;
}

HBRUSH FrmMain::BrushFor(int32_t colour) {
    auto found = brushes_.find(colour);
    if (found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    brushes_[colour] = brush;
    return brush;
}

LRESULT FrmMain::ColourControl(UINT msg, HDC dc, HWND control) {
    int controlId = GetDlgCtrlID(control);
    int32_t colour = -1;
    if (controlId == id::kLabelColor || controlId == id::kLabelColor + 1) {
        colour = model_.LabelColor(controlId - id::kLabelColor).backColour;
    } else if (controlId == id::kTxtColor) {
        colour = model_.TxtColorBackColour();
    } else if (controlId == id::kTxtScreenX || controlId == id::kTxtScreenY) {
        colour = model_.TxtScreenXY0Colour();
    }
    // A negative colour stands for the system's own.
    if (colour < 0) return DefWindowProcW(hwnd_, msg, WPARAM(dc), LPARAM(control));
    SetBkColor(dc, ToColorRef(colour));
    return reinterpret_cast<LRESULT>(BrushFor(colour));
}

void FrmMain::DrawColourButton(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, BrushFor(model_.CmdGotoColour()));
    bool pressed = item.itemState & ODS_SELECTED;
    DrawEdge(item.hDC, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ old = SelectObject(item.hDC, font_);
    std::wstring caption = win32::Wide(model_.CmdGotoCaption());
    DrawTextW(item.hDC, caption.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, old);
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&rect, -4, -4);
        DrawFocusRect(item.hDC, &rect);
    }
}

}  // namespace kestrun
