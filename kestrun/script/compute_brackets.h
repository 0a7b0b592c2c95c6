// Bracket matching for the expression evaluator. The depth of a group is
// counted in a 16-bit signed number; a depth that would pass 32767 overflows
// it, which is an arithmetic fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace compute {

// Counts the brackets of one group. Step returns true at the ")" that takes
// the depth below zero and throws ArithmeticError at a "(" that would take it
// past 32767.
class BracketCounter {
public:
    bool Step(char c);
    int16_t Depth() const { return depth_; }

private:
    int16_t depth_ = 0;
};

// The byte index of the ")" that closes a group whose content starts at byte
// from, or nullopt when the group is never closed. Adds the number of bytes
// looked at to scanned.
std::optional<size_t> FindClosingBracket(std::string_view text, size_t from, uint64_t& scanned);

// FindClosingBracket for many groups of one text that does not change. Most
// groups are closed and short and are found by counting. Once one group turns
// out to be unclosed, the depth profile of the whole text is worked out, so
// that the other unclosed groups of a text such as "1+(1+(1+(..." are
// recognised at once instead of by counting to the end again and again.
class BracketIndex {
public:
    explicit BracketIndex(std::string_view text) : text_(text) {}
    std::optional<size_t> Find(size_t from, uint64_t& scanned);

private:
    void BuildProfile(uint64_t& scanned);

    std::string_view text_;
    std::vector<int32_t> depth_;         // depth_[k]: "(" minus ")" in text_[0, k)
    std::vector<int32_t> lowestAfter_;   // the lowest depth_[j] for j >= k
    std::vector<int32_t> highestAfter_;  // the highest depth_[j] for j >= k
};

}  // namespace compute
