// The main dialog's three menus: the main menu (interface style and
// colours, language, the maker's pages, About), the presets menu and the
// shadow-position menu. Each is loaded fresh from the resources, translated,
// dropped down from the bottom-left corner of the button that opened it,
// and destroyed before its command is carried out.
#include <windows.h>

#include <algorithm>

#include "lang/Language.h"
#include "lang/LanguageKeys.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "resources/MainDialogResources.h"
#include "ui/controls/LinkLaunch.h"
#include "ui/controls/LinkText.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/UiTiming.h"
#include "ui/skin/SkinStyle.h"
#include "win/ThisModule.h"

namespace {

// The presets menu lists at most this many: the ids after them belong to
// the menu's own commands.
const size_t kPresetMenuLimit = 26;
// Beyond this many presets a new one could not be listed.
const size_t kPresetSaveLimit = 25;
const int kLanguageSubmenu = 1;  // position in the main menu

// A menu resource and its first popup, destroyed with the scope.
class CPopupMenu {
public:
    explicit CPopupMenu(int resourceId)
        : m_hMenu(::LoadMenuA(ThisModule(), MAKEINTRESOURCEA(resourceId))),
          m_hPopup(m_hMenu != nullptr ? ::GetSubMenu(m_hMenu, 0) : nullptr)
    {
    }
    ~CPopupMenu()
    {
        if (m_hMenu != nullptr)
            ::DestroyMenu(m_hMenu);
    }
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    HMENU Popup() const { return m_hPopup; }

private:
    HMENU m_hMenu;
    HMENU m_hPopup;
};

// "&" in a preset name is a letter, not a menu mnemonic.
std::string MenuText(const std::string& name)
{
    std::string text;
    for (char c : name) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text;
}

UINT StyleCommand(int32_t style)
{
    switch (style) {
    case kStyleChrome:
        return ID_MAIN_STYLE_CHROME;
    case kStyleAqua:
        return ID_MAIN_STYLE_AQUA;
    case kStyleFlat:
        return ID_MAIN_STYLE_FLAT;
    default:
        return 0;  // the gradient styles 1-8 and 10 have no menu item
    }
}

}  // namespace

UINT CMainDlg::TrackMenu(HMENU popup, int buttonId, const char* section)
{
    if (popup == nullptr)
        return 0;
    TheLanguage().TranslateMenu(section, popup);
    const RECT button = GetChildRect(buttonId);
    POINT corner{button.left, button.bottom};
    ::ClientToScreen(m_hWnd, &corner);
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, corner.x, corner.y, 0,
        m_hWnd, nullptr));
    UiTiming().Mark("menu-command", static_cast<long>(command));
    return command;
}

void CMainDlg::OnMainMenu(int buttonId)
{
    UINT command = 0;
    {
        CPopupMenu menu(IDR_VEYDRA_MAIN_MENU);
        BuildLanguageMenu(::GetSubMenu(menu.Popup(), kLanguageSubmenu));
        const UINT styleItem = StyleCommand(m_skin.GetStyle());
        if (styleItem != 0)
            ::CheckMenuItem(menu.Popup(), styleItem, MF_BYCOMMAND | MF_CHECKED);
        command = TrackMenu(menu.Popup(), buttonId, LanguageSection::kMainMenu);
    }
    OnMainMenuCommand(command);
}

void CMainDlg::OnMainMenuCommand(UINT command)
{
    if (OnLanguageCommand(command)) {
        ApplyInterface();
        return;
    }
    switch (command) {
    case ID_MAIN_STYLE_CHROME:
        StoreStyle(kStyleChrome);
        break;
    case ID_MAIN_STYLE_AQUA:
        StoreStyle(kStyleAqua);
        break;
    case ID_MAIN_STYLE_FLAT:
        StoreStyle(kStyleFlat);
        break;
    case ID_MAIN_ABOUT:
        ShowAbout(m_hWnd);
        break;
    case ID_MAIN_CONTROLS_COLOR:
        ChooseControlColor();
        break;
    case ID_MAIN_WINDOW_COLOR:
        ChooseWindowColor();
        break;
    case ID_MAIN_SUPPORT:
        OpenWebPage(kMakerSupportPage);
        break;
    case ID_MAIN_OTHER_PRODUCTS:
        OpenWebPage(kMakerHomePage);
        break;
    default:
        break;  // dismissed, or the placeholder "English"
    }
}

