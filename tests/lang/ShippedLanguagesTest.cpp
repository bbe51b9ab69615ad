// The language files we ship, read through CLanguage exactly as the plug-in
// reads them: every key the program asks for is present and not empty in
// every file, the English file holds the built-in texts, and no file carries
// a key the program would never ask for (a typo in an id).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "lang/Language.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageText.h"

namespace {

// The repository's langs/ folder; Wine shows the Unix root as drive Z:.
std::string ShippedFolder()
{
    std::string path = VEYDRA_LANGS_DIR;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The names in a double-null-terminated list from the profile functions.
std::vector<std::string> NullSeparated(const std::vector<char>& buffer, DWORD length)
{
    std::vector<std::string> names;
    for (DWORD i = 0; i < length;) {
        const std::string name(&buffer[i]);
        if (name.empty())
            break;
        names.push_back(name);
        i += static_cast<DWORD>(name.size()) + 1;
    }
    return names;
}

std::vector<std::string> SectionsOf(const std::string& path)
{
    std::vector<char> buffer(65536);
    const DWORD length =
        GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    return NullSeparated(buffer, length);
}

std::vector<std::string> KeysOf(const std::string& path, const std::string& section)
{
    std::vector<char> buffer(65536);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return NullSeparated(buffer, length);
}

class ShippedLanguages : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_language.LoadFolder(kLanguageProductTitle, 0, ShippedFolder());
        m_language.Select("English");
    }
    CLanguage m_language;
};

TEST_F(ShippedLanguages, FourLanguagesAreFound)
{
    std::set<std::string> names;
    for (int i = 0; i < m_language.GetCount(); ++i)
        names.insert(m_language.GetName(i));
    EXPECT_EQ(names, (std::set<std::string>{"English", "Deutsch", "Fran\xE7" "ais", "Espa\xF1" "ol"}))
        << "folder " << ShippedFolder();
}

TEST_F(ShippedLanguages, EveryFileHasEveryKey)
{
    ASSERT_GT(m_language.GetCount(), 0);
    for (int i = 0; i < m_language.GetCount(); ++i) {
        const std::string name = m_language.GetName(i);
        ASSERT_TRUE(m_language.Select(name) || m_language.IndexOf("") == i);
        const CIniFile file(m_language.CurrentPath());
        EXPECT_EQ(file.GetInt("Info", "version", 0), 1) << name;
        for (size_t k = 0; k < kLanguageKeyCount; ++k) {
            const LanguageKey& key = kLanguageKeys[k];
            const std::string where = name + " [" + key.section + "] " + key.key;
            if (key.isList) {
                std::vector<std::string> items;
                file.GetList(key.section, key.key, items);
                const std::vector<std::string> english = SplitList(key.english);
                EXPECT_EQ(items.size(), english.size()) << where;
                for (const std::string& item : items)
                    EXPECT_FALSE(item.empty()) << where;
                continue;
            }
            const std::string text = m_language.Lookup(key.section, key.key, "");
            EXPECT_FALSE(text.empty()) << where;
            if (name == "English") {
                EXPECT_EQ(text, key.english) << where;
            }
        }
    }
}

TEST_F(ShippedLanguages, NoFileHasKeysTheProgramNeverAsksFor)
{
    for (int i = 0; i < m_language.GetCount(); ++i) {
        m_language.Select(m_language.GetName(i));
        const std::string path = m_language.CurrentPath();
        for (const std::string& section : SectionsOf(path)) {
            for (const std::string& key : KeysOf(path, section)) {
                const bool known = section == "Info" ? (key == "program" || key == "version" || key == "name")
                                                     : LanguageDefault(section.c_str(), key.c_str()) != nullptr;
                EXPECT_TRUE(known) << path << " [" << section << "] " << key;
            }
        }
    }
}

}  // namespace
