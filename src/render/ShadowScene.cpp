#include "render/ShadowScene.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "imaging/WorkerThreads.h"
#include "render/Compositing.h"
#include "render/DeepCompositing.h"
#include "render/ShadowOnly.h"
#include "render/SoftBlur.h"

namespace {

// The object's plane and its texture; the scene holds nothing else.
const int kShadowObject = 0;
const int kShadowTexture = 0;
const int kTexturedMode = 9;
const ARGB kPlaneColour = 0x7F000000;  // unused by the textured mode

// The dialog's sliders keep their values in range, but the scene is also
// driven without sliders (the command line, descriptor playback); out of
// range, the fade and blur arithmetic would overflow. Every entry point takes
// the values as a slider would.
ShadowParams InRange(const ShadowParams& params) { return ClampShadowParams(params); }

CNode3D PlaneNode(double x, double y, double u, double v)
{
    CNode3D node{};
    node.x = x;
    node.y = y;
    node.z = 0;
    node.nx = 0;
    node.ny = 0;
    node.nz = 1;
    node.u = u;
    node.v = v;
    return node;
}

}  // namespace

uint32_t ShadowFadeFactor(int y, int h, int intensity, ShadowPosition position)
{
    const bool bottom = position == ShadowPosition::Bottom;
    const int level = bottom ? 105 - intensity : intensity;
    // A crop box one row high has no length to fade along: full strength.
    const int q = h > 1 ? static_cast<int>(static_cast<unsigned>(h - 1 - y) * 255u / static_cast<unsigned>(h - 1))
                        : 255;
    int f = level < 50 ? std::max(0, q + (level - 49) * 255 / 49) : std::min(255, q + (level - 50) * 255 / 50);
    if (bottom)
        f = 255 - f;
    return static_cast<uint32_t>(f);
}

CShadowScene::CShadowScene(const HostBuffers& host, const RunGeometry& geometry) : m_host(host), m_geometry(geometry)
{
}

bool CShadowScene::ShadowOnlyShown(const ShadowParams& params) const
{
    // A flat image has no transparency to hold the shadow alone; whoever
    // asks for it there is refused before the scene is made.
    return params.IsShadowOnly() && m_host.HasTransparency();
}

bool CShadowScene::ImageShows() const
{
    // On a flat image with a selection the picture shows outside the
    // selection in the preview; on a layer it is fully transparent, and
    // blending it into the view would change no bit there.
    return m_host.maskData != nullptr && !m_host.HasTransparency();
}

void CShadowScene::BuildImageBuffer()
{
    const RunGeometry& g = m_geometry;
    if (!ImageShows()) {
        m_dibImage.Destroy();
        return;
    }
    m_dibImage.Create(g.imageWidth, g.imageHeight);
    if (m_dibImage.IsEmpty())
        return;
    ParallelFor(g.imageHeight, LinesPerThread(g.imageWidth), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            ARGB* row = m_dibImage.Row(y);
            const uint8_t* in = m_host.InPixel(0, y);
            const uint8_t* mask = m_host.maskData + static_cast<intptr_t>(y) * m_host.maskRowBytes;
            for (int x = 0; x < g.imageWidth; ++x, in += m_host.planes)
                row[x] = HostBytesToArgb(in, 255u - mask[x]);
        }
    });
}

void CShadowScene::BuildObjectBuffer()
{
    const RunGeometry& g = m_geometry;
    m_dibObject.Create(g.CropWidth(), g.CropHeight());
    if (m_dibObject.IsEmpty())
        return;
    ParallelFor(g.CropHeight(), LinesPerThread(g.CropWidth()), [&](int begin, int end) {
        for (int y = g.cropTop + begin; y < g.cropTop + end; ++y) {
            ARGB* row = m_dibObject.Row(y - g.cropTop);
            for (int x = g.cropLeft; x <= g.cropRight; ++x)
                row[x - g.cropLeft] = HostBytesToArgb(m_host.InPixel(x, y), m_host.ObjectOpacity(x, y));
        }
    });
}

