// The shadow engine's one way in. Every front end (the command line, the
// filter module with and without its dialog, and any that comes later) hands
// it a document, the shadow's values and a few options, and gets the result
// or the reason there is none. The order of the stages (finding the object,
// the texture and its blur, the plane, the render, the composite) lives here
// and nowhere else.
//
// One call, for a front end that renders and is done:
//
//     DocumentPlanes document;                 // render/DocumentPlanes.h
//     document.width = w;
//     document.height = h;
//     document.depth = 8;                      // or 16
//     document.colours = 3;                    // or 1: grey
//     document.planes = 4;                     // colours + 1 with transparency;
//                                              // planes beyond pass through
//     document.fullScale = 255;                // 65535 for 16-bit files,
//                                              // 32768 for a host's 16 bits
//     document.inData = pixels;                // interleaved, native byte order
//     document.inRowBytes = w * 4;
//     document.outData = result;               // may be inData itself
//     document.outRowBytes = w * 4;
//     document.maskData = selection;           // optional: one byte a pixel,
//     document.maskRowBytes = w;               // 0 unselected ... 255 selected
//     EngineOptions options;
//     options.threads = 2;                     // optional
//     const RunRefusal refusal = RenderShadow(document, params, options);
//     if (refusal != RunRefusal::None)
//         Report(RefusalText(refusal));        // nothing was written
//
// The result is the same bytes that `veydra render` and the filter module
// give for the same pixels and values, on every build and for any number of
// threads; the values are taken into their ranges first, as the dialog's
// sliders would. The object is the layer's opacity weighted by the selection,
// or on a document without transparency the selection. A document without
// either, an object under two pixels on an axis, and the shadow alone
// (params.shadowOnly) on a document without transparency are refused as a
// value. A description that is not one (no pixels, a depth other than 8 or
// 16, rows shorter than the width, a region outside the image) throws
// std::invalid_argument saying what is wrong; memory that cannot be had
// throws std::bad_alloc. Either way nothing has been written.
//
// Several calls may run at once on different threads, each on documents of
// its own: the engine keeps no state between calls.
#pragma once

#include <functional>
#include <memory>

#include "imaging/PixelRect.h"
#include "params/ShadowParams.h"
#include "render/DocumentPlanes.h"
#include "render/DocumentReduction.h"
#include "render/HostBuffers.h"
#include "render/RunGeometry.h"

struct EngineOptions {
    // Worker threads for this call's stages; 0 leaves the count to the
    // process (WorkerThreads.h). The bytes are the same for any count.
    int threads = 0;
    // The part of the result to write, in document pixels; empty: the whole
    // document. The output buffer then holds just that part: outData is the
    // region's top-left pixel and outRowBytes the step from one of its rows
    // to the next. Every sample of the region is written.
    PixelRect region{0, 0, 0, 0};
    // Told the name of each stage as it ends ("object bounds", "image+object
    // buffers", "texture+blur", "render", "composite"), for timings.
    std::function<void(const char* stage)> stageDone;
};

// Renders the shadow for `params` and lays it over the document into its
// output, or says why not. See above.
RunRefusal RenderShadow(const DocumentPlanes& document, const ShadowParams& params,
                        const EngineOptions& options = EngineOptions());

// The same in steps, for a front end that renders one document more than
// once or needs to know about its object first (the filter module refuses
// before its dialog opens). The document's pixels stay the caller's and must
// outlive this object; its input is only read.
class CShadowEngine {
public:
    // Checks the description and finds the object (reducing a grey or 16-bit
    // document to the 8-bit picture the stages read). Reads options.threads
    // and options.stageDone. Throws as RenderShadow does.
    explicit CShadowEngine(const DocumentPlanes& document, const EngineOptions& options = EngineOptions());
    ~CShadowEngine();
    CShadowEngine(const CShadowEngine&) = delete;
    CShadowEngine& operator=(const CShadowEngine&) = delete;

    // Why the document has no object (RunRefusal::None: it has one).
    RunRefusal Refusal() const { return m_refusal; }
    // Why these values cannot be rendered on it: the object's refusal, or
    // the shadow alone on a document without transparency.
    RunRefusal RefusalFor(const ShadowParams& params) const;

    const DocumentPlanes& Document() const { return m_document; }
    bool HasTransparency() const { return m_document.HasTransparency(); }
    // Where the object is; meaningful without a refusal.
    const RunGeometry& Geometry() const { return m_geometry; }
    // The 8-bit RGB(A) picture the stages read: the document itself, or its
    // reduction. Its output is not the document's: nothing writes to it.
    const HostBuffers& Pixels() const { return m_pixels; }
    // The document when the stages read its 8-bit reduction (grey or 16
    // bits); null when they read the document itself.
    const DocumentPlanes* ReducedDocument() const { return m_bReduced ? &m_document : nullptr; }

    // Renders the shadow for `params` and lays it over the document into its
    // output (options.region of it), or returns the refusal and writes
    // nothing. Throws std::invalid_argument for a missing or short output
    // and std::bad_alloc.
    RunRefusal RenderResult(const ShadowParams& params, const EngineOptions& options = EngineOptions()) const;

    // Where the plane lands for `params` on a frame grown by `grow` pixels on
    // every side (CShadowScene::PlaneReach): a canvas grown to hold all of it
    // shows the whole shadow. Empty with a refusal or when nothing is drawn.
    PixelRect PlaneReach(const ShadowParams& params, int32_t grow) const;

private:
    DocumentPlanes m_document;
    bool m_bReduced = false;
    CDocumentReduction m_reduction;
    HostBuffers m_pixels;
    RunGeometry m_geometry;
    RunRefusal m_refusal = RunRefusal::None;
};
