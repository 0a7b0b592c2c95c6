// The state of Kestrun's main window FrmMain: the rows of List1, the captions
// and texts of its controls, the paste and URL lists, the reference bitmaps,
// and the run state. Everything that decides something reads and writes it
// here; the Win32 window only renders it and turns messages into calls.
//
// The run state is the caption of CmdGoto, as the rest of the program asks
// "is the caption 停止执行?" through IsRunning().
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/image.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

inline constexpr std::string_view kCaptionStart = "开始执行";
inline constexpr std::string_view kCaptionStop = "停止执行";
inline constexpr std::string_view kCaptionRecord = "录制(&R)";
inline constexpr std::string_view kCaptionRecordStop = "停止(&T)";

inline constexpr int32_t kColourLightGreen = 128 + 256 * 255 + 65536 * 128;  // RGB(128, 255, 128)
inline constexpr int32_t kColourLightRed = 255 + 256 * 128 + 65536 * 128;    // RGB(255, 128, 128)
// Stands for "the system's window background colour" until the window renders it.
inline constexpr int32_t kColourSystemWindow = -2;

// The composer's coordinate boxes txtScreenX / txtScreenY are control arrays
// of six: 0 bitmap test, 1 colour test, 2 mouse click, 3 drag start, 4 drag
// end, 5 paste text.
inline constexpr int kScreenBoxCount = 6;
// The side in pixels of the capture box Picture2(0) and of the screen block
// a pick copies into it.
inline constexpr int kCaptureBoxSide = 40;

// Which part of the window changed, so the view can redraw just that.
enum class Control {
    List1,    // rows or selection
    CmdGoto,  // caption or colour
    TxtRound,
    ChkShut,
    ChkDingshi,
    TxtStartime,
    CmbPaste,
    CmbUrl,
    LabelColor,
    Bitmaps,       // the reference bitmap table (Picture1 / Picture2)
    TxtScreenXY0,  // background of txtScreenX(0) and txtScreenY(0)
    Cmdrecord,
    ExportTooltip,  // the current plan file path
    // The composer's fields in Frame1.
    TxtScreenXY,  // the texts of txtScreenX(0..5) and txtScreenY(0..5)
    TxtColor,     // text and background
    CmbMouse,
    TxtKeyName,
    TxtFilename,
    TxtTime,
    CaptureBox,  // the image of Picture2(0)
    Pinned,      // the window is kept above other windows
    // Stays last: the window draws every part up to here when it opens.
    Last = Pinned,
};

struct ColourLabel {
    std::string caption;
    int32_t backColour = kColourSystemWindow;
};

// One entry of the reference bitmap table: the stored image (Picture2) and
// the live screen block the bitmap test copies beside it (Picture1).
struct BitmapEntry {
    platform::Image reference{40, 40};
    platform::Image live{40, 40};
};

class MainModel {
public:
    std::function<void(Control)> onChanged;  // set by the view

    // --- List1 ---
    const std::vector<std::string>& Rows() const { return rows_; }
    int RowCount() const { return int(rows_.size()); }
    // The row's text, or the empty text when i names no row.
    std::string Row(int32_t i) const;
    void SetRows(std::vector<std::string> rows);
    void AddRow(std::string line);
    void SetRowText(int i, std::string line);
    void RemoveRow(int i);
    int SelectedRow() const { return selected_; }
    // Selects row i (-1 clears the selection; other values outside the list
    // leave it as it is). Does not count as a click.
    void SetSelection(int i);

    // --- Run state ---
    bool IsRunning() const { return cmdGotoCaption_ == kCaptionStop; }
    const std::string& CmdGotoCaption() const { return cmdGotoCaption_; }
    int32_t CmdGotoColour() const { return cmdGotoColour_; }
    void SetCmdGoto(std::string_view caption, int32_t colour);
    int32_t instructionPointer = 0;
    int32_t cycleCounter = 0;
    bool timer2Enabled = false;  // the capture tool is watching mouse or keyboard
    bool IsRecording() const { return cmdrecordCaption_ == kCaptionRecordStop; }
    const std::string& CmdrecordCaption() const { return cmdrecordCaption_; }
    void SetCmdrecordCaption(std::string_view caption);

    // --- Run options ---
    const std::string& TxtRound() const { return txtRound_; }
    void SetTxtRound(std::string text);
    bool ChkShut() const { return chkShut_; }
    void SetChkShut(bool ticked);
    bool ChkDingshi() const { return chkDingshi_; }
    void SetChkDingshi(bool ticked);
    const std::string& TxtStartime() const { return txtStartime_; }
    void SetTxtStartime(std::string text);

