#include "ui/dialogs/MainDlg.h"

#include <new>

#include "host/PlainMessage.h"
#include "host/PlugInApp.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "ui/dialogs/MessageDlg.h"

CMainDlg* CMainDlg::s_pCurrent = nullptr;

namespace {

const int32_t kDefaultWindowColor = 0xEAEAEA;
const int32_t kDefaultControlColor = 0xFFD7AE;
const int32_t kDefaultButtonStyle = 100;  // aqua

}  // namespace

CMainDlg::CMainDlg() : m_params(DefaultShadowParams())
{
    ISettingsStore& store = AppSettings();
    m_crWindow = static_cast<COLORREF>(store.GetInt("", SettingNames::kWindowColor, kDefaultWindowColor));
    m_crControl = static_cast<COLORREF>(store.GetInt("", SettingNames::kControlColor, kDefaultControlColor));
    m_nStyle = store.GetInt("", SettingNames::kButtonStyle, kDefaultButtonStyle);
    s_pCurrent = this;
}

CMainDlg::~CMainDlg()
{
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
}

int CMainDlg::ShowMessage(const std::string& text, int iconId, int type)
{
    return ShowMessageOverMainWindow(text, iconId, type);
}

ShadowParams CMainDlg::GetParams() const
{
    ShadowParams params = m_params;
    params.shadowPosition = shadowPosition;
    return params;
}

void CMainDlg::SetParams(const ShadowParams& params)
{
    m_params = ClampShadowParams(params);
    shadowPosition = params.shadowPosition;
}

void CMainDlg::loadParameterSet(const std::string& section, bool /*repaint*/)
{
    SetParams(::loadParameterSet(AppSettings(), section));
}

void CMainDlg::saveParameterSet(const std::string& section) { ::saveParameterSet(AppSettings(), section, GetParams()); }

std::vector<std::string> CMainDlg::enumeratePresets() { return ::enumeratePresets(AppSettings()); }

void CMainDlg::deletePreset(const std::string& name) { ::deletePreset(AppSettings(), name); }

DescriptorPlayMode CMainDlg::readDescriptor()
{
    ShadowParams values = GetParams();
    const DescriptorPlayMode mode = ReadScriptDescriptor(*m_pFilterRecord, values, ShowPlainMessage);
    SetParams(values);
    return mode;
}

void CMainDlg::writeDescriptor() { WriteScriptDescriptor(*m_pFilterRecord, GetParams(), ShowPlainMessage); }

INT_PTR CMainDlg::DoModal()
{
    m_nResult = IDCANCEL;
    OnInitDialog();
    return m_nResult;
}

void CMainDlg::OnInitDialog()
{
    shadowPosition = 0;
    SetParams(DefaultShadowParams());
    loadParameterSet("", false);
    const DescriptorPlayMode mode = readDescriptor();

    CMFCPlugInApp& app = TheApp();
    if (!app.m_bSkipDialog)
        app.m_bSkipDialog = mode == DescriptorPlayMode::NoDialog;
    if (!app.m_bSkipDialog) {
        // This is where the dialog is shown and the user tunes the shadow.
        // Until the dialog window exists, a run that asks for it ends as
        // cancelled: nothing is rendered, recorded or stored.
        return;
    }
    RenderWithoutDialog();
}

void CMainDlg::RenderWithoutDialog()
{
    m_pScene.reset(new CShadowScene(m_host, m_geometry));
    m_pScene->InitShadowRenderer();
    // CDib reports a failed allocation as an empty buffer; the host must
    // hear of it as a failure, not get an unchanged image back as a result.
    if (m_pScene->m_dibImage.IsEmpty() || m_pScene->m_dibObject.IsEmpty() || m_pScene->m_dibRender.IsEmpty())
        throw std::bad_alloc();
    m_pScene->BuildShadowTexture(GetParams());
    if (m_pScene->m_pRender->GetTextureCount() == 0 || m_pScene->m_pRender->Texture(0).width == 0)
        throw std::bad_alloc();
    m_pScene->BuildShadowPlane();
    OnOK();
}

void CMainDlg::OnOK()
{
    m_pScene->RenderShadow(true, GetParams());
    if (!TheApp().m_bSkipDialog) {
        writeDescriptor();
        saveParameterSet("");
    }
    m_pScene.reset();  // the engine and buffers go with the dialog
    m_nResult = IDOK;
}
