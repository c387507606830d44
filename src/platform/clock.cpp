#include "platform/clock.h"

#include <QTime>

#include <bit>

namespace platform {

float SystemClock::timer() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0f;
}

void SystemRandom::reseed(float seed) {
    engine_.seed(std::bit_cast<std::uint32_t>(seed));
}

float SystemRandom::next() {
    // 24 random bits scaled by 2^-24 fill a float's mantissa and can never reach 1.
    return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}

} // namespace platform
