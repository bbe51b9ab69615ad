// What the start step asks of the host and how it reads what comes back:
// the whole filter rectangle in one piece, with the transparency plane when
// the layer has one and the selection when there is one.
#pragma once

#include "host/HostRecords.h"

// The start step's request: the fourth plane on a layer with transparency,
// inRect = outRect = filterRect, the mask only with a selection, all planes,
// and autoMask off so the host does not clip the shadow to the selection.
void RequestWholeImage(FilterRecord& record);

// All-zero rectangles: no more data wanted.
void RequestNoMoreData(FilterRecord& record);

// Why the delivered buffers cannot be used; each has its own plain message.
enum class BufferProblem { None, NoOutput, NoInput, NoMask };

// Checks in the order output, input, mask. A row stride too small for the
// filter rectangle is treated like a missing buffer: reading it would run
// past the host's memory.
BufferProblem CheckBuffers(const FilterRecord& record);
const char* BufferProblemText(BufferProblem problem);