    // --- Paste list and URL list (CmbPaste, CmbUrl) ---
    std::vector<std::string>& PasteEntries() { return pasteEntries_; }
    std::vector<std::string>& UrlEntries() { return urlEntries_; }
    const std::string& CmbPasteText() const { return cmbPasteText_; }
    const std::string& CmbUrlText() const { return cmbUrlText_; }
    // The user types into the edit part; the entries stay.
    void SetCmbPasteText(std::string text);
    void SetCmbUrlText(std::string text);
    void SetPasteList(std::vector<std::string> entries, std::string text);
    void SetUrlList(std::vector<std::string> entries, std::string text);
    // Takes the first entry out of a list (for "列表").
    std::string TakeFirstPasteEntry();
    std::string TakeFirstUrlEntry();
    std::string pasteListPath;
    std::string urlListPath;

    // --- The current plan file path (the export button's tooltip) ---
    const std::string& CurrentPlanPath() const { return currentPlanPath_; }
    void SetCurrentPlanPath(std::string path);

    // --- LabelColor 0 (found) and 1 (expected) ---
    const ColourLabel& LabelColor(int i) const { return labelColor_[i & 1]; }
    void SetLabelColor(int i, ColourLabel label);

    // --- Reference bitmap table, by bitmap number from 1 ---
    std::map<int, BitmapEntry>& Bitmaps() { return bitmaps_; }
    const std::map<int, BitmapEntry>& Bitmaps() const { return bitmaps_; }
    int HighestBitmapNumber() const { return bitmaps_.empty() ? 0 : bitmaps_.rbegin()->first; }
    void BitmapsChanged() { Changed(Control::Bitmaps); }

    // --- txtScreenX(0) / txtScreenY(0) background ---
    int32_t TxtScreenXY0Colour() const { return txtScreenXY0Colour_; }
    void SetTxtScreenXY0Colour(int32_t colour);

    // --- The composer's fields (Frame1) ---
    // Box i of txtScreenX / txtScreenY; the empty text, or no change, for an
    // index outside 0..5.
    const std::string& TxtScreenX(int i) const;
    const std::string& TxtScreenY(int i) const;
    void SetTxtScreenX(int i, std::string text);
    void SetTxtScreenY(int i, std::string text);
    const std::string& TxtColor() const { return txtColor_; }
    void SetTxtColor(std::string text);
    int32_t TxtColorBackColour() const { return txtColorBackColour_; }
    void SetTxtColorBackColour(int32_t colour);
    const std::string& CmbMouseText() const { return cmbMouseText_; }
    void SetCmbMouseText(std::string text);
    const std::string& TxtKeyName() const { return txtKeyName_; }
    void SetTxtKeyName(std::string text);
    const std::string& TxtFilename() const { return txtFilename_; }
    void SetTxtFilename(std::string text);
    const std::string& TxtTime() const { return txtTime_; }
    void SetTxtTime(std::string text);
    // The capture box Picture2(0): the block the last bitmap pick copied.
    const platform::Image& CaptureBox() const { return captureBox_; }
    void SetCaptureBox(platform::Image image);
    // The index of the last pressed pick button CmdGetXY (a 16-bit number).
    int16_t pickMode = 0;
    // Whether the window is kept in the topmost band; every start is unpinned.
    bool Pinned() const { return pinned_; }
    void SetPinned(bool pinned);

    // --- Paths fixed at start-up ---
    std::string programFolder;  // ends in "\"
    std::string runLogPath;
    bool loggingOn = true;
    // Set when the window is being closed: a wait in progress ends at its
    // next slice instead of keeping the program alive without a window.
    bool closing = false;

private:
    void Changed(Control c) {
        if (onChanged) onChanged(c);
    }

    std::vector<std::string> rows_;
    int selected_ = -1;
    std::string cmdGotoCaption_{kCaptionStart};
    int32_t cmdGotoColour_ = kColourLightGreen;
    std::string cmdrecordCaption_{kCaptionRecord};
    std::string txtRound_;
    bool chkShut_ = false;
    bool chkDingshi_ = false;
    std::string txtStartime_ = "08:30";
    std::vector<std::string> pasteEntries_;
    std::vector<std::string> urlEntries_;
    std::string cmbPasteText_ = "测试文字";
    std::string cmbUrlText_;
    std::string currentPlanPath_;
    ColourLabel labelColor_[2];
    std::map<int, BitmapEntry> bitmaps_;
    int32_t txtScreenXY0Colour_ = kColourSystemWindow;
    std::string txtScreenX_[kScreenBoxCount] = {"100", "100", "100", "", "200", "100"};
    std::string txtScreenY_[kScreenBoxCount] = {"100", "100", "100", "", "200", "100"};
    std::string txtColor_ = "835111";
    int32_t txtColorBackColour_ = kColourSystemWindow;
    std::string cmbMouseText_{script::ClickKindText(script::ClickKind::LeftClick)};
    std::string txtKeyName_;
    std::string txtFilename_;
    std::string txtTime_ = "5000";
    platform::Image captureBox_{kCaptureBoxSide, kCaptureBoxSide};
    bool pinned_ = false;
};

}  // namespace kestrun
