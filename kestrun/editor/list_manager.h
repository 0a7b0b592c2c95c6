// The list-management buttons of the main window (the control array
// CmdListManger: move up, move down, delete, clear, import, export), loading a
// plan file, and loading the paste and URL list files. The reference bitmap
// table is kept consistent with the list here: deleting a bitmap test line
// removes its entry, clearing the list removes them all, and a plan brings its
// bitmaps with it.
//
// Plans live in program folder + "process\" + name + ".csv"; their bitmaps in
// program folder + "ScreenShot\" + name + number + ".bmp". Saving spells the
// bitmap folder "ScreenShot\" and loading "screenshot\": the same folder, as
// file names are not case-sensitive on the target system.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "common/platform/files.h"
#include "common/text/codec.h"
#include "kestrun/model/main_model.h"

namespace kestrun {

inline constexpr std::string_view kTitleNotice = "提示";
inline constexpr std::string_view kPromptDeleteLine = "  你真的要删除当前指令吗？   ";
inline constexpr std::string_view kPromptClearList = "  你真的要清空所有指令吗？  ";
inline constexpr std::string_view kImportTitle = "请选择文件";
inline constexpr std::string_view kImportFilter = "方案文件 (*.csv;*.csv)";
inline constexpr std::string_view kExportTitle = "方案保存";
inline constexpr std::string_view kExportPrompt = "  请输入方案文件名";
inline constexpr std::string_view kDefaultPlanPrefix = "方案";
inline constexpr std::string_view kPlanFolder = "process\\";
inline constexpr std::string_view kBitmapSaveFolder = "ScreenShot\\";
inline constexpr std::string_view kBitmapLoadFolder = "screenshot\\";
inline constexpr std::string_view kPlanExtension = ".csv";

// Shown when the plan file itself could not be written; the path follows.
inline constexpr std::string_view kMessagePlanNotSaved = "方案未能保存：";
// Shown when the plan file was written but some of its bitmaps were not.
inline constexpr std::string_view kMessageBitmapsNotSaved = "方案已保存，但以下位图文件未能保存：";
inline constexpr std::string_view kReasonBadName = "方案名含有文件名中不能使用的字符（\\ / : * ? \" < > |）。";
inline constexpr std::string_view kReasonWriteFailed =
    "文件无法写入：文件夹不存在或不可写、同名文件只读或正被使用，或者磁盘已满。";

// The Index of each button of CmdListManger.
enum class ListCommand { kMoveUp = 0, kMoveDown = 1, kDelete = 2, kClear = 3, kImport = 4, kExport = 5 };

class ListManager {
public:
    ListManager(MainModel& model, platform::FileSystem& files, platform::Dialogs& dialogs, platform::Desktop& desktop,
                const text::AnsiCodec& codec)
        : model_(model), files_(files), dialogs_(dialogs), desktop_(desktop), codec_(codec) {}

    // Selects a row as the user's click on it would (during a run the
    // instruction pointer follows). Unset, the row is only selected.
    std::function<void(int)> rowClick;

    // The click handler of CmdListManger; other indexes do nothing.
    void CmdListManger(int index);

    void MoveUp();
    void MoveDown();
    void Delete();
    void Clear();
    void Import();
    // Returns whether the plan file was written.
    bool Export();

    // Replaces the list and the bitmap table with the plan of the file, and
    // loads the list files its header names. Nothing happens when the path
    // is empty or names no file that can be read.
    void LoadPlanFile(const std::string& path);
    // Replace the entries of CmbUrl / CmbPaste with the entries of the file.
    void LoadUrlListFile(const std::string& path);
    void LoadPasteListFile(const std::string& path);

    // "方案" followed by the local date and time as yyyyMMddHHmmss.
    std::string DefaultPlanName();

private:
    void SelectRow(int row);
    bool Confirm(std::string_view prompt);
    // The entries of a list file, or nullopt when it cannot be read.
    std::optional<std::vector<std::string>> ReadEntries(const std::string& path);
    BitmapEntry LoadBitmapEntry(const std::string& baseName, int number);

    MainModel& model_;
    platform::FileSystem& files_;
    platform::Dialogs& dialogs_;
    platform::Desktop& desktop_;
    const text::AnsiCodec& codec_;
};

}  // namespace kestrun
