// Small pieces that both programs' windows are built from: the screen's DPI,
// the dialog font, tooltips, and window texts as UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

// The DPI the windows are laid out at (the programs are per-monitor aware).
int ScreenDpi();
// The system's message font at 9 points for the DPI.
HFONT CreateMessageFont(int dpi);
// One tooltip window per top-level window, and a tool per control.
HWND CreateTooltipWindow(HWND owner);
void AddTooltip(HWND tooltip, HWND owner, HWND control, std::string_view text);
void RemoveTooltip(HWND tooltip, HWND owner, HWND control);
// A window's text (a control's caption) as UTF-8.
std::string WindowTextUtf8(HWND window);

}  // namespace win32
