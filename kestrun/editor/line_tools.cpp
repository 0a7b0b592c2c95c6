#include "kestrun/editor/line_tools.h"

#include <cstdint>
#include <optional>

#include "common/text/number.h"
#include "common/text/utf8.h"
#include "kestrun/engine/interpreter.h"
#include "kestrun/engine/plan_check.h"
#include "kestrun/engine/run_log.h"
#include "kestrun/script/instruction_line.h"

namespace kestrun {

namespace {

constexpr size_t kShownLineCharacters = 60;

std::string RowNumber(int64_t row) { return "第 " + text::IntToText(row + 1) + " 行"; }

// The rule the line applied: on by one, a jump to whichever row (the next
// one or this one included), or none, when it stays.
std::string PointerOutcome(PointerMove move, int rowCount) {
    if (move.rule == PointerRule::kStay) return "结果：停在本行，下一次还执行这一行。";
    const bool inList = move.target >= 0 && move.target < rowCount;
    if (move.rule == PointerRule::kAdvance)
        return inList ? "结果：前进到" + RowNumber(move.target) + "。" : "结果：前进，本行是最后一行，本轮到此结束。";
    return "结果：跳转到" + RowNumber(move.target) + (inList ? "。" : "，在列表之外。");
}

// What a test saw, for the kinds that look at something.
// A search that found nothing leaves X and Y as they were.
std::string WhatItSaw(const MainModel& model, platform::Desktop& desktop, script::InstructionKind kind, bool advanced) {
    using Kind = script::InstructionKind;
    const platform::Point found = model.FoundPoint();
    const std::string xy = text::IntToText(found.x) + "," + text::IntToText(found.y);
    const std::string foundPoint =
        advanced ? "\r\n找到的点（X,Y）：" + xy + "。" : "\r\n没有找到，X,Y 仍是 " + xy + "。";
    switch (kind) {
        case Kind::ColourTest:
        case Kind::WaitColour:
            return "\r\n找到的颜色：" + model.LabelColor(0).caption + "，期望的颜色：" + model.LabelColor(1).caption +
                   "。";
        case Kind::FindColour:
            return advanced ? "\r\n找到的颜色：" + model.LabelColor(0).caption + foundPoint : foundPoint;
        case Kind::FindBitmap:
            return foundPoint;
        case Kind::ClipboardTest: {
            std::optional<std::string> clipboard = desktop.GetClipboardText();
            if (!clipboard || clipboard->empty()) return "\r\n剪切板里没有文字。";
            return "\r\n剪切板里的文字：" + text::Left(*clipboard, kShownLineCharacters) + "。";
        }
        default:
            return {};
    }
}

}  // namespace

void LineTools::MenuClick(int index) {
    if (index == int(LineTool::kCheckPlan)) CheckPlanClick();
    if (index == int(LineTool::kRunLine)) RunLineClick();
}

void LineTools::Show(const std::string& text, std::string_view title) {
    dialogs_.MessageBox(text, std::string(title), platform::mb::kOk | platform::mb::kIconInformation);
}

void LineTools::CheckPlanClick() { Show(PlanCheckReport(CheckPlan(model_)), kPlanCheckTitle); }

void LineTools::RunLineClick() {
    // A line on trial pumps messages (a wait, a drag), so the entry can be
    // chosen again meanwhile; the second choice is ignored.
    if (model_.TryingLine()) return;
    const int row = model_.SelectedRow();
    if (model_.IsRunning() || row < 0 || row >= model_.RowCount()) {
        return Show(std::string(kRunLineRefusal), kRunLineTitle);
    }
    // An interpreter of its own, with a log that writes nothing: what the
    // line would log at run time (a window not found) stays out of the run
    // log, and nothing it remembers for a run is touched.
    RunLog silentLog(desktop_, files_, codec_);
    silentLog.SetEnabled(false);
    Interpreter interpreter(model_, desktop_, files_, silentLog, random_);
    const std::string line = model_.Row(row);
    const int32_t pointerBefore = model_.InstructionPointer();
    model_.SetInstructionPointer(row);
    model_.SetTryingLine(true);
    interpreter.ExecuteLine(line);
    model_.SetTryingLine(false);
    model_.SetInstructionPointer(pointerBefore);

    const std::string shownLine = text::Shortened(line, kShownLineCharacters);
    const PointerMove move = interpreter.LastMove();
    std::string report = RowNumber(row) + "：" + shownLine + "\r\n" + PointerOutcome(move, model_.RowCount());
    Show(report + WhatItSaw(model_, desktop_, script::KindOfLine(line), move.rule == PointerRule::kAdvance),
         kRunLineTitle);
}

}  // namespace kestrun
