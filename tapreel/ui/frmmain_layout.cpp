#include "tapreel/ui/frmmain_layout.h"

#include <algorithm>
#include <array>

#include "tapreel/model/frmmain_model.h"

namespace tapreel {

namespace {

// The buttons, the text box, the check box and the drop-down list are 360
// twips high, 30 below the top of the band; the labels sit lower so that
// their text lines up with the text box's.
constexpr int kTop = 30;
constexpr int kHeight = 360;
constexpr int kLabelTop = 90;
constexpr int kLabelHeight = 255;

constexpr std::array<ControlSpec, 7> kBand = {{
    {id::kCmdrecord, ControlKind::kButton, "Cmdrecord", kCaptionRecord, 0, kTop, 1245, kHeight},
    {id::kCmdJianK, ControlKind::kButton, "CmdJianK", kCaptionPlay, 1320, kTop, 1140, kHeight},
    {id::kLabel1, ControlKind::kLabel, "Label1", kLabel1Caption, 2520, kLabelTop, 420, kLabelHeight},
    {id::kTxtCs, ControlKind::kEdit, "TxtCs", "", 2940, kTop, 645, kHeight},
    {id::kChktop, ControlKind::kCheckBox, "Chktop", kChktopCaption, 3675, kTop, 1140, kHeight},
    {id::kLabel2, ControlKind::kLabel, "Label2", kLabel2Caption, 4935, kLabelTop, 840, kLabelHeight},
    {id::kCombo1, ControlKind::kDropDownList, "Combo1", "", 5775, kTop, 750, kHeight},
}};

}  // namespace

std::span<const ControlSpec> BandControls() { return kBand; }

TwipsRect TableRect(int clientWidth, int clientHeight, int bandHeight) {
    return {0, bandHeight, std::max(0, clientWidth), std::max(0, clientHeight - bandHeight)};
}

}  // namespace tapreel
