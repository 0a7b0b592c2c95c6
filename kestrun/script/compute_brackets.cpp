#include "kestrun/script/compute_brackets.h"

#include <algorithm>
#include <limits>
#include <string>

#include "common/text/utf8.h"
#include "kestrun/script/compute.h"

namespace compute {
namespace {

constexpr int32_t kDeepest = std::numeric_limits<int16_t>::max();

}  // namespace

bool BracketCounter::Step(char c) {
    if (c == '(') {
        // The 16-bit counter overflows here.
        if (depth_ == kDeepest) throw ArithmeticError("bracket nesting too deep");
        ++depth_;
    } else if (c == ')') {
        --depth_;
        if (depth_ == -1) return true;
    }
    return false;
}

std::optional<size_t> FindClosingBracket(std::string_view text, size_t from, uint64_t& scanned) {
    BracketCounter counter;
    for (size_t i = from; i < text.size(); ++i) {
        if (counter.Step(text[i])) {
            scanned += i - from + 1;
            return i;
        }
    }
    scanned += text.size() - std::min(from, text.size());
    return std::nullopt;
}

std::optional<size_t> BracketIndex::Find(size_t from, uint64_t& scanned) {
    if (!depth_.empty() && from < text_.size()) {
        // The group closes where the depth first falls below its depth at
        // from; when it never does, only the deepest point matters.
        const int32_t base = depth_[from];
        if (lowestAfter_[from + 1] >= base) {
            if (highestAfter_[from + 1] - base > kDeepest) throw ArithmeticError("bracket nesting too deep");
            return std::nullopt;
        }
    }
    std::optional<size_t> close = FindClosingBracket(text_, from, scanned);
    if (!close && depth_.empty()) BuildProfile(scanned);
    return close;
}

void BracketIndex::BuildProfile(uint64_t& scanned) {
    const size_t size = text_.size();
    depth_.assign(size + 1, 0);
    for (size_t i = 0; i < size; ++i) {
        depth_[i + 1] = depth_[i] + (text_[i] == '(' ? 1 : text_[i] == ')' ? -1 : 0);
    }
    lowestAfter_.assign(size + 1, depth_[size]);
    highestAfter_.assign(size + 1, depth_[size]);
    for (size_t k = size; k-- > 0;) {
        lowestAfter_[k] = std::min(depth_[k], lowestAfter_[k + 1]);
        highestAfter_[k] = std::max(depth_[k], highestAfter_[k + 1]);
    }
    scanned += 2 * size;
}

std::string GetBracketContent(std::string_view text, int startPosition) {
    // Walk to the byte where the 1-based character position starts.
    size_t from = 0;
    for (int position = 1; position < startPosition && from < text.size(); ++position) {
        size_t length = 1;
        text::DecodeAt(text, from, length);
        from += length;
    }
    uint64_t scanned = 0;
    std::optional<size_t> close = FindClosingBracket(text, from, scanned);
    if (!close) return std::string();
    return std::string(text.substr(from, *close - from));
}

}  // namespace compute
