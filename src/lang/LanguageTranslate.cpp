// Translating windows and menus: each control or menu item is looked up by
// its id, and only the texts the file provides replace the built-in ones.
#include "lang/Language.h"

#include <commctrl.h>

namespace {

// Submenus are keyed "d+id": `id` the first command of the submenu, `d` a
// count of the submenus met on the way that had none of their own.
int g_submenuCounter = 0;

std::string WindowKey(HWND window)
{
    // A top-level window (a dialog, even one with an owner) is keyed "0";
    // a control by its id.
    if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD))
        return "0";
    return std::to_string(GetDlgCtrlID(window));
}

int FirstCommandId(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const int id = static_cast<int>(GetMenuItemID(menu, i));
        if (id > 0)
            return id;
    }
    return -1;
}

HMENU FirstSubmenu(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (HMENU sub = GetSubMenu(menu, i))
            return sub;
    return nullptr;
}

std::string SubmenuKey(HMENU submenu)
{
    for (HMENU menu = submenu; menu; menu = FirstSubmenu(menu)) {
        const int id = FirstCommandId(menu);
        if (id > 0)
            return std::to_string(g_submenuCounter) + "+" + std::to_string(id);
        ++g_submenuCounter;
    }
    return "-1+-1";
}

void SetItemText(HMENU menu, int position, const std::string& text)
{
    // Only the text changes: the item keeps its id, submenu, states and type.
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
}

void SetColumnTexts(HWND listView, const std::vector<std::string>& items)
{
    for (size_t i = 0; i < items.size(); ++i) {
        // Header texts go through a 1024-byte buffer; longer ones are cut.
        char buffer[1024];
        const size_t length = items[i].size() < sizeof(buffer) - 1 ? items[i].size() : sizeof(buffer) - 1;
        items[i].copy(buffer, length);
        buffer[length] = '\0';
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = buffer;
        SendMessageA(listView, LVM_SETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void SetComboItems(HWND combo, const std::vector<std::string>& items)
{
    const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

}  // namespace

int SubmenuKeyCounter()
{
    return g_submenuCounter;
}

std::string CLanguage::LookupWindow(const std::string& section, HWND window, const std::string& def) const
{
    if (!HasCurrent() || !window || !IsWindow(window))
        return def;
    return Lookup(section, WindowKey(window), def);
}

void CLanguage::GetWindowList(const std::string& section, HWND window, std::vector<std::string>& items) const
{
    items.clear();
    if (!HasCurrent() || !window || !IsWindow(window))
        return;
    CIniFile(m_paths[m_current]).GetList(section, WindowKey(window), items);
}

void CLanguage::TranslateControl(const std::string& section, HWND window)
{
    if (!HasCurrent() || !window || !IsWindow(window))
        return;
    char className[261] = {};
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, "ComboBox") == 0 || lstrcmpiA(className, WC_LISTVIEWA) == 0) {
        std::vector<std::string> items;
        GetWindowList(section, window, items);
        if (items.empty())
            return;
        if (lstrcmpiA(className, "ComboBox") == 0)
            SetComboItems(window, items);
        else
            SetColumnTexts(window, items);
        return;
    }
    const std::string text = LookupWindow(section, window, "");
    if (!text.empty())
        SetWindowTextA(window, text.c_str());
}

BOOL CALLBACK CLanguage::TranslateChild(HWND window, LPARAM self)
{
    CLanguage* language = reinterpret_cast<CLanguage*>(self);
    if (GetParent(window) == language->m_dialog)
        language->TranslateControl(language->m_dialogSection, window);
    return TRUE;
}

void CLanguage::TranslateDialog(const std::string& section, HWND dialog)
{
    if (!dialog || !IsWindow(dialog) || !HasCurrent())
        return;
    const std::string caption = LookupWindow(section, dialog, "");
    if (!caption.empty())
        SetWindowTextA(dialog, caption.c_str());
    m_dialogSection = section;
    m_dialog = dialog;
    EnumChildWindows(dialog, TranslateChild, reinterpret_cast<LPARAM>(this));
}

void CLanguage::TranslateMenu(const std::string& section, HMENU menu)
{
    if (!HasCurrent() || !menu)
        return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU submenu = GetSubMenu(menu, i)) {
            const std::string title = Lookup(section, SubmenuKey(submenu), "");
            if (!title.empty())
                SetItemText(menu, i, title);
            TranslateMenu(section, submenu);
            continue;
        }
        // A separator carries no text; giving it one would make it an item.
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
            continue;
        const std::string text = LookupId(section, static_cast<int>(GetMenuItemID(menu, i)), "");
        if (!text.empty())
            SetItemText(menu, i, text);
    }
}
