#include "render/Render3D.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <utility>

#include "imaging/WorkerThreads.h"
#include "render/TexturedQuad.h"
#include "render/TruncToInt.h"

namespace {

void Normalise(double& x, double& y, double& z)
{
    const double len = std::sqrt(x * x + y * y + z * z);
    x /= len;
    y /= len;
    z /= len;
}

// Table index of an angle in whole degrees, truncated toward zero and
// wrapped into 0 ... 359. Within the angles callers use this is
// (trunc(a) + 1440) mod 360; fmod keeps it defined for any finite angle.
int DegreeIndex(double angle)
{
    if (!std::isfinite(angle))
        return 0;
    const int whole = static_cast<int>(std::fmod(std::trunc(angle), 360.0));
    return (whole + 360) % 360;
}

Matrix3D RotationFromRows(double r0, double r1, double r2, double r4, double r5, double r6, double r8, double r9,
                          double r10)
{
    Matrix3D m = {{r0, r1, r2, 0, r4, r5, r6, 0, r8, r9, r10, 0, 0, 0, 0, 1}};
    return m;
}

}  // namespace

CRender3D::CRender3D()
    : m_pTarget(nullptr),
      m_dBase(0),
      m_dCenterX(0),
      m_dCenterY(0),
      m_dFocal(1.0),
      m_dwBackground(0),
      m_matScene(IdentityMatrix()),
      m_pFrame(nullptr),
      m_nStride(0),
      m_nWidth(0),
      m_nHeight(0),
      m_rcDrawn{0, 0, 0, 0},
      m_rcWindow{0, 0, 0, 0},
      m_dSine(),
      m_dCosine()
{
}

void CRender3D::Init(int32_t width, int32_t height, ARGB* pixels, int32_t stride, CDib* pTarget, bool frameIsClear)
{
    if (width < 0 || height < 0 || stride < width)
        throw std::invalid_argument("bad frame size");
    m_pTarget = pTarget;
    m_pFrame = pixels;
    m_nWidth = width;
    m_nHeight = height;
    m_nStride = stride;
    m_rcWindow = PixelRect{0, 0, width, height};
    m_dFocal = 1.0;
    m_dCenterX = width * 0.5;
    m_dCenterY = height * 0.5;
    m_dwBackground = 0;
    if (!frameIsClear)
        ClearRect(m_rcWindow);
    BuildDegreeTables(m_dSine, m_dCosine);
}

void CRender3D::SetFrameWindow(ARGB* pixels, int32_t stride, const PixelRect& window)
{
    if (window.left < 0 || window.top < 0 || window.right > m_nWidth || window.bottom > m_nHeight ||
        window.right < window.left || window.bottom < window.top || stride < window.right - window.left)
        throw std::invalid_argument("bad frame window");
    m_pFrame = pixels;
    m_nStride = stride;
    m_rcWindow = window;
}

void CRender3D::ClearRect(const PixelRect& rect)
{
    // Frame coordinates, of which the buffer holds the window.
    const PixelRect r = rect.Intersect(m_rcWindow);
    if (!m_pFrame || r.right <= r.left || r.bottom <= r.top)
        return;
    const ARGB bg = m_dwBackground;
    const size_t stride = static_cast<size_t>(m_nStride);
    // Whole rows of the window are cleared with their tails beyond the
    // width, in one run; a part of them, column by column.
    const bool wholeRows = r.left == m_rcWindow.left && r.right == m_rcWindow.right;
    const size_t run = wholeRows ? stride : static_cast<size_t>(r.right - r.left);
    const size_t skip = wholeRows ? 0 : static_cast<size_t>(r.left - m_rcWindow.left);
    ParallelFor(r.bottom - r.top, LinesPerThread(static_cast<int>(run), kMinCopiedPixelsPerThread),
                [&](int begin, int end) {
        for (int y = r.top + begin; y < r.top + end; ++y) {
            ARGB* const row = m_pFrame + stride * static_cast<size_t>(y - m_rcWindow.top) + skip;
            // A background of four equal bytes (transparent black, the
            // usual case) is a byte fill, the fastest clear there is.
            if ((bg & 0xFF) * 0x01010101u == bg) {
                std::memset(row, static_cast<int>(bg & 0xFF), run * sizeof(ARGB));
                continue;
            }
            for (size_t i = 0; i < run; ++i)
                row[i] = bg;
        }
    });
}

int32_t CRender3D::AddObject(int32_t mode, ARGB colour)
{
    CObject3D object;
    object.mode = mode;
    object.colour = colour;
    object.texture = 0;
    object.model = IdentityMatrix();
    object.combined = IdentityMatrix();
    m_arrObjects.Add(std::move(object));
    return m_arrObjects.GetCount() - 1;
}

void CRender3D::RemoveObject(int32_t index)
{
    if (index >= m_arrObjects.GetCount())
        return;
    m_arrObjects.RemoveAt(index);
}

