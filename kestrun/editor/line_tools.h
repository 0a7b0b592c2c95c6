// The two entries at the end of List1's context menu that look at the plan
// instead of editing it: "检查方案(&A)" checks every row without running
// anything, "执行本行(&X)" runs the selected row once, as a tick would, but
// writes no run-log entry and moves no selection. Each answers in one
// message box with the information icon.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "common/platform/files.h"
#include "common/text/codec.h"
#include "kestrun/actions/random_source.h"
#include "kestrun/model/main_model.h"

namespace kestrun {

enum class LineTool { kCheckPlan = 0, kRunLine = 1 };
inline constexpr std::array<std::string_view, 2> kLineToolCaptions = {"检查方案(&A)", "执行本行(&X)"};

inline constexpr std::string_view kRunLineTitle = "执行结果";
inline constexpr std::string_view kRunLineRefusal = "请先停止执行并选中一行。";

class LineTools {
public:
    LineTools(MainModel& model, platform::Desktop& desktop, platform::FileSystem& files, platform::Dialogs& dialogs,
              const text::AnsiCodec& codec, RandomSource& random)
        : model_(model), desktop_(desktop), files_(files), dialogs_(dialogs), codec_(codec), random_(random) {}

    // The click handler of the entries, by their index in kLineToolCaptions;
    // other indexes do nothing.
    void MenuClick(int index);
    void CheckPlanClick();
    void RunLineClick();

private:
    void Show(const std::string& text, std::string_view title);

    MainModel& model_;
    platform::Desktop& desktop_;
    platform::FileSystem& files_;
    platform::Dialogs& dialogs_;
    const text::AnsiCodec& codec_;
    RandomSource& random_;
};

}  // namespace kestrun