void CShadowScene::PlacePreview(int clientWidth, int clientHeight)
{
    const RunGeometry& g = m_geometry;
    // The extent is the whole image, right and bottom exclusive, so the
    // view can reach the last column and row.
    m_preview.SetImage(&m_dibView, PixelRect{0, 0, g.imageWidth, g.imageHeight}, false, clientWidth, clientHeight);
    m_preview.CentreOn(static_cast<int>((g.cropLeft + g.cropRight) * 0.5),
                       static_cast<int>((g.cropTop + g.cropBottom) * 0.5));
    m_preview.ClampView();
}

void CShadowScene::InitShadowRenderer(int previewClientWidth, int previewClientHeight)
{
    m_bFinalOnly = false;
    BuildImageBuffer();
    BuildCutOutIfRead();
    m_keptReductions.clear();
    PlacePreview(previewClientWidth, previewClientHeight);
    InitEngine(true);
    SyncReduced();
}

void CShadowScene::InitFinalRenderer()
{
    m_bFinalOnly = true;
    BuildCutOutIfRead();
    InitEngine(false);
}

void CShadowScene::BuildCutOutIfRead()
{
    // The texture's fade and the preview read the object's pixels from the
    // host as they go, the same values a cut-out holds; only the final
    // composite of a flat image reads the cut-out itself. On a layer the
    // crop-sized buffer (and the fresh memory it would touch) is left out.
    if (m_host.HasTransparency())
        m_dibObject.Destroy();
    else
        BuildObjectBuffer();
}

bool CShadowScene::HasBuffers() const
{
    if (!m_pRender)
        return false;
    const bool hasObject = m_host.HasTransparency() || !m_dibObject.IsEmpty();
    if (m_bFinalOnly)
        return hasObject;
    return (!ImageShows() || !m_dibImage.IsEmpty()) && hasObject && !m_dibRender.IsEmpty();
}

void CShadowScene::InitEngine(bool wholeFrame)
{
    const RunGeometry& g = m_geometry;
    m_nRenderPending += 1;
    ForgetFrameRows();
    m_bFullTextureMade = false;
    m_pRender.reset(new CRender3D());
    if (wholeFrame) {
        m_dibRender.Create(g.imageWidth, g.imageHeight);
        m_rcRender = PixelRect{0, 0, m_dibRender.GetWidth(), m_dibRender.GetHeight()};
        // Create leaves the buffer clear; clearing it again would only touch
        // every page of it before the renders need any.
        m_pRender->Init(m_dibRender.GetWidth(), m_dibRender.GetHeight(), m_dibRender.GetPixels(),
                        m_dibRender.GetStride(), &m_dibRender, true);
    } else {
        // The frame is the image; its buffer comes with the render.
        m_dibRender.Destroy();
        m_rcRender = PixelRect{0, 0, 0, 0};
        m_pRender->Init(g.imageWidth, g.imageHeight, nullptr, g.imageWidth, &m_dibRender);
        m_pRender->SetFrameWindow(nullptr, 0, m_rcRender);
    }
    // The optical axis passes through the centre of the crop box.
    m_pRender->m_dCenterX = (g.cropLeft + g.cropRight) * 0.5;
    m_pRender->m_dCenterY = (g.cropTop + g.cropBottom) * 0.5;
    const double base = std::max(g.CropWidth(), g.CropHeight());
    m_pRender->m_dBase = base;
    m_pRender->m_dFocal = base;
}

