// Documents of other modes and depths for the test host (--depth 16,
// --mode gray): read from a PNG of any depth or from the synthetic layer,
// handed to the module as a host would (16-bit samples 0..32768), and
// written back at the document's depth.
#pragma once

#include <string>

#include "HostDocument.h"
#include "HostOptions.h"

// The document the options describe, at options.depth and in grey when
// options.grey: from options.input (a 16-bit file keeps its values, scaled
// from 0..65535 to 0..32768 rounded to nearest) or the synthetic layer, with
// options.mask as the selection. False with a reason.
bool LoadDocumentAt(const HostOptions& options, HostDocument& document, std::string& error);

// Writes the document at its depth: 16-bit samples scaled back to
// 0..65535 (rounded to nearest), grey as grey.
bool SaveDocumentAt(const std::string& path, const HostDocument& document, std::string& error);
