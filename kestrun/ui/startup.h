// Start-up and close-down of the main window: the program folder and the
// run log path, the working folders, restoring the last plan and options from
// lastplan.ini (or from a settings file named on the command line, which then
// starts a run at once), and writing lastplan.ini back at close-down after a
// plan was exported.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/platform/files.h"
#include "common/text/codec.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/settings_file.h"

namespace kestrun {

inline constexpr std::string_view kRunLogFileName = "日志.txt";

// The folder with "\" appended unless it already ends in one (which it does
// only at a drive root).
std::string WithTrailingBackslash(std::string folder);

// Applies the settings in order, each only when its value meets its
// condition: a plan or list file must exist, "定时执行" and "结束关机" tick
// and "结束退出" holds only on "1", "定时时间" needs a value, and "循环次数" needs a leading number
// above 0 (TxtRound then takes the value's text, not the number).
void ApplySettings(const std::vector<Setting>& settings, MainModel& model, platform::FileSystem& files,
                   ListManager& lists);

// Runs once, before the window is shown. argument is the program's whole
// command-line argument text; startRun performs the start of a run that
// nobody is at the desk for.
void StartUp(const std::string& argument, MainModel& model, RunLog& log, platform::FileSystem& files,
             ListManager& lists, const text::AnsiCodec& codec, const std::function<void()>& startRun);

// Runs once, when the window is unloaded. Writes lastplan.ini only when a
// plan was exported in this run of the program; returns whether it wrote it.
bool CloseDown(const MainModel& model, platform::FileSystem& files, const text::AnsiCodec& codec);

}  // namespace kestrun
