// Counts heap allocations made while a scope is open, in a test program whose allocation
// functions are routed through the counter (see allocation_counter.cpp and its Windows twin).
#pragma once

#include <atomic>

extern std::atomic<bool> countingAllocations;
extern std::atomic<long> allocationCount;

struct CountAllocations {
    CountAllocations() {
        allocationCount = 0;
        countingAllocations = true;
    }
    ~CountAllocations() { countingAllocations = false; }
    long Count() const { return allocationCount.load(); }
};

inline void NoteAllocation() {
    if (countingAllocations.load(std::memory_order_relaxed)) ++allocationCount;
}
