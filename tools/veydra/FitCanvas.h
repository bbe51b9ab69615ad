// `veydra render --fit`: the canvas grows so that the shadow is never cut at
// the image's edge.
//
// The render runs on the picture padded with margins wide enough for the
// whole shadow plane (found without drawing, CShadowEngine::PlaneReach) and
// for the 20-pixel surround the shadow's texture is cut from, so nothing the
// shadow draws falls outside the frame. The result is then trimmed to the
// original picture plus the pixels the shadow changed in the margins. The
// original's pixels are copied, never moved by a fraction or resampled: the
// written image is the original at a whole-pixel offset with the shadow
// around it, exactly what a render onto a canvas padded by hand gives.
#pragma once

#include <functional>

#include "Options.h"
#include "PngImage.h"

struct FitPlacement {
    int canvasWidth = 0;   // the written image
    int canvasHeight = 0;
    int offsetX = 0;       // where the original's top-left pixel lies in it
    int offsetY = 0;
    // The shadow reaches further than a canvas may grow (FitGrowthLimit)
    // and is cut there.
    bool cut = false;
};

// How far past each edge the canvas may grow for an image of this size:
// its longer side, and at least 2048 pixels. Shadows cast almost along the
// line of sight can reach much further; they are cut there.
int FitGrowthLimit(int width, int height);

// The padding the margins take: fully transparent on a layer; on a flat
// image `background` (a colour 0x00BBGGRR, as --color takes it) or, when it
// is negative, the colour of the nearest edge pixel, so the backdrop runs
// on. A mask grows with zeros (nothing selected there).
RasterImage PadImage(const RasterImage& image, int left, int top, int right, int bottom, int32_t background);

// Renders as ApplyShadowInPlace does, on a canvas grown as described above,
// and replaces `image` with the result (the mask is only read). Throws
// CliError as ApplyShadowInPlace does.
FitPlacement ApplyShadowFitted(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                               const std::function<void(const char*)>& lap);

// "canvas WxH, original at (X, Y)", and a warning when the shadow was cut.
std::string DescribePlacement(const FitPlacement& placement);
