// A million teaching cycles with the regime and the neuron count changed at
// random moments, checking the model's invariants after every cycle. The
// changes are seeded: VARKELON_SOAK_SEED replays a failure, VARKELON_SOAK_CYCLES
// shortens or lengthens the run.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "CountingAllocator.h"
#include "ModelInvariants.h"
#include "model/TeachingModel.h"

namespace {

// The variable's whole decimal value, the fallback when it is unset, and 0
// when it is not a number.
long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr)
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' ? value : 0;
}

}  // namespace

namespace varkelon {
namespace {

TEST(ModelSoak, InvariantsHoldOverAMillionCyclesWithRandomChanges) {
    const auto seed = static_cast<std::uint32_t>(environmentNumber("VARKELON_SOAK_SEED", 20261208));
    const long cycles = environmentNumber("VARKELON_SOAK_CYCLES", 1000000);
    // A soak of no cycles checks nothing: 0, a negative count or a word is
    // a mistake in the run, not a pass.
    ASSERT_GT(cycles, 0) << "VARKELON_SOAK_CYCLES must be a count of 1 or more";
    std::mt19937 changes(seed);
    std::uniform_int_distribution<int> changeEvery(1, 2000);
    std::uniform_int_distribution<int> anyRegime(0, 4);
    std::uniform_int_distribution<int> anyCount(1, kMaxHidden);

    // The clock moves on by a second now and then, as a real one does.
    std::uint32_t seconds = 1700000000u;
    TeachingRegime regime = TeachingRegime::Static;
    TeachingModel model([&seconds] { return seconds; }, [&regime] { return regime; });
    model.manager.reset();

    const long allocationsBefore = testing::heapAllocationCount();
    long nextChange = changeEvery(changes);
    for (long cycle = 1; cycle <= cycles; ++cycle) {
        if (cycle == nextChange) {
            regime = static_cast<TeachingRegime>(anyRegime(changes));
            model.network.hiddenCount = anyCount(changes);
            seconds += static_cast<std::uint32_t>(changes() % 3);
            if (changes() % 50 == 0)
                model.manager.reset();
            nextChange = cycle + changeEvery(changes);
        }
        model.manager.step();
        const std::string broken = test::brokenInvariant(model);
        ASSERT_TRUE(broken.empty())
            << broken << " after cycle " << cycle << " (seed " << seed << ")";
    }
    EXPECT_EQ(testing::heapAllocationCount(), allocationsBefore)
        << "teaching allocated on the heap";
}

}  // namespace
}  // namespace varkelon
