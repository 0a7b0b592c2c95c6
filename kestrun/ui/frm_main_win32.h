// Kestrun's main window FrmMain on Win32. It creates the standard controls of
// the layout table, renders MainModel into them, and turns their messages
// into calls on the portable handlers (run control, list management). It
// decides nothing itself.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/win32/main_window_base.h"
#include "kestrun/model/main_model.h"
#include "kestrun/ui/combo_fill.h"
#include "kestrun/ui/frm_main_layout.h"

namespace kestrun {

class FrmMainApp;  // the platform services and handlers behind the window

class FrmMain : private win32::MainWindowBase {
public:
    FrmMain();
    ~FrmMain();

    // Creates the window and runs start-up with the command-line argument;
    // false when the window cannot be made.
    bool Create(HINSTANCE instance, const std::wstring& commandLine, int showCommand);
    using MainWindowBase::Handle;

private:
    bool Ready() const override { return app_ != nullptr; }
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    // The run a settings file on the command line starts; with "结束退出=1"
    // its end closes the window, and the end is the program's exit code.
    void StartCommandLineRun();
    // Lays the window out at the highest DPI up to the monitor's at which it
    // fits the monitor's work area, and sizes and places it so.
    void FitToWorkArea(int monitorDpi);
    // Moves every control to its place at the layout DPI, in a font made for
    // it: after the window moved to a monitor of another DPI.
    void Relayout();
    // A picture box's rectangle in pixels at the layout DPI.
    RECT PicturePixels(const TwipsRect& twips) const;
    // A control's rectangle in pixels at the layout DPI (a combo box's with
    // its drop-down list).
    RECT ControlPixels(const ControlSpec& spec) const;
    void UpdateTooltip(HWND control, std::string_view text);
    void OnCommand(int id, int code, HWND control);
    void Render(kestrun::ModelPart what);
    void RenderBitmaps();
    // Brings a combo box a slice closer to its list; a fill timer brings the
    // rest.
    void RenderComboEntries(int controlId, const std::deque<std::string>& entries, ListRevision revision,
                            ComboFill& fill, std::string_view text);
    void ContinueComboFill();
    LRESULT ColourControl(UINT msg, HDC dc, HWND control);
    void ShowListMenu();
    void OnBackgroundClick(LPARAM point, bool doubleClick);
    void OnDropFiles(HDROP drop);
    // The index of a reference picture box (0: the capture box), -1 for
    // another window.
    int ReferenceBoxIndex(HWND box) const;
    void DrawColourButton(const DRAWITEMSTRUCT& item);
    HBRUSH BrushFor(int32_t colour);
    void SetControlText(int id, std::string_view text);

    MainModel model_;
    std::unique_ptr<FrmMainApp> app_;
    std::map<int32_t, HBRUSH> brushes_;
    std::map<int, HWND> livePictures_;
    std::map<int, HWND> referencePictures_;
    ComboFill pasteFill_;
    ComboFill urlFill_;
    int exitCode_ = 0;
};

// The timer that goes on filling the combo boxes with a long list; apart from
// the ids of the program's own timers.
inline constexpr UINT_PTR kComboFillTimer = 100;

}  // namespace kestrun
