#include "Manager.h"

#include <utility>

#include "InputSource.h"
#include "Network.h"
#include "Plant.h"
#include "TeachingDisplay.h"

namespace varkelon {

Manager::Manager(Network& network, Plant& plant, InputSource& inputs, RegimeSource regime,
                 TeachingDisplay* display)
    : network_(network),
      plant_(plant),
      inputs_(inputs),
      regime_(std::move(regime)),
      display_(display) {}

void Manager::reset() {
    iteration = 0;
    network_.initialise();
    plant_.initialise();
    inputs_.generate(iteration, regime_());  // inputs land in the last slot
    presentTargets();
    built = true;
    if (display_ != nullptr)
        display_->teachingReset();
}

void Manager::step() {
    iteration += 1;
    network_.advanceSlots();

    inputs_.generate(iteration, regime_());
    presentTargets();
    if (display_ != nullptr)
        display_->refresh();  // this cycle's prediction, before learning
    network_.checkStagnation(iteration);
    learn();
}

void Manager::presentTargets() {
    for (std::int32_t o = 0; o < network_.outputCount; ++o) {
        network_.targets[o][network_.timeSlot] = plant_.outputs[o];
    }
    network_.computeErrors();
    network_.computeEstimation();
}

void Manager::learn() {
    network_.backPropagate();
    network_.updateWeights(regime_());
}

}  // namespace varkelon
