// Small pieces that both programs' windows are built from: the screen's DPI,
// the dialog font, tooltips, and window texts as UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/platform/control_kind.h"

namespace win32 {

// The DPI the windows are laid out at (the programs are per-monitor aware).
int ScreenDpi();
// The system's message font at 9 points for the DPI.
HFONT CreateMessageFont(int dpi);
// One tooltip window per top-level window, and a tool per control.
HWND CreateTooltipWindow(HWND owner);
void AddTooltip(HWND tooltip, HWND owner, HWND control, std::string_view text);
void RemoveTooltip(HWND tooltip, HWND owner, HWND control);
// The style of a child control: its window class and styles, visible by
// default.
struct ChildStyle {
    const wchar_t* windowClass = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
};
// The window class and styles of a standard control of a layout table.
ChildStyle StyleOf(platform::ControlKind kind);
// A child control of parent with the given id and caption, at a rectangle in
// pixels, drawn in font.
HWND CreateChildControl(HWND parent, int id, const ChildStyle& style, std::string_view caption, RECT pixels,
                        HFONT font);
// A window's text (a control's caption) as UTF-8.
std::string WindowTextUtf8(HWND window);

}  // namespace win32
