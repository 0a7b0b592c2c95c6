// The expression evaluator on any text: a value or ArithmeticError, never a
// crash, a hang or a stack overflow. GetBracketContent is driven from every
// opening bracket of the same text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/text/utf8.h"
#include "kestrun/script/compute.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        compute::Calculate(text);
    } catch (const compute::ArithmeticError&) {
        // A fault is an answer: the caller decides what it means.
    }

    // Positions are 1-based characters; the first few brackets are enough to
    // reach every path without making long inputs quadratic.
    int position = 0;
    int brackets = 0;
    for (size_t i = 0; i < text.size() && brackets < 8;) {
        size_t length = 1;
        char32_t c = text::DecodeAt(text, i, length);
        ++position;
        i += length;
        if (c != U'(') continue;
        ++brackets;
        try {
            compute::GetBracketContent(text, position + 1);
        } catch (const compute::ArithmeticError&) {
        }
    }
    return 0;
}
