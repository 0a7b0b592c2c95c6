// The program-wide source of random numbers: the bitmap comparison draws its
// sample points from it, and the paste list's random entry is drawn from it.
// Code takes a RandomSource& so that a test can script the draws exactly.
#pragma once

#include <random>

namespace kestrun {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // The next number, uniform in [0, 1).
    virtual float Next() = 0;
};

// A Mersenne Twister seeded once, at construction, from the operating
// system's entropy and the clock. Seeding once and then drawing keeps the
// draws independent; reseeding from the time of day before every draw would
// repeat the same numbers many times within one clock step.
class DefaultRandomSource : public RandomSource {
public:
    DefaultRandomSource();
    float Next() override;

private:
    std::mt19937 engine_;
    std::uniform_real_distribution<float> distribution_{0.0f, 1.0f};
};

}  // namespace kestrun
