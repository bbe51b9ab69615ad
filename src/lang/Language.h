// Language files and the text lookup (Windows only).
//
// A language file is an INI file ("*.lng") beside the module or in "langs\"
// beside it, whose section "Info" names the product. Every text the user sees
// is looked up by section and key with a built-in English default, so the
// interface is complete without any file; dialogs and menus are translated
// wholesale by control and command id.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ISettingsStore;

// One INI file read through the private-profile functions; every call reads
// the file anew. A value counts up to 2047 characters.
class CIniFile {
public:
    explicit CIniFile(std::string path = std::string());
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) const;
    int GetInt(const std::string& section, const std::string& key, int def) const;
    // Empties `items`, then appends the comma-separated items of the value.
    void GetList(const std::string& section, const std::string& key, std::vector<std::string>& items) const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The language menu's items: 32775 + index, for at most 26 languages (the
// ids after them belong to other commands of the main menu).
const UINT kLanguageCommandFirst = 32775;
const int kLanguageMenuLimit = 26;

class CLanguage {
public:
    // Scans the module's own folder (ownFolder) or the host executable's.
    void Load(const std::string& productTitle, int minimumVersion, bool ownFolder);
    // The same scan in `folder` (with or without its trailing backslash):
    // first folder\*.lng, then folder\langs\*.lng.
    void LoadFolder(const std::string& productTitle, int minimumVersion, const std::string& folder);
    bool Select(const std::string& name);
    int IndexOf(const std::string& name) const;
    std::string GetName(int index) const;
    int GetCount() const;

    std::string Lookup(const std::string& section, const std::string& key, const std::string& def) const;
    std::string LookupId(const std::string& section, int id, const std::string& def) const;
    std::string LookupWindow(const std::string& section, HWND window, const std::string& def) const;
    void GetWindowList(const std::string& section, HWND window, std::vector<std::string>& items) const;

    void TranslateControl(const std::string& section, HWND window);
    void TranslateDialog(const std::string& section, HWND dialog);
    void TranslateMenu(const std::string& section, HMENU menu);

    // Fills the main menu's "Language" submenu, whose only item is the
    // placeholder "English" (32775): one item per language (the first 26),
    // the current one checked, the placeholder removed; without languages
    // the placeholder is checked.
    void BuildLanguageMenu(HMENU languageSubmenu) const;
    // A command from that submenu: selects the language, stores its name as
    // "Language" and returns true (the caller then retranslates its dialog).
    // False for any other command, and for the placeholder.
    bool ChooseLanguage(UINT commandId, ISettingsStore& store);

    // The path of the current language's file, "" when there is none.
    std::string CurrentPath() const;

private:
    bool HasCurrent() const;
    void ScanFolder(const std::string& folder);
    static BOOL CALLBACK TranslateChild(HWND window, LPARAM self);

    std::string m_productTitle;
    int m_minimumVersion = 0;
    int m_current = -1;
    std::vector<std::string> m_names;
    std::vector<std::string> m_paths;
    HWND m_dialog = nullptr;
    std::string m_dialogSection;
};

// The process-wide language manager; lives as long as the module.
CLanguage& TheLanguage();

// The product title that language files must name in "Info"/"program".
const char* const kLanguageProductTitle = "Tevra Veydra";

// The language part of the about and prepare steps: loads the language files
// of the module's folder and selects the stored "Language" (empty or missing
// means "English"; an unknown name selects the first language found).
void LoadAppLanguage(CLanguage& language, ISettingsStore& store);
void LoadAppLanguage();  // TheLanguage() with AppSettings()

// The main dialog's language menu on the process-wide instances.
void BuildLanguageMenu(HMENU languageSubmenu);
bool OnLanguageCommand(UINT commandId);

// The process-wide counter that keys submenus without a command item of
// their own ("d+id"); it starts at 0 and is never reset.
int SubmenuKeyCounter();
