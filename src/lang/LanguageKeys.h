// Every text the system looks up in a language file: its section, its key and
// the built-in English text used when no language file provides it. The
// dialogs and menus take their defaults from here, the shipped English file
// holds exactly these texts, and a test holds every shipped translation
// against this table.
#pragma once

#include <cstddef>

namespace LanguageSection {
const char* const kMsg = "Msg";
const char* const kAbout = "About";
const char* const kMainDlg = "Main_dlg";
const char* const kSettings = "Settings";  // the save-preset dialog
const char* const kManagePresets = "Manage_presets";
const char* const kMainMenu = "Main_menu";
const char* const kSettingsMenu = "Settings_menu";
const char* const kShadowMenu = "Shadow_menu";
}  // namespace LanguageSection

struct LanguageKey {
    const char* section;
    const char* key;      // a name, a control or command id, "0" for a caption, "0+id" for a submenu
    const char* english;  // the built-in text; for a list, its comma-separated items
    bool isList;          // a combo box's items rather than one text
};

extern const LanguageKey kLanguageKeys[];
extern const size_t kLanguageKeyCount;

// The built-in English text of a key, or null when the system never asks for it.
const char* LanguageDefault(const char* section, const char* key);
