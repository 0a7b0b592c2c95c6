#include "kestrun/editor/composer.h"

#include <array>
#include <optional>
#include <utility>

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/actions/keys.h"
#include "kestrun/script/plan_file.h"

namespace kestrun {

namespace {

constexpr uint32_t kRefusalFlags = platform::mb::kOk | platform::mb::kIconExclamation;
constexpr uint32_t kHelpFlags = platform::mb::kOk | platform::mb::kIconInformation;

// The rows of the composer, by CmdOrder Index.
enum class Row { kBitmap = 0, kColour, kClick, kDrag, kPaste, kKey, kFile, kUrl, kWait };

constexpr std::array<std::string_view, kMenuRightCount> kMenuRightCaptions = {
    "修改(&E)", "新增更多(&N)", "上移(&U)", "下移(&D)", "删除(&K)", "清空(&C)", "导入(&O)", "导出(&S)",
};

using T = MenuNewEntry::Test;
using K = script::InstructionKind;
using D = MenuNewEntry::Default;
constexpr MenuNewEntry kSeparator{};

// The submenu, by Index; the window builds its menu from this table.
constexpr std::array<MenuNewEntry, kMenuNewCount> kMenuNew = {{
    {"鼠标滚动", "请输入鼠标所在坐标及滚动步数，格数可为正数，也可为负数，坐标可输入也可不输入，比如100,100,3或-2",
     "新增鼠标滚动指令", "", T::kNotBlank, K::Scroll, ""},
    kSeparator,
    {"比较剪切板文字",
     "请输入待比较的剪切板，如果包含该文字，将执行后续动作，否则请输入后退的步数或跳过的步数，输入格式如：Kestrun,"
     "1或Kestrun,-2",
     "新增剪切板文字比较指令", "", T::kNotBlank, K::ClipboardTest, ""},
    kSeparator,
    {"复制文件", "请输入待复制的文件的原始路径及目标路径，比如：c:\\文档1.docx,d:\\文档1.docx", "新增文件复制指令", "",
     T::kNotBlank, K::FileOperation, script::kFileCopy},
    {"移动文件", "请输入待移动的文件的原始路径及目标路径，比如：c:\\文档1.docx,d:\\文档2.docx", "新增文件移动指令", "",
     T::kNotBlank, K::FileOperation, script::kFileMove},
    {"删除文件", "请输入待删除的文件的路径，比如：c:\\文档1.docx", "新增文件删除指令", "", T::kNotBlank,
     K::FileOperation, script::kFileDelete},
    kSeparator,
    {"激活窗口", "请输入待激活的窗口的标题，比如：记事本", "新增窗口激活指令", "", T::kNotBlank, K::WindowOperation,
     "激活"},
    {"置顶窗口", "请输入待置顶的窗口的标题，比如：记事本", "新增窗口置顶指令", "", T::kNotBlank, K::WindowOperation,
     "置顶"},
    {"取消置顶窗口", "请输入欲取消置顶的窗口的标题，比如：记事本", "新增取消窗口置顶指令", "", T::kNotBlank,
     K::WindowOperation, "取消置顶"},
    {"最大化窗口", "请输入待最大化的窗口的标题，比如：记事本", "新增最大化窗口指令", "", T::kNotBlank,
     K::WindowOperation, "最大化"},
    {"最小化窗口", "请输入待最小化的窗口的标题，比如：记事本", "新增最小化窗口指令", "", T::kNotBlank,
     K::WindowOperation, "最小化"},
    {"还原窗口", "请输入待还原的窗口的标题，比如：记事本", "新增还原或恢复窗口指令", "", T::kNotBlank,
     K::WindowOperation, "还原"},
    {"隐藏窗口", "请输入待隐藏的窗口的标题，比如：记事本", "新增隐藏窗口指令", "", T::kNotBlank, K::WindowOperation,
     "隐藏"},
    {"显示窗口", "请输入待显示的窗口的标题，比如：记事本", "新增显示窗口指令", "", T::kNotBlank, K::WindowOperation,
     "显示"},
    {"关闭窗口", "请输入待关闭的窗口的标题，比如：记事本", "新增关闭窗口指令", "", T::kNotBlank, K::WindowOperation,
     "关闭"},
    {"半透明窗口", "请输入待半透明的窗口的标题，比如：记事本", "新增半透明窗口指令", "", T::kNotBlank,
     K::WindowOperation, "半透明"},
    kSeparator,
    {"屏幕截图", "请输入屏幕截图后保存的jpg图像的质量数0-100，越大质量越好，默认80", "新增截图指令", "80", T::kQuality,
     K::Screenshot, script::kShotScreen},
    {"窗口截图", "请输入活动窗口截图后保存的jpg图像的质量数0-100，越大质量越好，默认80", "新增截图指令", "80",
     T::kQuality, K::Screenshot, script::kShotWindow},
    {"区域截图", "请输入区域截图后保存的jpg图像的质量数0-100，越大质量越好，默认80，以及起始坐标及长宽大小",
     "新增截图指令", "80,0,0,1200,800", T::kNotEmpty, K::Screenshot, script::kShotRegion},
    kSeparator,
    {"等待颜色",
     "请输入坐标、颜色值、最长等待毫秒数和超时后后退的步数（负数为跳过的步数），比如：100,100,835111,10000,0",
     "新增等待颜色指令", "", T::kNotBlank, K::WaitColour, "", D::kColourRow},
    {"等待位图", "请输入位图左上角坐标、最长等待毫秒数和超时后后退的步数，比如：100,100,10000,0", "新增等待位图指令",
     "", T::kNotBlank, K::WaitBitmap, "", D::kBitmapRow, true},
    {"等待窗口", "请输入窗口标题、最长等待毫秒数和超时后后退的步数，比如：记事本,10000,0", "新增等待窗口指令", "",
     T::kNotBlank, K::WaitWindow, ""},
    {"查找颜色",
     "请输入查找区域的左上角和右下角坐标、颜色值、容差(0-255)和找不到时后退的步数，比如：0,0,1280,1024,835111,10,0",
     "新增查找颜色指令", "", T::kNotBlank, K::FindColour, "", D::kScreenAndColour},
    {"查找位图", "请输入查找区域的左上角和右下角坐标、容差(0-255)和找不到时后退的步数，比如：0,0,1280,1024,10,0",
     "新增查找位图指令", "", T::kNotBlank, K::FindBitmap, "", D::kScreen, true},
    {"窗口坐标", "请输入作为坐标原点的窗口标题（输入“屏幕”回到屏幕坐标），比如：记事本", "新增窗口坐标指令", "",
     T::kNotBlank, K::WindowOrigin, ""},
}};

bool Passes(T test, const std::string& answer) {
    switch (test) {
        case T::kNone:
            return false;
        case T::kNotBlank:
            return !text::Trim(answer).empty();
        case T::kNotEmpty:
            return !answer.empty();
        case T::kQuality: {
            // 100 itself is refused, as are 0 and answers that are no number.
            const double quality = text::LeadingNumber(answer);
            return quality > 0 && quality < 100;
        }
    }
    return false;
}

}  // namespace

std::string_view MenuRightCaption(int index) {
    if (index < 0 || index >= kMenuRightCount) return {};
    return kMenuRightCaptions[size_t(index)];
}

const MenuNewEntry& MenuNewItem(int index) {
    if (index < 0 || index >= kMenuNewCount) return kSeparator;
    return kMenuNew[size_t(index)];
}

// --- Helpers ---

bool Composer::Require(bool present, std::string_view message) {
    if (!present) dialogs_.MessageBox(std::string(message), std::string(kTitleNotice), kRefusalFlags);
    return present;
}

int32_t Composer::AskJump(std::string_view prompt) {
    const std::string answer =
        dialogs_.InputBox(std::string(prompt), std::string(kTitleNotice), std::string(kDefaultJump));
    // Only a text that is a number as a whole counts; words, an empty answer
    // and Cancel leave the jump at 0, and so does a number beyond the range
    // of the instruction pointer.
    const std::optional<double> number = text::StrictNumber(answer);
    if (!number) return 0;
    return text::ToInt32(*number).value_or(0);
}

void Composer::SelectRow(int row) {
    if (rowClick) {
        rowClick(row);
    } else {
        model_.SetSelection(row);
    }
}

void Composer::AppendAndSelect(std::string line) {
    model_.AddRow(std::move(line));
    SelectRow(model_.RowCount() - 1);
}

// --- Add from a row ---

void Composer::CmdOrder(int index) {
    const MainModel& m = model_;
    switch (Row(index)) {
        case Row::kBitmap:
            return AddBitmapTest();
        case Row::kColour:
            return AddColourTest();
        case Row::kClick:
            if (!Require(!m.TxtScreenX(kBoxClick).empty() && !m.TxtScreenY(kBoxClick).empty(), kMessageIncomplete)) {
                return;
            }
            return AppendAndSelect(
                script::WriteLine(K::MouseClick, {m.TxtScreenX(kBoxClick), m.TxtScreenY(kBoxClick), m.CmbMouseText()}));
        case Row::kDrag:
            if (!Require(!m.TxtScreenX(kBoxDragStart).empty() && !m.TxtScreenY(kBoxDragStart).empty() &&
                             !m.TxtScreenX(kBoxDragEnd).empty() && !m.TxtScreenY(kBoxDragEnd).empty(),
                         kMessageIncomplete)) {
                return;
            }
            return AppendAndSelect(
                script::WriteLine(K::MouseDrag, {m.TxtScreenX(kBoxDragStart), m.TxtScreenY(kBoxDragStart),
                                                 m.TxtScreenX(kBoxDragEnd), m.TxtScreenY(kBoxDragEnd)}));
        case Row::kPaste:
            if (!Require(
                    !m.TxtScreenX(kBoxPaste).empty() && !m.TxtScreenY(kBoxPaste).empty() && !m.CmbPasteText().empty(),
                    kMessageIncomplete)) {
                return;
            }
            return AppendAndSelect(
                script::WriteLine(K::PasteText, {m.TxtScreenX(kBoxPaste), m.TxtScreenY(kBoxPaste), m.CmbPasteText()}));
        case Row::kKey:
            if (!Require(!m.TxtKeyName().empty(), kMessageNoKeyName)) return;
            return AppendAndSelect(script::WriteLine(K::Key, {m.TxtKeyName()}));
        case Row::kFile:
            if (!Require(!m.TxtFilename().empty(), kMessageNoFilePath)) return;
            return AppendAndSelect(script::WriteLine(K::OpenFile, {m.TxtFilename()}));
        case Row::kUrl:
            // A loaded URL list wins over whatever address is typed.
            if (!model_.UrlEntries().empty()) {
                return AppendAndSelect(script::WriteLine(K::OpenUrl, {script::kListWord}));
            }
            if (!Require(!m.CmbUrlText().empty(), kMessageNoUrl)) return;
            return AppendAndSelect(script::WriteLine(K::OpenUrl, {m.CmbUrlText()}));
        case Row::kWait:
            if (!Require(!m.TxtTime().empty(), kMessageNoWaitTime)) return;
            if (!Require(text::StrictNumber(m.TxtTime()).has_value(), kMessageWaitNotNumber)) return;
            return AppendAndSelect(script::WriteLine(K::Wait, {m.TxtTime()}));
    }
}

bool Composer::BitmapTableHasRoom() {
    // The table cannot take a number above the highest there can be, so the
    // user is told before being asked anything.
    return Require(model_.HighestBitmapNumber() < kHighestBitmapNumber, kMessageBitmapTableFull);
}

std::optional<int> Composer::TakeNewBitmap() {
    // The number is taken after the input box, from the table as it is now.
    const int number = model_.HighestBitmapNumber() + 1;
    if (number > kHighestBitmapNumber) return std::nullopt;
    BitmapEntry entry;
    const platform::Image& capture = model_.CaptureBox();
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) entry.reference.Set(x, y, capture.At(x, y));
    }
    entry.hasReference = true;
    model_.EditBitmaps([&](auto& bitmaps) { bitmaps[number] = std::move(entry); });
    return number;
}

