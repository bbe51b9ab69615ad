// Finding, checking and selecting language files, and looking texts up, with
// real files read through the private-profile functions under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/Language.h"
#include "params/MemorySettingsStore.h"
#include "params/SettingValues.h"
#include "win/ThisModule.h"
#include "LanguageFiles.h"

namespace {

std::vector<std::string> Names(const CLanguage& language)
{
    std::vector<std::string> names;
    for (int i = 0; i < language.GetCount(); ++i)
        names.push_back(language.GetName(i));
    return names;
}

TEST(Language, NoFilesLeavesTheBuiltInTexts)
{
    CTempFolder folder;
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    EXPECT_EQ(language.GetCount(), 0);
    EXPECT_FALSE(language.Select("English"));
    EXPECT_EQ(language.IndexOf(""), -1);
    EXPECT_EQ(language.GetName(-1), "");
    EXPECT_EQ(language.Lookup("Msg", "ok", "OK"), "OK");
    EXPECT_EQ(language.LookupWindow("Main_dlg", GetDesktopWindow(), "x"), "x");

    // The menu keeps its one placeholder, checked; choosing it does nothing.
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kLanguageCommandFirst, "English");
    language.BuildLanguageMenu(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    CMemorySettingsStore store;
    EXPECT_FALSE(language.ChooseLanguage(kLanguageCommandFirst, store));
    EXPECT_FALSE(store.HasValue("", "Language"));
    DestroyMenu(menu);
}

TEST(Language, UnknownStoredNameSelectsTheFirstLanguage)
{
    CTempFolder folder;
    folder.Write("de.lng", LanguageInfo("Deutsch") + "[Msg]\r\nok=Jawohl\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    CMemorySettingsStore store;  // no "Language": English
    EXPECT_TRUE(language.Select(ReadLanguageSetting(store)));
    EXPECT_EQ(language.GetName(-1), "Deutsch");
    EXPECT_EQ(language.Lookup("Msg", "ok", "OK"), "Jawohl");
    EXPECT_EQ(language.Lookup("msg", "OK", "OK"), "Jawohl") << "sections and keys ignore case";
    EXPECT_EQ(language.Lookup("Msg", "missing", "Default"), "Default");
    EXPECT_FALSE(language.Select("Deutsch")) << "already current";
}

TEST(Language, FilesBesideTheModuleComeBeforeThoseInLangs)
{
    CTempFolder folder;
    folder.Write("langs\\b1.lng", LanguageInfo("In langs 1"));
    folder.Write("a.lng", LanguageInfo("Beside"));
    folder.Write("langs\\b2.lng", LanguageInfo("In langs 2"));
    folder.Write("notes.txt", LanguageInfo("Not a language file"));
    folder.Write("old.lngx", LanguageInfo("Wrong extension"));
    CreateDirectoryA((folder.Path() + "dir.lng").c_str(), nullptr);
    CLanguage language;
    // Without the trailing backslash too.
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path().substr(0, folder.Path().size() - 1));
    language.Select("Beside");
    const std::vector<std::string> names = Names(language);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "Beside");
    EXPECT_TRUE((names[1] == "In langs 1" && names[2] == "In langs 2") ||
                (names[1] == "In langs 2" && names[2] == "In langs 1"));
    EXPECT_EQ(language.CurrentPath(), folder.Path() + "a.lng");
}

TEST(Language, ProductAndVersionDecideWhichFilesCount)
{
    CTempFolder folder;
    folder.Write("case.lng", "[INFO]\r\nPROGRAM=tEVRA vEYDRA\r\nname=Other case\r\nversion=1\r\n");
    folder.Write("minus.lng", LanguageInfo("Version minus one", "-1"));
    folder.Write("none.lng", LanguageInfo("No version", ""));
    folder.Write("hex.lng", LanguageInfo("Hex version", "0x10"));
    folder.Write("other.lng", "[Info]\r\nprogram=Tevra Other\r\nname=Other product\r\n");
    folder.Write("noinfo.lng", "[Msg]\r\nok=Ja\r\n");
    folder.Write("unnamed.lng", "[Info]\r\nprogram=Tevra Veydra\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    language.Select("No version");
    std::vector<std::string> names = Names(language);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "Hex version", "No version", "Other case"}));

    language.LoadFolder(kLanguageProductTitle, 2, folder.Path());
    language.Select("");
    EXPECT_EQ(Names(language), std::vector<std::string>{"Hex version"}) << "16 is at least 2";

    // An empty title changes nothing.
    language.LoadFolder("", 0, folder.Path());
    EXPECT_EQ(language.GetCount(), 1);
}

