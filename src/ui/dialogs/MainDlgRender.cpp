// The main dialog's shadow: the scene it owns, the one-shot timers that
// coalesce changes into renders, the preview window onto the result, the
// "Only Outside" switch and the shadow colour.
#include <windows.h>

#include <new>

#include "host/HostColorPicker.h"
#include "resources/MainDialogResources.h"
#include "ui/controls/ColorChooser.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/MainDlgBindings.h"
#include "ui/dialogs/UiTiming.h"

namespace {

unsigned TimerBit(UINT_PTR id)
{
    switch (id) {
    case CMainDlg::kFirstRenderTimer:
        return 1;
    case CMainDlg::kRenderTimer:
        return 2;
    case CMainDlg::kRebuildTimer:
        return 4;
    case CMainDlg::kResizeTimer:
        return 8;
    default:
        return 0;
    }
}

}  // namespace

bool CMainDlg::DocumentHasTransparency() const { return m_pEngine != nullptr && m_pEngine->HasTransparency(); }

bool CMainDlg::IsDialogTimer(UINT_PTR id) { return TimerBit(id) != 0; }

bool CMainDlg::HasScene() const { return m_pScene != nullptr && m_pScene->HasEngine(); }

bool CMainDlg::SceneHasTexture() const { return HasScene() && m_pScene->m_pRender->GetTextureCount() > 0; }

bool CMainDlg::HasViewBuffer() const { return m_pScene != nullptr && !m_pScene->m_dibView.IsEmpty(); }

PixelRect CMainDlg::ImageExtent() const
{
    // Right and bottom exclusive, as the scene places the view, so panning
    // reaches the last column and row.
    return PixelRect{0, 0, Geometry().imageWidth, Geometry().imageHeight};
}

void CMainDlg::ArmTimer(UINT_PTR id)
{
    SetTimer(id, kTimerMilliseconds);
    m_nArmedTimers |= TimerBit(id);
}

void CMainDlg::DisarmTimer(UINT_PTR id)
{
    KillTimer(id);
    m_nArmedTimers &= ~TimerBit(id);
}

bool CMainDlg::IsArmed(UINT_PTR id) const { return (m_nArmedTimers & TimerBit(id)) != 0; }

void CMainDlg::OnTimer(UINT_PTR id)
{
    DisarmTimer(id);
    switch (id) {
    case kFirstRenderTimer:
        OnFirstRender();
        break;
    case kRenderTimer:
        if (SceneHasTexture()) {
            UiTiming().Mark("render-start");
            RenderPreview();
            RedrawPreview(true);
            UiTiming().Mark("render-shown");
        }
        break;
    case kRebuildTimer:
        if (SceneHasTexture()) {
            UiTiming().Mark("rebuild-start");
            RebuildAndRender();
            RedrawPreview(true);
            UiTiming().Mark("rebuild-shown");
        }
        break;
    case kResizeTimer:
        if (HasViewBuffer())
            RefitPreview();
        break;
    default:
        break;
    }
}

void CMainDlg::BuildScene()
{
    ReleaseScene();
    m_pScene.reset(new CShadowScene(m_pEngine->Pixels(), m_pEngine->Geometry()));
    m_pScene->SetDocument(m_pEngine->ReducedDocument());
    m_pScene->m_preview.m_nZoom = m_nZoom;
    // The scene hands the view buffer to the preview's geometry and centres
    // the view on the object; preview and scene share that view.
    const RECT client = m_preview.GetClientRect();
    m_pScene->InitShadowRenderer(client.right, client.bottom);
    // CDib reports a failed allocation as an empty buffer; the host must
    // hear of it as a failure, not get an unchanged image back as a result.
    if (!m_pScene->HasBuffers())
        throw std::bad_alloc();
    m_preview.BindView(&m_pScene->m_preview);
    const ShadowParams params = GetParams();
    m_pScene->BuildShadowPlane();
    m_pScene->BuildShadowTexture(params);
    m_crSceneColor = static_cast<COLORREF>(params.color);
    if (m_pScene->m_pRender->GetTextureCount() == 0 || m_pScene->m_pRender->Texture(0).width == 0)
        throw std::bad_alloc();
}

void CMainDlg::OnFirstRender()
{
    ::UpdateWindow(m_preview.m_hWnd);
    UiTiming().Mark("first-render-start");
    BuildScene();
    RenderPreview();
    RedrawPreview(true);
    UiTiming().Mark("first-preview-shown");
}

