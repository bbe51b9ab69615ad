// The shadow parameters as a scripting descriptor: read from the host at
// the start of a run (the values win over the last-used set, and the host's
// play mode decides whether the dialog shows), written back after a run the
// user confirmed in the dialog.
//
// Both work on a ShadowParams; the main dialog applies the result to its
// controls (the sliders clamp) and supplies the values to write.
#pragma once

#include <cstdint>

#include "host/HostRecords.h"
#include "params/ShadowParams.h"

enum class DescriptorPlayMode {
    NoDescriptor = 0,  // nothing to play back
    ShowDialog = 1,    // playback with the dialog (playInfo 1)
    NoDialog = 2,      // playback without it
};

// The descriptor keys in the order they are written and requested.
struct DescriptorKey {
    DescriptorKeyID key;
    int32_t ShadowParams::*field;
    bool isBoolean;  // `outS` and `shdO`; every other key is a 32-bit integer
};
// The thirteen original keys, then `sofT` and `shdO`: written last, so a
// reader that knows only the first thirteen has read them all when it stops
// at the first key it does not know.
extern const DescriptorKey kDescriptorKeys[15];
const size_t kDescriptorKeyCount = 15;

// Faults of the host exchange that do not stop the run; the plug-in shows
// them in a plain message box.
typedef void (*PlainMessageProc)(const char* text);

// Applies the values the host's descriptor holds to `values`, unclamped;
// then closes the descriptor, disposes of its handle and clears the filter
// record's `descriptor`. Softness and shadow-only take 0 from any descriptor
// that does not name them, so an action recorded before they existed plays
// back as it was recorded, whatever the last-used set holds. An unknown key or a read error ends the reading
// early, keeping what was applied.
DescriptorPlayMode ReadScriptDescriptor(FilterRecord& record, ShadowParams& values, PlainMessageProc message);

// Records `values` as a new descriptor in the filter record, replacing any
// descriptor it holds, and sets recordInfo to plugInDialogOptional.
void WriteScriptDescriptor(FilterRecord& record, const ShadowParams& values, PlainMessageProc message);
