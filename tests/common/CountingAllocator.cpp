#include "CountingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long>& allocationCount() {
    static std::atomic<long> count{0};
    return count;
}

void* countedAllocation(std::size_t size) {
    allocationCount().fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void* countedAllocation(std::size_t size, const std::nothrow_t&) noexcept {
    allocationCount().fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

long varkelon::testing::heapAllocationCount() {
    return allocationCount().load();
}

void* operator new(std::size_t size) {
    return countedAllocation(size);
}
void* operator new[](std::size_t size) {
    return countedAllocation(size);
}
void* operator new(std::size_t size, const std::nothrow_t& tag) noexcept {
    return countedAllocation(size, tag);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return countedAllocation(size, tag);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
