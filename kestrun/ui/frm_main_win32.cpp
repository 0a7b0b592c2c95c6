#include "kestrun/ui/frm_main_win32.h"

#include <commctrl.h>

#include <vector>

#include "common/text/colour.h"
#include "common/win32/desktop_win32.h"
#include "common/win32/dialogs_win32.h"
#include "common/win32/files_win32.h"
#include "common/win32/timers_win32.h"
#include "common/win32/wide.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/ui/frm_main_layout.h"
#include "kestrun/ui/list_manager.h"
#include "kestrun/ui/picture_box_win32.h"
#include "kestrun/ui/product.h"
#include "kestrun/ui/startup.h"

namespace kestrun {

namespace {

constexpr wchar_t kClassName[] = L"KestrunFrmMain";
constexpr int kLivePictureBase = 1000;       // Picture1(n): 1000 + n
constexpr int kReferencePictureBase = 5000;  // Picture2(n): 5000 + n

COLORREF ToColorRef(int32_t colour) { return COLORREF(uint32_t(colour) & 0xFFFFFF); }

// The settings file named on the command line. The shell quotes a path with
// blanks (a file dropped on the program), so one pair of surrounding quotes
// is not part of the path.
std::string SettingsFileArgument(const std::wstring& commandLine) {
    std::wstring argument = commandLine;
    if (argument.size() >= 2 && argument.front() == L'"' && argument.back() == L'"') {
        argument = argument.substr(1, argument.size() - 2);
    }
    return win32::Narrow(argument);
}

}  // namespace

// The platform services and the portable handlers behind the window.
class FrmMainApp {
public:
    FrmMainApp(HWND hwnd, MainModel& model)
        : desktop(hwnd),
          dialogs(hwnd),
          timers(hwnd),
          codec(text::MakeSystemCodec()),
          log(model, desktop, files, *codec),
          interpreter(model, desktop, files, log, random),
          runControl(model, desktop, dialogs, timers, log, interpreter, std::string(kProductName)),
          lists(model, files, dialogs, desktop, *codec) {
        // The power-off ends the program at once, without the close-down.
        runControl.endProgram = [] { ExitProcess(0); };
        lists.rowClick = [this](int row) { runControl.RowClick(row); };
    }

    win32::Win32Desktop desktop;
    win32::Win32Dialogs dialogs;
    win32::Win32FileSystem files;
    win32::Win32Timers timers;
    std::unique_ptr<text::AnsiCodec> codec;
    DefaultRandomSource random;
    RunLog log;
    Interpreter interpreter;
    RunControl runControl;
    ListManager lists;
};

FrmMain::FrmMain() = default;

FrmMain::~FrmMain() {
    for (auto& [colour, brush] : brushes_) DeleteObject(brush);
    if (font_) DeleteObject(font_);
}

int FrmMain::Px(int twips) const { return MulDiv(twips, dpi_, 1440); }

bool FrmMain::Create(HINSTANCE instance, const std::wstring& commandLine, int showCommand) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);

    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    RECT rect{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRectEx(&rect, style, FALSE, WS_EX_CONTROLPARENT);

    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, win32::Wide(kWindowTitle).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance,
                            this);
    if (!hwnd_) return false;

    app_ = std::make_unique<FrmMainApp>(hwnd_, model_);
    model_.onChanged = [this](kestrun::Control what) { Render(what); };
    CreateControls();

    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    StartUp(SettingsFileArgument(commandLine), model_, app_->files, app_->lists, *app_->codec,
            [this] { app_->runControl.StartUnattended(); });
    app_->runControl.StartScheduler();
    return true;
}

