#include "Plant.h"

#include "RandomGenerator.h"

namespace varkelon {

Plant::Plant(RandomGenerator& random) : random_(random) {
    initialise();
}

void Plant::initialise() {
    random_.seedFromClock();
    for (std::int32_t i = 0; i < channelCount; ++i) {
        // Magnitude first, then its sign.
        const std::int32_t r1 = random_.randomInt();
        const float magnitude = (r1 % 10000) * 0.0001;
        const std::int32_t r2 = random_.randomInt();
        gains[i] = (r2 % 1000) < 500 ? -magnitude : magnitude;
    }
    noiseLevel = 0;
}

void Plant::computeOutputs() {
    for (std::int32_t i = 0; i < channelCount; ++i)
        outputs[i] = gains[i] * inputs[i];
}

}  // namespace varkelon
