// Undoing a PNG row's filter: the byte-wise prediction ("sub", "up",
// "average", "Paeth") the encoder subtracted before compressing.
#pragma once

#include <cstddef>
#include <cstdint>

const int kPngFilterTypes = 5;

// Reconstructs `bytes` bytes of one row from its filtered bytes `row` into
// `out`. `prior` is the reconstructed row above, or nullptr for the first
// row of an image or interlace pass (read as zeros); `step` the bytes a
// whole pixel spans (1 for pixels under a byte). `out` may be `row` itself
// or lie before it in the same buffer: each byte is read before anything
// at or after its place is written, and `prior` must not overlap `row`.
// False for a filter type this format does not have.
bool UnfilterRow(int filter, const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes, int step);
