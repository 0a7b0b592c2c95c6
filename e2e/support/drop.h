// Files dropped on another program's window as the shell drops them: a
// WM_DROPFILES message whose HDROP, a DROPFILES block with the paths and the
// drop point, lies in the receiving process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Drops the files on the window (one that accepts dropped files) at a
// screen point. False when the block could not be placed or posted.
bool DropFiles(HWND window, POINT screenPoint, const std::vector<std::wstring>& paths);

}  // namespace e2e
