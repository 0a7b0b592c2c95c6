// The state of Tapreel's window Frmmain: the captions of its two buttons,
// the texts of TxtCs and Combo1, the Chktop tick, the window title, the click
// table of ListView1, and the time base shared by recording and playback.
// Everything that decides something reads and writes it here; the Win32
// window only renders it and turns messages into calls.
//
// The recording and playback states are the captions of Cmdrecord and
// CmdJianK, as the rest of the program asks "is the caption 停止录制(&R)?"
// through IsRecording() and IsPlaying().
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/platform/desktop.h"
#include "tapreel/model/product.h"
#include "tapreel/table/click_table.h"

namespace tapreel {

inline constexpr std::string_view kCaptionRecord = "录制(&R)";
inline constexpr std::string_view kCaptionRecordStop = "停止录制(&R)";
inline constexpr std::string_view kCaptionPlay = "回放(&P)";
inline constexpr std::string_view kCaptionPlayStop = "停止回放(&P)";
inline constexpr std::string_view kCmdJianKTooltip = "点击切换开启或结束挂课";
inline constexpr std::string_view kLabel1Caption = "次数:";
inline constexpr std::string_view kChktopCaption = "置顶(&T)";
inline constexpr std::string_view kLabel2Caption = "屏幕缩放";
inline constexpr std::array<std::string_view, 5> kCombo1Items = {"100%", "125%", "150%", "175%", "200%"};

// Which part of the window changed, so the view can redraw just that. The table
// reports its own changes (ClickTable::onChanged).
enum class ModelPart { kCmdrecord, kCmdJianK, kTxtCs, kChktop, kCombo1, kTitle };

class FrmmainModel {
public:
    std::function<void(ModelPart)> onChanged;  // set by the view

    // --- Cmdrecord ---
    const std::string& CmdrecordCaption() const { return cmdrecordCaption_; }
    bool IsRecording() const { return cmdrecordCaption_ == kCaptionRecordStop; }
    void SetCmdrecordCaption(std::string_view caption);

    // --- CmdJianK ---
    const std::string& CmdJianKCaption() const { return cmdJianKCaption_; }
    bool IsPlaying() const { return cmdJianKCaption_ == kCaptionPlayStop; }
    void SetCmdJianKCaption(std::string_view caption);

    // --- TxtCs (the pass count), empty by default ---
    const std::string& TxtCs() const { return txtCs_; }
    void SetTxtCs(std::string text);

    // --- Chktop (keep on top), unticked by default ---
    bool Chktop() const { return chktop_; }
    void SetChktop(bool ticked);

    // --- Combo1 (screen scaling): the index into kCombo1Items, "100%" by
    // default. Nothing reads it; it is kept so the view shows the choice.
    int Combo1Index() const { return combo1Index_; }
    void SetCombo1Index(int index);

    // --- The window title ---
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);

    // --- ListView1 ---
    ClickTable& Table() { return table_; }
    const ClickTable& Table() const { return table_; }

    // The 32-bit millisecond count from which recording measures the interval
    // of its next record and playback measures the wait of the current row.
    uint32_t timeBase = 0;
    // The program's own window (recording skips events inside it).
    platform::WindowHandle ownWindow = 0;

private:
    void Changed(ModelPart what);

    std::string cmdrecordCaption_{kCaptionRecord};
    std::string cmdJianKCaption_{kCaptionPlay};
    std::string txtCs_;
    bool chktop_ = false;
    int combo1Index_ = 0;
    std::string title_{kWindowTitle};
    ClickTable table_;
};

}  // namespace tapreel
