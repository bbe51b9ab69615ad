// The shadow of one run: the object cut out of the host's image becomes a
// coloured, faded, blurred texture on a plane in the 3D engine, which renders
// it at full image size (a preview below 100 % at its own scale, see
// ReducedPreview.h); the result is then laid over the preview or over the
// host's output.
//
// The main dialog owns one of these; the command-line renderer and the tests
// drive it the same way. Each call takes the current parameter values; the
// slider values among them are taken into their ranges first, as the sliders
// would.
#pragma once

#include <memory>

#include "imaging/Dib.h"
#include "imaging/PreviewView.h"
#include "params/ShadowParams.h"
#include "render/DocumentPlanes.h"
#include "render/HostBuffers.h"
#include "render/ReducedPreview.h"
#include "render/Render3D.h"
#include "render/RunGeometry.h"
#include "render/SoftBlur.h"

class CShadowScene {
public:
    CShadowScene(const HostBuffers& host, const RunGeometry& geometry);
    CShadowScene(const CShadowScene&) = delete;
    CShadowScene& operator=(const CShadowScene&) = delete;

    // Builds the image buffer and (on a flat image) the object buffer,
    // points the preview at the object (for a preview client area of the
    // given size; 0 when there is none), sizes the render target and creates
    // the engine.
    void InitShadowRenderer(int previewClientWidth = 0, int previewClientHeight = 0);

    // The same for a run that only confirms (no dialog on screen): builds
    // no buffer that only the preview reads, so m_dibImage and the view stay
    // empty and ComposePreview shows nothing. The render target is made at
    // the render, covering only the part of the frame the shadow reaches
    // (m_rcRender).
    void InitFinalRenderer();

    // Replaces object 0 with a fresh plane of the crop box's size.
    void BuildShadowPlane();

    // Replaces texture 0: the object in the shadow colour, faded along its
    // height and blurred.
    void BuildShadowTexture(const ShadowParams& params);

    // Renders (unless a confirming render can reuse the one preview render
    // since InitShadowRenderer), then recomposes the preview or, when final,
    // writes the result into the host's output.
    void RenderShadow(bool final, const ShadowParams& params);

    // The two halves of RenderShadow, for callers that time them apart.
    // RenderFrame returns false when it had nothing to do. A preview render
    // draws only the part of the frame that the view shows, which on a
    // large image is a small part of the work; the final render draws all.
    bool RenderFrame(bool final, const ShadowParams& params);
    // After the view has moved: draws what it now shows that the last
    // render left out, with that render's placement and texture, so the
    // frame never mixes two parameter sets. False when nothing was missing.
    bool CompleteViewRows();
    // After the view has moved or its scale changed: below 100 % the scene
    // renders for the preview's scale (ReducedPreview.h), remade when that
    // scale changes; at 100 % and above it draws what the view now shows
    // that the frame lacks, rendering anew when the last renders were
    // reduced ones.
    void FollowView(const ShadowParams& params);
    // Whether the preview is rendered at its own reduced scale.
    bool RendersReduced() const { return m_pReduced != nullptr; }
    // Where the plane lands for these values on a frame grown by `grow`
    // pixels on every side: its projected corners and the part a render
    // would draw into (QuadReach, before the near cut), in this frame's
    // coordinates, so it may start left of or above 0 and end past the
    // image. A canvas grown to hold all of it renders the shadow exactly as
    // any larger one would. Draws nothing and reads no texture pixel; the
    // plane must be built. Empty without an engine or when nothing is drawn.
    PixelRect PlaneReach(const ShadowParams& params, int32_t grow);
    void ComposePreview(const ShadowParams& params);
    // Writes `region` of the result (empty: all of it; CompositePlan,
    // Compositing.h) into the host's output or the document's.
    void CompositeShadow(const ShadowParams& params, const PixelRect& region = PixelRect{0, 0, 0, 0});

    // A grey or 16-bit document, which the scene sees through its 8-bit
    // reduction (DocumentReduction.h): the shadow colour becomes grey on a
    // grey document and the final composite goes into the document's own
    // samples. Null (as made): the host buffers are the document. On such a
    // layer without a selection the reduction holds only the crop box
    // (CDocumentReduction::ReduceLayerObject): nothing here may read the
    // host's pixels of a layer outside it.
    void SetDocument(const DocumentPlanes* document) { m_pDocument = document; }

