// Where Frmmain's controls stand. Positions are twips in the client area
// (15 twips a pixel at 96 DPI); the window turns them into pixels at its DPI.
// The controls of the top band keep their places when the window is resized;
// the click table fills the client area below the band.
#pragma once

#include <span>
#include <string_view>

#include "common/platform/control_kind.h"

namespace tapreel {

inline constexpr int kClientWidthTwips = 6615;
inline constexpr int kClientHeightTwips = 2175;
inline constexpr int kBandHeightTwips = 420;

using platform::ControlKind;

// Control ids.
namespace id {
inline constexpr int kCmdrecord = 101;
inline constexpr int kCmdJianK = 102;
inline constexpr int kLabel1 = 103;
inline constexpr int kTxtCs = 104;
inline constexpr int kChktop = 105;
inline constexpr int kLabel2 = 106;
inline constexpr int kCombo1 = 107;
inline constexpr int kListView1 = 110;
inline constexpr int kMenukey = 200;    // menukey(0..1): 200, 201
inline constexpr int kMenuclick = 210;  // menuclick(0..1): 210, 211
}  // namespace id

struct ControlSpec {
    int id;
    ControlKind kind;
    std::string_view name;
    std::string_view caption;  // the initial caption; the model's text wins where it has one
    int left, top, width, height;
};

// The controls of the top band, from left to right.
std::span<const ControlSpec> BandControls();

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// The click table's place for a client area of the given size (in any unit,
// with the band's height in the same unit): at the left edge below the band,
// as wide as the client area, and never of negative size (a client area lower
// than the band, as while minimised, gives the table no height).
TwipsRect TableRect(int clientWidth, int clientHeight, int bandHeight);

}  // namespace tapreel
