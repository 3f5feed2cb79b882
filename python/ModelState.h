#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/TeachingRun.h"

namespace varkelon {

// The whole state of a run driven step by step, as bytes: the generator,
// every field of the network, the plant and the input source, the cycle
// counters and the regime. A run restored from them goes on bit for bit as
// the one saved would. The bytes are this build's memory layout, tagged
// with kFormat (a change to the fields needs a new format number), and end
// in a checksum of them and the run's clock: bytes changed anywhere, or put
// with another clock, are refused rather than half believed.
class ModelState {
  public:
    static constexpr std::int32_t kFormat = 3;

    static std::string save(const TeachingRun& run, std::uint32_t clock);

    // The size save() gives; restore() refuses any other.
    static std::size_t size(const TeachingRun& run);

    // Puts saved bytes into `run` (made with `clock`). Returns an empty
    // string, or what is wrong with the bytes, leaving `run` unusable only
    // in the second case.
    static std::string restore(TeachingRun& run, std::uint32_t clock, std::string_view bytes);
};

}  // namespace varkelon
