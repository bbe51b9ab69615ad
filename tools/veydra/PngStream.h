// Writing a PNG file with the image data compressed by several threads.
//
// A PNG's pixels are one zlib stream. zlib can end a piece of a deflate
// stream on a byte boundary with nothing carried over (a full flush), so
// the rows can be cut into bands of a fixed height, each band filtered and
// deflated by whichever worker thread takes it, and the pieces laid end to end make one valid stream;
// its checksum is put together from the bands' checksums. Every row is
// predicted from the one above ("up"), the first from zeros, as one
// encoder would; zlib's fastest level.
#pragma once

#include <cstdio>
#include <string>

struct RasterImage;

// Writes grey, RGB or RGBA pixels (8 bits a channel) as a complete PNG file.
// False, with the reason in `error`, when zlib fails or the file cannot be
// written.
bool WritePngStream(FILE* file, const RasterImage& image, std::string& error);
