#pragma once

#include <cstdint>

#include "Capacity.h"
#include "TeachingRegime.h"

namespace varkelon {

class Network;
class Plant;
class RandomGenerator;

// Makes the 17 inputs of a teaching cycle in the chosen regime, delivers each
// to the network's previous slot and to the plant, then runs the network's
// forward pass and the plant's response. It draws from the shared generator
// but never reseeds it. Its state lives as long as the program and survives
// resets.
class InputSource {
  public:
    InputSource(RandomGenerator& random, Network& network, Plant& plant);

    float staticInputs[kMaxChannels] = {};  // Static inputs, drawn at iteration 0
    float phaseDrift = 0;                   // Sin + Random phase, radians
    float sineAmplitude = 0;                // Sin + Random: weight of the sine

    void generate(std::int32_t iteration, TeachingRegime regime);

  private:
    void deliver(std::int32_t channel, float value);

    RandomGenerator& random_;
    Network& network_;
    Plant& plant_;
};

}  // namespace varkelon
