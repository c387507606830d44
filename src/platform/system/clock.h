#pragma once

// Time and randomness come in through these interfaces so that tests can stand in for them.

#include <cstdint>
#include <random>

namespace platform {

// Seconds since midnight, with fractions, in single precision; restarts at 0 at midnight.
class Clock {
public:
    virtual ~Clock() = default;
    virtual float timer() const = 0;
};

class SystemClock final : public Clock {
public:
    float timer() const override;
};

// Uniform values r with 0 <= r < 1, re-seedable from a number.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed(float seed) = 0;
    virtual float next() = 0;
};

class SystemRandom final : public RandomSource {
public:
    void reseed(float seed) override;
    float next() override;

private:
    std::mt19937 engine_;
};

} // namespace platform
