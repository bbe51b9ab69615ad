// Where the object is: its bounding box and the crop box around it, found
// once per run from the host's buffers.
#pragma once

#include <cstdint>

#include "render/HostBuffers.h"

struct RunGeometry {
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    int32_t objectWidth = 0;
    int32_t objectHeight = 0;
    // The object's bounding box grown by kCropMargin and clipped to the
    // image; all four inclusive.
    int32_t cropLeft = 0;
    int32_t cropTop = 0;
    int32_t cropRight = 0;
    int32_t cropBottom = 0;

    int32_t CropWidth() const { return cropRight - cropLeft + 1; }
    int32_t CropHeight() const { return cropBottom - cropTop + 1; }
};

const int32_t kCropMargin = 20;

// Why a run refuses to cast a shadow; the caller shows the message.
enum class RunRefusal {
    None,
    NoSelection,  // neither a selection nor transparency
    EmptyObject,  // transparency present, but the object is under 2 pixels on an axis
    ShadowOnlyOnFlatImage,  // the shadow alone asked of an image with no transparency to hold it
};

// Language key ("Msg" section) and built-in English text of a refusal.
const char* RefusalKey(RunRefusal refusal);
const char* RefusalText(RunRefusal refusal);

// Scans the input (and mask) for the object and fills `geometry`. Returns the
// refusal, if any; `geometry` is only meaningful for RunRefusal::None.
RunRefusal ComputeRunGeometry(const HostBuffers& buffers, RunGeometry& geometry);
