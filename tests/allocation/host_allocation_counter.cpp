// Host side: the program's malloc family and operator new count, then hand over to glibc's own
// allocator. Defining malloc here interposes it for the C and C++ runtimes too, so an allocation
// made inside vsnprintf or std::string is counted as well.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "allocation_counter.h"

std::atomic<bool> countingAllocations{false};
std::atomic<long> allocationCount{0};

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);

void* malloc(size_t size) {
    NoteAllocation();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    NoteAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* block, size_t size) {
    NoteAllocation();
    return __libc_realloc(block, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    NoteAllocation();
    return __libc_memalign(alignment, size);
}
}

void* operator new(size_t size) {
    NoteAllocation();
    if (void* block = __libc_malloc(size ? size : 1)) return block;
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
