#include "imaging/LargeMemory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define VEYDRA_PLAIN_LARGE_MEMORY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VEYDRA_PLAIN_LARGE_MEMORY 1
#endif
#endif

#if defined(__linux__) && !defined(VEYDRA_PLAIN_LARGE_MEMORY)
#include <sys/mman.h>
#define VEYDRA_HUGE_PAGES 1
#endif

namespace {

#ifdef VEYDRA_HUGE_PAGES
const size_t kHugePage = size_t(2) << 20;

// Below two huge pages the saving is small and the rounding wasteful.
bool WantsHugePages(size_t bytes) { return bytes >= 2 * kHugePage; }

size_t RoundToHugePages(size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

// A mapping of `size` bytes whose start is 2 MB-aligned: map one huge page
// more than asked and give back the unaligned head and the tail.
void* MapAligned(size_t size)
{
    if (size > SIZE_MAX - kHugePage)
        return nullptr;
    const size_t span = size + kHugePage;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    const size_t head = aligned - start;
    const size_t tail = span - head - size;
    if (head)
        munmap(raw, head);
    if (tail)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* p = reinterpret_cast<void*>(aligned);
    // A kernel without transparent huge pages refuses the advice; the
    // mapping works all the same with small pages.
    madvise(p, size, MADV_HUGEPAGE);
    return p;
}
#endif

}  // namespace

LargeBlock AllocateLarge(size_t bytes)
{
#ifdef VEYDRA_HUGE_PAGES
    if (WantsHugePages(bytes)) {
        void* p = MapAligned(RoundToHugePages(bytes));
        return LargeBlock{p, p != nullptr};
    }
#endif
    // Cache-line alignment for the pixel loops; aligned_alloc wants a size
    // that is a multiple of it.
    const size_t rounded = bytes == 0 ? 64 : (bytes + 63) & ~size_t(63);
    if (rounded < bytes)
        return LargeBlock{nullptr, false};
#ifdef _WIN32
    return LargeBlock{_aligned_malloc(rounded, 64), false};
#else
    return LargeBlock{std::aligned_alloc(64, rounded), false};
#endif
}

void ReleaseLarge(void* pointer, size_t bytes)
{
    if (!pointer)
        return;
#ifdef VEYDRA_HUGE_PAGES
    if (WantsHugePages(bytes)) {
        munmap(pointer, RoundToHugePages(bytes));
        return;
    }
#else
    (void)bytes;
#endif
#ifdef _WIN32
    _aligned_free(pointer);
#else
    std::free(pointer);
#endif
}
