// Every plan shipped in examples/ loads as the program loads it, and every
// line it holds is an instruction: a line the interpreter does not know would
// hold a run on it for ever.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "common/text/codec.h"
#include "kestrun/script/instruction_line.h"
#include "kestrun/script/plan_file.h"

namespace kestrun {
namespace {

TEST(ExamplePlans, EveryLineOfEveryExamplePlanIsAnInstruction) {
    const std::unique_ptr<text::AnsiCodec> codec = text::MakeSystemCodec();
    int plans = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KESTRUN_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".csv") continue;
        SCOPED_TRACE(entry.path().string());
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        int instructions = 0;
        for (const PlanItem& item : ReadPlanFile(*codec, bytes)) {
            if (item.kind != PlanItem::Kind::kInstruction) continue;
            EXPECT_NE(script::InstructionLine(item.text).Kind(), script::InstructionKind::None) << item.text;
            ++instructions;
        }
        EXPECT_GT(instructions, 0);
        ++plans;
    }
    EXPECT_GE(plans, 3);
}

}  // namespace
}  // namespace kestrun
