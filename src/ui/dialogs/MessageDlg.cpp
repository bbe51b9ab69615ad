#include "ui/dialogs/MessageDlg.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "host/PlugInApp.h"
#include "lang/Language.h"
#include "resources/ControlResources.h"
#include "resources/DialogResources.h"
#include "ui/framework/Placement.h"
#include "ui/framework/ScaledArt.h"
#include "ui/skin/Skin.h"

namespace {

enum Caption { kNone, kYes, kNo, kCancel, kOk };

struct ButtonSet {
    Caption caption[3];
    int result[3];
};

// Left (1138), middle (1139), right (1140).
const ButtonSet kButtonSets[5] = {
    {{kNone, kYes, kNo}, {0, IDYES, IDNO}},
    {{kNone, kNone, kOk}, {0, 0, IDOK}},
    {{kYes, kNo, kCancel}, {IDYES, IDNO, IDCANCEL}},
    {{kNone, kOk, kCancel}, {0, IDOK, IDCANCEL}},
    {{kNone, kNone, kNone}, {0, 0, 0}},
};

// Keeps the thread's other top-level windows disabled while a message
// without an owner is up, so nothing of the host can be used behind it.
class CThreadModalScope {
public:
    CThreadModalScope()
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &CThreadModalScope::Disable, reinterpret_cast<LPARAM>(this));
    }
    ~CThreadModalScope()
    {
        for (HWND window : m_disabled)
            if (::IsWindow(window))
                ::EnableWindow(window, TRUE);
    }
    CThreadModalScope(const CThreadModalScope&) = delete;
    CThreadModalScope& operator=(const CThreadModalScope&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self)
    {
        if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            reinterpret_cast<CThreadModalScope*>(self)->m_disabled.push_back(window);
        }
        return TRUE;
    }

    std::vector<HWND> m_disabled;
};

}  // namespace

CMessageDlg::CMessageDlg(const std::string& text, int iconId, int type, CWnd* parent)
    : CToolDlg(IDD_VEYDRA_MESSAGE, parent),
      m_nButtonResult{0, 0, 0},
      m_nIconId(static_cast<WORD>(iconId)),
      m_strText(text),
      m_hIcon(nullptr)
{
    const CLanguage& language = TheLanguage();
    const std::string captions[5] = {"", language.Lookup("Msg", "yes", "Yes"), language.Lookup("Msg", "no", "No"),
                                     language.Lookup("Msg", "cancel", "Cancel"), language.Lookup("Msg", "ok", "OK")};
    const ButtonSet& set = kButtonSets[type >= 0 && type <= 4 ? type : 1];
    for (int i = 0; i < 3; ++i) {
        m_strCaption[i] = captions[set.caption[i]];
        m_nButtonResult[i] = set.result[i];
    }
}

CMessageDlg::~CMessageDlg()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

BOOL CMessageDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    m_close.SubclassDlgItem(IDC_FRAME_ROLLUP_CLOSE, this);
    m_icon.SubclassDlgItem(IDC_MESSAGE_ICON, this);
    m_text.SubclassDlgItem(IDC_MESSAGE_TEXT, this);
    for (int i = 0; i < 3; ++i)
        m_button[i].SubclassDlgItem(IDC_MESSAGE_BUTTON_LEFT + i, this);

    const std::string& product = TheApp().GetProductName();
    SetText(product);
    ::SetDlgItemTextA(m_hWnd, IDC_FRAME_CAPTION, product.c_str());
    m_close.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
    m_text.SetText(m_strText);
    LoadMessageIcon();
    const bool focused = PlaceButtons();
    CenterWindowOver(m_hWnd, ParentHandle());
    return focused ? FALSE : TRUE;
}

void CMessageDlg::LoadMessageIcon()
{
    if (m_nIconId == 0)
        return;
    // At the icon's own size, scaled for the display; an id that does not
    // load leaves no icon.
    HICON loaded = LoadScaledIconAtOwnSize(m_nIconId, GetDpiScale());
    m_icon.SetIcon(loaded);
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = loaded;
    FitIconLabel();
}

