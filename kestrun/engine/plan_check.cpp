#include "kestrun/engine/plan_check.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/actions/window_ops.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

namespace {

using Kind = script::InstructionKind;
using Line = script::InstructionLine;

constexpr size_t kQuotedCharacters = 20;
constexpr std::string_view kStaysForEver = "，执行到这里会一直停在这一行。";

// A text the user wrote, quoted and cut short so that a huge row cannot make
// a huge message.
std::string Quote(std::string_view text) { return "“" + text::Shortened(text, kQuotedCharacters) + "”"; }

// The keyword without any blank: spaces, tabs, the ideographic space and
// the no-break space, which look alike or like nothing.
std::string WithoutBlanks(std::string_view keyword) {
    std::string out;
    for (size_t i = 0; i < keyword.size();) {
        size_t length = 0;
        char32_t cp = text::DecodeAt(keyword, i, length);
        if (cp != U' ' && cp != U'\t' && cp != U'\u3000' && cp != U'\u00A0') out.append(keyword.substr(i, length));
        i += length;
    }
    return out;
}

class RowChecker {
public:
    RowChecker(const MainModel& model, int row, std::vector<PlanProblem>& problems)
        : model_(model), row_(row), problems_(problems) {}

    void Report(std::string what) { problems_.push_back({row_, std::move(what)}); }

    void NoInstruction(const Line& line) {
        const std::string& keyword = line.KeywordText();
        if (model_.Row(row_).empty()) return Report("空行不是指令" + std::string(kStaysForEver));
        if (script::KindOfKeyword(WithoutBlanks(keyword)) != Kind::None) {
            return Report("指令名" + Quote(keyword) + "多了空格，不是指令" + std::string(kStaysForEver));
        }
        Report(Quote(keyword) + "不是指令" + std::string(kStaysForEver));
    }

    // A mismatch moves the pointer back by jump; a target past the row after
    // the last is off the list, as is any target before the first row.
    void JumpTarget(int64_t target) {
        const int64_t rows = model_.RowCount();
        if (target >= 0 && target <= rows) return;
        std::string where = "不符时跳到第 " + text::IntToText(target + 1) + " 行，在列表之外，";
        Report(where + (target < 0 ? "执行会停在那里不动。" : "本轮会就此结束。"));
    }
    void JumpField(const Line& line, size_t field) { JumpTarget(JumpedPointer(row_, Whole32(line, field))); }

    // An entry loaded without its picture file is compared against its blank
    // white image, so only a white block matches it.
    void ReferenceBitmap(const Line& line) {
        const int32_t n = Whole32(line, 1);
        const auto entry = model_.Bitmaps().find(n);
        if (entry != model_.Bitmaps().end() && entry->second.hasReference) return;
        const bool absent = entry == model_.Bitmaps().end();
        Report("位图 " + text::IntToText(n) + " 没有参考图像，" +
               (absent ? "比较总是不相符。" : "只有纯白的画面才算相符。"));
    }

    void ListWord(std::string_view word, bool listEmpty, std::string_view listName, std::string_view whatHappens) {
        if (!listEmpty || (word != script::kListWord && word != script::kRandomListWord)) return;
        Report(std::string(listName) + "是空的，会把" + Quote(word) + std::string(whatHappens));
    }

