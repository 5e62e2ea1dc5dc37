#include "allocation_counter.h"

#include <atomic>

namespace morvel::testing {
namespace {

std::atomic<size_t> held{0};
std::atomic<size_t> peak{0};
std::atomic<size_t> start{0};

void Gained(size_t bytes) {
    const size_t now = held.fetch_add(bytes) + bytes;
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

void Released(size_t bytes) {
    held.fetch_sub(bytes);
}

}  // namespace

size_t AllocatedBytes() {
    return held.load();
}

void ResetAllocationPeak() {
    start = held.load();
    peak = start.load();
}

size_t AllocationPeakAboveStart() {
    return peak.load() - start.load();
}

}  // namespace morvel::testing

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVEL_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVEL_ADDRESS_SANITIZER 1
#endif

#if defined(MORVEL_ADDRESS_SANITIZER)
// The sanitizer owns malloc; it reports every allocation and release to hooks.
#include <sanitizer/allocator_interface.h>

namespace {

void OnAllocate(const volatile void *, size_t size) {
    morvel::testing::Gained(size);
}
void OnRelease(const volatile void *pointer) {
    morvel::testing::Released(__sanitizer_get_allocated_size(const_cast<const void *>(pointer)));
}

const int kHooked = __sanitizer_install_malloc_and_free_hooks(OnAllocate, OnRelease);

}  // namespace
#else
// glibc: this program's own malloc family, over glibc's, counting the usable
// size of every block. Shared libraries resolve malloc to these as well.
#include <malloc.h>

#include <cerrno>

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);
void *__libc_memalign(size_t alignment, size_t size);
void __libc_free(void *pointer);
}

static void *Counted(void *pointer) {
    if (pointer != nullptr) morvel::testing::Gained(malloc_usable_size(pointer));
    return pointer;
}

extern "C" {

void *malloc(size_t size) {
    return Counted(__libc_malloc(size));
}
void *calloc(size_t count, size_t size) {
    return Counted(__libc_calloc(count, size));
}
void *memalign(size_t alignment, size_t size) {
    return Counted(__libc_memalign(alignment, size));
}
void *aligned_alloc(size_t alignment, size_t size) {
    return memalign(alignment, size);
}
void *valloc(size_t size) {
    return memalign(4096, size);
}

int posix_memalign(void **out, size_t alignment, size_t size) {
    void *pointer = memalign(alignment, size);
    if (pointer == nullptr) return ENOMEM;
    *out = pointer;
    return 0;
}

void free(void *pointer) {
    if (pointer != nullptr) morvel::testing::Released(malloc_usable_size(pointer));
    __libc_free(pointer);
}

void *realloc(void *pointer, size_t size) {
    const size_t before = pointer != nullptr ? malloc_usable_size(pointer) : 0;
    void *grown = __libc_realloc(pointer, size);
    if (grown == nullptr && size != 0) return nullptr;  // the old block stays
    morvel::testing::Released(before);
    return Counted(grown);
}

}  // extern "C"
#endif
