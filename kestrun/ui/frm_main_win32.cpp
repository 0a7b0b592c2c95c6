#include "kestrun/ui/frm_main_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "common/win32/trace_win32.h"
#include "common/win32/wide.h"
#include "common/win32/window_kit.h"
#include "kestrun/ui/frm_main_app_win32.h"
#include "kestrun/ui/frm_main_layout.h"
#include "kestrun/ui/picture_box_win32.h"
#include "kestrun/ui/product.h"
#include "kestrun/ui/startup.h"

namespace kestrun {

namespace {

constexpr wchar_t kClassName[] = L"KestrunFrmMain";
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

// The window class and styles of a control of the layout table.
win32::ChildStyle StyleOf(const ControlSpec& spec) {
    win32::ChildStyle child = win32::StyleOf(spec.kind);
    if (spec.id == id::kLabKey) child.style |= SS_NOTIFY;  // a click shows the key-name help
    return child;
}

}  // namespace

FrmMain::FrmMain() = default;

FrmMain::~FrmMain() {
    for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

bool FrmMain::Create(HINSTANCE instance, const std::wstring& commandLine, int showCommand) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&icc);

    // A double click on the background pins the window.
    win32::RegisterHandlerClass(instance, kClassName, CS_DBLCLKS);

    const int monitorDpi = win32::ScreenDpi();
    dpi_ = monitorDpi;
    RECT rect{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRectEx(&rect, style, FALSE, WS_EX_CONTROLPARENT);

    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, win32::Wide(kWindowTitle).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance,
                            static_cast<win32::MessageHandler*>(this));
    if (!hwnd_) return false;
    FitToWorkArea(monitorDpi);

    app_ = std::make_unique<FrmMainApp>(hwnd_, model_);
    model_.SetChangeListener([this](kestrun::ModelPart what) { Render(what); });
    CreateControls();

    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    DragAcceptFiles(hwnd_, TRUE);
    StartUp(SettingsFileArgument(commandLine), model_, app_->log, app_->files, app_->lists, *app_->codec,
            [this] { StartCommandLineRun(); });
    app_->runControl.StartScheduler();
    return true;
}

void FrmMain::StartCommandLineRun() {
    if (model_.ExitWhenRunStops()) {
        // The close is posted: the close-down runs from the message loop as
        // at a close by the user, once the handler that stopped the run is done.
        app_->runControl.runEnded = [this](RunEnd end) {
            exitCode_ = int(end);
            PostMessageW(hwnd_, WM_CLOSE, 0, 0);
        };
    }
    app_->runControl.StartUnattended();
}

void FrmMain::CreateControls() {
    font_ = win32::CreateMessageFont(dpi_);
    tooltip_ = win32::CreateTooltipWindow(hwnd_);

    for (const ControlSpec& spec : MainWindowControls()) {
        const RECT pixels = ControlPixels(spec);
        if (spec.kind == ControlKind::kPicture) {
            CreatePictureBox(hwnd_, spec.id, pixels, spec.id == id::kPicture2 ? &model_.CaptureBox() : nullptr);
            continue;
        }
        HWND control = win32::CreateChildControl(hwnd_, spec.id, StyleOf(spec), spec.caption, pixels, font_);
        if (spec.id == id::kCmbMouse) {
            for (std::string_view item : kCmbMouseItems) {
                SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(item).c_str()));
            }
        }
        if (!spec.tooltip.empty()) AddTooltip(control, spec.tooltip);
    }
    // Frames are drawn below the controls they hold.
    for (int frame : {id::kFrame1, id::kFrame2, id::kFrame3}) {
        SetWindowPos(Item(frame), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    // The controls start from the model's state (combo boxes, for one, do
    // not take their text from the creation call).
    for (int c = 0; c <= int(kestrun::ModelPart::Last); ++c) Render(kestrun::ModelPart(c));
}

void FrmMain::UpdateTooltip(HWND control, std::string_view text) {
    win32::RemoveTooltip(tooltip_, hwnd_, control);
    if (!text.empty()) AddTooltip(control, text);
}

LRESULT FrmMain::HandleMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kComboFillTimer) {
                ContinueComboFill();
                return 0;
            }
            if (app_->timers.HandleTimer(wParam)) return 0;
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return ColourControl(msg, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == Item(id::kList1)) {
                ShowListMenu();
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            OnBackgroundClick(lParam, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnBackgroundClick(lParam, true);
            return 0;
        case WM_DPICHANGED: {
            // The system suggests the window's place on the new monitor; the
            // fit then decides its size there.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            FitToWorkArea(HIWORD(wParam));
            Relayout();
            return 0;
        }
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DRAWITEM:
            if (wParam == WPARAM(id::kCmdGoto)) {
                DrawColourButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // A run that closes the program by itself when it stops and is
            // closed by hand before that did not run out its cycles: a
            // scheduler that started it must not read success.
            if (model_.ExitWhenRunStops() && model_.IsRunning()) exitCode_ = int(RunEnd::kStopped);
            model_.SetClosing();
            CloseDown(model_, app_->files, *app_->codec);
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            app_->recordHook.Remove();
            app_->timers.KillTimer(kTimer1);
            app_->timers.KillTimer(kTimer2);
            app_->timers.KillTimer(kTimer3);
            KillTimer(hwnd_, kComboFillTimer);
            PostQuitMessage(exitCode_);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace kestrun

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    win32::InstallDebugTrace();
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
