#include "common/win32/main_window_base.h"

#include "common/win32/window_kit.h"

namespace win32 {

MainWindowBase::~MainWindowBase() {
    if (font_) DeleteObject(font_);
}

std::string MainWindowBase::ControlText(int id) const { return WindowTextUtf8(Item(id)); }

void MainWindowBase::AddTooltip(HWND control, std::string_view text) {
    win32::AddTooltip(tooltip_, hwnd_, control, text);
}

}  // namespace win32
