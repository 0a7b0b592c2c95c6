#include "tapreel/ui/frmmain_win32.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cwctype>

#include "common/win32/desktop_win32.h"
#include "common/win32/dialogs_win32.h"
#include "common/win32/files_win32.h"
#include "common/win32/mouse_hook_win32.h"
#include "common/win32/wide.h"
#include "common/win32/window_kit.h"
#include "tapreel/ui/frmmain.h"
#include "tapreel/ui/frmmain_layout.h"

namespace tapreel {

namespace {

constexpr wchar_t kClassName[] = L"TapreelFrmmain";
// Posted when a close that had to wait for a running handler may go ahead.
constexpr UINT kCloseReadyMessage = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

}  // namespace

// The platform services and the portable handlers behind the window.
class FrmmainApp {
public:
    FrmmainApp(HWND hwnd, FrmmainModel& model)
        : desktop(hwnd),
          dialogs(hwnd),
          codec(text::MakeSystemCodec()),
          hook([this](const platform::MouseHookEvent& event) {
              // Tapreel never keeps an event from the next hook.
              frmmain.OnMouseEvent(event);
              return platform::HookResult::kCallNextHook;
          }),
          frmmain(model, desktop, dialogs, files, *codec, hook) {}

    win32::Win32Desktop desktop;
    win32::Win32Dialogs dialogs;
    win32::Win32FileSystem files;
    std::unique_ptr<text::AnsiCodec> codec;
    win32::Win32MouseHook hook;
    Frmmain frmmain;
};

FrmmainWindow::FrmmainWindow() = default;

FrmmainWindow::~FrmmainWindow() = default;

bool FrmmainWindow::Create(HINSTANCE instance, int showCommand) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);

    win32::RegisterHandlerClass(instance, kClassName, 0);

    dpi_ = win32::ScreenDpi();
    RECT rect{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
    AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);

    hwnd_ = CreateWindowExW(kWindowExStyle, kClassName, win32::Wide(model_.Title()).c_str(), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                            nullptr, instance, static_cast<win32::MessageHandler*>(this));
    if (!hwnd_) return false;

    app_ = std::make_unique<FrmmainApp>(hwnd_, model_);
    model_.ownWindow = reinterpret_cast<platform::WindowHandle>(hwnd_);
    CreateControls();
    ConnectListView();
    model_.onChanged = [this](ModelPart what) { Render(what); };
    model_.Table().onChanged = [this](const TableChange& change) { list_.Render(model_.Table(), change); };
    app_->frmmain.onCloseReady = [this] { PostMessageW(hwnd_, kCloseReadyMessage, 0, 0); };

    // Window load: the click table of the program folder.
    app_->frmmain.Load();
    Layout();
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    return true;
}

void FrmmainWindow::CreateControls() {
    font_ = win32::CreateMessageFont(dpi_);
    tooltip_ = win32::CreateTooltipWindow(hwnd_);

    for (const ControlSpec& spec : BandControls()) {
        // A combo box's height includes its open list.
        const int height = spec.kind == ControlKind::kDropDownList ? Px(spec.height) * 7 : Px(spec.height);
        const RECT pixels{Px(spec.left), Px(spec.top), Px(spec.left) + Px(spec.width), Px(spec.top) + height};
        win32::CreateChildControl(hwnd_, spec.id, win32::StyleOf(spec.kind), spec.caption, pixels, font_);
    }
    for (std::string_view item : kCombo1Items) {
        SendMessageW(Item(id::kCombo1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(item).c_str()));
    }
    SendMessageW(Item(id::kCombo1), CB_SETCURSEL, WPARAM(model_.Combo1Index()), 0);
    AddTooltip(Item(id::kCmdJianK), kCmdJianKTooltip);
    list_.Create(hwnd_, id::kListView1, font_, dpi_);
}

void FrmmainWindow::ConnectListView() {
    Frmmain& frmmain = app_->frmmain;
    list_.onRowSelected = [&frmmain](int index) { frmmain.OnRowSelected(index); };
    list_.onRowChecked = [&frmmain](int index, bool checked) { frmmain.OnRowChecked(index, checked); };
    list_.onHeaderClick = [this](int column) { ShowPopupMenu(app_->frmmain.OnHeaderClick(column)); };
    list_.onDoubleClick = [&frmmain] { frmmain.OnTableDoubleClick(); };
    list_.onKey = [&frmmain](TableKey key, Modifiers modifiers) { return frmmain.OnTableKey(key, modifiers); };
}

