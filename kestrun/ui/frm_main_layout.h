// Where FrmMain's controls stand, with their captions and tooltips. Positions
// are twips in the client area (15 twips a pixel at 96 DPI); the window turns
// them into pixels at its DPI. Frames are drawn as group boxes beside the
// controls they hold, so every position here is relative to the client area.
#pragma once

#include <span>
#include <string_view>

namespace kestrun {

inline constexpr int kClientWidthTwips = 8310;
inline constexpr int kClientHeightTwips = 11745;

enum class ControlKind { Button, ColourButton, Edit, ListBox, CheckBox, Label, ColourLabel, Frame };

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
}  // namespace id

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
