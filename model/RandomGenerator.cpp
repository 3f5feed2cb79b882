#include "RandomGenerator.h"

#include <ctime>
#include <utility>

namespace varkelon {

namespace {
// 346 in the upper 32 bits, 20021 in the lower.
constexpr std::uint64_t kMultiplier = 1486058704437ULL;
}  // namespace

RandomGenerator::RandomGenerator(Clock clock) : clock_(std::move(clock)) {}

void RandomGenerator::seedRandom(std::uint32_t seed) {
    state = seed;
}

void RandomGenerator::seedFromClock() {
    seedRandom(clock_());
}

std::int32_t RandomGenerator::randomInt() {
    state = state * kMultiplier + 1;  // unsigned: wraps modulo 2^64
    return static_cast<std::int32_t>((state >> 32) & 0x7fffffffULL);
}

std::uint32_t RandomGenerator::systemSeconds() {
    // Truncated to 32 bits, the width of the seed.
    return static_cast<std::uint32_t>(std::time(nullptr));
}

}  // namespace varkelon
