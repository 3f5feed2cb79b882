#pragma once

#include <cstdint>

#include "Capacity.h"

namespace varkelon {

class RandomGenerator;

// The plant the network learns to predict: 17 independent channels, each a
// fixed random gain drawn at every initialisation.
class Plant {
  public:
    explicit Plant(RandomGenerator& random);

    static constexpr std::int32_t channelCount = kMaxChannels;

    float inputs[kMaxChannels] = {};   // input of each channel this cycle
    float outputs[kMaxChannels] = {};  // gains[i] x inputs[i]
    float gains[kMaxChannels] = {};    // multiples of 0.0001, |gain| <= 0.9999
    float noiseLevel = 0;              // share of noise in the current inputs

    // Reseeds from the clock, draws new gains (34 draws), clears noiseLevel.
    void initialise();
    void computeOutputs();

  private:
    RandomGenerator& random_;
};

}  // namespace varkelon