void Composer::AddBitmapTest() {
    // No field is tested: empty coordinates still give a line.
    if (!BitmapTableHasRoom()) return;
    const int32_t jump = AskJump(kPromptBitmapJump);
    const std::optional<int> number = TakeNewBitmap();
    if (!number) return;
    AppendAndSelect(script::WriteLine(K::BitmapTest, {text::IntToText(*number), model_.TxtScreenX(kBoxBitmap),
                                                      model_.TxtScreenY(kBoxBitmap), text::IntToText(jump)}));
}

void Composer::AddColourTest() {
    if (!Require(!model_.TxtScreenX(kBoxColour).empty() && !model_.TxtScreenY(kBoxColour).empty() &&
                     !model_.TxtColor().empty(),
                 kMessageIncomplete)) {
        return;
    }
    const int32_t jump = AskJump(kPromptColourJump);
    // The fields are read after the input box: that is what the user saw
    // when answering it.
    AppendAndSelect(script::WriteLine(K::ColourTest, {model_.TxtScreenX(kBoxColour), model_.TxtScreenY(kBoxColour),
                                                      model_.TxtColor(), text::IntToText(jump)}));
}

// --- Add from the submenu ---

std::string Composer::MenuNewDefault(const MenuNewEntry& entry) const {
    const MainModel& m = model_;
    const platform::Point screen = screenSize ? screenSize() : platform::Point{};
    const std::string area = "0,0," + text::IntToText(screen.x) + "," + text::IntToText(screen.y) + ",";
    switch (entry.defaultFrom) {
        case D::kFixed:
            break;
        case D::kColourRow:
            return m.TxtScreenX(kBoxColour) + "," + m.TxtScreenY(kBoxColour) + "," + m.TxtColor() + ",10000,0";
        case D::kBitmapRow:
            return m.TxtScreenX(kBoxBitmap) + "," + m.TxtScreenY(kBoxBitmap) + ",10000,0";
        case D::kScreenAndColour:
            return area + m.TxtColor() + ",0,0";
        case D::kScreen:
            return area + "0,0";
    }
    return std::string(entry.defaultAnswer);
}

