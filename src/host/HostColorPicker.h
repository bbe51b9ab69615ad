// Choosing a colour with the host's own colour picker, through the filter
// record's colour services. Portable: no <windows.h>.
#pragma once

#include <cstdint>

#include "host/HostRecords.h"

enum class HostColorAnswer {
    Chosen,       // `color` holds the choice
    Cancelled,    // the user cancelled the host's picker (userCanceledErr)
    Unavailable,  // no services, or the host answered with any other error
};

// Asks `services` to choose a colour, starting from `color` (a COLORREF,
// 0x00BBGGRR), in RGB in and out with no prompt. Hosts differ: some have no
// picker and say so with an error, some answer every selector with an
// error; only userCanceledErr means the user cancelled, so anything else is
// Unavailable and the caller offers the system's chooser instead.
HostColorAnswer ChooseColorWithHost(ColorServicesProc services, uint32_t& color);