void CShadowScene::BuildShadowPlane()
{
    if (!m_pRender)
        return;
    ForgetFrameRows();
    const double w = m_geometry.CropWidth();
    const double h = m_geometry.CropHeight();
    // Exactly W x H pixel positions: for W = 2k the x extent is -k ... k-1,
    // for W = 2k+1 it is -k ... k; likewise in y.
    const double left = std::trunc(w * -0.5);
    const double right = std::trunc(w * 0.5 + 0.5) - 1;
    const double top = std::trunc(h * -0.5);
    const double bottom = std::trunc(h * 0.5 + 0.5) - 1;

    m_pRender->RemoveObject(kShadowObject);
    m_pRender->AddObject(kTexturedMode, kPlaneColour);
    m_pRender->AddNode(kShadowObject, PlaneNode(left, bottom, 0, 1));
    m_pRender->AddNode(kShadowObject, PlaneNode(right, bottom, 1, 1));
    m_pRender->AddNode(kShadowObject, PlaneNode(right, top, 1, 0));
    m_pRender->AddNode(kShadowObject, PlaneNode(left, top, 0, 0));
    // Both windings, so the plane is drawn whichever side faces the viewer.
    m_pRender->AddRect(kShadowObject, 1, 2, 3, 0);
    m_pRender->AddRect(kShadowObject, 3, 2, 1, 0);
}

ARGB CShadowScene::ShadowColour(const ShadowParams& params) const
{
    const ARGB colour = ColorRefToArgb(static_cast<uint32_t>(params.color));
    return m_pDocument && m_pDocument->IsGrey() ? GreyArgb(colour) : colour;
}

bool CShadowScene::SyncReduced()
{
    const double scale = m_preview.Scale();
    if (m_bFinalOnly || !m_pRender || scale >= 1.0 || m_dibView.IsEmpty()) {
        m_pReduced.reset();
        return false;
    }
    const int width = std::max(1, static_cast<int>(m_geometry.imageWidth * scale + 0.5));
    const int height = std::max(1, static_cast<int>(m_geometry.imageHeight * scale + 0.5));
    if (m_pReduced && m_pReduced->Width() == width && m_pReduced->Height() == height)
        return false;
    m_pReduced.reset();
    std::unique_ptr<CReducedPreview> reduced(new CReducedPreview(m_geometry, KeptReduction(width, height)));
    if (!reduced->IsValid())
        throw std::bad_alloc();
    m_pReduced = std::move(reduced);
    return true;
}

std::shared_ptr<const ReducedSources> CShadowScene::KeptReduction(int width, int height)
{
    // Fit, 25 % and 50 % are the sizes a preview can come back to; beyond
    // a few tens of megabytes only the one in use is kept (a huge image).
    const size_t kKept = 3;
    const size_t kBudget = size_t(64) << 20;
    const bool imageShows = ImageShows();
    std::shared_ptr<const ReducedSources> sources;
    for (auto it = m_keptReductions.begin(); it != m_keptReductions.end(); ++it)
        if ((*it)->width == width && (*it)->height == height && (*it)->imageShows == imageShows) {
            sources = *it;
            m_keptReductions.erase(it);
            break;
        }
    if (!sources)
        sources = ReduceSources(m_host, m_geometry, imageShows, width, height);
    if (!sources->IsValid())
        throw std::bad_alloc();
    m_keptReductions.insert(m_keptReductions.begin(), sources);
    size_t bytes = 0;
    for (size_t i = 0; i < m_keptReductions.size(); ++i) {
        bytes += m_keptReductions[i]->Bytes();
        if (i > 0 && (i >= kKept || bytes > kBudget)) {
            m_keptReductions.resize(i);
            break;
        }
    }
    return sources;
}

CShadowScene::TextureInputs CShadowScene::TextureInputsOf(const ShadowParams& params) const
{
    return TextureInputs{ShadowColour(params), params.intensity, static_cast<int>(params.Position()), params.blur,
                         params.softness};
}

void CShadowScene::FullTextureLagsIfChanged(const ShadowParams& params)
{
    m_bFullTextureStale = !m_bFullTextureMade || !(TextureInputsOf(params) == m_fullTextureInputs);
}

