// The mouse as a user's hand moves it: the pointer placed with SetCursorPos
// and the buttons pressed with mouse_event, so the input reaches whichever
// window lies under the point, through every hook of the desktop.
#pragma once

#include <windows.h>

namespace e2e {

// Left, right or middle click at a screen point.
void ClickAt(POINT point, DWORD downFlag = MOUSEEVENTF_LEFTDOWN, DWORD upFlag = MOUSEEVENTF_LEFTUP);
// Two left clicks at the same point, within the double-click time.
void DoubleClickAt(POINT point);
// The left button pressed or released at a point; a drag is a press, a
// pause for the system to take it, and a release elsewhere.
void LeftDownAt(POINT point);
void LeftUpAt(POINT point);

}  // namespace e2e
