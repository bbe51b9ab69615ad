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

// One INI file read through the private-profile functions; every call reads
// the file anew.
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

class CLanguage {
public:
    void Load(const std::string& productTitle, int minimumVersion, bool ownFolder);
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

private:
    // (members as the implementation needs them)
};

// The process-wide language manager; lives as long as the module.
CLanguage& TheLanguage();

// The product title that language files must name in "Info"/"program".
const char* const kLanguageProductTitle = "Tevra Veydra";
