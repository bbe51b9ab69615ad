// The process-wide language manager, the language part of the about and
// prepare steps, and the main dialog's language submenu.
#include "lang/Language.h"
#include "params/RegistryStore.h"
#include "params/SettingValues.h"

CLanguage& TheLanguage()
{
    static CLanguage language;
    return language;
}

void LoadAppLanguage(CLanguage& language, ISettingsStore& store)
{
    language.Load(kLanguageProductTitle, 0, true);
    language.Select(ReadLanguageSetting(store));
}

void LoadAppLanguage()
{
    LoadAppLanguage(TheLanguage(), AppSettings());
}

void CLanguage::BuildLanguageMenu(HMENU languageSubmenu) const
{
    if (!languageSubmenu)
        return;
    if (m_names.empty()) {
        CheckMenuItem(languageSubmenu, 0, MF_BYPOSITION | MF_CHECKED);
        return;
    }
    const int current = IndexOf("");
    const int shown = GetCount() < kLanguageMenuLimit ? GetCount() : kLanguageMenuLimit;
    for (int k = 0; k < shown; ++k)
        AppendMenuA(languageSubmenu, MF_STRING | (k == current ? MF_CHECKED : MF_UNCHECKED),
                    kLanguageCommandFirst + static_cast<UINT>(k), m_names[k].c_str());
    DeleteMenu(languageSubmenu, 0, MF_BYPOSITION);
}

bool CLanguage::ChooseLanguage(UINT commandId, ISettingsStore& store)
{
    if (commandId < kLanguageCommandFirst || commandId >= kLanguageCommandFirst + kLanguageMenuLimit)
        return false;
    const int index = static_cast<int>(commandId - kLanguageCommandFirst);
    if (index >= GetCount())
        return false;
    // By name, as the setting stores it: of two languages with one name the
    // first is the one that gets chosen.
    Select(m_names[index]);
    WriteLanguageSetting(store, GetName(-1));
    return true;
}

void BuildLanguageMenu(HMENU languageSubmenu)
{
    TheLanguage().BuildLanguageMenu(languageSubmenu);
}

bool OnLanguageCommand(UINT commandId)
{
    return TheLanguage().ChooseLanguage(commandId, AppSettings());
}
