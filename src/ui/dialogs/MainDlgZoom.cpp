// The preview's zoom and the look at the original: the zoom drop-down and
// its two buttons, Ctrl + mouse wheel and the keys + - 0 1, the level kept
// in the store between runs, and the original image shown while the right
// mouse button is held on the preview.
#include <windows.h>
#include <commctrl.h>

#include "imaging/PreviewZoom.h"
#include "lang/Language.h"
#include "lang/LanguageKeys.h"
#include "params/RegistryStore.h"
#include "resources/MainDialogResources.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/UiTiming.h"

namespace {

// Splits the built-in comma-separated list of the zoom drop-down.
std::vector<std::string> BuiltInZoomItems()
{
    std::vector<std::string> items;
    const char* list = LanguageDefault(LanguageSection::kMainDlg, "1033");
    std::string item;
    for (const char* p = list != nullptr ? list : ""; ; ++p) {
        if (*p == ',' || *p == '\0') {
            items.push_back(item);
            item.clear();
            if (*p == '\0')
                break;
        } else {
            item += *p;
        }
    }
    return items;
}

}  // namespace

int CMainDlg::StoredZoom()
{
    const int zoom = AppSettings().GetInt("", SettingNames::kPreviewZoom, SettingDefaults::kPreviewZoom);
    // Fit also stands for a level this build does not offer.
    return PreviewZoom::IsLevel(zoom) ? zoom : PreviewZoom::kFit;
}

void CMainDlg::InitZoomControls()
{
    m_nZoom = StoredZoom();
    m_preview.View().m_nZoom = m_nZoom;
    m_hZoomTips = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
    for (int id : {IDC_MAIN_ZOOM_OUT, IDC_MAIN_ZOOM_LIST, IDC_MAIN_ZOOM_IN, IDC_MAIN_PREVIEW}) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(m_hWnd, id));
        tool.lpszText = const_cast<char*>("");
        if (m_hZoomTips != nullptr)
            ::SendMessageA(m_hZoomTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (m_hZoomTips != nullptr)
        ::SendMessageA(m_hZoomTips, TTM_SETMAXTIPWIDTH, 0, 400);
    UpdateZoomTexts();
}