void CShadowScene::BuildShadowTexture(const ShadowParams& given)
{
    const ShadowParams params = InRange(given);
    if (!m_pRender)
        return;
    // The engine always holds a texture of the full size, so the first one
    // is made even for a reduced preview.
    if (m_pReduced && m_pRender->GetTextureCount() > 0) {
        ForgetFrameRows();
        m_pReduced->BuildTexture(ShadowColour(params), params, HingeSpan(params.Position()));
        FullTextureLagsIfChanged(params);
        return;
    }
    BuildFullTexture(params);
    if (m_pReduced)
        m_pReduced->BuildTexture(ShadowColour(params), params, HingeSpan(params.Position()));
}

void CShadowScene::BuildFullTexture(const ShadowParams& params)
{
    ForgetFrameRows();
    m_bFullTextureStale = false;
    m_bFullTextureMade = true;
    m_fullTextureInputs = TextureInputsOf(params);
    // The faded silhouette is written straight into the texture's own
    // (packed) pixels and blurred there in place: the same bits as fading a
    // copy of the object, blurring it into a third buffer and copying that
    // into the engine, without the two extra crop-sized buffers.
    const int w = m_geometry.CropWidth();
    const int h = m_geometry.CropHeight();
    CTexture3D& texture = m_spareTexture;
    const std::vector<ARGB*> rows = texture.Resize(w, h);
    const ARGB colour = ShadowColour(params);
    ParallelFor(h, LinesPerThread(w), [&](int begin, int end) {
        FadeRows(colour, params.intensity, params.Position(), rows.data(), begin, end);
    });
    SoftBlurInPlace(rows.data(), w, h, params.blur / 5.0, params.softness, HingeSpan(params.Position()));
    // The engine takes these pixels as texture 0 and hands back the ones it
    // held, whose memory the next rebuild reuses.
    m_pRender->ExchangeTexture(kShadowTexture, texture);
}

SoftBlurSpan CShadowScene::HingeSpan(ShadowPosition position) const
{
    // Texture rows in the plane's own terms: the plane's top row is
    // trunc(H x -0.5) and the object is centred on the plane, as the hinge
    // steps of PlaceShadowPlane take it. The contact line is the object's
    // bottom (or top) edge; the far end its opposite edge. Centred, the
    // shadow grows from the middle both ways.
    const int top = static_cast<int>(std::trunc(m_geometry.CropHeight() * -0.5));
    const int hh = m_geometry.objectHeight / 2;
    const int length = std::max(0, m_geometry.objectHeight - 1);
    switch (position) {
    case ShadowPosition::Bottom:
        return SoftBlurSpan{hh - top, hh - top - length};
    case ShadowPosition::Top:
        return SoftBlurSpan{-hh - top, -hh - top + length};
    default:
        return SoftBlurSpan{-top, -top - hh};
    }
}

void CShadowScene::FadeRows(ARGB colour, int intensity, ShadowPosition position, ARGB* const* rows, int begin,
                            int end) const
{
    const RunGeometry& g = m_geometry;
    const int w = g.CropWidth();
    const int h = g.CropHeight();
    // The object's opacity comes from its buffer, or, on a layer, from the
    // host's pixels, which hold the same values.
    const bool fromHost = m_dibObject.IsEmpty();
    const bool layerOnly = m_host.maskData == nullptr;
    for (int y = begin; y < end; ++y) {
        const uint32_t f = ShadowFadeFactor(y, h, intensity, position);
        ARGB* to = rows[y];
        if (!fromHost) {
            const ARGB* from = m_dibObject.Row(y);
            for (int x = 0; x < w; ++x)
                to[x] = colour | ((from[x] >> 24) * f / 255) << 24;
        } else if (layerOnly) {
            const uint8_t* alpha = m_host.InPixel(g.cropLeft, g.cropTop + y) + 3;
            const int planes = m_host.planes;
            for (int x = 0; x < w; ++x)
                to[x] = colour | (uint32_t(alpha[static_cast<intptr_t>(x) * planes]) * f / 255) << 24;
        } else {
            for (int x = 0; x < w; ++x)
                to[x] = colour | (uint32_t(m_host.ObjectOpacity(g.cropLeft + x, g.cropTop + y)) * f / 255) << 24;
        }
    }
}