void CRender3D::AddNode(int32_t object, CNode3D node)
{
    CObject3D& target = m_arrObjects[object];
    Normalise(node.nx, node.ny, node.nz);
    target.nodes.Add(node);
}

void CRender3D::AddRect(int32_t object, int32_t c0, int32_t c1, int32_t c2, int32_t c3)
{
    CObject3D& target = m_arrObjects[object];
    // The fourth corner is checked only when the face is drawn.
    const CNode3D& p0 = target.nodes[c0];
    const CNode3D& p1 = target.nodes[c1];
    const CNode3D& p2 = target.nodes[c2];
    const double e1x = p1.x - p0.x, e1y = p1.y - p0.y, e1z = p1.z - p0.z;
    const double e2x = p2.x - p0.x, e2y = p2.y - p0.y, e2z = p2.z - p0.z;
    CRect3D rect;
    rect.corner[0] = c0;
    rect.corner[1] = c1;
    rect.corner[2] = c2;
    rect.corner[3] = c3;
    // e2 x e1: the normal of a quad that runs clockwise on screen (y down)
    // points towards the viewer (negative z).
    rect.nx = e2y * e1z - e2z * e1y;
    rect.ny = e2z * e1x - e2x * e1z;
    rect.nz = e2x * e1y - e2y * e1x;
    Normalise(rect.nx, rect.ny, rect.nz);
    target.rects.Add(rect);
}

void CRender3D::AddTexture(int32_t width, int32_t height, const ARGB* source, int32_t sourceStride)
{
    // The byte size must fit in 32 bits on every build, as the host's own
    // buffers do.
    const int64_t count = int64_t(width) * height;
    if (width < 0 || height < 0 || count * int64_t(sizeof(ARGB)) > int64_t(UINT32_MAX))
        throw std::bad_alloc();
    CTexture3D texture;
    texture.width = width;
    texture.height = height;
    texture.pixels.resize(static_cast<size_t>(count));
    for (int32_t y = 0; y < height; ++y) {
        const ARGB* from = source + static_cast<intptr_t>(y) * sourceStride;
        std::memcpy(texture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width), from,
                    static_cast<size_t>(width) * sizeof(ARGB));
    }
    m_arrTextures.Add(std::move(texture));
}

void CRender3D::RemoveTexture(int32_t index)
{
    if (index >= m_arrTextures.GetCount())
        return;
    m_arrTextures.RemoveAt(index);
}

void CRender3D::ExchangeTexture(int32_t index, CTexture3D& texture)
{
    if (index == m_arrTextures.GetCount()) {
        m_arrTextures.Add(std::move(texture));
        texture = CTexture3D{0, 0, {}};
        return;
    }
    std::swap(m_arrTextures[index], texture);
}

void CRender3D::RotateObject(int32_t object, double ax, double ay, double az)
{
    CObject3D& target = m_arrObjects[object];
    target.model = MultiplyMatrix(BuildRotation(ax, ay, az), target.model);
}

void CRender3D::TranslateObject(int32_t object, double tx, double ty, double tz)
{
    CObject3D& target = m_arrObjects[object];
    Matrix3D t = IdentityMatrix();
    t.m[3] = tx;
    t.m[7] = ty;
    t.m[11] = tz;
    target.model = MultiplyMatrix(t, target.model);
}

Matrix3D CRender3D::BuildRotation(double ax, double ay, double az) const
{
    // Each turn premultiplies, so a point is turned about x, then y, then z.
    Matrix3D r = IdentityMatrix();
    if (ax != 0) {
        const int i = DegreeIndex(ax);
        const double s = m_dSine[i], c = m_dCosine[i];
        r = MultiplyMatrix(RotationFromRows(1, 0, 0, 0, c, s, 0, -s, c), r);
    }
    if (ay != 0) {
        const int i = DegreeIndex(ay);
        const double s = m_dSine[i], c = m_dCosine[i];
        r = MultiplyMatrix(RotationFromRows(c, 0, s, 0, 1, 0, -s, 0, c), r);
    }
    if (az != 0) {
        const int i = DegreeIndex(az);
        const double s = m_dSine[i], c = m_dCosine[i];
        r = MultiplyMatrix(RotationFromRows(c, s, 0, -s, c, 0, 0, 0, 1), r);
    }
    return r;
}

void CRender3D::ProjectNode(const CObject3D& object, CNode3D& node) const
{
    const Matrix3D& m = object.combined;
    double x, y, z;
    TransformPoint(m, node.x, node.y, node.z, x, y, z);
    // The normal goes through the whole matrix, translation included, as
    // the lit modes expect; it is then brought back to unit length.
    TransformPoint(m, node.nx, node.ny, node.nz, node.tnx, node.tny, node.tnz);
    Normalise(node.tnx, node.tny, node.tnz);
    // A node behind or at the viewer is projected as if at depth 1, so the
    // divide stays finite and never mirrors.
    const double depth = z < 1.0 ? 1.0 : z;
    const double k = m_dFocal / depth;
    node.sx = TruncToInt(x * k + m_dCenterX + 0.5);
    node.sy = TruncToInt(y * k + m_dCenterY + 0.5);
    node.depth = depth;
}

