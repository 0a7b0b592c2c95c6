// The run options at the foot of the window: the cycle count TxtRound, the
// shut-down box ChkShut, the schedule ChkDingshi / TxtStartime, and whether
// the window is kept above other windows.
#pragma once

#include <string>

#include "kestrun/model/model_part.h"

namespace kestrun {

class RunOptions : public virtual ModelNotifier {
public:
    const std::string& TxtRound() const { return txtRound_; }
    void SetTxtRound(std::string text);
    bool ChkShut() const { return chkShut_; }
    void SetChkShut(bool ticked);
    bool ChkDingshi() const { return chkDingshi_; }
    void SetChkDingshi(bool ticked);
    const std::string& TxtStartime() const { return txtStartime_; }
    void SetTxtStartime(std::string text);
    // Set by "结束退出=1" in a command-line settings file: the program closes
    // itself when that run stops. Nothing shows it.
    bool ExitWhenRunStops() const { return exitWhenRunStops_; }
    void SetExitWhenRunStops(bool exit) { exitWhenRunStops_ = exit; }
    // Every start is unpinned.
    bool Pinned() const { return pinned_; }
    void SetPinned(bool pinned);

private:
    std::string txtRound_;
    bool chkShut_ = false;
    bool chkDingshi_ = false;
    std::string txtStartime_ = "08:30";
    bool pinned_ = false;
    bool exitWhenRunStops_ = false;
};

}  // namespace kestrun