void Composer::MenuNew(int index) {
    const MenuNewEntry& entry = MenuNewItem(index);
    if (entry.IsSeparator()) return;
    if (entry.takesBitmap && !BitmapTableHasRoom()) return;
    const std::string answer =
        dialogs_.InputBox(std::string(entry.prompt), std::string(entry.title), MenuNewDefault(entry));
    if (!Passes(entry.test, answer)) return;
    std::string line;
    if (entry.takesBitmap) {
        const std::optional<int> number = TakeNewBitmap();
        if (!number) return;
        line = script::WriteLine(entry.kind, {text::IntToText(*number), answer});
    } else if (entry.operation.empty()) {
        line = script::WriteLine(entry.kind, {answer});
    } else {
        line = script::WriteLine(entry.kind, {entry.operation, answer});
    }
    // The selection stays where it was.
    model_.AddRow(std::move(line));
}

// --- Editing and the context menu ---

void Composer::EditLine(EditSource source) {
    const int row = model_.SelectedRow();
    if (row < 0 || row >= model_.RowCount()) return;
    const std::string_view prompt = source == EditSource::kDoubleClick ? kEditPromptDoubleClick : kEditPromptMenu;
    const std::string answer = dialogs_.InputBox(std::string(prompt), std::string(kEditTitle), model_.Row(row));
    if (answer.empty()) return;
    // A run may move the selection while the box is open; the answer belongs
    // to the line the user was shown.
    model_.SetRowText(row, answer);
}

void Composer::MenuRightClick(int index) {
    switch (MenuRight(index)) {
        case MenuRight::kEdit:
            return EditLine(EditSource::kMenu);
        case MenuRight::kAddMore:
            return;
        case MenuRight::kMoveUp:
        case MenuRight::kMoveDown:
        case MenuRight::kDelete:
        case MenuRight::kClear:
        case MenuRight::kImport:
        case MenuRight::kExport:
            // The entries carry the captions of the list-management buttons
            // and do what those buttons do.
            return lists_.CmdListManger(index - int(MenuRight::kMoveUp));
    }
}

void Composer::LabKeyClick() { dialogs_.MessageBox(keys::KeyNameHelpText(), std::string(kTitleNotice), kHelpFlags); }

}  // namespace kestrun
