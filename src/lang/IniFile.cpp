#include <utility>

#include "lang/Language.h"
#include "lang/LanguageText.h"

namespace {

// What the private-profile functions give: a value loses its surrounding
// blanks and one pair of quotation marks, and counts up to 2047 characters.
const DWORD kValueBufferSize = 2048;

}  // namespace

CIniFile::CIniFile(std::string path) : m_path(std::move(path)) {}

std::string CIniFile::GetString(const std::string& section, const std::string& key, const std::string& def) const
{
    // Without a path the platform would read win.ini instead.
    if (m_path.empty())
        return def;
    char buffer[kValueBufferSize];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                                  kValueBufferSize, m_path.c_str());
    return std::string(buffer, length < kValueBufferSize ? length : kValueBufferSize - 1);
}

int CIniFile::GetInt(const std::string& section, const std::string& key, int def) const
{
    return ParseIniInt(GetString(section, key, std::to_string(def)));
}

void CIniFile::GetList(const std::string& section, const std::string& key, std::vector<std::string>& items) const
{
    items = SplitList(GetString(section, key, ""));
}