    bool HasEngine() const { return m_pRender != nullptr; }
    // Every buffer the scene's use needs could be had (CDib reports a failed
    // allocation as an empty buffer).
    bool HasBuffers() const;
    const RunGeometry& Geometry() const { return m_geometry; }

    // The picture as the preview shows it; only a flat image with a
    // selection has one (a layer's picture is fully transparent there).
    CDib m_dibImage;
    // The object cut out of the crop box; only on a flat image, whose final
    // composite reads it. On a layer the texture and the preview take the
    // object straight from the host's pixels and this stays empty.
    CDib m_dibObject;
    CDib m_dibView;
    CDib m_dibRender;
    // Where m_dibRender's top-left pixel lies in the frame, and how much of
    // it it holds: the whole image, except in a run that only confirms.
    PixelRect m_rcRender{0, 0, 0, 0};
    std::unique_ptr<CRender3D> m_pRender;
    int m_nRenderPending = 0;
    CPreviewView m_preview;

private:
    bool ImageShows() const;
    bool ShadowOnlyShown(const ShadowParams& params) const;
    void InitEngine(bool wholeFrame);
    void RenderReach();
    // Where the blur is sharpest and where it reaches its full radius, as
    // texture rows, for the given hinge.
    SoftBlurSpan HingeSpan(ShadowPosition position) const;
    void FadeRows(ARGB colour, int intensity, ShadowPosition position, ARGB* const* rows, int begin, int end) const;
    // The shadow texture at full size; BuildShadowTexture builds the
    // reduced one instead while the preview is reduced, and leaves this for
    // the confirming render (or a return to 100 %).
    void BuildFullTexture(const ShadowParams& params);
    ARGB ShadowColour(const ShadowParams& params) const;
    // Makes, remakes or drops the reduced scene for the view's scale; true
    // when it made a new one.
    bool SyncReduced();
    void RenderReduced(const ShadowParams& params);
    // The view's part of the reduced image, in its pixels.
    PixelRect ReducedViewPart() const;
    void BuildImageBuffer();
    void BuildObjectBuffer();
    void BuildCutOutIfRead();
    void PlacePreview(int clientWidth, int clientHeight);
    void PlaceShadowPlane(const ShadowParams& params);
    // Renders that part of the frame and holds only it from then on.
    void RenderPart(const PixelRect& part);
    // A new plane or texture: the part held no longer matches what a render
    // would draw now, so nothing is added to it until the next render.
    void ForgetFrameRows() { m_rcHeld = PixelRect{0, 0, 0, 0}; }
    PixelRect WholeFrame() const;
    // The part of the frame under the view; all of it when there is no
    // preview.
    PixelRect ViewPart() const;

    HostBuffers m_host;
    const DocumentPlanes* m_pDocument = nullptr;
    bool m_bFinalOnly = false;
    // The texture the engine held before the last rebuild, kept so that the
    // next rebuild of the same size reuses its memory.
    CTexture3D m_spareTexture{0, 0, {}};
    // The part of m_dibRender that holds the last render; none before it.
    PixelRect m_rcHeld{0, 0, 0, 0};
    RunGeometry m_geometry;
    std::unique_ptr<CReducedPreview> m_pReduced;
    // The reductions of the sizes shown last, newest first (the one in use
    // among them): a return to a zoom level reduces nothing. The host's
    // pixels never change under a scene, so they stay right until the
    // renderer is made anew.
    std::vector<std::shared_ptr<const ReducedSources>> m_keptReductions;
    std::shared_ptr<const ReducedSources> KeptReduction(int width, int height);
    // The full texture lags behind the parameters (the reduced one was
    // built in its place).
    bool m_bFullTextureStale = false;
    // What the full texture in the engine was made from: a reduced texture
    // built from the same leaves it current.
    struct TextureInputs {
        ARGB colour;
        int intensity, position, blur, softness;
        bool operator==(const TextureInputs& o) const
        {
            return colour == o.colour && intensity == o.intensity && position == o.position && blur == o.blur &&
                   softness == o.softness;
        }
    };
    TextureInputs TextureInputsOf(const ShadowParams& params) const;
    bool m_bFullTextureMade = false;
    TextureInputs m_fullTextureInputs{0, 0, 0, 0, 0};
    // The reduced texture was rebuilt in place of the full one: the full
    // one lags only if it was made from other values.
    void FullTextureLagsIfChanged(const ShadowParams& params);
};

// The fade factor (0-255) of texture row y of h rows for the given intensity
// and shadow position.
uint32_t ShadowFadeFactor(int y, int h, int intensity, ShadowPosition position);