void CMainDlg::ReleaseScene()
{
    // The preview must not paint from buffers that are gone.
    m_preview.BindView(nullptr);
    m_pScene.reset();
}

void CMainDlg::RenderPreview()
{
    // RenderShadow(false) in its two halves, so the benchmarks can tell the
    // engine's frame from the view's composition.
    const ShadowParams params = GetParams();
    m_pScene->RenderFrame(false, params);
    UiTiming().Mark("frame-rendered");
    ComposeView();
}

void CMainDlg::RebuildAndRender()
{
    const ShadowParams params = GetParams();
    m_pScene->BuildShadowPlane();
    m_pScene->BuildShadowTexture(params);
    m_crSceneColor = static_cast<COLORREF>(params.color);
    RenderPreview();
    RedrawPreview(false);
}

void CMainDlg::RedrawPreview(bool now)
{
    if (now)
        ::RedrawWindow(m_preview.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    else
        ::InvalidateRect(m_preview.m_hWnd, nullptr, FALSE);
}

void CMainDlg::RefitPreview()
{
    m_preview.SetImage(&m_pScene->m_dibView, ImageExtent(), true);
    m_preview.ClampView();
    // The frame holds only the rows the view showed when it was rendered
    // (or, below 100 %, the view's scale may have changed with the size).
    m_pScene->FollowView(GetParams());
    ComposeView();
    RedrawPreview(true);
}

void CMainDlg::OnPreviewPan()
{
    if (!HasViewBuffer())
        return;
    UiTiming().Mark("pan-start");
    RefitPreview();
    UiTiming().Mark("pan-shown");
}

void CMainDlg::OnSliderCommand(int id)
{
    const SliderBinding* binding = FindSliderBinding(id);
    UiTiming().Mark("slider", id);
    ArmTimer(binding != nullptr && binding->rebuildsTexture ? kRebuildTimer : kRenderTimer);
}

void CMainDlg::OnOutsideCommand()
{
    SetOutside(!IsOutside(), true);
    if (!HasScene())
        return;
    RenderPreview();
    RedrawPreview(false);
}

void CMainDlg::OnShadowOnlyCommand()
{
    // Only what the composite keeps changes: the shadow itself stays.
    m_params.shadowOnly = m_params.IsShadowOnly() ? 0 : 1;
    if (!HasScene())
        return;
    RenderPreview();
    RedrawPreview(false);
}

void CMainDlg::OnColorCommand()
{
    if (m_btnColor.GetClickValue() != 0) {
        // A click: choose a colour.
        COLORREF color = m_btnColor.GetFaceColor();
        if (!PickShadowColor(color))
            return;
        m_btnColor.SetFaceColor(color, true);
    }
    // A click's choice, or a colour picked from the screen by dragging.
    // Every step of a drag notifies; those that queued up behind a slow
    // render all carry the colour already applied.
    if (SceneHasTexture() && m_btnColor.GetFaceColor() != m_crSceneColor)
        ApplyShadowColor();
}

bool CMainDlg::PickShadowColor(COLORREF& color)
{
    ColorServicesProc services = m_pFilterRecord != nullptr ? m_pFilterRecord->colorServices : nullptr;
    if (services != nullptr) {
        uint32_t chosen = color;
        switch (ChooseColorWithHost(services, chosen)) {
        case HostColorAnswer::Chosen:
            color = chosen;
            return true;
        case HostColorAnswer::Cancelled:
            return false;
        case HostColorAnswer::Unavailable:
            break;  // the host has no picker: the user still gets one
        }
    }
    return ChooseColorDialog(m_hWnd, color);
}

void CMainDlg::ApplyShadowColor()
{
    const ShadowParams params = GetParams();
    m_pScene->BuildShadowTexture(params);
    m_crSceneColor = static_cast<COLORREF>(params.color);
    RenderPreview();
    RedrawPreview(false);
}

void CMainDlg::FlushPendingChanges()
{
    // The confirming render takes the values as the controls hold them now;
    // a change whose timer has not fired needs no preview any more.
    DisarmTimer(kFirstRenderTimer);
    DisarmTimer(kRebuildTimer);
    DisarmTimer(kRenderTimer);
}