void CShadowScene::PlaceShadowPlane(const ShadowParams& p)
{
    CRender3D& r = *m_pRender;
    const double base = r.m_dBase;
    const double d = (100 - p.perspective) * 5;
    r.m_dFocal = (base + d) * p.zoom / 100.0;
    r.Object(kShadowObject).model = IdentityMatrix();

    const ShadowPosition pos = p.Position();
    const bool bottom = pos == ShadowPosition::Bottom;
    const bool top = pos == ShadowPosition::Top;
    const bool hinged = bottom || top;
    const bool flipY = (p.angleY < 0) != top;
    const bool flipZ = (p.angleZ < 0) != top;
    const double hw = m_geometry.objectWidth / 2;
    const double hh = m_geometry.objectHeight / 2;

    // X and Y turn about the hinge line on the object's bottom or top edge,
    // Y pivoting on the left or right edge as its sign says; Z likewise.
    if (hinged)
        r.TranslateObject(kShadowObject, flipY ? -1 - hw : hw, bottom ? -1 - hh : hh, 0);
    r.RotateObject(kShadowObject, bottom ? p.angleX : -p.angleX, p.angleY, 0);
    if (hinged) {
        r.TranslateObject(kShadowObject, flipY ? hw : -1 - hw, bottom ? hh : -1 - hh, 0);
        r.TranslateObject(kShadowObject, flipZ ? hw : -1 - hw, 0, 0);
    }
    r.RotateObject(kShadowObject, 0, 0, p.angleZ);
    if (hinged)
        r.TranslateObject(kShadowObject, flipZ ? -1 - hw : hw, 0, 0);
    // The fixed (2, 1) cancels the hinge steps' net shift at zero angles.
    r.TranslateObject(kShadowObject, p.posX + 2, p.posY + 1, base + d);
}

bool CShadowScene::RenderFrame(bool final, const ShadowParams& given)
{
    const ShadowParams params = InRange(given);
    if (!m_pRender)
        return false;
    // A confirming render right after exactly one preview render would draw
    // the very same frame again.
    const PixelRect frame = WholeFrame();
    // A run that only confirms renders all the shadow reaches every time.
    const bool wholeFrame = m_bFinalOnly || (m_rcHeld.left == frame.left && m_rcHeld.top == frame.top &&
                                             m_rcHeld.right == frame.right && m_rcHeld.bottom == frame.bottom);
    if (final && m_nRenderPending == 0 && wholeFrame && !m_bFullTextureStale)
        return false;
    m_nRenderPending -= 1;
    if (!final && m_pReduced) {
        RenderReduced(params);
        return true;
    }
    if (m_bFullTextureStale)
        BuildFullTexture(params);
    PlaceShadowPlane(params);
    if (m_bFinalOnly) {
        RenderReach();
        return true;
    }
    RenderPart(final ? frame : ViewPart());
    return true;
}

void CShadowScene::RenderReach()
{
    // Only the part of the frame the shadow reaches gets a buffer; the
    // composite takes the rest of the frame as the transparent black it
    // would hold.
    const PixelRect reach = m_pRender->Reach();
    m_rcRender = PixelRect{0, 0, 0, 0};
    m_pRender->SetFrameWindow(nullptr, 0, m_rcRender);
    if (reach.IsEmpty()) {
        m_dibRender.Destroy();
        return;
    }
    if (!m_dibRender.Create(reach.right - reach.left, reach.bottom - reach.top))
        throw std::bad_alloc();
    m_rcRender = reach;
    m_pRender->SetFrameWindow(m_dibRender.GetPixels(), m_dibRender.GetStride(), reach);
    RenderPart(reach);
}

