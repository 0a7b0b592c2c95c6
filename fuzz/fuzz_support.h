// Helpers shared by the fuzz targets: cutting one input into several files,
// and a random source that repeats itself so that every input replays the
// same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kestrun/actions/random_source.h"

namespace fuzzing {

// Inputs that stand for several files hold them one after the other, cut by
// this line. The fuzzer finds it through its comparison hooks, and the seed
// corpora use it.
inline constexpr std::string_view kFileSeparator = "\n--next file--\n";

// The parts of an input between separators; always at least one (possibly
// empty) part.
inline std::vector<std::string> SplitFiles(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    for (;;) {
        size_t cut = input.find(kFileSeparator);
        if (cut == std::string_view::npos) break;
        parts.emplace_back(input.substr(0, cut));
        input.remove_prefix(cut + kFileSeparator.size());
    }
    parts.emplace_back(input);
    return parts;
}

// The same numbers for every input: a bug found once is found again when the
// input is replayed.
class RepeatingRandom : public kestrun::RandomSource {
public:
    float Next() override {
        state_ = state_ * 1103515245u + 12345u;
        return float((state_ >> 8) & 0xFFFF) / 65536.0f;
    }

private:
    uint32_t state_ = 1;
};

}  // namespace fuzzing
