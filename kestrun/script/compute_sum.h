// The sum 1+2+...+n of the evaluator's "∑" operator.
#pragma once

#include <cstdint>

namespace compute {

// The double that the plain loop "s = 0; for i = 1 to n: s = s + i", adding
// to a double one term at a time, ends with; 0 for n below 1. Computed in
// closed form, so that even the largest count takes microseconds instead of
// freezing the window for seconds.
double SumOneTo(int32_t n);

}  // namespace compute
