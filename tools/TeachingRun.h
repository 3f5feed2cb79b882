#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "TeachOptions.h"
#include "TeachRow.h"
#include "model/TeachingModel.h"

namespace varkelon {

// One teaching run without a window, as varkelon-teach and the Python module
// drive it: the model objects of one program run, the current regime in
// place of the window's radio buttons, and the changes scheduled for given
// cycles. Before each cycle its regime switches and neuron settings apply in
// the order given, so the last one for a cycle wins.
class TeachingRun {
  public:
    // Creates the model objects in their seeding order; no reset yet.
    // `kernels` picks the network's build of its hot loops (same numbers).
    TeachingRun(std::uint32_t clock, TeachingRegime regime, std::vector<RegimeSwitch> switches = {},
                std::vector<NeuronSetting> neurons = {}, KernelBuild kernels = bestKernelBuild());

    TeachingRun(const TeachingRun&) = delete;
    TeachingRun& operator=(const TeachingRun&) = delete;

    // Rebuilds the network and the plant: iteration 0, its row is row 0.
    // The schedule starts again from cycle 1.
    void reset();

    // Applies the changes scheduled for the next cycle, then runs it.
    void step();

    // Runs up to `cycles` cycles and hands the row of each to `emit`
    // (bool emit(const TeachRow&)); stops early when emit returns false.
    // Returns the number of cycles run.
    template <class Emit>
    std::int64_t run(std::int64_t cycles, Emit&& emit) {
        for (std::int64_t done = 1; done <= cycles; ++done) {
            step();
            if (!emit(row()))
                return done;
        }
        return cycles;
    }

    TeachRow row() const {
        return {model_.manager.iteration,    regime,
                model_.network.hiddenCount,  model_.network.estimation,
                model_.network.learningRate, model_.plant.noiseLevel};
    }

    const TeachingModel& model() const { return model_; }
    TeachingModel& model() { return model_; }

    // Read by the model at every use, as the window's radio buttons are.
    TeachingRegime regime;

  private:
    std::vector<RegimeSwitch> switches_;  // by cycle; equal cycles in the order given
    std::vector<NeuronSetting> neurons_;
    std::size_t nextSwitch_ = 0;
    std::size_t nextNeurons_ = 0;
    TeachingModel model_;
};

}  // namespace varkelon