PixelRect CShadowScene::PlaneReach(const ShadowParams& params, int32_t grow)
{
    if (!m_pRender || m_pRender->GetObjectCount() == 0)
        return PixelRect{0, 0, 0, 0};
    PlaceShadowPlane(InRange(params));
    // The same plane in an engine whose frame has no pixels and reaches
    // `grow` further on every side; the walk needs the texture's size only.
    CRender3D probe;
    probe.Init(m_geometry.imageWidth + 2 * grow, m_geometry.imageHeight + 2 * grow, nullptr,
               m_geometry.imageWidth + 2 * grow, nullptr, true);
    probe.AddObject(kTexturedMode, kPlaneColour);
    probe.Object(kShadowObject) = m_pRender->Object(kShadowObject);
    probe.Object(kShadowObject).texture = kShadowTexture;
    CTexture3D size{m_geometry.CropWidth(), m_geometry.CropHeight(), {}};
    probe.ExchangeTexture(kShadowTexture, size);
    probe.m_matScene = m_pRender->m_matScene;
    probe.m_dFocal = m_pRender->m_dFocal;
    probe.m_dCenterX = m_pRender->m_dCenterX + grow;
    probe.m_dCenterY = m_pRender->m_dCenterY + grow;
    PixelRect reach = probe.Reach();
    if (reach.IsEmpty())
        return PixelRect{0, 0, 0, 0};
    // The corners too: where one lies off the frame (in a thin tip that
    // draws no pixel), its position rounds toward zero instead of down, and
    // the plane's edges would all shift a little against a larger frame.
    for (int32_t n = 0; n < probe.Object(kShadowObject).nodes.GetCount(); ++n) {
        const CNode3D& node = probe.Object(kShadowObject).nodes[n];
        reach.left = std::min(reach.left, node.sx);
        reach.top = std::min(reach.top, node.sy);
        reach.right = std::max(reach.right, node.sx + 1);
        reach.bottom = std::max(reach.bottom, node.sy + 1);
    }
    return PixelRect{reach.left - grow, reach.top - grow, reach.right - grow, reach.bottom - grow};
}

void CShadowScene::RenderPart(const PixelRect& part)
{
    m_pRender->RenderRect(part);
    m_rcHeld = part;
}

PixelRect CShadowScene::WholeFrame() const { return PixelRect{0, 0, m_dibRender.GetWidth(), m_dibRender.GetHeight()}; }

PixelRect CShadowScene::ViewPart() const
{
    const PixelRect part = m_preview.m_rcView.Intersect(WholeFrame());
    if (m_dibView.IsEmpty() || part.IsEmpty())
        return WholeFrame();
    return part;
}

void CShadowScene::RenderReduced(const ShadowParams& params)
{
    // The full frame no longer shows these values.
    ForgetFrameRows();
    PlaceShadowPlane(params);
    m_pReduced->Render(*m_pRender, ReducedViewPart());
}

PixelRect CShadowScene::ReducedViewPart() const
{
    // The view's corner on the reduced grid, kept so that the view stays
    // inside the reduced image.
    const auto corner = [](int at, int full, int reduced, int shown) {
        const int x = static_cast<int>(std::floor(at * static_cast<double>(reduced) / full + 0.5));
        return std::max(0, std::min(x, reduced - shown));
    };
    const int left = corner(m_preview.m_rcView.left, m_geometry.imageWidth, m_pReduced->Width(), m_dibView.GetWidth());
    const int top =
        corner(m_preview.m_rcView.top, m_geometry.imageHeight, m_pReduced->Height(), m_dibView.GetHeight());
    return PixelRect{left, top, left + m_dibView.GetWidth(), top + m_dibView.GetHeight()};
}

void CShadowScene::FollowView(const ShadowParams& given)
{
    const ShadowParams params = InRange(given);
    if (!m_pRender)
        return;
    if (SyncReduced()) {
        m_pReduced->BuildTexture(ShadowColour(params), params, HingeSpan(params.Position()));
        FullTextureLagsIfChanged(params);
        RenderReduced(params);
        return;
    }
    if (m_pReduced) {
        m_pReduced->CompleteView(ReducedViewPart());
        return;
    }
    if (m_bFullTextureStale)
        BuildFullTexture(params);
    if (m_rcHeld.IsEmpty()) {
        PlaceShadowPlane(params);
        RenderPart(ViewPart());
        return;
    }
    CompleteViewRows();
}

