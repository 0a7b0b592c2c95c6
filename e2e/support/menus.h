// Pop-up menus and keys as a user meets them: the menus a program has open
// now, and a key pressed as a quick hand presses it.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// The outer rectangles of the visible pop-up menus (class "#32768") of the
// process, one per open menu level.
std::vector<RECT> OpenMenus(DWORD processId);

// Presses and releases a key, a moment apart from the next one.
void TapKey(BYTE key);

}  // namespace e2e
