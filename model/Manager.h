#pragma once

#include <cstdint>
#include <functional>

#include "TeachingRegime.h"

namespace varkelon {

class InputSource;
class Network;
class Plant;
class TeachingDisplay;

// Fixes the order of everything in a teaching run: reset rebuilds the model
// and makes a first prediction; step runs one teaching cycle.
class Manager {
  public:
    // Asked afresh at every use, never cached.
    using RegimeSource = std::function<TeachingRegime()>;

    Manager(Network& network, Plant& plant, InputSource& inputs, RegimeSource regime,
            TeachingDisplay* display = nullptr);

    std::int32_t iteration = 0;  // cycles since the last reset
    bool built = false;          // reset has run for the current teaching run

    void reset();
    void step();
    // The plant's outputs become the targets of timeSlot; errors, estimation.
    void presentTargets();
    void learn();

    void setDisplay(TeachingDisplay* display) { display_ = display; }

  private:
    Network& network_;
    Plant& plant_;
    InputSource& inputs_;
    RegimeSource regime_;
    TeachingDisplay* display_;
};

}  // namespace varkelon