bool CShadowScene::CompleteViewRows()
{
    if (!m_pRender || m_rcHeld.IsEmpty() || m_bFinalOnly || m_pReduced)
        return false;  // nothing rendered yet (or no view): nothing to add
    const PixelRect view = ViewPart();
    const PixelRect& held = m_rcHeld;
    if (view.left >= held.left && view.top >= held.top && view.right <= held.right && view.bottom <= held.bottom)
        return false;
    // The part held grows to the smallest rectangle around it and the view,
    // drawing only what it did not hold: a drag draws the strips it uncovers.
    const PixelRect grown{std::min(view.left, held.left), std::min(view.top, held.top),
                          std::max(view.right, held.right), std::max(view.bottom, held.bottom)};
    const int64_t viewArea = int64_t(view.right - view.left) * (view.bottom - view.top);
    const int64_t grownArea = int64_t(grown.right - grown.left) * (grown.bottom - grown.top);
    const int64_t heldArea = int64_t(held.right - held.left) * (held.bottom - held.top);
    if (grownArea - heldArea > 2 * viewArea) {
        // Jumped far from what is held: that is dropped.
        RenderPart(view);
        return true;
    }
    // Above and below the part held, across the grown width; then left and
    // right of it, along its rows.
    const PixelRect strips[] = {
        {grown.left, grown.top, grown.right, held.top},
        {grown.left, held.bottom, grown.right, grown.bottom},
        {grown.left, held.top, held.left, held.bottom},
        {held.right, held.top, grown.right, held.bottom},
    };
    for (const PixelRect& strip : strips) {
        if (!strip.IsEmpty())
            m_pRender->RenderRect(strip);
    }
    m_rcHeld = grown;
    return true;
}

void CShadowScene::RenderShadow(bool final, const ShadowParams& params)
{
    if (!m_pRender)
        return;
    RenderFrame(final, params);
    if (final)
        CompositeShadow(params);
    else
        ComposePreview(params);
}

void CShadowScene::ComposePreview(const ShadowParams& given)
{
    const ShadowParams params = InRange(given);
    if (m_pReduced) {
        const PixelRect part = ReducedViewPart();
        m_pReduced->Compose(m_dibView, part.left, part.top, params, !ShadowOnlyShown(params));
        return;
    }
    const int left = m_preview.m_rcView.left;
    const int top = m_preview.m_rcView.top;
    if (ShadowOnlyShown(params)) {
        // No object over or under the shadow: an empty cut-out blends nothing.
        ::ComposePreview(m_dibView, left, top, m_dibImage, m_dibRender, CDib(), m_geometry, params.transparency,
                         params.IsOutside());
        return;
    }
    if (m_dibObject.IsEmpty())
        ::ComposePreviewFromHost(m_dibView, left, top, m_dibImage, m_dibRender, m_host, m_geometry, params.transparency,
                                 params.IsOutside());
    else
        ::ComposePreview(m_dibView, left, top, m_dibImage, m_dibRender, m_dibObject, m_geometry, params.transparency,
                         params.IsOutside());
}

void CShadowScene::CompositeShadow(const ShadowParams& given, const PixelRect& region)
{
    const ShadowParams params = InRange(given);
    if (ShadowOnlyShown(params)) {
        if (m_pDocument)
            CompositeDocumentShadowOnly(m_dibRender, m_rcRender, m_geometry, *m_pDocument, params.transparency,
                                        region);
        else
            CompositeShadowOnly(m_dibRender, m_rcRender, m_geometry, m_host, params.transparency, region);
        return;
    }
    if (m_pDocument)
        ::CompositeDocument(m_dibRender, m_rcRender, m_dibObject, m_geometry, *m_pDocument, params.transparency,
                            params.IsOutside(), region);
    else
        ::CompositeShadow(m_dibRender, m_rcRender, m_dibObject, m_geometry, m_host, params.transparency,
                          params.IsOutside(), region);
}
