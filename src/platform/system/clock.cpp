#include "platform/system/clock.h"

#include <QTime>

#include <cstring>

namespace platform {

float SystemClock::timer() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0f;
}

void SystemRandom::reseed(float seed) {
    // The seed's bits, as they are (what std::bit_cast does, where the library has it).
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    engine_.seed(bits);
}

float SystemRandom::next() {
    // 24 random bits scaled by 2^-24 fill a float's mantissa and can never reach 1.
    return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}

} // namespace platform
