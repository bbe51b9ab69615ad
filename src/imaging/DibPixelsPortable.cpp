// Pixel memory for builds without GDI: a cache-line-aligned allocation.
#include <cstdlib>

#include "imaging/DibInfo.h"

DibPixelStore AllocateDibPixels(const DibInfo& info)
{
    const size_t bytes = info.header.biSizeImage;
    const size_t rounded = (bytes + 63) & ~size_t(63);
    void* p = std::aligned_alloc(64, rounded);
    return DibPixelStore{p, static_cast<uint32_t*>(p)};
}

void ReleaseDibPixels(const DibPixelStore& store)
{
    std::free(store.handle);
}