void CRender3D::Render() { RenderRows(0, m_nHeight); }

void CRender3D::ProjectObject(CObject3D& object)
{
    object.combined = MultiplyMatrix(m_matScene, object.model);
    for (int32_t n = 0; n < object.nodes.GetCount(); ++n)
        ProjectNode(object, object.nodes[n]);
}

FrameTarget3D CRender3D::Target(const PixelRect& drawn) const
{
    FrameTarget3D frame = {m_pFrame, m_nWidth, m_nHeight, m_nStride, drawn.top, drawn.bottom};
    frame.originX = m_rcWindow.left;
    frame.originY = m_rcWindow.top;
    frame.firstColumn = drawn.left;
    frame.endColumn = drawn.right;
    return frame;
}

PixelRect CRender3D::Reach()
{
    std::vector<DrawnQuad> quads;
    for (int32_t o = m_arrObjects.GetCount() - 1; o >= 0; --o) {
        CObject3D& object = m_arrObjects[o];
        ProjectObject(object);
        CollectObjectFaces(object, quads);
    }
    PixelRect reach{0, 0, 0, 0};
    const FrameTarget3D frame = Target(PixelRect{0, 0, m_nWidth, m_nHeight});
    for (const DrawnQuad& quad : quads) {
        const PixelRect r = QuadReach(frame, quad.corners, *quad.texture);
        if (r.right <= r.left)
            continue;
        if (reach.right <= reach.left) {
            reach = r;
            continue;
        }
        reach.left = std::min(reach.left, r.left);
        reach.top = std::min(reach.top, r.top);
        reach.right = std::max(reach.right, r.right);
        reach.bottom = std::max(reach.bottom, r.bottom);
    }
    return reach;
}

void CRender3D::RenderRows(int32_t firstRow, int32_t endRow)
{
    RenderRect(PixelRect{m_rcWindow.left, firstRow, m_rcWindow.right, endRow});
}

void CRender3D::RenderRect(const PixelRect& rect)
{
    // Within the frame, and within what the buffer holds of it.
    m_rcDrawn = rect.Intersect(PixelRect{0, 0, m_nWidth, m_nHeight}).Intersect(m_rcWindow);
    ClearRect(m_rcDrawn);
    for (int32_t i = 0; i < m_arrLights.GetCount(); ++i) {
        CLight3D& light = m_arrLights[i];
        TransformPoint(m_matScene, light.dir[0], light.dir[1], light.dir[2], light.tdir[0], light.tdir[1],
                       light.tdir[2]);
    }
    // Every face is looked up, in drawing order, before any is drawn. A bad
    // index ends the render as it would face by face: the faces before it
    // are drawn, then the failure goes on to the caller.
    std::vector<DrawnQuad> quads;
    std::exception_ptr failure;
    try {
        for (int32_t o = m_arrObjects.GetCount() - 1; o >= 0; --o) {
            CObject3D& object = m_arrObjects[o];
            ProjectObject(object);
            CollectObjectFaces(object, quads);
        }
    } catch (const std::invalid_argument&) {
        failure = std::current_exception();
    }
    DrawBands(quads);
    if (failure)
        std::rethrow_exception(failure);
}

void CRender3D::CollectObjectFaces(const CObject3D& object, std::vector<DrawnQuad>& quads) const
{
    // Triangles belong to modes 1-8 and quads of any mode but 9 draw
    // nothing: no scene of the system uses them.
    if (object.mode != kModeTexturedQuad)
        return;
    for (int32_t f = object.rects.GetCount() - 1; f >= 0; --f) {
        const CRect3D& rect = object.rects[f];
        DrawnQuad quad;
        for (int k = 0; k < 4; ++k) {
            const CNode3D& node = object.nodes[rect.corner[k]];
            quad.corners[k] = {node.sx, node.sy, node.depth, node.u, node.v};
        }
        quad.texture = &m_arrTextures[object.texture];
        quads.push_back(quad);
    }
}

void CRender3D::DrawBands(const std::vector<DrawnQuad>& quads)
{
    const PixelRect drawn = m_rcDrawn;
    if (quads.empty() || drawn.bottom <= drawn.top || drawn.right <= drawn.left)
        return;
    // The near-cut threshold is worked out on first use; that must not
    // happen on several threads at once.
    NearCutIz();
    ParallelFor(drawn.bottom - drawn.top, LinesPerThread(drawn.right - drawn.left), [&](int begin, int end) {
        const FrameTarget3D band =
            Target(PixelRect{drawn.left, drawn.top + begin, drawn.right, drawn.top + end});
        for (const DrawnQuad& quad : quads)
            DrawTexturedQuad(band, quad.corners, *quad.texture);
    });
}
