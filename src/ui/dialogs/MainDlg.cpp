// The main dialog's life cycle: construction, initialisation in its fixed
// order, the run without a window, OK, Cancel and destruction, and the
// window placement kept between runs.
#include "ui/dialogs/MainDlg.h"

#include <new>

#include "host/HostFailure.h"
#include "host/PlainMessage.h"
#include "host/PlugInApp.h"
#include "lang/Language.h"
#include "lang/LanguageKeys.h"
#include "params/RegistryStore.h"
#include "resources/ControlResources.h"
#include "resources/MainDialogResources.h"
#include "ui/dialogs/MainDlgBindings.h"
#include "ui/dialogs/MainPlacement.h"
#include "ui/dialogs/MakerInfo.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/dialogs/UiTiming.h"

const char* const kMakerHomePage = VEYDRA_MAKER_HOME_PAGE;
const char* const kMakerSupportPage = VEYDRA_MAKER_SUPPORT_PAGE;

CMainDlg* CMainDlg::s_pCurrent = nullptr;

namespace {

const int kWarningIcon = 177;
const int kMessageOk = 1;

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
PixelRect ToPixelRect(const RECT& r) { return PixelRect{r.left, r.top, r.right, r.bottom}; }

PixelRect WorkAreaNear(const PixelRect& rect)
{
    const RECT r = ToRect(rect);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        return ToPixelRect(info.rcWork);
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return ToPixelRect(area);
}

}  // namespace

CMainDlg::CMainDlg() : CToolDlg(IDD_VEYDRA_MAIN, nullptr), m_skin(this), m_params(DefaultShadowParams())
{
    m_skin.LoadFromStore();
    SetResizable(true);
    m_link.SetAddress(kMakerHomePage);
    s_pCurrent = this;
}

CMainDlg::~CMainDlg()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);  // while the controls and the scene still exist
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
}

int CMainDlg::ShowMessage(const std::string& text, int iconId, int type)
{
    // The skinned message over this dialog's window (none before it exists).
    return ShowMessageOverMainWindow(text, iconId, type);
}

INT_PTR CMainDlg::DoModal()
{
    m_failure = nullptr;
    UiTiming().Mark("dialog-start");
    const INT_PTR result = CDialog::DoModal();
    UiTiming().Mark("dialog-end");
    UiTiming().Flush();
    // A failure inside a handler could not travel through the system's
    // window procedures; it was kept and ended the dialog, and goes on from
    // here to the entry point.
    if (m_failure)
        std::rethrow_exception(m_failure);
    return result == IDOK ? IDOK : IDCANCEL;
}

void CMainDlg::KeepFailure()
{
    if (!m_failure)
        m_failure = std::current_exception();
    EndDialog(IDCANCEL);
}

BOOL CMainDlg::OnInitDialog()
{
    try {
        CToolDlg::OnInitDialog();
        AttachControls();
        SetAnchors();
        RestorePlacement();
        // The name the task bar shows and the caption's title; a language
        // file may translate both.
        SetText(TheApp().GetProductName());
        ::SetDlgItemTextA(m_hWnd, IDC_FRAME_CAPTION,
                          (TheApp().GetProductName() + " - " VEYDRA_MAKER_NAME " - " VEYDRA_MAKER_HOME_PAGE).c_str());
        InitZoomControls();
        TranslateTexts();
        m_link.ChangeLinkStyle(CHyperLink::LinkPlain,
                               CHyperLink::LinkUnderlined | CHyperLink::LinkHoverColour |
                                   CHyperLink::LinkFocusOnClick | CHyperLink::LinkAutoSize |
                                   CHyperLink::LinkTransparent,
                               true);
        ReanchorControl(m_link.m_hWnd);
        shadowPosition = 0;
        ColourSliders();
        InitSliders();
        m_btnMenuIcon.LoadIcons(IDI_VEYDRA_MENU, 0, 16, 16);
        m_btnClose.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
        loadParameterSet("", false);
        const DescriptorPlayMode mode = readDescriptor();

        CMFCPlugInApp& app = TheApp();
        if (!app.m_bSkipDialog)
            app.m_bSkipDialog = mode == DescriptorPlayMode::NoDialog;
        if (app.m_bSkipDialog && mode != DescriptorPlayMode::NoDescriptor)
            RefuseShadowOnlyOnFlatImage();
        if (!app.m_bSkipDialog) {
            ArmTimer(kFirstRenderTimer);
            return TRUE;
        }
        RenderWithoutDialog();
    } catch (...) {
        KeepFailure();
    }
    return TRUE;
}

