// The expression evaluator (module Compute).
//
// Calculate turns a short arithmetic text, such as the x coordinate
// "100+R*20" of a mouse click after its "R" has been replaced by the cycle
// number, into a double. It is not a tokenizer and parser: it resolves bracket
// groups and "int(" groups by writing their values back into the text, then
// splits the text at the first operator character of the highest-ranking kind
// present and evaluates both sides the same way. The rank of the operator
// kinds and the split at the first occurrence decide results such as
// 10-3-2 = 9 and 8/2/2 = 8; they are part of the behaviour plans rely on.
//
// Characters with a meaning: "+", "-", "*", "/", "^" (power), "√" (root,
// x√y is the x-th root of y), "!" (factorial), "∑" (sum of 1 to n), "(",
// ")" and the prefix "int(" (lower case only). Everything else is read with
// the leading-number rule of text::LeadingNumber. Texts are UTF-8; positions
// count characters (code points), not bytes.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace compute {

// Raised by Calculate on an arithmetic fault: division by zero (0/0 too), a
// result too large for a double, a negative number raised to a non-integer
// power, the root of a number that is not positive, a factorial or sum count
// that does not fit a 32-bit signed integer, a bracket nesting deeper than the
// 16-bit depth counter holds (32767), and an expression too deep or too long
// to evaluate safely (see compute.cpp). The caller decides what a fault means.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The value of an arithmetic text. The empty text is 0; a text without
// operators is its leading number (so "abc" and "√9" are 0). Keeps no state
// between calls. Throws ArithmeticError on a fault.
double Calculate(std::string_view text);

// The text between an opening bracket and its matching closing bracket.
// startPosition is the 1-based character position just behind the opening
// bracket (values below 1 count as 1). Brackets are counted from there: "("
// adds one, ")" takes one away, and the characters before the ")" that takes
// the count below zero are returned. An opening bracket that is never closed
// gives the empty text. The count is a 16-bit signed number; a count that
// would pass 32767 overflows it, and throws ArithmeticError.
std::string GetBracketContent(std::string_view text, int startPosition);

}  // namespace compute
