// Pixel memory for builds without GDI: a large-buffer allocation (huge pages
// where the system offers them), so an image-sized buffer is cheap to touch.
#include "imaging/DibInfo.h"
#include "imaging/LargeMemory.h"

DibPixelStore AllocateDibPixels(const DibInfo& info)
{
    const size_t bytes = info.header.biSizeImage;
    const LargeBlock block = AllocateLarge(bytes);
    return DibPixelStore{block.pointer, static_cast<uint32_t*>(block.pointer), bytes, block.zeroed};
}

void ReleaseDibPixels(const DibPixelStore& store)
{
    ReleaseLarge(store.handle, store.bytes);
}