TEST(Language, EscapesAndReferencesInAFile)
{
    CTempFolder folder;
    folder.Write("x.lng", LanguageInfo("X") +
                              "[Msg]\r\nok=Okay\r\nlines=two\\nwords\r\ntab=a\\tb\r\nkept=a\\\\tb\r\n"
                              "chain=[Msg]/lines\r\nrefref=[Msg]/chain\r\nempty=\r\n"
                              "[Main_dlg]\r\n1=[Msg]/ok\r\n2=[Msg]/missing\r\n3=[Nowhere]/ok\r\n4=[Msg]/empty\r\n"
                              "quoted=  \"  padded  \"  \r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    ASSERT_TRUE(language.Select("X"));
    EXPECT_EQ(language.Lookup("Msg", "lines", ""), "two\rwords");
    EXPECT_EQ(language.Lookup("Msg", "tab", ""), "a\tb");
    EXPECT_EQ(language.Lookup("Msg", "kept", ""), "a\\\\tb");
    EXPECT_EQ(language.LookupId("Main_dlg", 1, "OK"), "Okay");
    EXPECT_EQ(language.LookupId("Main_dlg", 2, "Cancel"), "Cancel") << "missing target: the default";
    EXPECT_EQ(language.LookupId("Main_dlg", 3, "Presets"), "Presets");
    EXPECT_EQ(language.LookupId("Main_dlg", 4, "Menu"), "Menu") << "empty target: the default";
    EXPECT_EQ(language.Lookup("Msg", "chain", ""), "two\rwords") << "the target's escapes count";
    EXPECT_EQ(language.Lookup("Msg", "refref", ""), "[Msg]/lines") << "one level only";
    EXPECT_EQ(language.Lookup("Main_dlg", "quoted", ""), "  padded  ") << "blanks and one pair of quotes go";
}

TEST(Language, SameNameTwiceListsBothAndChoosesTheFirst)
{
    CTempFolder folder;
    folder.Write("one.lng", LanguageInfo("Twin") + "[Msg]\r\nok=first\r\n");
    folder.Write("langs\\two.lng", LanguageInfo("Twin") + "[Msg]\r\nok=second\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    language.Select("Twin");
    EXPECT_EQ(Names(language), (std::vector<std::string>{"Twin", "Twin"}));

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kLanguageCommandFirst, "English");
    language.BuildLanguageMenu(menu);
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    DestroyMenu(menu);

    CMemorySettingsStore store;
    EXPECT_TRUE(language.ChooseLanguage(kLanguageCommandFirst + 1, store));
    EXPECT_EQ(language.IndexOf(""), 0);
    EXPECT_EQ(language.Lookup("Msg", "ok", ""), "first");
    EXPECT_EQ(ReadLanguageSetting(store), "Twin");
}

TEST(Language, MenuListsLanguagesChecksTheCurrentOneAndStoresTheChoice)
{
    CTempFolder folder;
    folder.Write("a.lng", LanguageInfo("Deutsch"));
    folder.Write("langs\\b.lng", LanguageInfo("Fran\xE7" "ais"));
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    language.Select("Fran\xE7" "ais");

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kLanguageCommandFirst, "English");
    language.BuildLanguageMenu(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    char text[64];
    GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Deutsch") << "the placeholder is gone";
    GetMenuStringA(menu, 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Fran\xE7" "ais");
    EXPECT_EQ(GetMenuItemID(menu, 0), kLanguageCommandFirst);
    EXPECT_EQ(GetMenuItemID(menu, 1), kLanguageCommandFirst + 1);
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    DestroyMenu(menu);

    CMemorySettingsStore store;
    EXPECT_TRUE(language.ChooseLanguage(kLanguageCommandFirst, store));
    EXPECT_EQ(language.GetName(-1), "Deutsch");
    EXPECT_EQ(ReadLanguageSetting(store), "Deutsch");
    EXPECT_FALSE(language.ChooseLanguage(kLanguageCommandFirst + 2, store)) << "no third language";
    EXPECT_FALSE(language.ChooseLanguage(32801, store));
}

TEST(Language, MenuListsOnlyTheFirst26Languages)
{
    CTempFolder folder;
    for (int i = 0; i < 28; ++i)
        folder.Write("l" + std::to_string(i) + ".lng", LanguageInfo("L" + std::to_string(i)));
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    language.Select("");
    ASSERT_EQ(language.GetCount(), 28);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kLanguageCommandFirst, "English");
    language.BuildLanguageMenu(menu);
    EXPECT_EQ(GetMenuItemCount(menu), 26);
    EXPECT_EQ(GetMenuItemID(menu, 25), 32800u);
    DestroyMenu(menu);
    CMemorySettingsStore store;
    EXPECT_TRUE(language.ChooseLanguage(32800, store));
    EXPECT_EQ(language.IndexOf(""), 25);
    EXPECT_FALSE(language.ChooseLanguage(32801, store)) << "the 27th would collide with the style command";
}

TEST(Language, ReloadWithFewerFilesStillFallsBackToTheFirst)
{
    CTempFolder folder;
    folder.Write("a.lng", LanguageInfo("A"));
    folder.Write("langs\\b.lng", LanguageInfo("B"));
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    ASSERT_TRUE(language.Select("B"));
    ASSERT_EQ(language.IndexOf(""), 1);

    DeleteFileA((folder.Path() + "langs\\b.lng").c_str());
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    EXPECT_EQ(language.Lookup("Msg", "ok", "OK"), "OK") << "the old index points past the list";
    EXPECT_TRUE(language.Select("B"));
    EXPECT_EQ(language.GetName(-1), "A");
}

TEST(Language, MalformedFilesAreIgnoredOrCut)
{
    CTempFolder folder;
    std::string junk;
    unsigned int seed = 12345;
    for (int i = 0; i < 65536; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += static_cast<char>(seed >> 24);
    }
    folder.Write("junk.lng", junk);
    folder.Write("junkinfo.lng", LanguageInfo("Junk tail") + junk);
    folder.Write("noinfo.lng", "[Msg]\r\nok=Ja\r\n");
    folder.Write("empty.lng", "");
    const std::string longLine(1 << 20, 'L');
    const std::string longValue(5000, 'v');
    folder.Write("long.lng", LanguageInfo("Long") + "[Msg]\r\nline=" + longLine + "\r\nvalue=" + longValue +
                                 "\r\nafter=still read\r\n" + longLine + "\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    ASSERT_TRUE(language.Select("Long"));
    EXPECT_EQ(language.Lookup("Msg", "value", ""), std::string(2047, 'v'));
    EXPECT_EQ(language.Lookup("Msg", "line", ""), std::string(2047, 'L'));
    EXPECT_EQ(language.Lookup("Msg", "after", ""), "still read");
    for (const char* name : {"Junk tail", "Long"})
        EXPECT_NE(language.IndexOf(name), -1) << name;
    EXPECT_EQ(language.GetCount(), 2);
    ASSERT_TRUE(language.Select("Junk tail"));
    EXPECT_EQ(language.Lookup("Msg", "ok", "OK"), "OK");
}

TEST(Language, AppLanguageComesFromTheModuleFolderAndTheStore)
{
    // A file beside the test executable, which is "the module" here.
    const std::string path = ThisModuleFolder() + "veydra-test-" + std::to_string(GetCurrentProcessId()) + ".lng";
    {
        std::ofstream out(path, std::ios::binary);
        out << LanguageInfo("Module Folder Test") << "[Msg]\r\nok=Module OK\r\n";
    }
    CLanguage language;
    CMemorySettingsStore store;
    WriteLanguageSetting(store, "Module Folder Test");
    LoadAppLanguage(language, store);
    EXPECT_EQ(language.GetName(-1), "Module Folder Test");
    EXPECT_EQ(language.Lookup("Msg", "ok", "OK"), "Module OK");
    DeleteFileA(path.c_str());
}

}  // namespace
