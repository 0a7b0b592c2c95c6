// Tapreel's entry point: makes the window Frmmain and runs the message loop
// until the window is gone.
#include <windows.h>

#include "common/win32/trace_win32.h"
#include "tapreel/ui/frmmain_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    win32::InstallDebugTrace();
    tapreel::FrmmainWindow window;
    if (!window.Create(instance, showCommand)) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab between the controls and Alt + the access letter of a caption.
        if (window.Handle() && IsWindow(window.Handle()) && IsDialogMessageW(window.Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