void CMainDlg::AttachControls()
{
    const struct {
        CWnd* control;
        int id;
    } buttons[] = {{&m_btnMenuIcon, IDC_MAIN_MENU_ICON}, {&m_btnClose, IDC_MAIN_CLOSE},
                   {&m_btnMenu, IDC_MAIN_MENU},          {&m_btnPresets, IDC_MAIN_PRESETS},
                   {&m_btnPosition, IDC_MAIN_POSITION},  {&m_btnOutside, IDC_MAIN_OUTSIDE},
                   {&m_btnOK, IDOK},                     {&m_btnCancel, IDCANCEL},
                   {&m_btnColor, IDC_MAIN_COLOR},        {&m_link, IDC_MAIN_LINK},
                   {&m_preview, IDC_MAIN_PREVIEW},       {&m_btnZoomIn, IDC_MAIN_ZOOM_IN},
                   {&m_btnZoomOut, IDC_MAIN_ZOOM_OUT}};
    for (const auto& b : buttons)
        b.control->SubclassDlgItem(b.id, this);
    for (size_t i = 0; i < kSliderCount; ++i) {
        m_sliders[i].SubclassDlgItem(kSliderBindings[i].sliderId, this);
        m_labels[i].SubclassDlgItem(kSliderBindings[i].labelId, this);
    }
}

void CMainDlg::SetAnchors()
{
    const AnchorPoint fivePercent{5, 0};
    const AnchorPoint tenPercent{10, 0};
    AddAnchor(IDC_MAIN_CLOSE, kAnchorTopRight);
    AddAnchor(IDOK, kAnchorBottomRight);
    AddAnchor(IDCANCEL, kAnchorBottomRight);
    AddAnchor(IDC_MAIN_LINK, kAnchorBottomLeft);
    AddAnchor(IDC_MAIN_PREVIEW, tenPercent, kAnchorBottomRight);
    AddAnchor(IDC_MAIN_MENU, kAnchorTopLeft, fivePercent);
    AddAnchor(IDC_MAIN_PRESETS, fivePercent, tenPercent);
    AddAnchor(IDC_MAIN_POSITION, kAnchorTopLeft, fivePercent);
    AddAnchor(IDC_MAIN_OUTSIDE, fivePercent, tenPercent);
    // Labels and sliders in template order: the left column follows 0-5 %,
    // the right one 5-10 %.
    for (size_t i = 0; i < kSliderCount; ++i) {
        const bool left = kSliderBindings[i].leftColumn;
        AddAnchor(kSliderBindings[i].labelId, left ? kAnchorTopLeft : fivePercent, left ? fivePercent : tenPercent);
        AddAnchor(kSliderBindings[i].sliderId, left ? kAnchorTopLeft : fivePercent, left ? fivePercent : tenPercent);
    }
    AddAnchor(IDC_MAIN_COLOR, kAnchorTopLeft, tenPercent);
    // The zoom row stays under the preview's left end.
    const AnchorPoint belowPreview{10, 100};
    for (int id : {IDC_MAIN_ZOOM_OUT, IDC_MAIN_ZOOM_LIST, IDC_MAIN_ZOOM_IN})
        AddAnchor(id, belowPreview);
}

