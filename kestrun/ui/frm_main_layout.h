// Where FrmMain's controls stand, with their captions and tooltips. Positions
// are twips in the client area (15 twips a pixel at 96 DPI); the window turns
// them into pixels at its DPI. Frames are drawn as group boxes beside the
// controls they hold, so every position here is relative to the client area.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "common/platform/control_kind.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

inline constexpr int kClientWidthTwips = 8310;
inline constexpr int kClientHeightTwips = 11745;

// A combo box's height here is the height of the edit part (the window adds
// the height of the drop-down list).
using platform::ControlKind;

// Control ids: a control array takes consecutive ids from its base + Index.
namespace id {
inline constexpr int kFrame1 = 100;
inline constexpr int kFrame2 = 101;
inline constexpr int kFrame3 = 102;
inline constexpr int kList1 = 110;
inline constexpr int kCmdrecord = 120;
inline constexpr int kCmdListManger = 130;  // 130..135
inline constexpr int kChkDingshi = 140;
inline constexpr int kTxtStartime = 141;
inline constexpr int kLabelRound = 142;
inline constexpr int kTxtRound = 143;
inline constexpr int kChkShut = 144;
inline constexpr int kCmdGoto = 145;
inline constexpr int kLabelColor = 150;  // 150, 151
// The instruction composer inside Frame1.
inline constexpr int kCmdOrder = 200;    // 200..208
inline constexpr int kCmdGetXY = 210;    // 210..217
inline constexpr int kTxtScreenX = 220;  // 220..225
inline constexpr int kTxtScreenY = 230;  // 230..235
inline constexpr int kTxtColor = 240;
inline constexpr int kCmbMouse = 241;
inline constexpr int kCmbPaste = 242;
inline constexpr int kTxtKeyName = 243;
inline constexpr int kTxtFilename = 244;
inline constexpr int kCmbUrl = 245;
inline constexpr int kTxtTime = 246;
inline constexpr int kLabKey = 247;    // click: the key-name help
inline constexpr int kLabel2 = 250;    // 250..255, the labels of the composer rows
inline constexpr int kPicture1 = 260;  // Picture1(0)
inline constexpr int kPicture2 = 261;  // Picture2(0), the capture box
}  // namespace id

// The entries of CmbMouse, the click kinds the composer offers.
inline constexpr std::array<std::string_view, 3> kCmbMouseItems = {
    script::ClickKindText(script::ClickKind::LeftClick),
    script::ClickKindText(script::ClickKind::LeftDoubleClick),
    script::ClickKindText(script::ClickKind::RightClick),
};

struct ControlSpec {
    int id;
    ControlKind kind;
    std::string_view name;
    std::string_view caption;
    int left, top, width, height;
    std::string_view tooltip;
};

// The controls that exist from the start (the bitmap holders of Frame2 come
// and go with the reference bitmap table).
std::span<const ControlSpec> MainWindowControls();

// The thumbnails of reference bitmap entry n inside Frame2: the live bitmap
// (Picture1) and the reference image (Picture2), 400 x 400 twips each.
struct TwipsRect {
    int left, top, width, height;
};
TwipsRect LiveBitmapRect(int n);
TwipsRect ReferenceBitmapRect(int n);

}  // namespace kestrun
