// The settings store in the current user's registry (Windows only).
#pragma once

#include <string>

#include "params/SettingsStore.h"

// The settings root below HKEY_CURRENT_USER: "Software\<company>\Veydra".
const char* const kSettingsCompany = "Tevra Ltd";
const char* const kSettingsProduct = "Veydra";

class CRegistryStore : public ISettingsStore {
public:
    // `rootPath` is relative to HKEY_CURRENT_USER; tests pass a root of their
    // own so they never touch (or race on) the plug-in's real settings.
    explicit CRegistryStore(std::string rootPath);

    int32_t GetInt(const std::string& section, const std::string& name, int32_t def) override;
    std::string GetString(const std::string& section, const std::string& name, const std::string& def) override;
    void SetInt(const std::string& section, const std::string& name, int32_t value) override;
    void SetString(const std::string& section, const std::string& name, const std::string& value) override;
    void DeleteValue(const std::string& section, const std::string& name) override;
    std::vector<std::string> ListSections() override;
    void DeleteSection(const std::string& section, const std::vector<std::string>& valueNames) override;

    const std::string& RootPath() const { return m_rootPath; }

private:
    std::string m_rootPath;
};

// The plug-in's own store, "Software\<company>\Veydra" under the current
// user. The entry point sets the company ("Tevra Ltd") on every host call; a
// null or empty company means "Tevra Ltd". Tests set a company of their own.
void SetSettingsCompany(const char* company);
ISettingsStore& AppSettings();