LRESULT CMessageDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kWmDpiChanged) {
        // Moved to a display of another density: the frame lays itself out
        // again, then the icon is the drawing for the new density.
        const LRESULT result = CToolDlg::WindowProc(message, wParam, lParam);
        LoadMessageIcon();
        return result;
    }
    return CToolDlg::WindowProc(message, wParam, lParam);
}

// The label is sized in dialog units, the icon in pixels: with the
// dialog's font the label can come out smaller than the icons and
// would cut them off. Like an icon static, it grows to hold its icon.
void CMessageDlg::FitIconLabel()
{
    ICONINFO info{};
    if (m_hIcon == nullptr || !::GetIconInfo(m_hIcon, &info))
        return;
    BITMAP bitmap{};
    HBITMAP measured = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
    const bool known = ::GetObjectA(measured, sizeof bitmap, &bitmap) != 0;
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (!known)
        return;
    const int width = bitmap.bmWidth;
    const int height = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
    const RECT label = m_icon.GetClientRect();
    if (label.right >= width && label.bottom >= height)
        return;
    ::SetWindowPos(m_icon.m_hWnd, nullptr, 0, 0, std::max(static_cast<int>(label.right), width),
                   std::max(static_cast<int>(label.bottom), height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows, captions and colours the buttons, or shortens a dialog that has
// none. True when the focus went to the first button.
bool CMessageDlg::PlaceButtons()
{
    if (m_strCaption[2].empty()) {
        for (CButtonST& button : m_button)
            ::ShowWindow(button.m_hWnd, SW_HIDE);
        const RECT window = GetWindowRect();
        const RECT row = GetChildRect(IDC_MESSAGE_BUTTON_LEFT);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, row.top + GetDpiScale().Px(8),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return false;
    }
    const CSkinState* skin = CurrentSkin();
    HWND first = nullptr;
    for (int i = 0; i < 3; ++i) {
        CButtonST& button = m_button[i];
        if (m_strCaption[i].empty()) {
            ::ShowWindow(button.m_hWnd, SW_HIDE);
            continue;
        }
        button.SetText(m_strCaption[i]);
        if (skin != nullptr) {
            button.SetFaceColor(skin->GetControlColor(), false);
            button.SetHoverColor(skin->GetControlHoverColor(), false);
        }
        if (first == nullptr)
            first = button.m_hWnd;
    }
    // The answer buttons, not the caption's close cross, take the keyboard.
    ::SetFocus(first);
    return true;
}

void CMessageDlg::OnOK()
{
    for (int result : m_nButtonResult)
        if (result == IDYES) {
            EndDialog(IDYES);
            return;
        }
    EndDialog(IDOK);
}

void CMessageDlg::OnCancel() { EndDialog(IDCANCEL); }

bool CMessageDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_FRAME_ROLLUP_CLOSE) {
            OnCancel();
            return true;
        }
        const int index = id - IDC_MESSAGE_BUTTON_LEFT;
        if (index >= 0 && index < 3 && !m_strCaption[index].empty()) {
            EndDialog(m_nButtonResult[index]);
            return true;
        }
    }
    return CToolDlg::OnCommand(wParam, lParam);
}

int ShowSkinnedMessage(const std::string& text, int iconId, int type, CWnd* parent)
{
    std::unique_ptr<CSkinState> storedLook;
    if (CurrentSkin() == nullptr) {
        storedLook.reset(new CSkinState(nullptr));
        storedLook->LoadFromStore();
    }
    const bool hasOwner = parent != nullptr && parent->m_hWnd != nullptr && ::IsWindow(parent->m_hWnd);
    std::unique_ptr<CThreadModalScope> threadModal;
    if (!hasOwner)
        threadModal.reset(new CThreadModalScope());
    CMessageDlg dialog(text, iconId, type, parent);
    return static_cast<int>(dialog.DoModal());
}

int ShowMessageOverMainWindow(const std::string& text, int iconId, int type)
{
    const CSkinState* skin = CurrentSkin();
    return ShowSkinnedMessage(text, iconId, type, skin != nullptr ? skin->GetMainWindow() : nullptr);
}
