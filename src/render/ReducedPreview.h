// The preview below 100 %: the shadow built and rendered for the image at the
// preview's own scale instead of at full size and shrunk afterwards.
//
// The host's picture, the object and the object's silhouette are reduced
// once for the scale with an area-weighted box filter (the filter the shown
// picture would be shrunk with); each change of the shadow then fades and
// blurs a texture of the reduced silhouette and renders it into a frame
// twice the reduced size, averaged down to it. The plane keeps its place in
// the full-size world: only the camera is scaled (focal length and optical
// axis), so the projected plane lands where the full render's would, shrunk.
// Like the full frame, the reduced one is drawn under the view only and
// grows by the strips a pan uncovers.
#pragma once

#include <memory>
#include <vector>

#include "imaging/Dib.h"
#include "params/ShadowParams.h"
#include "render/HostBuffers.h"
#include "render/Render3D.h"
#include "render/RunGeometry.h"
#include "render/SoftBlur.h"

// Reduces the host pixels of `extent` (image coordinates, right and bottom
// exclusive) into a grid of gridWidth x gridHeight pixels and writes the
// grid's rows rows.top ... rows.bottom - 1, columns rows.left ...
// rows.right - 1 into `out` (which must be that rectangle's size). Pixels
// outside `readable` count as fully transparent and are never read. Each
// output pixel's alpha is the area average of the pixels' alpha (the
// object's opacity, or the unselected part of a flat image); its colour the
// alpha-weighted average of the host's colour bytes, or 0 for a silhouette,
// whose colour nobody reads.
enum class ReducedAlpha { Object, Unselected, Silhouette };
void ReduceHostArea(const HostBuffers& host, ReducedAlpha alpha, const PixelRect& extent, int gridWidth,
                    int gridHeight, const PixelRect& readable, const PixelRect& rows, CDib& out);

// The host's picture reduced for one preview size: the picture outside the
// selection, the object over the reduced crop box and the silhouette the
// texture is made from. They depend on the host's pixels and the size alone,
// never on the shadow's values, so a scene keeps those of recent sizes and a
// return to one of them reduces nothing.
struct ReducedSources {
    int width = 0;
    int height = 0;
    bool imageShows = false;
    // The reduced image's size and the reduced pixels the crop box touches.
    RunGeometry reduced;
    CDib image;
    CDib object;
    CDib silhouette;

    bool IsValid() const { return !object.IsEmpty() && !silhouette.IsEmpty(); }
    size_t Bytes() const;
};

// Reduces the image to width x height. `imageShows`: the picture shows
// outside the selection (a flat image with one).
std::shared_ptr<const ReducedSources> ReduceSources(const HostBuffers& host, const RunGeometry& full, bool imageShows,
                                                    int width, int height);

class CReducedPreview {
public:
    CReducedPreview(const HostBuffers& host, const RunGeometry& full, bool imageShows, int width, int height);
    // Renders from sources reduced before (by ReduceSources for `full`).
    CReducedPreview(const RunGeometry& full, std::shared_ptr<const ReducedSources> sources);

    int Width() const { return m_reduced.imageWidth; }
    int Height() const { return m_reduced.imageHeight; }
    // Every buffer could be had.
    bool IsValid() const;

    // The shadow texture from the reduced silhouette: faded as the full
    // texture is along its height, blurred with the radius scaled to the
    // texels' size. `span` is the full texture's hinge span.
    void BuildTexture(ARGB colour, const ShadowParams& params, SoftBlurSpan span);
    // Renders the part `view` (reduced pixels) of the reduced frame with
    // the plane placed as `full`'s object 0 is; the rest of the frame is
    // left out until a view shows it.
    void Render(CRender3D& full, const PixelRect& view);
    // After the view has moved: renders what it now shows that the frame
    // lacks, with the last render's placement and texture.
    void CompleteView(const PixelRect& view);
    // The reduced composite under the view whose top-left corner is
    // (left, top) in reduced pixels; `withObject` off for the shadow alone.
    void Compose(CDib& view, int left, int top, const ShadowParams& params, bool withObject) const;

private:
    // Renders that part of the frame (reduced pixels) and averages it down.
    void RenderPart(const PixelRect& part);
    void AverageDown(const PixelRect& part);

    RunGeometry m_full;
    std::shared_ptr<const ReducedSources> m_sources;
    // Short names for the sources' parts.
    const RunGeometry& m_reduced;
    const CDib& m_image;
    const CDib& m_object;
    const CDib& m_silhouette;
    // The frame rendered finer than the reduced size, and averaged into
    // m_render.
    CDib m_frame;
    CDib m_render;
    CRender3D m_engine;
    // The part of m_render that holds the last render, in reduced pixels.
    PixelRect m_rcHeld{0, 0, 0, 0};
    CTexture3D m_spareTexture{0, 0, {}};
};
