// Memory for the big working buffers of a run (image-sized pixel buffers,
// the shadow texture, decoded pictures).
//
// The first write to freshly mapped memory is what such buffers cost most:
// the kernel faults in and clears one 4 KB page at a time. Where Linux offers
// transparent huge pages on request, a large block is mapped 2 MB-aligned and
// asked for them, which makes the first touch several times cheaper. Anywhere
// else (Windows, other systems, sanitizer builds, whose allocator must see
// every block to guard it) it is an ordinary allocation.
#pragma once

#include <cstddef>
#include <new>
#include <utility>
#include <vector>

struct LargeBlock {
    void* pointer;
    // The block is known to hold zero bytes (fresh from the kernel), so an
    // owner that wants it cleared need not write it.
    bool zeroed;
};

// nullptr in `pointer` when the memory cannot be had. A size of 0 gives a
// valid pointer that must be released like any other.
LargeBlock AllocateLarge(size_t bytes);
void ReleaseLarge(void* pointer, size_t bytes);

// For containers: the same memory behind a standard allocator.
template <class T>
struct CLargeAllocator {
    typedef T value_type;
    CLargeAllocator() = default;
    template <class U>
    CLargeAllocator(const CLargeAllocator<U>&)
    {
    }
    T* allocate(size_t n)
    {
        if (n > static_cast<size_t>(-1) / sizeof(T))
            throw std::bad_alloc();
        void* p = AllocateLarge(n * sizeof(T)).pointer;
        if (!p)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) { ReleaseLarge(p, n * sizeof(T)); }
    // Elements made without a value are left as they come (default
    // initialised): these buffers are written whole before they are read,
    // and clearing them first would touch every page twice. Give a value
    // (resize(n, 0)) where zeros are wanted.
    template <class U>
    void construct(U* p)
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <class U>
    bool operator==(const CLargeAllocator<U>&) const
    {
        return true;
    }
    template <class U>
    bool operator!=(const CLargeAllocator<U>&) const
    {
        return false;
    }
};

template <class T>
using LargeVector = std::vector<T, CLargeAllocator<T>>;
