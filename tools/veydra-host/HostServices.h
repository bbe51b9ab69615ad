// The test host's buffer suite and colour services, the two suites a host
// offers that this plug-in's run does not depend on.
#pragma once

#include "host/HostRecords.h"

BufferProcs* HostBufferProcs();

// Choosing a colour needs a person, so the test host answers as a user who
// cancelled; conversions between RGB and RGB and the special colours work.
OSErr HOSTAPI HostColorServices(ColorServicesInfo* info);