void CMainDlg::UpdateZoomTexts()
{
    // A language file with another number of levels (an older one) cannot
    // name these: the built-in names stand in.
    HWND list = ::GetDlgItem(m_hWnd, IDC_MAIN_ZOOM_LIST);
    if (::SendMessageA(list, CB_GETCOUNT, 0, 0) != PreviewZoom::kLevelCount) {
        ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : BuiltInZoomItems())
            ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(PreviewZoom::LevelIndex(m_nZoom)), 0);
    if (m_hZoomTips == nullptr)
        return;
    const struct {
        int id;
        const char* key;
    } tips[] = {{IDC_MAIN_ZOOM_OUT, "zoom_out"}, {IDC_MAIN_ZOOM_LIST, "zoom_list"},
                {IDC_MAIN_ZOOM_IN, "zoom_in"},   {IDC_MAIN_PREVIEW, "original_hint"}};
    for (const auto& tip : tips) {
        const char* english = LanguageDefault(LanguageSection::kMsg, tip.key);
        const std::string text = TheLanguage().Lookup(LanguageSection::kMsg, tip.key, english != nullptr ? english : "");
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(m_hWnd, tip.id));
        tool.lpszText = const_cast<char*>(text.c_str());
        ::SendMessageA(m_hZoomTips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

double CMainDlg::PreviewFitScale() const
{
    const RECT client = m_preview.GetClientRect();
    return PreviewZoom::FitScale(client.right - 1, client.bottom - 1, Geometry().imageWidth, Geometry().imageHeight);
}

void CMainDlg::SetZoom(int zoom, const POINT* at)
{
    if (!PreviewZoom::IsLevel(zoom))
        return;
    const bool changed = zoom != m_nZoom;
    m_bZoomChosen = m_bZoomChosen || changed;
    m_nZoom = zoom;
    ::SendDlgItemMessageA(m_hWnd, IDC_MAIN_ZOOM_LIST, CB_SETCURSEL,
                          static_cast<WPARAM>(PreviewZoom::LevelIndex(zoom)), 0);
    CPreviewView& view = m_preview.View();
    view.m_nZoom = zoom;
    if (!HasViewBuffer() || !changed)
        return;
    UiTiming().Mark("zoom-start");
    // The image point under the mouse (or the middle of the preview) stays
    // where it is on screen.
    const RECT client = m_preview.GetClientRect();
    const POINT point = at != nullptr ? *at : POINT{client.right / 2, client.bottom / 2};
    const POINT before = m_preview.PictureOrigin();
    double ix = 0, iy = 0;
    view.ImagePointAt(point.x - before.x, point.y - before.y, ix, iy);
    m_preview.SetImage(&m_pScene->m_dibView, ImageExtent(), true);
    const POINT after = m_preview.PictureOrigin();
    view.PlaceImagePointAt(ix, iy, point.x - after.x, point.y - after.y);
    m_preview.ClampView();
    m_pScene->FollowView(GetParams());
    ComposeView();
    RedrawPreview(true);
    UiTiming().Mark("zoom-shown");
}

void CMainDlg::StepZoom(bool in, const POINT* at)
{
    const double fit = PreviewFitScale();
    SetZoom(in ? PreviewZoom::ZoomIn(m_nZoom, fit) : PreviewZoom::ZoomOut(m_nZoom, fit), at);
}

bool CMainDlg::OnZoomCommand(int id, int code)
{
    switch (id) {
    case IDC_MAIN_ZOOM_IN:
    case IDC_MAIN_ZOOM_OUT:
        if (code == BN_CLICKED)
            StepZoom(id == IDC_MAIN_ZOOM_IN, nullptr);
        return true;
    case IDC_MAIN_ZOOM_LIST:
        if (code == CBN_SELCHANGE) {
            const LRESULT index = ::SendDlgItemMessageA(m_hWnd, IDC_MAIN_ZOOM_LIST, CB_GETCURSEL, 0, 0);
            if (index >= 0 && index < PreviewZoom::kLevelCount)
                SetZoom(PreviewZoom::kLevels[index], nullptr);
        }
        return true;
    default:
        return false;
    }
}

bool CMainDlg::OnZoomKey(WPARAM character)
{
    // While the drop-down's list is open its own keys choose in it.
    if (::SendDlgItemMessageA(m_hWnd, IDC_MAIN_ZOOM_LIST, CB_GETDROPPEDSTATE, 0, 0) != 0)
        return false;
    switch (character) {
    case '+':
    case '=':
        StepZoom(true, nullptr);
        return true;
    case '-':
        StepZoom(false, nullptr);
        return true;
    case '0':
        SetZoom(PreviewZoom::kFit, nullptr);
        return true;
    case '1':
        SetZoom(100, nullptr);
        return true;
    default:
        return false;
    }
}

void CMainDlg::OnZoomWheel(WPARAM wParam, LPARAM lParam)
{
    // Notches add up (a fine wheel sends parts of one); each whole notch is
    // one level, zooming about the point under the mouse when it is over
    // the preview.
    m_nWheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(m_preview.m_hWnd, &point);
    const RECT client = m_preview.GetClientRect();
    const bool over = ::PtInRect(&client, point) != FALSE;
    while (m_nWheelRest >= WHEEL_DELTA || m_nWheelRest <= -WHEEL_DELTA) {
        const bool in = m_nWheelRest > 0;
        m_nWheelRest += in ? -WHEEL_DELTA : WHEEL_DELTA;
        StepZoom(in, over ? &point : nullptr);
    }
}

void CMainDlg::OnOriginalChanged()
{
    if (HasViewBuffer())
        ComposeView();
    RedrawPreview(true);
}

void CMainDlg::ComposeView()
{
    ShadowParams params = GetParams();
    // The original is the picture with the shadow at no opacity.
    if (m_preview.ShowsOriginal())
        params.transparency = 100;
    m_pScene->ComposePreview(params);
}

void CMainDlg::StoreZoom()
{
    if (m_bZoomChosen)
        AppSettings().SetInt("", SettingNames::kPreviewZoom, m_nZoom);
}

bool CMainDlg::PreTranslateMessage(MSG* msg)
{
    const bool ours = m_hWnd != nullptr && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd));
    if (ours) {
        try {
            if (msg->message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(msg->wParam) & MK_CONTROL) != 0) {
                OnZoomWheel(msg->wParam, msg->lParam);
                return true;
            }
            if (msg->message == WM_CHAR && OnZoomKey(msg->wParam))
                return true;
        } catch (...) {
            KeepFailure();
            return true;
        }
    }
    return CToolDlg::PreTranslateMessage(msg);
}
