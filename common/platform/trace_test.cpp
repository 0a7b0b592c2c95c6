#include "common/platform/trace.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(TraceTest, LinesReachTheSinkUntilItIsRemovedAndAThrowingSinkNeverFailsTheCaller) {
    std::vector<std::string> lines;
    platform::SetTraceSink([&](std::string_view line) { lines.emplace_back(line); });
    platform::Trace("OpenClipboard failed");
    platform::SetTraceSink({});
    platform::Trace("dropped");
    EXPECT_EQ(lines, std::vector<std::string>{"OpenClipboard failed"});

    platform::SetTraceSink([](std::string_view) { throw std::runtime_error("sink broken"); });
    EXPECT_NO_THROW(platform::Trace("any"));
    platform::SetTraceSink({});
}

}  // namespace
