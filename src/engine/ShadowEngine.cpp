#include "engine/ShadowEngine.h"

#include <new>

#include "engine/DocumentCheck.h"
#include "imaging/WorkerThreads.h"
#include "render/ShadowScene.h"

namespace {

void StageDone(const EngineOptions& options, const char* stage)
{
    if (options.stageDone)
        options.stageDone(stage);
}

}  // namespace

CShadowEngine::CShadowEngine(const DocumentPlanes& document, const EngineOptions& options) : m_document(document)
{
    CheckDocumentInput(m_document);
    const CScopedThreadCount threads(options.threads);
    if (IsPlainRgb8(m_document)) {
        m_pixels = PlainRgb8Pixels(m_document);
        m_refusal = ComputeRunGeometry(m_pixels, m_geometry);
    } else if (m_document.HasTransparency() && m_document.maskData == nullptr) {
        m_bReduced = true;
        m_refusal = m_reduction.ReduceLayerObject(m_document, m_pixels, m_geometry);
    } else {
        m_bReduced = true;
        m_pixels = m_reduction.Reduce(m_document);
        m_refusal = ComputeRunGeometry(m_pixels, m_geometry);
    }
    StageDone(options, "object bounds");
}

CShadowEngine::~CShadowEngine() = default;

RunRefusal CShadowEngine::RefusalFor(const ShadowParams& params) const
{
    if (m_refusal != RunRefusal::None)
        return m_refusal;
    if (params.IsShadowOnly() && !HasTransparency())
        return RunRefusal::ShadowOnlyOnFlatImage;
    return RunRefusal::None;
}

RunRefusal CShadowEngine::RenderResult(const ShadowParams& params, const EngineOptions& options) const
{
    const PixelRect region = CheckDocumentOutput(m_document, options.region);
    const RunRefusal refusal = RefusalFor(params);
    if (refusal != RunRefusal::None)
        return refusal;
    const CScopedThreadCount threads(options.threads);
    // An 8-bit RGB document's pixels are the document, output and all; a
    // reduction's result goes to the document it was reduced from.
    CShadowScene scene(m_pixels, m_geometry);
    scene.SetDocument(ReducedDocument());
    scene.InitFinalRenderer();
    if (!scene.HasBuffers())
        throw std::bad_alloc();
    StageDone(options, "image+object buffers");
    scene.BuildShadowTexture(params);
    StageDone(options, "texture+blur");
    scene.BuildShadowPlane();
    scene.RenderFrame(true, params);
    StageDone(options, "render");
    scene.CompositeShadow(params, region);
    StageDone(options, "composite");
    return RunRefusal::None;
}

PixelRect CShadowEngine::PlaneReach(const ShadowParams& params, int32_t grow) const
{
    if (m_refusal != RunRefusal::None)
        return PixelRect{0, 0, 0, 0};
    CShadowScene scene(m_pixels, m_geometry);
    scene.InitFinalRenderer();
    scene.BuildShadowPlane();
    return scene.PlaneReach(params, grow);
}

RunRefusal RenderShadow(const DocumentPlanes& document, const ShadowParams& params, const EngineOptions& options)
{
    // What can be refused without reading a pixel is, before any is read.
    CheckDocumentInput(document);
    CheckDocumentOutput(document, options.region);
    if (params.IsShadowOnly() && !document.HasTransparency())
        return RunRefusal::ShadowOnlyOnFlatImage;
    const CShadowEngine engine(document, options);
    return engine.RenderResult(params, options);
}
