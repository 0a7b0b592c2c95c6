// The instruction composer: the add buttons of Frame1 (CmdOrder 0..8), the
// "新增更多(&N)" submenu (menuNew), editing a line, and the list's context
// menu (menuright). Each add reads the fields of the model at the moment of
// the click, checks them, and appends one instruction line at the end of
// List1, whatever row is selected:
//
//   CmdOrder 0  比较位图=N,x,y,J      N a new reference bitmap entry, J asked
//   CmdOrder 1  判断颜色=x,y,colour,J
//   CmdOrder 2  鼠标点击=x,y,kind     CmdOrder 3  鼠标拖拉=x3,y3,x4,y4
//   CmdOrder 4  粘贴文字=x,y,text     CmdOrder 5  模拟按键=key text
//   CmdOrder 6  打开文件=path         CmdOrder 7  打开网址=address or 列表
//   CmdOrder 8  等待时间=milliseconds
//
// Texts are written exactly as the user typed them: nothing is trimmed, so
// a coordinate written as an expression with "R" goes into the line as is.
// An add from a row selects the new line as a click on it would (during a
// run the run goes on there); an add from the submenu leaves the selection.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform/desktop.h"
#include "common/platform/dialogs.h"
#include "kestrun/editor/list_manager.h"
#include "kestrun/model/main_model.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

// The refusals of the add buttons (title "提示", exclamation icon, OK).
inline constexpr std::string_view kMessageIncomplete = "内容不完整!";
inline constexpr std::string_view kMessageNoKeyName = "按键名称未填写!";
inline constexpr std::string_view kMessageNoFilePath = "文件路径未填写!";
inline constexpr std::string_view kMessageNoUrl = "网址未填写!";
inline constexpr std::string_view kMessageNoWaitTime = "等待时间未填写!";
inline constexpr std::string_view kMessageWaitNotNumber = "等待时间必须输入数字!";
// Shown instead of the jump prompt when the reference bitmap table already
// holds the highest bitmap number there can be.
inline constexpr std::string_view kMessageBitmapTableFull = "位图编号已达上限 32767，不能再新增比较位图指令!";

// The mismatch jump prompts of the bitmap and the colour test (title "提示",
// default answer "0").
inline constexpr std::string_view kPromptBitmapJump =
    " 请告诉我假如图像不匹配的话，要回退或前进几步? 前进负数，回退正数  ";
inline constexpr std::string_view kPromptColourJump =
    " 请告诉我假如颜色不匹配的话，要回退或前进几步?  前进负数，回退正数 ";
inline constexpr std::string_view kDefaultJump = "0";

// Editing a line.
inline constexpr std::string_view kEditTitle = "编辑指令";
inline constexpr std::string_view kEditPromptDoubleClick = "需要修改当前指令吗？请输入新的指令内容，请注意格式";
inline constexpr std::string_view kEditPromptMenu = "需要修改当前指令吗？请输入新的指令内容";

// The Index of each entry of the context menu mnright.
enum class MenuRight {
    kEdit = 0,
    kAddMore = 1,
    kMoveUp = 2,
    kMoveDown = 3,
    kDelete = 4,
    kClear = 5,
    kImport = 6,
    kExport = 7,
};
inline constexpr int kMenuRightCount = 8;
// Its captions, by Index.
std::string_view MenuRightCaption(int index);

// One entry of the submenu menuNew. Separators have an empty caption and no
// prompt; selecting them does nothing.
struct MenuNewEntry {
    enum class Test { kNone, kNotBlank, kQuality, kNotEmpty };
    std::string_view caption;
    std::string_view prompt;
    std::string_view title;
    std::string_view defaultAnswer;
    Test test = Test::kNone;
    // The line written: the kind's keyword, the operation as the first field
    // when there is one, then the answer unchanged.
    script::InstructionKind kind = script::InstructionKind::None;
    std::string_view operation;
    // Where the default answer comes from: the fixed text, or the fields of
    // the colour row, of the bitmap row, or the screen's size.
    enum class Default { kFixed, kColourRow, kBitmapRow, kScreenAndColour, kScreen };
    Default defaultFrom = Default::kFixed;
    // The line's first field is a new reference bitmap, copied from the
    // capture box as the bitmap test's button does.
    bool takesBitmap = false;
    bool IsSeparator() const { return caption.empty(); }
};
inline constexpr int kMenuNewCount = 29;
// The entry of an Index 0..28; a separator for any other Index.
const MenuNewEntry& MenuNewItem(int index);

// Where an edit comes from: the prompt differs.
enum class EditSource { kDoubleClick, kMenu };

class Composer {
public:
    Composer(MainModel& model, platform::Dialogs& dialogs, ListManager& lists)
        : model_(model), dialogs_(dialogs), lists_(lists) {}

    // Selects a row as the user's click on it would (during a run the
    // instruction pointer follows). Unset, the row is only selected.
    std::function<void(int)> rowClick;
    // The screen's size, for the default answers of the searches; unset, it
    // is 0 x 0.
    std::function<platform::Point()> screenSize;

    // The click handler of CmdOrder; other indexes do nothing.
    void CmdOrder(int index);
    // The click handler of menuNew; separators and other indexes do nothing.
    void MenuNew(int index);
    // The click handler of menuright: 0 edits the selected line, 1 only opens
    // the submenu (the window shows it), 2 to 7 do what the list-management
    // buttons of the same captions do.
    void MenuRightClick(int index);
    // Rewrites the selected line with the user's answer; nothing happens
    // without a selected line or with an empty answer.
    void EditLine(EditSource source);
    // A click on the key label LabKey: the key-name help.
    void LabKeyClick();

private:
    void AddBitmapTest();
    // The bitmap table can take one more number; says so when it cannot.
    bool BitmapTableHasRoom();
    // A new reference bitmap, numbered after the highest, holding the
    // capture box; nothing when the table is full.
    std::optional<int> TakeNewBitmap();
    std::string MenuNewDefault(const MenuNewEntry& entry) const;
    void AddColourTest();
    // Shows the refusal and returns false unless the condition holds.
    bool Require(bool present, std::string_view message);
    // Asks the mismatch jump: the answer as a whole number, 0 for anything
    // that is not a number.
    int32_t AskJump(std::string_view prompt);
    // Appends the line and selects it.
    void AppendAndSelect(std::string line);
    void SelectRow(int row);

    MainModel& model_;
    platform::Dialogs& dialogs_;
    ListManager& lists_;
};

}  // namespace kestrun
