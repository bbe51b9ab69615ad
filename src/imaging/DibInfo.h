// The header a DIB section is made from, laid out byte for byte like the
// platform's BITMAPINFO (a 40-byte BITMAPINFOHEADER and one colour entry), so
// the Windows build can hand it to GDI as it is while portable code never
// needs the platform headers.
#pragma once

#include <cstddef>
#include <cstdint>

struct DibInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

struct DibInfo {
    DibInfoHeader header;
    uint32_t colors[1];
};

static_assert(sizeof(DibInfoHeader) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(DibInfo) == 44, "BITMAPINFO is the header and one colour entry");

const uint32_t kDibRgbCompression = 0;  // BI_RGB: uncompressed

// Where the pixels of a buffer live: a DIB section on Windows, an aligned
// allocation elsewhere. The handle is what the release needs.
struct DibPixelStore {
    void* handle;
    uint32_t* pixels;
    size_t bytes;  // what the release needs besides the handle
    bool zeroed;   // the pixels are known to be 0 already
};

// Returns {nullptr, nullptr} when the memory cannot be had.
DibPixelStore AllocateDibPixels(const DibInfo& info);
void ReleaseDibPixels(const DibPixelStore& store);
