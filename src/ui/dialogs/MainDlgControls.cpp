// The main dialog's controls and the shadow values they hold: the slider
// ranges, reading and applying a ShadowParams, the last-used set, presets
// and scripting descriptors, and the interface colours and texts every
// control is painted with.
#include <windows.h>

#include "host/PlainMessage.h"
#include "lang/Language.h"
#include "lang/LanguageKeys.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "resources/ControlResources.h"
#include "resources/MainDialogResources.h"
#include "ui/controls/ColorChooser.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/MainDlgBindings.h"
#include "ui/skin/ShiftColor.h"

const SliderBinding kSliderBindings[kSliderCount] = {
    {&ShadowParams::blur, IDC_SLIDER_BLUR, IDC_LABEL_BLUR, true, true},
    {&ShadowParams::transparency, IDC_SLIDER_TRANSPARENCY, IDC_LABEL_TRANSPARENCY, false, false},
    {&ShadowParams::intensity, IDC_SLIDER_INTENSITY, IDC_LABEL_INTENSITY, true, true},
    {&ShadowParams::perspective, IDC_SLIDER_PERSPECTIVE, IDC_LABEL_PERSPECTIVE, false, false},
    {&ShadowParams::angleX, IDC_SLIDER_ANGLE_X, IDC_LABEL_ANGLE_X, true, false},
    {&ShadowParams::angleY, IDC_SLIDER_ANGLE_Y, IDC_LABEL_ANGLE_Y, false, false},
    {&ShadowParams::angleZ, IDC_SLIDER_ANGLE_Z, IDC_LABEL_ANGLE_Z, true, false},
    {&ShadowParams::zoom, IDC_SLIDER_ZOOM, IDC_LABEL_ZOOM, false, false},
    {&ShadowParams::posX, IDC_SLIDER_OFFSET_X, IDC_LABEL_OFFSET_X, true, false},
    {&ShadowParams::posY, IDC_SLIDER_OFFSET_Y, IDC_LABEL_OFFSET_Y, false, false},
    {&ShadowParams::softness, IDC_SLIDER_SOFTNESS, IDC_LABEL_SOFTNESS, true, true},
};

const SliderBinding* FindSliderBinding(int sliderId)
{
    for (const SliderBinding& binding : kSliderBindings)
        if (binding.sliderId == sliderId)
            return &binding;
    return nullptr;
}

namespace {

const ShadowParamInfo& InfoOf(int32_t ShadowParams::*field)
{
    for (const ShadowParamInfo& info : kShadowParamTable)
        if (info.field == field)
            return info;
    return kShadowParamTable[0];  // unreachable: every binding names a table entry
}

}  // namespace

CIconSlider* CMainDlg::FindSlider(int id)
{
    for (size_t i = 0; i < kSliderCount; ++i)
        if (kSliderBindings[i].sliderId == id)
            return &m_sliders[i];
    return nullptr;
}

void CMainDlg::InitSliders()
{
    // Straight through the trackbar, not SetRangeAndValue: that would tell
    // the dialog of a change, and the timers would render a second time
    // right after the first render.
    for (size_t i = 0; i < kSliderCount; ++i) {
        const ShadowParamInfo& info = InfoOf(kSliderBindings[i].field);
        m_sliders[i].SetRange(info.minimum, info.maximum, false);
        m_sliders[i].SetPos(info.defaultValue);
        m_sliders[i].SetPageSize(info.pageStep);
    }
}

ShadowParams CMainDlg::GetParams() const
{
    if (m_hWnd == nullptr)
        return m_params;
    ShadowParams params = m_params;
    for (size_t i = 0; i < kSliderCount; ++i)
        params.*kSliderBindings[i].field = m_sliders[i].GetPos();
    params.color = static_cast<int32_t>(m_btnColor.GetFaceColor());
    params.outside = IsOutside() ? 1 : 0;
    params.shadowPosition = shadowPosition;
    // Unavailable on a flat image, so never recorded from one: a step
    // recorded there plays back there.
    params.shadowOnly = DocumentHasTransparency() && m_params.IsShadowOnly() ? 1 : 0;
    return params;
}

