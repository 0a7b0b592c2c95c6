// The platform services and the portable handlers behind FrmMain: the window
// owns one of these and hands every user action to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/text/codec.h"
#include "common/win32/desktop_win32.h"
#include "common/win32/dialogs_win32.h"
#include "common/win32/files_win32.h"
#include "common/win32/mouse_hook_win32.h"
#include "common/win32/timers_win32.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/editor/capture_tools.h"
#include "kestrun/editor/composer.h"
#include "kestrun/editor/line_tools.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/editor/modrecord.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/run_control.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/ui/product.h"

namespace kestrun {

class FrmMainApp {
public:
    FrmMainApp(HWND hwnd, MainModel& model)
        : desktop(hwnd),
          dialogs(hwnd),
          timers(hwnd),
          codec(text::MakeSystemCodec()),
          log(desktop, files, *codec),
          interpreter(model, desktop, files, log, random),
          runControl(model, desktop, dialogs, timers, log, interpreter, std::string(kProductName)),
          lists(model, files, dialogs, desktop, *codec),
          composer(model, dialogs, lists),
          lineTools(model, desktop, files, dialogs, *codec, random),
          captureTools(model, desktop, dialogs, timers, lists),
          recorder(model, desktop),
          recordHook([this](const platform::MouseHookEvent& event) { return recorder.RecordHookProc(event); }) {
        // The power-off ends the program at once, without the close-down.
        runControl.endProgram = [] { ExitProcess(0); };
        lists.rowClick = [this](int row) { runControl.RowClick(row); };
        composer.rowClick = [this](int row) { runControl.RowClick(row); };
        composer.screenSize = [this] { return desktop.ScreenSize(); };
        recorder.mainWindow = reinterpret_cast<platform::WindowHandle>(hwnd);
        recorder.installHook = [this] { recordHook.Install(); };
        recorder.removeHook = [this] { recordHook.Remove(); };
    }

    win32::Win32Desktop desktop;
    win32::Win32Dialogs dialogs;
    win32::Win32FileSystem files;
    win32::Win32Timers timers;
    std::unique_ptr<text::AnsiCodec> codec;
    DefaultRandomSource random;
    RunLog log;
    Interpreter interpreter;
    RunControl runControl;
    ListManager lists;
    Composer composer;
    LineTools lineTools;
    CaptureTools captureTools;
    Modrecord recorder;
    win32::Win32MouseHook recordHook;
};

}  // namespace kestrun
