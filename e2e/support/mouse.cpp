#include "e2e/support/mouse.h"

namespace e2e {

void ClickAt(POINT point, DWORD downFlag, DWORD upFlag) {
    SetCursorPos(point.x, point.y);
    mouse_event(downFlag, 0, 0, 0, 0);
    mouse_event(upFlag, 0, 0, 0, 0);
}

void DoubleClickAt(POINT point) {
    ClickAt(point);
    ClickAt(point);
}

void LeftDownAt(POINT point) {
    SetCursorPos(point.x, point.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
}

void LeftUpAt(POINT point) {
    SetCursorPos(point.x, point.y);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

}  // namespace e2e
