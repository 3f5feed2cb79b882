#pragma once

// Helpers shared by the model tests: an independent copy of the generator's
// rule, to work out expected draws, and a model with a clock the test sets.

#include <cstdint>
#include <cstring>

#include "model/TeachingModel.h"

namespace varkelon::test {

// The generator's rule written out again: state = state * (346 * 2^32 +
// 20021) + 1 modulo 2^64, result = bits 32 to 62.
class ReferenceLcg {
  public:
    explicit ReferenceLcg(std::uint32_t seed) : state(seed) {}

    std::int32_t next() {
        state = state * (346ULL * 4294967296ULL + 20021ULL) + 1ULL;
        return static_cast<std::int32_t>((state >> 32) & 0x7fffffffULL);
    }
    void skip(int count) {
        for (int n = 0; n < count; ++n)
            next();
    }

    std::uint64_t state;
};

// The whole model of one run, on a clock that reads `seconds` and a regime
// that reads `regime`; both may be changed between calls.
struct TestModel {
    std::uint32_t seconds = 1700000000u;
    TeachingRegime regime = TeachingRegime::Static;
    TeachingModel model{[this] { return seconds; }, [this] { return regime; }};

    Network& network = model.network;
    Plant& plant = model.plant;
    InputSource& inputs = model.inputs;
    Manager& manager = model.manager;
    RandomGenerator& random = model.random;
};

// The three weight matrices, compared as bytes.
struct WeightSnapshot {
    float inHidden[kMaxChannels][kMaxHidden];
    float hiddenHidden[kMaxHidden][kMaxHidden];
    float hiddenOut[kMaxChannels][kMaxHidden];

    explicit WeightSnapshot(const Network& network) {
        std::memcpy(inHidden, network.weightsInHidden, sizeof inHidden);
        std::memcpy(hiddenHidden, network.weightsHiddenHidden, sizeof hiddenHidden);
        std::memcpy(hiddenOut, network.weightsHiddenOut, sizeof hiddenOut);
    }
    bool operator==(const WeightSnapshot& other) const {
        return std::memcmp(this, &other, sizeof *this) == 0;
    }
};

}  // namespace varkelon::test
