#include "kestrun/actions/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kestrun {
namespace {

std::vector<float> Draws(RandomSource& random, int count) {
    std::vector<float> draws;
    for (int i = 0; i < count; ++i) draws.push_back(random.Next());
    return draws;
}

TEST(DefaultRandomSource, DrawsAreUniformInTheHalfOpenUnitInterval) {
    DefaultRandomSource random;
    const std::vector<float> draws = Draws(random, 100000);
    double sum = 0;
    int buckets[10] = {};
    for (float r : draws) {
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
        ++buckets[int(r * 10)];
    }
    EXPECT_NEAR(sum / double(draws.size()), 0.5, 0.01);
    for (int count : buckets) EXPECT_NEAR(count, 10000, 600);
}

TEST(DefaultRandomSource, EverySourceIsSeededDifferently) {
    DefaultRandomSource first;
    DefaultRandomSource second;
    EXPECT_NE(Draws(first, 8), Draws(second, 8));
}

}  // namespace
}  // namespace kestrun
