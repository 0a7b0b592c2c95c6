// FrmMain: turning the user's actions into calls on the portable handlers:
// buttons, text boxes, the list's menus, clicks on the background, dropped
// files.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <vector>

#include "common/win32/wide.h"
#include "kestrun/editor/drop_files.h"
#include "kestrun/ui/about.h"
#include "kestrun/ui/frm_main_app_win32.h"
#include "kestrun/ui/frm_main_layout.h"
#include "kestrun/ui/frm_main_text_fields.h"
#include "kestrun/ui/frm_main_win32.h"

namespace kestrun {

namespace {

constexpr int kMenuRightBase = 300;     // menuright(i): 300 + i
constexpr int kMenuNewBase = 400;       // menuNew(i): 400 + i
constexpr int kMenuLineToolBase = 320;  // the plan check and the trial run of a line
constexpr int kLineToolCount = int(kLineToolCaptions.size());

bool InRange(int controlId, int base, int count) { return controlId >= base && controlId < base + count; }

}  // namespace

void FrmMain::OnCommand(int controlId, int code, HWND) {
    if (rendering_) return;
    if (InRange(controlId, kMenuRightBase, kMenuRightCount))
        return app_->composer.MenuRightClick(controlId - kMenuRightBase);
    if (InRange(controlId, kMenuNewBase, kMenuNewCount)) return app_->composer.MenuNew(controlId - kMenuNewBase);
    if (InRange(controlId, kMenuLineToolBase, kLineToolCount))
        return app_->lineTools.MenuClick(controlId - kMenuLineToolBase);

    if (const TextField* field = FindTextField(controlId)) {
        if (code == EN_CHANGE || code == CBN_EDITCHANGE) field->set(model_, ControlText(controlId));
        if (code == CBN_SELCHANGE) {
            HWND combo = Item(controlId);
            int item = int(SendMessageW(combo, CB_GETCURSEL, 0, 0));
            int length = int(SendMessageW(combo, CB_GETLBTEXTLEN, item, 0));
            if (item >= 0 && length >= 0) {
                std::wstring text(size_t(length) + 1, L'\0');
                SendMessageW(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
                text.resize(size_t(length));
                field->set(model_, win32::Narrow(text));
            }
        }
        return;
    }
    if (controlId == id::kLabKey && code == STN_CLICKED) return app_->composer.LabKeyClick();
    if (code != BN_CLICKED && controlId != id::kList1) return;

    if (InRange(controlId, id::kCmdOrder, 9)) return app_->composer.CmdOrder(controlId - id::kCmdOrder);
    if (InRange(controlId, id::kCmdGetXY, 8)) return app_->captureTools.CmdGetXY(controlId - id::kCmdGetXY);
    if (InRange(controlId, id::kCmdListManger, 6)) return app_->lists.CmdListManger(controlId - id::kCmdListManger);
    switch (controlId) {
        case id::kCmdGoto:
            app_->runControl.Toggle();
            break;
        case id::kCmdrecord:
            app_->recorder.CmdrecordClick();
            break;
        case id::kChkShut:
            model_.SetChkShut(IsDlgButtonChecked(hwnd_, id::kChkShut) == BST_CHECKED);
            break;
        case id::kChkDingshi:
            model_.SetChkDingshi(IsDlgButtonChecked(hwnd_, id::kChkDingshi) == BST_CHECKED);
            break;
        case id::kList1:
            if (code == LBN_SELCHANGE) {
                app_->runControl.RowClick(int(SendMessageW(Item(id::kList1), LB_GETCURSEL, 0, 0)));
            } else if (code == LBN_DBLCLK) {
                app_->composer.EditLine(EditSource::kDoubleClick);
            }
            break;
        default:
            break;
    }
}

void FrmMain::ShowListMenu() {
    HMENU menu = CreatePopupMenu();
    HMENU more = CreatePopupMenu();
    for (int i = 0; i < kMenuNewCount; ++i) {
        const MenuNewEntry& entry = MenuNewItem(i);
        if (entry.IsSeparator()) {
            AppendMenuW(more, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(more, MF_STRING, kMenuNewBase + i, win32::Wide(entry.caption).c_str());
        }
    }
    for (int i = 0; i < kMenuRightCount; ++i) {
        std::wstring caption = win32::Wide(MenuRightCaption(i));
        if (MenuRight(i) == MenuRight::kAddMore) {
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), caption.c_str());
        } else {
            AppendMenuW(menu, MF_STRING, kMenuRightBase + i, caption.c_str());
        }
    }
    for (int i = 0; i < kLineToolCount; ++i) {
        AppendMenuW(menu, MF_STRING, kMenuLineToolBase + i, win32::Wide(kLineToolCaptions[size_t(i)]).c_str());
    }
    POINT at;
    GetCursorPos(&at);
    // The chosen entry arrives as WM_COMMAND once the menu has closed.
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(menu);  // destroys the submenu too
}

void FrmMain::OnBackgroundClick(LPARAM point, bool doubleClick) {
    POINT p{short(LOWORD(point)), short(HIWORD(point))};
    RECT frame;
    GetWindowRect(Item(id::kFrame1), &frame);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&frame), 2);
    if (PtInRect(&frame, p)) {
        // A click on the composer's frame itself, not on a control in it.
        if (!doubleClick) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            app_->dialogs.MessageBox(AboutText(now.wYear), std::string(kAboutTitle),
                                     platform::mb::kOk | platform::mb::kIconInformation);
        }
        return;
    }
    if (doubleClick) app_->captureTools.TogglePin(reinterpret_cast<platform::WindowHandle>(hwnd_));
}

void FrmMain::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(size_t(length) + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(win32::Narrow(path));
    }
    POINT at;
    DragQueryPoint(drop, &at);
    DragFinish(drop);

    // The control under the drop point: the paste box (or the edit part of
    // it) or a reference picture box.
    HWND target = ChildWindowFromPointEx(hwnd_, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (target == Item(id::kCmbPaste)) {
        DropOnPasteBox(model_, app_->files, *app_->codec, paths, [this] { app_->desktop.PumpMessages(); });
        return;
    }
    int box = ReferenceBoxIndex(target);
    if (box >= 0) DropOnPictureBox(model_, app_->files, box, paths);
}

}  // namespace kestrun
