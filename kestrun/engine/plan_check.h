// Checking a plan without running anything: each row is taken apart by the
// grammar and looked at for what would go wrong at run time (a line that is
// no instruction, where a run would stay for ever; a jump off the list; a
// bitmap test without its reference image; a list word with its list empty;
// an operation word nobody knows; an empty window title; a wait or a colour
// that is no number; a click kind that clicks nothing).
//
// The report is one message: a line "第 k 行：" + what is wrong for each
// problem (k from 1), the first 30 of them, then "共 N 处问题。"; or the
// single line "未发现问题。".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "kestrun/model/main_model.h"

namespace kestrun {

inline constexpr std::string_view kPlanCheckTitle = "方案检查";
inline constexpr std::string_view kPlanCheckClean = "未发现问题。";
inline constexpr size_t kPlanCheckMaxListed = 30;

struct PlanProblem {
    int row = 0;       // from 0
    std::string what;  // what will happen, in a short sentence
    bool operator==(const PlanProblem&) const = default;
};

// Every problem of every row, in row order.
std::vector<PlanProblem> CheckPlan(const MainModel& model);

// The text of the message box.
std::string PlanCheckReport(const std::vector<PlanProblem>& problems);

}  // namespace kestrun