void CMainDlg::SetParams(const ShadowParams& params, bool repaint)
{
    shadowPosition = params.shadowPosition;
    m_params.shadowOnly = params.shadowOnly;
    if (m_hWnd == nullptr) {
        m_params = ClampShadowParams(params);
        return;
    }
    // The sliders clamp what they are given into their ranges.
    for (size_t i = 0; i < kSliderCount; ++i) {
        m_sliders[i].SetPos(params.*kSliderBindings[i].field);
        if (repaint)
            ::InvalidateRect(m_sliders[i].m_hWnd, nullptr, FALSE);
    }
    m_btnColor.SetFaceColor(static_cast<COLORREF>(params.color) & 0x00FFFFFF, repaint);
    SetOutside(params.IsOutside(), repaint);
}

bool CMainDlg::IsOutside() const { return m_btnOutside.IsLatched(); }

void CMainDlg::SetOutside(bool outside, bool repaint)
{
    m_btnOutside.SetLatched(outside, repaint);
    m_btnOutside.LoadIcons(outside ? IDI_VEYDRA_OUTSIDE_ON : IDI_VEYDRA_OUTSIDE_OFF, 0, 16, 16);
}

void CMainDlg::loadParameterSet(const std::string& section, bool repaint)
{
    SetParams(::loadParameterSet(AppSettings(), section), repaint);
    if (!repaint || m_hWnd == nullptr)
        return;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (SceneHasTexture())
        RebuildAndRender();
}

void CMainDlg::saveParameterSet(const std::string& section) { ::saveParameterSet(AppSettings(), section, GetParams()); }

std::vector<std::string> CMainDlg::enumeratePresets() const { return ::enumeratePresets(AppSettings()); }

void CMainDlg::deletePreset(const std::string& name) { ::deletePreset(AppSettings(), name); }

DescriptorPlayMode CMainDlg::readDescriptor()
{
    if (m_pFilterRecord == nullptr)
        return DescriptorPlayMode::NoDescriptor;
    ShadowParams values = GetParams();
    const DescriptorPlayMode mode = ReadScriptDescriptor(*m_pFilterRecord, values, ShowPlainMessage);
    SetParams(values, true);
    return mode;
}

void CMainDlg::writeDescriptor()
{
    if (m_pFilterRecord != nullptr)
        WriteScriptDescriptor(*m_pFilterRecord, GetParams(), ShowPlainMessage);
}

void CMainDlg::ColourSliders()
{
    for (CIconSlider& slider : m_sliders)
        slider.SetSliderColours(ShiftColor(m_skin.GetWindowColor(), 8), m_skin.GetControlColor());
}

void CMainDlg::ColourButtons()
{
    // The colour button shows the shadow colour and the preview is a
    // picture: neither takes the control colour.
    for (CButtonST* button : {&m_btnMenuIcon, &m_btnClose, &m_btnMenu, &m_btnPresets, &m_btnPosition, &m_btnOutside,
                              &m_btnOK, &m_btnCancel, &m_btnZoomIn, &m_btnZoomOut}) {
        button->SetFaceColor(m_skin.GetControlColor(), false);
        button->SetHoverColor(m_skin.GetControlHoverColor(), false);
    }
}

void CMainDlg::TranslateTexts()
{
    TheLanguage().TranslateDialog(LanguageSection::kMainDlg, m_hWnd);
    // A translated link text has another width: fit the link to it and let
    // the layout keep the new size.
    m_link.SetAddress(kMakerHomePage);
    ReanchorControl(m_link.m_hWnd);
    UpdateZoomTexts();
}

void CMainDlg::ApplyInterface()
{
    TranslateTexts();
    ColourSliders();
    ColourButtons();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CMainDlg::StoreStyle(int32_t style)
{
    m_skin.SetStyle(style);
    AppSettings().SetInt("", SettingNames::kButtonStyle, style);
    ApplyInterface();
}

void CMainDlg::ChooseControlColor()
{
    COLORREF color = m_skin.GetControlColor();
    if (!ChooseColorDialog(m_hWnd, color))
        return;
    m_skin.SetControlColor(color);
    StoreSkinColor(SettingNames::kControlColor, m_skin.GetControlColor());
}

void CMainDlg::ChooseWindowColor()
{
    COLORREF color = m_skin.GetWindowColor();
    if (!ChooseColorDialog(m_hWnd, color))
        return;
    m_skin.SetWindowColor(color);
    StoreSkinColor(SettingNames::kWindowColor, m_skin.GetWindowColor());
}

void CMainDlg::StoreSkinColor(const char* settingName, COLORREF color)
{
    AppSettings().SetInt("", settingName, static_cast<int32_t>(color));
    ApplyInterface();
}
