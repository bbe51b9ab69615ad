// Decoding a picture file held in memory with the system's picture loader
// (OleLoadPicture), into a DIB section of our own.
#pragma once

#include <windows.h>

#include <cstddef>

// A DIB section with the decoded picture, or null when the bytes are not a
// picture the loader reads. Bitmaps keep their pixels exactly; icons and
// metafiles are drawn at their natural size onto white. The caller owns the
// result; nothing of the loader stays behind.
HBITMAP DecodePicture(const void* bytes, size_t size);
