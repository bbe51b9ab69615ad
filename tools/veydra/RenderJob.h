// One `veydra render`: the plug-in's run without its dialog, on PNG files.
#pragma once

#include <functional>
#include <iosfwd>

#include "FitCanvas.h"
#include "Options.h"
#include "PngImage.h"
#include "render/DocumentPlanes.h"

// What a render wrote; with --fit, the canvas and where the original lies in it.
struct RenderOutcome {
    bool fitted = false;
    FitPlacement placement;
};

// Throws CliError when the files or the image refuse; nothing is written then.
RenderOutcome RunRender(const RenderOptions& options, std::ostream& log);

// Throws CliError, naming options.mask, when the mask's size is not the image's.
void CheckMaskFits(const RasterImage& image, const RasterImage* mask, const RenderOptions& options);

// The run on decoded pixels: pairs the mask (null: none) with the image,
// finds the object, renders the shadow and lays it over a copy of the input,
// which it returns. Throws CliError, naming options.input and options.mask,
// when the pair does not fit or the image has no object. `lap` is told when
// each stage ends.
RasterImage ApplyShadow(const RasterImage& input, const RasterImage* mask, const RenderOptions& options,
                        const std::function<void(const char*)>& lap);

// The same run writing the result over `image` itself: the compositing reads
// each input pixel just before it replaces it, so no second image-sized
// buffer is needed. `image` is left as it was when this throws.
void ApplyShadowInPlace(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                        const std::function<void(const char*)>& lap);

// A grey or 16-bit picture (grey, grey + alpha, or 16 bits a sample) is
// rendered at its own depth: the file comes back at its depth and every
// sample the shadow does not reach is unchanged.
inline bool KeepsOwnDepth(const RasterImage& image) { return image.depth == 16 || image.planes <= 2; }

// The picture (and mask) as the engine's document, its result written over
// the picture itself.
DocumentPlanes ImageDocument(RasterImage& image, const RasterImage* mask);

void ListPresets(std::ostream& out);
