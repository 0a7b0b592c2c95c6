#include "common/platform/trace.h"

#include <utility>

namespace platform {

namespace {

std::function<void(std::string_view)>& Sink() {
    static std::function<void(std::string_view)> sink;
    return sink;
}

}  // namespace

void SetTraceSink(std::function<void(std::string_view line)> sink) { Sink() = std::move(sink); }

void Trace(std::string_view line) noexcept {
    try {
        if (Sink()) Sink()(line);
    } catch (...) {
        // A trace that cannot be written is dropped; tracing never fails a step.
    }
}

}  // namespace platform
