// The test host's buffer suite and colour services, the two suites a host
// offers that this plug-in's run does not depend on.
#pragma once

#include "host/HostRecords.h"

BufferProcs* HostBufferProcs();

// Choosing a colour needs a person: the test host answers with the colour
// the --ui automation offered for the next choice, or as a user who
// cancelled; with an error code set it answers every choice with that
// error, as hosts without a picker do. Conversions between RGB and RGB and
// the special colours work.
OSErr HOSTAPI HostColorServices(ColorServicesInfo* info);

// The answer to the next choose-colour call (a COLORREF, 0x00BBGGRR).
void OfferColorAnswer(unsigned colorRef);
// 0: answer choices as above; otherwise the error every choice returns.
void SetColorChoiceError(int error);
// How many choose-colour calls the module made.
int ColorChoiceCalls();
