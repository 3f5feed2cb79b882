// Teaching allocates nothing once the model exists. This program replaces
// the global allocation functions with counting ones.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "ModelTestSupport.h"

namespace {

std::atomic<long>& allocationCount() {
    static std::atomic<long> count{0};
    return count;
}

void* countedAllocation(std::size_t size) {
    allocationCount().fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return countedAllocation(size); }
void* operator new[](std::size_t size) { return countedAllocation(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocationCount().fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    allocationCount().fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace varkelon {
namespace {

using test::TestModel;

TEST(Allocation, TheCounterSeesAllocations) {
    const long before = allocationCount().load();
    int* volatile probe = new int(5);
    delete probe;
    EXPECT_EQ(allocationCount().load(), before + 1);
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
        long before = allocationCount().load();
        m.manager.reset();
        resetAllocations += allocationCount().load() - before;

        before = allocationCount().load();
        for (int k = 0; k < 3000; ++k) {  // shakes included
            if (k % 500 == 0) m.network.hiddenCount = hidden++ % 10 + 1;
            m.manager.step();
        }
        stepAllocations += allocationCount().load() - before;
    }
    EXPECT_EQ(resetAllocations, 0);
    EXPECT_EQ(stepAllocations, 0);
}

}  // namespace
}  // namespace varkelon
