// Teaching allocates nothing once the model exists. This program's global
// allocation functions are counting ones (CountingAllocator).

#include <gtest/gtest.h>

#include "CountingAllocator.h"
#include "ModelTestSupport.h"

namespace varkelon {
namespace {

using test::TestModel;

long allocationCount() {
    return testing::heapAllocationCount();
}

TEST(Allocation, TheCounterSeesAllocations) {
    const long before = allocationCount();
    int* volatile probe = new int(5);
    delete probe;
    EXPECT_EQ(allocationCount(), before + 1);
}

TEST(Allocation, StepAndResetAllocateNothing) {
    TestModel m;  // constructing may allocate (the clock and regime callables)
    long stepAllocations = 0;
    long resetAllocations = 0;
    const TeachingRegime regimes[] = {TeachingRegime::Static, TeachingRegime::Sin,
                                      TeachingRegime::SinPlusRandom, TeachingRegime::Random,
                                      TeachingRegime::None};
    int hidden = 1;
    for (TeachingRegime regime : regimes) {
        m.regime = regime;
        long before = allocationCount();
        m.manager.reset();
        resetAllocations += allocationCount() - before;

        before = allocationCount();
        for (int k = 0; k < 3000; ++k) {  // shakes included
            if (k % 500 == 0)
                m.network.hiddenCount = hidden++ % 10 + 1;
            m.manager.step();
        }
        stepAllocations += allocationCount() - before;
    }
    EXPECT_EQ(resetAllocations, 0);
    EXPECT_EQ(stepAllocations, 0);
}

}  // namespace
}  // namespace varkelon
