// The plain stretch copy behind CDib::StretchRect's no-filter path: GDI's
// StretchBlt on Windows, a portable copy elsewhere. Both rectangles lie
// inside their buffers (the caller checks). At unchanged size both builds
// copy the pixels unchanged, all four bytes; a real change of size is
// nearest-neighbour sampling in the portable build and whatever GDI's
// default stretch mode makes of it on Windows.
#pragma once

#include "imaging/PixelRect.h"

class CDib;

void StretchCopy(const CDib& src, const PixelRect& rcSrc, CDib& dest, const PixelRect& rcDest);
