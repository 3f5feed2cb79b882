#pragma once

namespace varkelon {

// How the inputs of a teaching cycle are made, and which learning-rate rule
// the cycle's learning uses. None: nothing is delivered, the rate is kept.
enum class TeachingRegime { Static, Sin, SinPlusRandom, Random, None };

}  // namespace varkelon
