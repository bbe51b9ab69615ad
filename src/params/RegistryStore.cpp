#include "params/RegistryStore.h"

#include <windows.h>

#include <utility>

namespace {

// An open registry key, closed when it goes out of scope.
class CKey {
public:
    CKey() = default;
    CKey(const CKey&) = delete;
    CKey& operator=(const CKey&) = delete;
    ~CKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }

    // Opens `path` below `parent`, creating it (and its parents) if needed.
    bool Create(HKEY parent, const std::string& path, REGSAM access)
    {
        return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &m_key,
                               nullptr) == ERROR_SUCCESS;
    }
    bool Open(HKEY parent, const std::string& path, REGSAM access)
    {
        return RegOpenKeyExA(parent, path.c_str(), 0, access, &m_key) == ERROR_SUCCESS;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// A string value's bytes need not end in a terminator, and may hold one
// early; the text is what comes before the first.
std::string TextOf(const std::string& bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

// Opens (creating) the root, then the section relative to it: a path of root
// and section together may be longer than Wine's ANSI registry calls take in
// one piece, while each part alone stays within the 255 characters of a key name.
bool CreateSection(const std::string& rootPath, const std::string& section, REGSAM access, CKey& root, CKey& key)
{
    if (section.empty())
        return key.Create(HKEY_CURRENT_USER, rootPath, access);
    return root.Create(HKEY_CURRENT_USER, rootPath, KEY_CREATE_SUB_KEY) && key.Create(root.Get(), section, access);
}

}  // namespace

CRegistryStore::CRegistryStore(std::string rootPath) : m_rootPath(std::move(rootPath)) {}

int32_t CRegistryStore::GetInt(const std::string& section, const std::string& name, int32_t def)
{
    CKey root, key;
    if (!CreateSection(m_rootPath, section, KEY_QUERY_VALUE, root, key))
        return def;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    // A longer value answers ERROR_MORE_DATA; a shorter one (a 2-byte binary)
    // comes back with its own size: only a whole DWORD counts.
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return def;
    return static_cast<int32_t>(value);
}

std::string CRegistryStore::GetString(const std::string& section, const std::string& name, const std::string& def)
{
    CKey root, key;
    if (!CreateSection(m_rootPath, section, KEY_QUERY_VALUE, root, key))
        return def;
    // The value may change between asking its size and reading it; a few
    // tries settle that, and giving up reads as the default.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            return def;
        std::string bytes(size + 1, '\0');
        DWORD read = size;
        const LONG result =
            RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &read);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            return def;
        bytes.resize(read);
        return TextOf(bytes);
    }
    return def;
}

void CRegistryStore::SetInt(const std::string& section, const std::string& name, int32_t value)
{
    CKey root, key;
    if (!CreateSection(m_rootPath, section, KEY_SET_VALUE, root, key))
        return;
    // Negative values are stored as their two's complement bits.
    const DWORD bits = static_cast<DWORD>(value);
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&bits), sizeof(bits));
}

void CRegistryStore::SetString(const std::string& section, const std::string& name, const std::string& value)
{
    CKey root, key;
    if (!CreateSection(m_rootPath, section, KEY_SET_VALUE, root, key))
        return;
    const std::string text = TextOf(value);
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void CRegistryStore::DeleteValue(const std::string& section, const std::string& name)
{
    CKey root, key;
    if (CreateSection(m_rootPath, section, KEY_SET_VALUE, root, key))
        RegDeleteValueA(key.Get(), name.c_str());
}

std::vector<std::string> CRegistryStore::ListSections()
{
    std::vector<std::string> names;
    CKey root;
    if (!root.Open(HKEY_CURRENT_USER, m_rootPath, KEY_READ))
        return names;
    DWORD count = 0;
    if (RegQueryInfoKeyA(root.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0; i < count; ++i) {
        char name[1024];
        DWORD length = sizeof(name) - 1;
        if (RegEnumKeyExA(root.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            names.emplace_back(name, length);
    }
    return names;
}

void CRegistryStore::DeleteSection(const std::string& section, const std::vector<std::string>& valueNames)
{
    if (section.empty())
        return;
    CKey root, key;
    if (!root.Open(HKEY_CURRENT_USER, m_rootPath, KEY_QUERY_VALUE) || !key.Open(root.Get(), section, KEY_SET_VALUE))
        return;
    for (const std::string& name : valueNames)
        RegDeleteValueA(key.Get(), name.c_str());
    RegDeleteKeyA(root.Get(), section.c_str());
}

namespace {

std::string RootFor(const char* company)
{
    const std::string name = company && *company ? company : kSettingsCompany;
    return "Software\\" + name + "\\" + kSettingsProduct;
}

CRegistryStore& AppStore()
{
    static CRegistryStore store(RootFor(kSettingsCompany));
    return store;
}

}  // namespace

void SetSettingsCompany(const char* company)
{
    AppStore() = CRegistryStore(RootFor(company));
}

ISettingsStore& AppSettings()
{
    return AppStore();
}
