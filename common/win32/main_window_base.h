// What both programs' main windows hold alike: the window and its tooltip
// window, the dialog font at the window's DPI, the twips-to-pixels rule, and
// the guard that keeps model-to-control updates from echoing back as edits.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/win32/window_proc.h"

namespace win32 {

class MainWindowBase : public MessageHandler {
public:
    HWND Handle() const { return hwnd_; }

protected:
    MainWindowBase() = default;
    ~MainWindowBase();
    MainWindowBase(const MainWindowBase&) = delete;
    MainWindowBase& operator=(const MainWindowBase&) = delete;

    int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ControlText(int id) const;
    void AddTooltip(HWND control, std::string_view text);

    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    bool rendering_ = false;  // model -> control updates must not echo back
};

}  // namespace win32
