// The host's error text: a Pascal string in a Str255.
#pragma once

#include <string>

#include "host/HostRecords.h"

// Writes the length byte (at most 255), the characters and, when there is
// room, a terminating zero byte, so hosts that read it as a C string stop in
// the right place.
void StoreErrorString(Str255& target, const std::string& text);