void CMainDlg::RestorePlacement()
{
    ISettingsStore& store = AppSettings();
    const RECT window = GetWindowRect();
    const CDpiScale scale = GetDpiScale();
    const StoredPlacement opened = StorablePlacement(ToPixelRect(window), scale);
    const StoredPlacement stored{store.GetInt("", SettingNames::kX, SettingDefaults::kNoPlacement),
                                 store.GetInt("", SettingNames::kY, SettingDefaults::kNoPlacement),
                                 store.GetInt("", SettingNames::kWidth, opened.width),
                                 store.GetInt("", SettingNames::kHeight, opened.height)};
    const PixelRect placed = PlaceMainDialog(ToPixelRect(window), stored, scale);
    const SIZE minimum = GetMinTrackSize();
    const PixelRect target = KeepOnScreen(placed, minimum.cx, minimum.cy, WorkAreaNear(placed));
    ::MoveWindow(m_hWnd, target.left, target.top, target.right - target.left, target.bottom - target.top, TRUE);
}

void CMainDlg::StorePlacement()
{
    const StoredPlacement placement = StorablePlacement(ToPixelRect(GetWindowRect()), GetDpiScale());
    ISettingsStore& store = AppSettings();
    store.SetInt("", SettingNames::kX, placement.x);
    store.SetInt("", SettingNames::kY, placement.y);
    store.SetInt("", SettingNames::kWidth, placement.width);
    store.SetInt("", SettingNames::kHeight, placement.height);
}

void CMainDlg::RefuseShadowOnlyOnFlatImage()
{
    // A recorded step that asks for the shadow alone cannot be played back
    // on an image with no transparency to hold it; rendering the normal
    // result instead would quietly give something else than was recorded.
    if (!m_params.IsShadowOnly() || DocumentHasTransparency())
        return;
    const RunRefusal refusal = RunRefusal::ShadowOnlyOnFlatImage;
    ShowMessage(TheLanguage().Lookup(LanguageSection::kMsg, RefusalKey(refusal), RefusalText(refusal)), kWarningIcon,
                kMessageOk);
    throw CCodeFailure(HostResult::kUserCanceled);
}

void CMainDlg::RenderWithoutDialog() { OnOK(); }

void CMainDlg::OnOK()
{
    try {
        FlushPendingChanges();
        if (m_pEngine->RenderResult(GetParams()) != RunRefusal::None)
            throw CCodeFailure(HostResult::kUserCanceled);
        if (!TheApp().m_bSkipDialog) {
            writeDescriptor();
            saveParameterSet("");
        }
        EndDialog(IDOK);
    } catch (...) {
        KeepFailure();
    }
}

void CMainDlg::OnCancel() { EndDialog(IDCANCEL); }

bool CMainDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case IDC_MAIN_MENU:
    case IDC_MAIN_MENU_ICON:
        OnMainMenu(id);
        return true;
    case IDC_MAIN_PRESETS:
        OnPresetsMenu();
        return true;
    case IDC_MAIN_POSITION:
        OnPositionMenu();
        return true;
    case IDC_MAIN_OUTSIDE:
        OnOutsideCommand();
        return true;
    case IDC_MAIN_COLOR:
        OnColorCommand();
        return true;
    case IDC_MAIN_PREVIEW:
        if (HIWORD(wParam) == CPreviewBitmap::kOriginalChanged)
            OnOriginalChanged();
        else
            OnPreviewPan();
        return true;
    case IDC_MAIN_CLOSE:
        OnCancel();
        return true;
    default:
        break;
    }
    if (OnZoomCommand(id, HIWORD(wParam)))
        return true;
    if (FindSlider(id) != nullptr) {
        OnSliderCommand(id);
        return true;
    }
    return CToolDlg::OnCommand(wParam, lParam);
}

LRESULT CMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_TIMER:
            if (IsDialogTimer(wParam)) {
                OnTimer(wParam);
                return 0;
            }
            break;
        case WM_SIZE: {
            const LRESULT result = CToolDlg::WindowProc(message, wParam, lParam);
            if (HasViewBuffer())
                ArmTimer(kResizeTimer);
            return result;
        }
        case WM_DESTROY:
            StorePlacement();
            StoreZoom();
            {
                const LRESULT result = CToolDlg::WindowProc(message, wParam, lParam);
                ReleaseScene();
                m_nArmedTimers = 0;
                return result;
            }
        default:
            break;
        }
        return CToolDlg::WindowProc(message, wParam, lParam);
    } catch (...) {
        KeepFailure();
        return 0;
    }
}
