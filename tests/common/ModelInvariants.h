#pragma once

// The bounds a teaching model keeps through any run: the soak, behaviour and
// monkey tests check them after every cycle.

#include <string>

#include "model/TeachingModel.h"

namespace varkelon::test {

// Returns an empty string when every bound holds, otherwise what broke. The
// learning rate is checked once a cycle has run since the last reset: the
// first learning step is what clamps it.
std::string brokenInvariant(const TeachingModel& model);

}  // namespace varkelon::test
