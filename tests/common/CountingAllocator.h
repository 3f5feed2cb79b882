#pragma once

// A test program that links CountingAllocator.cpp has its global allocation
// functions replaced by counting ones.
namespace varkelon::testing {

// Heap allocations made by the program so far.
long heapAllocationCount();

}  // namespace varkelon::testing
