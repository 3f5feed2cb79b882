#include "TeachingModel.h"

#include <utility>

namespace varkelon {

TeachingModel::TeachingModel(RandomGenerator::Clock clock, Manager::RegimeSource regime,
                             TeachingDisplay* display, KernelBuild kernels)
    : random(std::move(clock)),
      network(random, kernels),
      plant(random),
      inputs(random, network, plant),
      manager(network, plant, inputs, std::move(regime), display) {}

}  // namespace varkelon
