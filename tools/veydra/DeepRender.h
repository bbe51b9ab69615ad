// `veydra render` on a grey or 16-bit picture: the engine works on its 8-bit
// reduction and the shadow is laid over the picture's own samples
// (render/DeepCompositing.h), so the file comes back at its depth and every
// sample the shadow does not reach is unchanged.
#pragma once

#include <functional>

#include "Options.h"
#include "PngImage.h"

inline bool KeepsOwnDepth(const RasterImage& image) { return image.depth == 16 || image.planes <= 2; }

// As ApplyShadowInPlace (RenderJob.h), for an image that KeepsOwnDepth.
void ApplyShadowAtOwnDepth(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                           const std::function<void(const char*)>& lap);
