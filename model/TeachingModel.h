#pragma once

#include "InputSource.h"
#include "Manager.h"
#include "Network.h"
#include "Plant.h"
#include "RandomGenerator.h"

namespace varkelon {

// The model objects of one program run, built in the order the seeding
// depends on: the network draws its weights first, then the plant its gains.
// The Manager does no work when constructed, so it can come last and hold
// references to the objects it drives. `kernels` picks the build of the
// network's hot loops (see KernelBuild.h); all give the same numbers.
class TeachingModel {
  public:
    TeachingModel(RandomGenerator::Clock clock, Manager::RegimeSource regime,
                  TeachingDisplay* display = nullptr, KernelBuild kernels = bestKernelBuild());

    TeachingModel(const TeachingModel&) = delete;
    TeachingModel& operator=(const TeachingModel&) = delete;

    RandomGenerator random;
    Network network;
    Plant plant;
    InputSource inputs;
    Manager manager;
};

}  // namespace varkelon