    const MainModel& model_;
    const int row_;
    std::vector<PlanProblem>& problems_;
};

// A colour that is no number, and what the line then does.
void ColourField(RowChecker& check, const Line& line, size_t field, std::string_view whatHappens) {
    if (text::StrictNumber(line.Field(field))) return;
    check.Report("颜色" + Quote(line.Field(field)) + "不是数字，" + std::string(whatHappens));
}

void CheckBitmapTest(RowChecker& check, const Line& line) {
    check.ReferenceBitmap(line);
    check.JumpField(line, 4);
}

void CheckColourTest(RowChecker& check, const Line& line) {
    ColourField(check, line, 3, "颜色判断总是算作相符。");
    check.JumpField(line, 4);
}

void CheckClick(RowChecker& check, const Line& line) {
    const script::ClickKind kind = script::KindOfClickText(line.Field(3));
    if (kind != script::ClickKind::None && kind != script::ClickKind::MiddleClick) return;
    check.Report("点击方式" + Quote(line.Field(3)) + "不是左键单击、左键双击或右键单击，只移动鼠标，不点击。");
}

void CheckPaste(RowChecker& check, const Line& line) {
    check.ListWord(line.Field(3), check.model_.PasteEntries().empty(), "粘贴列表", "这几个字粘贴出去。");
}

void CheckOpenUrl(RowChecker& check, const Line& line) {
    check.ListWord(line.ArgumentText(), check.model_.UrlEntries().empty(), "网址列表", "当作网址打开。");
}

void CheckWait(RowChecker& check, const Line& line) {
    const std::string_view duration = script::WaitDurationText(line.ArgumentText());
    if (text::StrictNumber(duration)) return;
    const std::string ms = text::IntToText(script::WaitDuration(line.ArgumentText()).value_or(0));
    check.Report("等待时间" + Quote(duration) + "不是数字，会按 " + ms + " 毫秒等待。");
}

void CheckClipboardTest(RowChecker& check, const Line& line) {
    if (line.FieldCount() < 2) return;
    // The clipboard test moves by the jump's number value; a value beyond
    // the pointer's range leaves the pointer where it is.
    const std::optional<int32_t> target = text::ToInt32(double(check.row_) - text::LeadingNumber(line.Field(2)));
    if (target) check.JumpTarget(*target);
}

void CheckFileOperation(RowChecker& check, const Line& line) {
    if (!script::IsFileOperationWord(line.Field(1))) {
        return check.Report("文件操作" + Quote(line.Field(1)) + "不认识，这一行什么也不做。");
    }
    if (line.Field(2).empty()) check.Report("文件操作没有写文件路径，这一行什么也不做。");
}

void CheckWindowOperation(RowChecker& check, const Line& line) {
    if (!IsWindowOperationWord(line.Field(1))) {
        check.Report("窗口操作" + Quote(line.Field(1)) + "不认识，这一行什么也不做。");
    }
    if (line.Field(2).empty()) check.Report("窗口标题是空的，找不到窗口，这一行只在日志里记一条错误。");
}

// A timeout that is there but is no number is read by its leading number;
// none above 0 makes the wait a single check.
void TimeoutField(RowChecker& check, const Line& line, size_t field) {
    if (line.Field(field).empty() || text::StrictNumber(line.Field(field))) return;
    const int32_t ms = Whole32(line, field);
    check.Report("最长等待" + Quote(line.Field(field)) + "不是数字，" +
                 (ms > 0 ? "会按 " + text::IntToText(ms) + " 毫秒等待。" : std::string("只看一次，不等待。")));
}

void CheckWaitColour(RowChecker& check, const Line& line) {
    ColourField(check, line, 3, "等待颜色会立即算作等到。");
    TimeoutField(check, line, 4);
    check.JumpField(line, 5);
}

void CheckWaitBitmap(RowChecker& check, const Line& line) {
    check.ReferenceBitmap(line);
    TimeoutField(check, line, 4);
    check.JumpField(line, 5);
}

void CheckWaitWindow(RowChecker& check, const Line& line) {
    if (line.Field(1).empty()) check.Report("窗口标题是空的，等待窗口总是等到超时。");
    TimeoutField(check, line, 2);
    check.JumpField(line, 3);
}

void CheckFindColour(RowChecker& check, const Line& line) {
    ColourField(check, line, 5, "查找颜色总是找不到。");
    check.JumpField(line, 7);
}

void CheckFindBitmap(RowChecker& check, const Line& line) {
    check.ReferenceBitmap(line);
    check.JumpField(line, 7);
}

// The checks of each kind of the grammar; a kind without a row here has
// nothing that can be told before it runs.
struct KindCheck {
    Kind kind;
    void (*check)(RowChecker&, const Line&);
};
constexpr KindCheck kKindChecks[] = {
    {Kind::BitmapTest, CheckBitmapTest},
    {Kind::ColourTest, CheckColourTest},
    {Kind::MouseClick, CheckClick},
    {Kind::PasteText, CheckPaste},
    {Kind::OpenUrl, CheckOpenUrl},
    {Kind::Wait, CheckWait},
    {Kind::ClipboardTest, CheckClipboardTest},
    {Kind::FileOperation, CheckFileOperation},
    {Kind::WindowOperation, CheckWindowOperation},
    {Kind::WaitColour, CheckWaitColour},
    {Kind::WaitBitmap, CheckWaitBitmap},
    {Kind::WaitWindow, CheckWaitWindow},
    {Kind::FindColour, CheckFindColour},
    {Kind::FindBitmap, CheckFindBitmap},
};

}  // namespace

std::vector<PlanProblem> CheckPlan(const MainModel& model) {
    std::vector<PlanProblem> problems;
    for (int row = 0; row < model.RowCount(); ++row) {
        const Line line(model.Row(row));
        RowChecker check(model, row, problems);
        if (line.Kind() == Kind::None) {
            check.NoInstruction(line);
            continue;
        }
        for (const KindCheck& entry : kKindChecks) {
            if (entry.kind == line.Kind()) entry.check(check, line);
        }
    }
    return problems;
}

std::string PlanCheckReport(const std::vector<PlanProblem>& problems) {
    if (problems.empty()) return std::string(kPlanCheckClean);
    std::string report;
    for (size_t i = 0; i < problems.size() && i < kPlanCheckMaxListed; ++i) {
        report += "第 " + text::IntToText(problems[i].row + 1) + " 行：" + problems[i].what + "\r\n";
    }
    return report + "共 " + text::IntToText(int64_t(problems.size())) + " 处问题。";
}

}  // namespace kestrun
