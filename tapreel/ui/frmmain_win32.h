// Tapreel's window Frmmain on Win32. It creates the controls of the top band
// and ListView1, renders FrmmainModel into them, and turns their messages,
// the mouse hook's events and the window's own life (load, close, unload)
// into calls on the portable handlers (Frmmain). It decides nothing itself.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/win32/main_window_base.h"
#include "tapreel/model/frmmain_model.h"
#include "tapreel/ui/list_view_win32.h"

namespace tapreel {

class FrmmainApp;  // the platform services and handlers behind the window

class FrmmainWindow : private win32::MainWindowBase {
public:
    FrmmainWindow();
    ~FrmmainWindow();

    // Creates the window, loads the click table and shows the window; false
    // when the window cannot be made.
    bool Create(HINSTANCE instance, int showCommand);
    using MainWindowBase::Handle;

private:
    bool Ready() const override { return app_ != nullptr; }
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void ConnectListView();
    void OnCommand(int id, int code);
    void OnCmdJianKClick();
    void OnAccessKey(wchar_t key);
    void ShowPopupMenu(PopupMenu menu);
    void Layout();
    void Render(ModelPart what);
    void SetControlText(HWND control, std::string_view text);

    FrmmainModel model_;
    ListView1 list_;
    std::unique_ptr<FrmmainApp> app_;
};

}  // namespace tapreel
