#include "kestrun/model/run_options.h"

#include <utility>

namespace kestrun {

void RunOptions::SetTxtRound(std::string text) {
    txtRound_ = std::move(text);
    Changed(ModelPart::TxtRound);
}

void RunOptions::SetChkShut(bool ticked) {
    chkShut_ = ticked;
    Changed(ModelPart::ChkShut);
}

void RunOptions::SetChkDingshi(bool ticked) {
    chkDingshi_ = ticked;
    Changed(ModelPart::ChkDingshi);
}

void RunOptions::SetTxtStartime(std::string text) {
    txtStartime_ = std::move(text);
    Changed(ModelPart::TxtStartime);
}

void RunOptions::SetPinned(bool pinned) {
    if (pinned == pinned_) return;
    pinned_ = pinned;
    Changed(ModelPart::Pinned);
}

}  // namespace kestrun
