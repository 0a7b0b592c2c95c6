// The capture tools of the composer: the pick buttons CmdGetXY 0..7 beside
// its rows, the capture timer Timer2 that watches the pointer and F8 (or the
// keyboard, for the key row), the file chooser of the open-file and URL-list
// rows, and the window pin toggle.
//
// A pick runs while Timer2 is on, and the run control refuses to start a run
// meanwhile (the model's timer2Enabled says so). Each tick shows the pointer
// position live in the row of the pick mode; F8 held at a tick takes the pick
// and ends it:
//
//   mode 0  bitmap test   F8: x, y into box 0 and the 40 x 40 screen block
//                         at the pointer into the capture box Picture2(0)
//   mode 1  colour test   live and F8: x, y into box 1, the pixel's colour
//                         number into txtColor (text and background)
//   mode 2  mouse click   live and F8: x, y into box 2
//   mode 3  mouse drag    F8: x, y into box 3 (the start) when box 3's x is
//                         empty, otherwise into box 4 (the end)
//   mode 4  paste text    live and F8: x, y into box 5
//   mode 5  key           the first key read at a tick goes into TxtKeyName
//   mode 6, 7             no pick: the file chooser opens instead
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "common/platform/timers.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/model/main_model.h"

namespace kestrun {

inline constexpr int kTimer2 = 2;  // the capture tool, 100 ms
inline constexpr uint32_t kTimer2Interval = 100;

inline constexpr std::string_view kChooseFileTitle = "请选择文件";
inline constexpr std::string_view kTextFileFilter = "文本文件 (*.txt;*.csv)|*.txt;*.csv";

// The pick modes, by CmdGetXY Index.
enum class PickMode : int16_t {
    kBitmap = 0,
    kColour = 1,
    kClick = 2,
    kDrag = 3,
    kPaste = 4,
    kKey = 5,
    kOpenFile = 6,
    kUrlList = 7,
};

// The program folder as the system reports it: without the "\" that the
// program appends, except at a drive root ("C:\"), where the system's own
// form ends in "\".
std::string ProgramFolderAsReported(std::string_view programFolder);

class CaptureTools {
public:
    CaptureTools(MainModel& model, platform::Desktop& desktop, platform::Dialogs& dialogs, platform::Timers& timers,
                 ListManager& lists)
        : model_(model), desktop_(desktop), dialogs_(dialogs), timers_(timers), lists_(lists) {}

    // The click handler of CmdGetXY: the pick mode becomes index; 0 to 5
    // start the capture timer (a pick already running only changes its
    // mode), 6 and 7 open the file chooser and leave the timer as it is.
    void CmdGetXY(int index);
    // One tick of Timer2.
    void Tick();
    // A double click on the window background: the window is pinned above
    // other windows, or unpinned again.
    void TogglePin(platform::WindowHandle mainWindow);

private:
    void StartTimer();
    void StopTimer();
    void ChooseFile(PickMode mode);
    // The live update of the row of the mode (modes 1, 2 and 4).
    void ShowLive(int16_t mode, platform::Point p);
    void ShowColour(platform::Point p);
    void TakePick(int16_t mode, platform::Point p);
    void CaptureBlock(platform::Point p);

    MainModel& model_;
    platform::Desktop& desktop_;
    platform::Dialogs& dialogs_;
    platform::Timers& timers_;
    ListManager& lists_;
    bool tickRunning_ = false;
};

}  // namespace kestrun
