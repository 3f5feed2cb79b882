#pragma once

#include <cstdint>
#include <functional>
#include <limits>

namespace varkelon {

// The model's one source of randomness: a 64-bit linear congruential
// generator. It is reseeded from the clock in whole seconds, so two rebuilds
// within the same second repeat the same numbers.
class RandomGenerator {
  public:
    // Returns the current calendar time in whole seconds, 0 to kMaxSeconds.
    using Clock = std::function<std::uint32_t()>;
    static constexpr std::int64_t kMaxSeconds = std::numeric_limits<std::uint32_t>::max();

    explicit RandomGenerator(Clock clock);

    // The state becomes the seed, its upper 32 bits zero.
    void seedRandom(std::uint32_t seed);
    // Seeds with the clock's current second.
    void seedFromClock();
    // Advances the state; returns bits 32 to 62 of it: 0 to 2147483647.
    std::int32_t randomInt();

    // The real calendar clock, for the program.
    static std::uint32_t systemSeconds();

    std::uint64_t state = 0;

  private:
    Clock clock_;
};

}  // namespace varkelon
