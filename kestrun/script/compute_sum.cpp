// Why the closed form gives the very double of the one-by-one loop:
//
// While the partial sums stay at or below 2^53, every one of them is a whole
// number that a double holds exactly, so the loop ends with n(n+1)/2; that
// holds up to n = 2^27 - 1. Beyond it, each addition rounds the exact sum to
// the spacing u of doubles near the partial sum (2 just above 2^53, up to 512
// near the largest count), an exact half going to the even neighbour. Within
// one binade [2^k, 2^(k+1)), over a block of 2u consecutive terms that starts
// at a multiple of 2u, which terms round up depends only on whether the partial
// sum is an even or an odd multiple of u when the block starts. So whole runs
// of blocks are added in closed form, and only the few terms around a binade
// boundary (fewer than a few thousand per binade) are added one by one with
// real doubles. The sums are kept as whole numbers in 64 bits: every partial
// sum is a whole number below 2^62.
#include "kestrun/script/compute_sum.h"

#include <array>
#include <bit>

namespace compute {
namespace {

constexpr uint64_t kExactCount = (uint64_t{1} << 27) - 1;  // the last n with n(n+1)/2 <= 2^53

// The number of terms that round up in one block of 2u terms, for a partial
// sum that starts as an even (index 0) or an odd (index 1) multiple of u.
std::array<uint64_t, 2> RoundUpsPerBlock(uint64_t ulp) {
    std::array<uint64_t, 2> ups{};
    for (uint64_t startParity = 0; startParity < 2; ++startParity) {
        uint64_t parity = startParity;
        for (uint64_t j = 0; j < 2 * ulp; ++j) {
            // The term is an even number of units u (blocks start at multiples
            // of 2u), plus j / u units, plus a remainder of j % u.
            const uint64_t units = j / ulp;
            const uint64_t remainder = j % ulp;
            const uint64_t lowerParity = (parity + units) & 1;
            const bool up = remainder > ulp / 2 || (remainder == ulp / 2 && lowerParity == 1);
            ups[startParity] += up ? 1 : 0;
            parity = (lowerParity + (up ? 1 : 0)) & 1;
        }
    }
    return ups;
}

// The largest number of blocks, up to limit, after which every partial sum is
// surely still below top: each rounding adds at most u/2 to the exact sum.
uint64_t BlocksBelowTop(uint64_t sum, uint64_t next, uint64_t ulp, uint64_t top, uint64_t limit) {
    const uint64_t blockLength = 2 * ulp;
    auto fits = [&](uint64_t blocks) {
        const uint64_t terms = blocks * blockLength;
        return sum + terms * next + terms * (terms - 1) / 2 + terms * ulp / 2 < top;
    };
    uint64_t low = 0;
    uint64_t high = limit;
    while (low < high) {
        const uint64_t middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

// What the loop adds over `blocks` blocks of 2u terms from next on.
uint64_t SumOfBlocks(uint64_t sum, uint64_t next, uint64_t ulp, uint64_t blocks) {
    const std::array<uint64_t, 2> ups = RoundUpsPerBlock(ulp);
    // A block changes the parity by its number of round-ups, so the parities
    // of consecutive blocks either settle at once, settle after one block, or
    // alternate.
    const uint64_t first = (sum / ulp) & 1;
    const uint64_t second = first ^ (ups[first] & 1);
    uint64_t firstCount = blocks;
    if (second != first) firstCount = (ups[second] & 1) == 0 ? 1 : (blocks + 1) / 2;
    const uint64_t secondCount = blocks - firstCount;
    // Block k adds its terms rounded down to units, 2u(next + 2uk) + u^2,
    // plus one unit u per round-up.
    return 2 * ulp * blocks * next + 2 * ulp * ulp * blocks * (blocks - 1) + blocks * ulp * ulp +
           ulp * (firstCount * ups[first] + secondCount * ups[second]);
}

}  // namespace

double SumOneTo(int32_t n) {
    if (n <= 0) return 0;
    const uint64_t last = uint64_t(n);
    if (last <= kExactCount) return double(last * (last + 1) / 2);

    uint64_t sum = kExactCount * (kExactCount + 1) / 2;
    uint64_t next = kExactCount + 1;
    while (next <= last) {
        const int binade = std::bit_width(sum) - 1;
        if (binade >= 53) {
            const uint64_t ulp = uint64_t{1} << (binade - 52);
            const uint64_t blockLength = 2 * ulp;
            if (next % blockLength == 0) {
                const uint64_t top = uint64_t{1} << (binade + 1);
                const uint64_t blocks = BlocksBelowTop(sum, next, ulp, top, (last - next + 1) / blockLength);
                if (blocks > 0) {
                    sum += SumOfBlocks(sum, next, ulp, blocks);
                    next += blocks * blockLength;
                    continue;
                }
            }
        }
        // One term the way the loop adds it.
        sum = uint64_t(double(sum) + double(next));
        ++next;
    }
    return double(sum);
}

}  // namespace compute
