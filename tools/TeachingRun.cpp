#include "TeachingRun.h"

#include <algorithm>
#include <utility>

namespace varkelon {

TeachingRun::TeachingRun(std::uint32_t clock, TeachingRegime regime,
                         std::vector<RegimeSwitch> switches, std::vector<NeuronSetting> neurons,
                         KernelBuild kernels)
    : regime(regime),
      switches_(std::move(switches)),
      neurons_(std::move(neurons)),
      model_([clock] { return clock; }, [this] { return this->regime; }, nullptr, kernels) {
    // A stable sort keeps the changes for one cycle in the order given.
    std::stable_sort(switches_.begin(), switches_.end(),
                     [](const auto& a, const auto& b) { return a.cycle < b.cycle; });
    std::stable_sort(neurons_.begin(), neurons_.end(),
                     [](const auto& a, const auto& b) { return a.cycle < b.cycle; });
}

void TeachingRun::reset() {
    model_.manager.reset();
    nextSwitch_ = 0;
    nextNeurons_ = 0;
}

void TeachingRun::step() {
    const std::int64_t cycle = std::int64_t{model_.manager.iteration} + 1;
    for (; nextSwitch_ < switches_.size() && switches_[nextSwitch_].cycle <= cycle; ++nextSwitch_) {
        regime = switches_[nextSwitch_].regime;
    }
    for (; nextNeurons_ < neurons_.size() && neurons_[nextNeurons_].cycle <= cycle;
         ++nextNeurons_) {
        model_.network.hiddenCount = neurons_[nextNeurons_].hiddenCount;
    }
    model_.manager.step();
}

}  // namespace varkelon
