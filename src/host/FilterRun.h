// The start step: fetch the whole image from the host, refuse a document
// without an object, find the object's geometry, and hand the run to the
// main dialog, which renders the shadow into the host's output.
#pragma once

#include "host/HostRecords.h"

// Returns normally when the output holds the result, or after one of the
// plain buffer messages (the image is then unchanged). Throws CTextFailure
// when advanceState fails and CCodeFailure(-128) when the run is refused or
// cancelled.
void RunFilter(FilterRecord& record);
