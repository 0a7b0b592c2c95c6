// The coordinate rule shared by every kind: the found point's placeholders,
// the cycle placeholder of a click, and the origin of the window origin line.
#include <optional>

#include "kestrun/engine/interpreter.h"

namespace kestrun {

int32_t Interpreter::Length(const script::InstructionLine& line, size_t field) {
    const platform::Point found = model_.FoundPoint();
    return script::CoordinateValue(line.Field(field), found.x, found.y, std::nullopt).value_or(0);
}

platform::Point Interpreter::ScreenPoint(const script::InstructionLine& line, size_t xField, size_t yField,
                                         bool withCycle) {
    const platform::Point found = model_.FoundPoint();
    const platform::Point origin = model_.Origin();
    const std::optional<int32_t> cycle = withCycle ? std::optional<int32_t>(model_.CycleCounter()) : std::nullopt;
    const int32_t x = script::CoordinateValue(line.Field(xField), found.x, found.y, cycle).value_or(0);
    const int32_t y = script::CoordinateValue(line.Field(yField), found.x, found.y, cycle).value_or(0);
    return {WrappingAdd(x, origin.x), WrappingAdd(y, origin.y)};
}

}  // namespace kestrun
