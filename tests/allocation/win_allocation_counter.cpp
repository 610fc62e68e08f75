// Windows side: the test program is linked with --wrap for the malloc family, so every call
// from the program, the C++ runtime and MinGW's own C functions linked into it reaches these
// counters first; operator new counts as well. Wine's system libraries allocate from their own
// heaps and are not ours to count.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "allocation_counter.h"

std::atomic<bool> countingAllocations{false};
std::atomic<long> allocationCount{0};

extern "C" {
void* __real_malloc(size_t size);
void* __real_calloc(size_t count, size_t size);
void* __real_realloc(void* block, size_t size);

void* __wrap_malloc(size_t size) {
    NoteAllocation();
    return __real_malloc(size);
}
void* __wrap_calloc(size_t count, size_t size) {
    NoteAllocation();
    return __real_calloc(count, size);
}
void* __wrap_realloc(void* block, size_t size) {
    NoteAllocation();
    return __real_realloc(block, size);
}
}

void* operator new(size_t size) {
    NoteAllocation();
    if (void* block = __real_malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* block) noexcept {
    free(block);
}
void operator delete[](void* block) noexcept {
    free(block);
}
void operator delete(void* block, size_t) noexcept {
    free(block);
}
void operator delete[](void* block, size_t) noexcept {
    free(block);
}