void CMainDlg::OpenWebPage(const char* address)
{
    const intptr_t result = LaunchLink(address, SW_SHOWNORMAL);
    if (result > 32)
        return;
    // As the link does: the user learns why nothing opened.
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::MessageBoxA(m_hWnd, LinkErrorMessage(static_cast<int>(result)).c_str(), "Veydra", MB_OK | MB_ICONEXCLAMATION);
}

void CMainDlg::OnPresetsMenu()
{
    const std::vector<std::string> presets = enumeratePresets();
    UINT command = 0;
    {
        CPopupMenu menu(IDR_VEYDRA_PRESETS_MENU);
        const size_t listed = std::min(presets.size(), kPresetMenuLimit);
        for (size_t i = 0; i < listed; ++i)
            ::AppendMenuA(menu.Popup(), MF_STRING, ID_PRESETS_FIRST + static_cast<UINT>(i),
                          MenuText(presets[i]).c_str());
        if (presets.size() > kPresetSaveLimit)
            ::EnableMenuItem(menu.Popup(), ID_PRESETS_SAVE, MF_BYCOMMAND | MF_GRAYED);
        command = TrackMenu(menu.Popup(), IDC_MAIN_PRESETS, LanguageSection::kSettingsMenu);
    }
    OnPresetsCommand(command, presets);
}

void CMainDlg::OnPresetsCommand(UINT command, const std::vector<std::string>& presets)
{
    if (command >= ID_PRESETS_FIRST && command < ID_PRESETS_FIRST + kPresetMenuLimit) {
        const size_t index = command - ID_PRESETS_FIRST;
        if (index < presets.size())
            loadParameterSet(presets[index], true);
        return;
    }
    switch (command) {
    case ID_PRESETS_LAST_USED:
        loadParameterSet("", true);
        break;
    case ID_PRESETS_SAVE:
        SavePresetAs();
        break;
    case ID_PRESETS_MANAGE:
        ManagePresets();
        break;
    case ID_PRESETS_RESET:
        SetParams(ResetShadowParams(GetParams()), true);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        if (SceneHasTexture())
            RebuildAndRender();
        break;
    default:
        break;
    }
}

void CMainDlg::OnPositionMenu()
{
    UINT command = 0;
    {
        CPopupMenu menu(IDR_VEYDRA_POSITION_MENU);
        // A stored position outside 0-2 checks nothing.
        if (shadowPosition >= 0 && shadowPosition <= 2)
            ::CheckMenuItem(menu.Popup(), ID_POSITION_BOTTOM + static_cast<UINT>(shadowPosition),
                            MF_BYCOMMAND | MF_CHECKED);
        // A flat image has no transparency to hold the shadow alone.
        const bool canShadowOnly = DocumentHasTransparency();
        ::CheckMenuItem(menu.Popup(), ID_POSITION_SHADOW_ONLY,
                        MF_BYCOMMAND | (canShadowOnly && m_params.IsShadowOnly() ? MF_CHECKED : MF_UNCHECKED));
        ::EnableMenuItem(menu.Popup(), ID_POSITION_SHADOW_ONLY, MF_BYCOMMAND | (canShadowOnly ? MF_ENABLED : MF_GRAYED));
        command = TrackMenu(menu.Popup(), IDC_MAIN_POSITION, LanguageSection::kShadowMenu);
    }
    if (command == ID_POSITION_SHADOW_ONLY) {
        OnShadowOnlyCommand();
        return;
    }
    if (command < ID_POSITION_BOTTOM || command > ID_POSITION_TOP)
        return;  // dismissed: nothing changed, nothing to render
    shadowPosition = static_cast<int>(command - ID_POSITION_BOTTOM);
    if (SceneHasTexture())
        RebuildAndRender();
}
