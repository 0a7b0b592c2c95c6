#include "kestrun/actions/random_source.h"

#include <chrono>
#include <cstdint>

#include "common/platform/trace.h"

namespace kestrun {

namespace {

// Entropy from the system where it has any, mixed with the clock: some
// runtimes give a random_device that is deterministic or throws, and the
// clock alone would give two programs started together the same sequence.
std::seed_seq::result_type DeviceWord() {
    try {
        std::random_device device;
        return device();
    } catch (...) {
        platform::Trace("std::random_device failed; the seed takes the clock alone");
        return 0;
    }
}

}  // namespace

DefaultRandomSource::DefaultRandomSource() {
    const uint64_t now = uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    const uint64_t wall = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq seed{DeviceWord(),   DeviceWord(),         DeviceWord(),
                       DeviceWord(),   uint32_t(now),        uint32_t(now >> 32),
                       uint32_t(wall), uint32_t(wall >> 32), uint32_t(uintptr_t(this))};
    engine_.seed(seed);
}

float DefaultRandomSource::Next() {
    // The float distribution can round a draw just below 1 up to 1.0 itself;
    // such a draw is thrown away so that callers can rely on [0, 1).
    for (;;) {
        float r = distribution_(engine_);
        if (r >= 0.0f && r < 1.0f) return r;
    }
}

}  // namespace kestrun
