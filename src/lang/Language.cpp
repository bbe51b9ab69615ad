#include "lang/Language.h"

#include "lang/LanguageText.h"
#include "win/ThisModule.h"

namespace {

bool IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

bool EndsWithLng(const std::string& name)
{
    // "*.lng" also matches longer extensions through their short names.
    return name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".lng") == 0;
}

std::string WithBackslash(const std::string& folder)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder;
    return folder + "\\";
}

std::string ExecutableFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    const std::string file(path, length);
    const size_t slash = file.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

}  // namespace

void CLanguage::Load(const std::string& productTitle, int minimumVersion, bool ownFolder)
{
    LoadFolder(productTitle, minimumVersion, ownFolder ? ThisModuleFolder() : ExecutableFolder());
}

void CLanguage::LoadFolder(const std::string& productTitle, int minimumVersion, const std::string& folder)
{
    if (productTitle.empty())
        return;
    m_productTitle = productTitle;
    m_minimumVersion = minimumVersion;
    m_names.clear();
    m_paths.clear();
    // An unknown folder must not turn into the current directory.
    if (folder.empty())
        return;
    ScanFolder(WithBackslash(folder));
    ScanFolder(WithBackslash(folder) + "langs\\");
}

void CLanguage::ScanFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !EndsWithLng(found.cFileName))
            continue;
        const CIniFile file(folder + found.cFileName);
        if (lstrcmpiA(file.GetString("Info", "program", "").c_str(), m_productTitle.c_str()) != 0)
            continue;
        if (file.GetInt("Info", "version", 0) < m_minimumVersion)
            continue;
        m_paths.push_back(file.Path());
        m_names.push_back(file.GetString("Info", "name", ""));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool CLanguage::HasCurrent() const
{
    return m_current >= 0 && m_current < static_cast<int>(m_paths.size());
}

bool CLanguage::Select(const std::string& name)
{
    const int count = GetCount();
    int index = 0;
    while (index < count && m_names[index] != name)
        ++index;
    // A current index left past the end by a new Load counts as different,
    // so an unknown name still falls back to the first language.
    if (count == 0 || (index == m_current && HasCurrent()))
        return false;
    m_current = index == count ? 0 : index;
    return true;
}

int CLanguage::IndexOf(const std::string& name) const
{
    if (name.empty())
        return m_current;
    for (int i = 0; i < GetCount(); ++i)
        if (m_names[i] == name)
            return i;
    return -1;
}

std::string CLanguage::GetName(int index) const
{
    if (!HasCurrent())
        return std::string();
    if (index < 0)
        return m_names[m_current];
    return index < GetCount() ? m_names[index] : std::string();
}

int CLanguage::GetCount() const
{
    return static_cast<int>(m_names.size());
}

std::string CLanguage::CurrentPath() const
{
    return HasCurrent() ? m_paths[m_current] : std::string();
}

std::string CLanguage::Lookup(const std::string& section, const std::string& key, const std::string& def) const
{
    if (!HasCurrent())
        return def;
    const CIniFile file(m_paths[m_current]);
    std::string value = file.GetString(section, key, "");
    if (value.empty())
        return def;
    std::string refSection, refKey;
    if (ParseReference(value, refSection, refKey, IsLeadByte)) {
        value = file.GetString(refSection, refKey, "");
        if (value.empty())
            return def;
    }
    return ReplaceEscapes(value, IsLeadByte);
}

std::string CLanguage::LookupId(const std::string& section, int id, const std::string& def) const
{
    return Lookup(section, std::to_string(id), def);
}
