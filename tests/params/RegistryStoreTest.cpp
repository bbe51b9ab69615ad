// The registry store under Wine, against the real registry of the test
// prefix. Every test works below a root of its own (process id and test
// name), so tests running in parallel never meet, and removes it afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "PresetStoreContract.h"

namespace {

const char* const kTestsKey = "Software\\Veydra Tests";

std::string ProcessKey()
{
    return std::string(kTestsKey) + "\\" + std::to_string(GetCurrentProcessId());
}

std::string UniqueRoot()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '_';
    return ProcessKey() + "\\" + name;
}

void DeleteTree(const std::string& path)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

// Removes a test's root, then the keys above it once they are empty (another
// test process may still be using its own).
void DeleteTestRoot(const std::string& root)
{
    DeleteTree(root);
    RegDeleteKeyA(HKEY_CURRENT_USER, ProcessKey().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestsKey);
}

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

struct RegistryFixture {
    static std::unique_ptr<ISettingsStore> Make() { return std::make_unique<CRegistryStore>(UniqueRoot()); }
    static void Discard() { DeleteTestRoot(UniqueRoot()); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Registry, PresetStoreContract, RegistryFixture);

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override { m_root = UniqueRoot(); }
    void TearDown() override { DeleteTestRoot(m_root); }

    // Writes a raw value the way another program (or a hand edit) might.
    void PutRaw(const std::string& section, const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        const std::string path = section.empty() ? m_root : m_root + "\\" + section;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    std::string m_root;
};

TEST_F(RegistryStore, NegativeValuesAreStoredAsTwosComplementDwords)
{
    CRegistryStore store(m_root);
    store.SetInt("P", "Angle X", -105);
    DWORD type = 0, value = 0, size = sizeof(value);
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, (m_root + "\\P").c_str(), "Angle X", RRF_RT_ANY, &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 0xFFFFFF97u);
    EXPECT_EQ(store.GetInt("P", "Angle X", 0), -105);
}

TEST_F(RegistryStore, ValuesOfTheWrongTypeOrSizeReadAsTheDefault)
{
    const char text[] = "70";
    const unsigned char two[2] = {0x10, 0x20};
    const unsigned char eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    const DWORD dword = 5;
    const unsigned char unterminated[3] = {'a', 'b', 'c'};
    PutRaw("", "Blur", REG_SZ, text, sizeof(text));
    PutRaw("", "Zoom", REG_BINARY, two, sizeof(two));
    PutRaw("", "Color", REG_QWORD, eight, sizeof(eight));
    PutRaw("", "Outside", REG_BINARY, &dword, sizeof(dword));  // right size, wrong type
    PutRaw("", "Language", REG_DWORD, &dword, sizeof(dword));
    PutRaw("", "Empty", REG_DWORD, nullptr, 0);
    PutRaw("", "Raw", REG_SZ, unterminated, sizeof(unterminated));
    PutRaw("", "Multi", REG_MULTI_SZ, "a\0b\0", 5);

    CRegistryStore store(m_root);
    const ShadowParams p = loadParameterSet(store, "");
    EXPECT_EQ(p, DefaultShadowParams());
    EXPECT_EQ(store.GetString("", "Language", "English"), "English");
    EXPECT_EQ(store.GetInt("", "Empty", 11), 11);
    EXPECT_EQ(store.GetString("", "Raw", ""), "abc") << "a string without its terminator still reads whole";
    EXPECT_EQ(store.GetString("", "Multi", "d"), "d");

    const std::string big(100000, 'x');
    PutRaw("", "Big", REG_SZ, big.c_str(), static_cast<DWORD>(big.size() + 1));
    EXPECT_EQ(store.GetString("", "Big", ""), big);
    EXPECT_EQ(store.GetInt("", "Big", -3), -3);
}

TEST_F(RegistryStore, SubkeyMadeByAnythingElseIsAPreset)
{
    CRegistryStore store(m_root);
    EXPECT_TRUE(enumeratePresets(store).empty()) << "no root yet";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (m_root + "\\From Elsewhere").c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(enumeratePresets(store), std::vector<std::string>{"From Elsewhere"});
    EXPECT_EQ(loadParameterSet(store, "From Elsewhere"), DefaultShadowParams());

    // A preset that also holds a value of its own is still deleted whole.
    const DWORD one = 1;
    PutRaw("From Elsewhere", "Note", REG_DWORD, &one, sizeof(one));
    deletePreset(store, "From Elsewhere");
    EXPECT_FALSE(KeyExists(m_root + "\\From Elsewhere"));
    EXPECT_TRUE(enumeratePresets(store).empty());
}

TEST_F(RegistryStore, ReadsCreateTheirKey)
{
    CRegistryStore store(m_root);
    EXPECT_FALSE(KeyExists(m_root));
    EXPECT_EQ(store.GetString("", "Language", "English"), "English");
    EXPECT_TRUE(KeyExists(m_root));
    EXPECT_EQ(store.GetInt("Some Preset", "Zoom", 100), 100);
    EXPECT_TRUE(KeyExists(m_root + "\\Some Preset"));
}

TEST_F(RegistryStore, AppSettingsFollowsTheCompany)
{
    const std::string company = "Veydra Test " + std::to_string(GetCurrentProcessId());
    const std::string root = "Software\\" + company + "\\Veydra";
    SetSettingsCompany(company.c_str());
    AppSettings().SetInt("", "First start", 0);
    SetSettingsCompany(kSettingsCompany);

    CRegistryStore direct(root);
    EXPECT_EQ(direct.GetInt("", "First start", 1), 0);
    EXPECT_EQ(static_cast<CRegistryStore&>(AppSettings()).RootPath(), "Software\\Tevra Ltd\\Veydra");
    SetSettingsCompany(nullptr);
    EXPECT_EQ(static_cast<CRegistryStore&>(AppSettings()).RootPath(), "Software\\Tevra Ltd\\Veydra");
    DeleteTree("Software\\" + company);
    EXPECT_FALSE(KeyExists(root));
}

}  // namespace