void FrmmainWindow::ShowPopupMenu(PopupMenu which) {
    if (which == PopupMenu::kNone) return;
    // The menu runs its own message loop; a close inside it waits for it.
    Frmmain::BusyScope busy(app_->frmmain);
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    const bool keyMenu = which == PopupMenu::kKeyName;
    const int base = keyMenu ? id::kMenukey : id::kMenuclick;
    const auto& items = keyMenu ? kMenukeyItems : kMenuclickItems;
    for (size_t i = 0; i < items.size(); ++i) {
        AppendMenuW(menu, MF_STRING, UINT_PTR(base + int(i)), win32::Wide(items[i]).c_str());
    }
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(hwnd_);
    int chosen =
        int(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    if (chosen < base || chosen >= base + int(items.size())) return;
    if (keyMenu) {
        app_->frmmain.OnMenuKey(chosen - base);
    } else {
        app_->frmmain.OnMenuClick(chosen - base);
    }
}

void FrmmainWindow::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    TwipsRect table = TableRect(client.right - client.left, client.bottom - client.top, Px(kBandHeightTwips));
    list_.Move(table.left, table.top, table.width, table.height);
}

void FrmmainWindow::SetControlText(HWND control, std::string_view text) {
    rendering_ = true;
    SetWindowTextW(control, win32::Wide(text).c_str());
    rendering_ = false;
}

void FrmmainWindow::Render(ModelPart what) {
    switch (what) {
        case ModelPart::kCmdrecord:
            SetControlText(Item(id::kCmdrecord), model_.CmdrecordCaption());
            break;
        case ModelPart::kCmdJianK:
            SetControlText(Item(id::kCmdJianK), model_.CmdJianKCaption());
            break;
        case ModelPart::kTxtCs:
            if (ControlText(id::kTxtCs) != model_.TxtCs()) SetControlText(Item(id::kTxtCs), model_.TxtCs());
            break;
        case ModelPart::kChktop:
            rendering_ = true;
            CheckDlgButton(hwnd_, id::kChktop, model_.Chktop() ? BST_CHECKED : BST_UNCHECKED);
            rendering_ = false;
            break;
        case ModelPart::kCombo1:
            rendering_ = true;
            SendMessageW(Item(id::kCombo1), CB_SETCURSEL, WPARAM(model_.Combo1Index()), 0);
            rendering_ = false;
            break;
        case ModelPart::kTitle:
            SetControlText(hwnd_, model_.Title());
            break;
    }
}

void FrmmainWindow::OnCommand(int controlId, int code) {
    if (rendering_) return;
    Frmmain& frmmain = app_->frmmain;
    switch (controlId) {
        case id::kCmdrecord:
            if (code == BN_CLICKED) frmmain.OnCmdrecordClick();
            break;
        case id::kCmdJianK:
            if (code == BN_CLICKED) OnCmdJianKClick();
            break;
        case id::kTxtCs:
            if (code == EN_CHANGE) frmmain.OnTxtCsChange(ControlText(id::kTxtCs));
            break;
        case id::kChktop:
            if (code == BN_CLICKED) frmmain.OnChktopClick(IsDlgButtonChecked(hwnd_, id::kChktop) == BST_CHECKED);
            break;
        case id::kCombo1:
            if (code == CBN_SELCHANGE) {
                frmmain.OnCombo1Change(int(SendMessageW(Item(id::kCombo1), CB_GETCURSEL, 0, 0)));
            }
            break;
        default:
            break;
    }
}

void FrmmainWindow::OnCmdJianKClick() {
    // Waits end on the system timer's tick; a 1 ms tick while playback runs
    // keeps every click within a millisecond or two of its time.
    timeBeginPeriod(1);
    app_->frmmain.OnCmdJianKClick();
    timeEndPeriod(1);
}

void FrmmainWindow::OnAccessKey(wchar_t key) {
    int target = 0;
    switch (std::towupper(key)) {
        case L'R':
            target = id::kCmdrecord;
            break;
        case L'P':
            target = id::kCmdJianK;
            break;
        case L'T':
            target = id::kChktop;
            break;
        default:
            return;
    }
    SendMessageW(Item(target), BM_CLICK, 0, 0);
}

LRESULT FrmmainWindow::HandleMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (lParam && list_.HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
            break;
        }
        case WM_SIZE:
            Layout();
            return 0;
        case WM_SYSCOMMAND:
            // Alt + the letter after "&" in a caption presses that control.
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam > L' ') {
                OnAccessKey(wchar_t(lParam));
                return 0;
            }
            break;
        case WM_CLOSE:
            // Inside a running handler (a playback pass, a dialog, a menu) the
            // close waits until that handler has returned.
            if (app_->frmmain.RequestClose()) DestroyWindow(hwnd_);
            return 0;
        case kCloseReadyMessage:
            DestroyWindow(hwnd_);
            return 0;
        case WM_ENDSESSION:
            if (wParam) app_->frmmain.Unload();
            return 0;
        case WM_DESTROY:
            // Window unload: the hook goes and the click table is written.
            app_->frmmain.Unload();
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace tapreel