void FrmMain::CreateControls() {
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi_, 72);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);

    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, nullptr, nullptr);

    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    for (const ControlSpec& spec : MainWindowControls()) {
        const wchar_t* cls = L"BUTTON";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (spec.kind) {
        case ControlKind::Button: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
        case ControlKind::ColourButton: style |= WS_TABSTOP | BS_OWNERDRAW; break;
        case ControlKind::CheckBox: style |= WS_TABSTOP | BS_AUTOCHECKBOX; break;
        case ControlKind::Frame: style |= BS_GROUPBOX; break;
        case ControlKind::Edit:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::ListBox:
            cls = L"LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Label: cls = L"STATIC"; break;
        case ControlKind::ColourLabel:
            cls = L"STATIC";
            style |= SS_CENTER | SS_CENTERIMAGE;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        }
        HWND control = CreateWindowExW(exStyle, cls, win32::Wide(spec.caption).c_str(), style, Px(spec.left),
                                       Px(spec.top), Px(spec.width), Px(spec.height), hwnd_,
                                       reinterpret_cast<HMENU>(INT_PTR(spec.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, WPARAM(font_), TRUE);
        if (!spec.tooltip.empty()) AddTooltip(control, spec.tooltip);
    }
    // Frames are drawn below the controls they hold.
    for (int frame : {id::kFrame1, id::kFrame2, id::kFrame3}) {
        SetWindowPos(Control(frame), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void FrmMain::UpdateTooltip(HWND control, std::string_view text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty()) AddTooltip(control, text);
}

void FrmMain::AddTooltip(HWND control, std::string_view text) {
    std::wstring wide = win32::Wide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string FrmMain::ControlText(int controlId) const {
    HWND control = Control(controlId);
    int length = GetWindowTextLengthW(control);
    std::wstring text(size_t(length) + 1, L'\0');
    int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(size_t(copied > 0 ? copied : 0));
    return win32::Narrow(text);
}

void FrmMain::SetControlText(int controlId, std::string_view text) {
    if (ControlText(controlId) == text) return;
    rendering_ = true;
    SetWindowTextW(Control(controlId), win32::Wide(text).c_str());
    rendering_ = false;
}

void FrmMain::Render(kestrun::Control what) {
    switch (what) {
    case kestrun::Control::List1: RenderList(); break;
    case kestrun::Control::CmdGoto:
        SetControlText(id::kCmdGoto, model_.CmdGotoCaption());
        InvalidateRect(Control(id::kCmdGoto), nullptr, TRUE);
        break;
    case kestrun::Control::TxtRound: SetControlText(id::kTxtRound, model_.TxtRound()); break;
    case kestrun::Control::TxtStartime: SetControlText(id::kTxtStartime, model_.TxtStartime()); break;
    case kestrun::Control::ChkShut:
        CheckDlgButton(hwnd_, id::kChkShut, model_.ChkShut() ? BST_CHECKED : BST_UNCHECKED);
        break;
    case kestrun::Control::ChkDingshi:
        CheckDlgButton(hwnd_, id::kChkDingshi, model_.ChkDingshi() ? BST_CHECKED : BST_UNCHECKED);
        break;
    case kestrun::Control::LabelColor:
        for (int i = 0; i < 2; ++i) {
            SetControlText(id::kLabelColor + i, model_.LabelColor(i).caption);
            InvalidateRect(Control(id::kLabelColor + i), nullptr, TRUE);
        }
        break;
    case kestrun::Control::Bitmaps: RenderBitmaps(); break;
    case kestrun::Control::Cmdrecord: SetControlText(id::kCmdrecord, model_.CmdrecordCaption()); break;
    case kestrun::Control::ExportTooltip: UpdateTooltip(Control(id::kCmdListManger + 5), model_.CurrentPlanPath()); break;
    default: break;
    }
}

void FrmMain::RenderList() {
    HWND list = Control(id::kList1);
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
            TwipsRect r = rectOf(n);
            RECT pixels{Px(r.left), Px(r.top), Px(r.left + r.width), Px(r.top + r.height)};
            boxes[n] = CreatePictureBox(hwnd_, base + n, pixels, image);
        }
    };
    place(livePictures_, kLivePictureBase, LiveBitmapRect, true);
    place(referencePictures_, kReferencePictureBase, ReferenceBitmapRect, false);
}

HBRUSH FrmMain::BrushFor(int32_t colour) {
    auto found = brushes_.find(colour);
    if (found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
    brushes_[colour] = brush;
    return brush;
}

LRESULT FrmMain::ColourControl(HDC dc, HWND control) {
    int controlId = GetDlgCtrlID(control);
    if (controlId == id::kLabelColor || controlId == id::kLabelColor + 1) {
        int32_t colour = model_.LabelColor(controlId - id::kLabelColor).backColour;
        if (colour >= 0) {
            SetBkColor(dc, ToColorRef(colour));
            return reinterpret_cast<LRESULT>(BrushFor(colour));
        }
    }
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(control));
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

void FrmMain::OnCommand(int controlId, int code, HWND) {
    if (rendering_) return;
    switch (controlId) {
    case id::kCmdGoto:
        if (code == BN_CLICKED) app_->runControl.Toggle();
        break;
    case id::kList1:
        if (code == LBN_SELCHANGE) {
            app_->runControl.RowClick(int(SendMessageW(Control(id::kList1), LB_GETCURSEL, 0, 0)));
        }
        break;
    case id::kTxtRound:
        if (code == EN_CHANGE) model_.SetTxtRound(ControlText(id::kTxtRound));
        break;
    case id::kTxtStartime:
        if (code == EN_CHANGE) model_.SetTxtStartime(ControlText(id::kTxtStartime));
        break;
    case id::kChkShut:
        if (code == BN_CLICKED) model_.SetChkShut(IsDlgButtonChecked(hwnd_, id::kChkShut) == BST_CHECKED);
        break;
    case id::kChkDingshi:
        if (code == BN_CLICKED) model_.SetChkDingshi(IsDlgButtonChecked(hwnd_, id::kChkDingshi) == BST_CHECKED);
        break;
    default:
        if (controlId >= id::kCmdListManger && controlId < id::kCmdListManger + 6 && code == BN_CLICKED) {
            app_->lists.CmdListManger(controlId - id::kCmdListManger);
        }
        break;
    }
}

LRESULT CALLBACK FrmMain::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FrmMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->app_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // No exception may cross the window procedure: a handler that fails
    // leaves the window as it was.
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT FrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_TIMER:
        if (app_->timers.HandleTimer(wParam)) return 0;
        break;
    case WM_CTLCOLORSTATIC: return ColourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        if (wParam == WPARAM(id::kCmdGoto)) {
            DrawColourButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        CloseDown(model_, app_->files, *app_->codec);
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        app_->timers.KillTimer(kTimer1);
        app_->timers.KillTimer(kTimer3);
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace kestrun

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    kestrun::FrmMain window;
    if (!window.Create(instance, commandLine ? commandLine : L"", showCommand)) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window.Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
