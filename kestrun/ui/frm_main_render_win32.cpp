// FrmMain: rendering the model into the controls. Every change of the model
// names the part of the window that changed; only that part is redrawn.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <string>
#include <vector>

#include "common/win32/wide.h"
#include "common/win32/window_kit.h"
#include "kestrun/ui/frm_main_layout.h"
#include "kestrun/ui/frm_main_text_fields.h"
#include "kestrun/ui/frm_main_win32.h"
#include "kestrun/ui/list1_view.h"
#include "kestrun/ui/picture_box_win32.h"

namespace kestrun {

namespace {

constexpr int kLivePictureBase = 1000;       // Picture1(n): 1000 + n
constexpr int kReferencePictureBase = 5000;  // Picture2(n): 5000 + n

COLORREF ToColorRef(int32_t colour) { return COLORREF(uint32_t(colour) & 0xFFFFFF); }

// A combo box is filled for at most this long before the window answers its
// messages again; the rest follows at the next fill timer.
constexpr DWORD kComboSliceMs = 40;
// Entries added between two looks at the clock.
constexpr size_t kComboEntriesPerLook = 512;

// Room for the strings of a whole list in one go (UTF-16 takes at most as many
// units as UTF-8 takes bytes), so that the box does not grow entry by entry.
LPARAM StringBytes(const std::deque<std::string>& entries, size_t count) {
    size_t bytes = 0;
    for (size_t i = 0; i < count; ++i) bytes += (entries[i].size() + 1) * sizeof(wchar_t);
    return LPARAM(std::min<size_t>(bytes, size_t(INT_MAX)));
}

// List1's list box through its messages.
class Win32List1Box : public List1Box {
public:
    explicit Win32List1Box(HWND list) : list_(list) {}
    int Count() const override { return int(SendMessageW(list_, LB_GETCOUNT, 0, 0)); }
    std::string Text(int row) const override {
        int length = int(SendMessageW(list_, LB_GETTEXTLEN, WPARAM(row), 0));
        std::wstring text(size_t(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list_, LB_GETTEXT, WPARAM(row), reinterpret_cast<LPARAM>(text.data()));
        text.resize(size_t(length > 0 ? length : 0));
        return win32::Narrow(text);
    }
    void Fill(const std::vector<std::string>& rows) override {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        for (const std::string& row : rows) {
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(row).c_str()));
        }
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    void Select(int row) override { SendMessageW(list_, LB_SETCURSEL, WPARAM(row), 0); }

private:
    HWND list_;
};

}  // namespace

void FrmMain::SetControlText(int controlId, std::string_view text) {
    if (ControlText(controlId) == text) return;
    rendering_ = true;
    SetWindowTextW(Item(controlId), win32::Wide(text).c_str());
    rendering_ = false;
}

void FrmMain::RenderComboEntries(int controlId, const std::deque<std::string>& entries, ListRevision revision,
                                 ComboFill& fill, std::string_view text) {
    HWND combo = Item(controlId);
    // Each character the user types into the edit part comes back here as a
    // change of the model's text. Setting the text again would put the caret
    // before what was typed, so the next character would land in front of
    // it: the entries change only when the list did, and the text is set only
    // when it differs.
    rendering_ = true;
    const DWORD start = GetTickCount();
    do {
        ComboSteps steps = fill.Next(entries.size(), revision, kComboEntriesPerLook);
        if (steps.reset) {
            SendMessageW(combo, CB_RESETCONTENT, 0, 0);  // empties the edit part too
            const size_t shown = std::min(entries.size(), kComboShownLimit);
            if (shown > 0) SendMessageW(combo, CB_INITSTORAGE, WPARAM(shown), StringBytes(entries, shown));
        }
        for (size_t i = 0; i < steps.removeFirst; ++i) SendMessageW(combo, CB_DELETESTRING, 0, 0);
        for (size_t i = steps.addFrom; i < steps.addFrom + steps.addCount; ++i) {
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(entries[i]).c_str()));
        }
    } while (!fill.Complete(entries.size(), revision) && GetTickCount() - start < kComboSliceMs);
    rendering_ = false;
    // A timer message comes only when no other message waits, so the user's
    // input and the painting go first.
    if (!fill.Complete(entries.size(), revision)) SetTimer(hwnd_, kComboFillTimer, USER_TIMER_MINIMUM, nullptr);
    SetControlText(controlId, text);
}

void FrmMain::ContinueComboFill() {
    KillTimer(hwnd_, kComboFillTimer);
    Render(kestrun::ModelPart::CmbPaste);
    Render(kestrun::ModelPart::CmbUrl);
}

void FrmMain::Render(kestrun::ModelPart what) {
    using C = kestrun::ModelPart;
    for (const TextField& field : TextFields()) {
        if (field.part == what) SetControlText(field.id, field.get(model_));
    }
    switch (what) {
        case C::List1:
        case C::List1Selection: {
            Win32List1Box list(Item(id::kList1));
            RenderList1(model_, what, list);
            break;
        }
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
            RenderComboEntries(id::kCmbPaste, model_.PasteEntries(), model_.PasteRevision(), pasteFill_,
                               model_.CmbPasteText());
            break;
        case C::CmbUrl:
            RenderComboEntries(id::kCmbUrl, model_.UrlEntries(), model_.UrlRevision(), urlFill_, model_.CmbUrlText());
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
            // A new window goes below its siblings, under Frame2, whose group
            // box would then be the control under a point of the thumbnail
            // (a dropped picture would go to the frame).
            SetWindowPos(boxes[n], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
