#include "InputSource.h"

#include <cmath>

#include "Network.h"
#include "Plant.h"
#include "RandomGenerator.h"

namespace varkelon {

namespace {
constexpr float kPi = 3.14159274f;  // pi in single precision
}  // namespace

InputSource::InputSource(RandomGenerator& random, Network& network, Plant& plant)
    : random_(random), network_(network), plant_(plant) {}

void InputSource::deliver(std::int32_t channel, float value) {
    network_.inputHistory[channel][network_.previousSlot()] = value;
    plant_.inputs[channel] = value;
}

void InputSource::generate(std::int32_t iteration, TeachingRegime regime) {
    plant_.noiseLevel = 0;
    const std::int32_t n = network_.inputCount;

    switch (regime) {
        case TeachingRegime::Static:
            if (iteration == 0) {
                for (std::int32_t i = 0; i < n; ++i) {
                    const std::int32_t r1 = random_.randomInt();
                    const float magnitude = (r1 % 9500) * 0.0001 + 0.05;
                    const std::int32_t r2 = random_.randomInt();
                    staticInputs[i] = (r2 % 1000) < 500 ? -magnitude : magnitude;
                }
            }
            for (std::int32_t i = 0; i < n; ++i)
                deliver(i, staticInputs[i]);
            break;

        case TeachingRegime::Sin: {
            const float value = std::sin(static_cast<double>(iteration) + 1);
            for (std::int32_t i = 0; i < n; ++i)
                deliver(i, value);
            break;
        }

        case TeachingRegime::SinPlusRandom:
            if (iteration == 0) {
                phaseDrift = 0;
                sineAmplitude = 1.0;
            } else {
                phaseDrift = phaseDrift + 0.2 * kPi;
                if (phaseDrift > 2 * kPi)
                    phaseDrift = 0;
                if (iteration % 100 == 0) {
                    sineAmplitude = sineAmplitude - 0.1;
                    if (!(sineAmplitude > -0.1))
                        sineAmplitude = 1.0;
                }
            }
            plant_.noiseLevel = 1.0 - sineAmplitude;
            for (std::int32_t i = 0; i < n; ++i) {
                const float sine = std::sin((6.2856 / n) * i + (phaseDrift + 1.0)) * sineAmplitude;
                const std::int32_t r1 = random_.randomInt();
                float noise = (r1 % 10000) * 0.0001;
                const std::int32_t r2 = random_.randomInt();
                if ((r2 % 1000) < 500)
                    noise = -noise;
                const float value = (1.0 - sineAmplitude) * noise + sine;
                deliver(i, value);
            }
            break;

        case TeachingRegime::Random:
            for (std::int32_t i = 0; i < n; ++i) {
                const std::int32_t r = random_.randomInt();
                const float value = (r % 9500) * 0.0001 + 0.05;
                deliver(i, value);
            }
            plant_.noiseLevel = 1.0;
            break;

        case TeachingRegime::None:
            break;
    }

    network_.forwardPass();
    plant_.computeOutputs();
}

}  // namespace varkelon
