#pragma once

#include <cstdint>

namespace varkelon {

// Capacities of the model's fixed arrays, sized for the largest
// configuration; the active sizes are fields of the objects.
inline constexpr std::int32_t kMaxChannels = 17;  // plant channels, network inputs/outputs
inline constexpr std::int32_t kMinHidden = 1;     // hidden neurons in use, the fewest
inline constexpr std::int32_t kMaxHidden = 10;    // hidden neurons, the most
inline constexpr std::int32_t kStartHidden = 7;   // hidden neurons in use after a reset
inline constexpr std::int32_t kMaxSlots = 8;      // time slots of the history ring
inline constexpr std::int32_t kMaxEstimationHistory = 170;  // estimation ring entries

}  // namespace varkelon
