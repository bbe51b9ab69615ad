// The text rules of language files: escapes, references, lists, numbers.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "lang/LanguageKeys.h"
#include "lang/LanguageText.h"

namespace {

TEST(LanguageText, Escapes)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"two\\nwords", "two\rwords"},        // a carriage return, not a line feed
        {"a\\tb", "a\tb"},
        {"a\\\\tb", "a\\\\tb"},              // two backslashes and t stay as they are
        {"a\\\\\\tb", "a\\\\\tb"},           // the pair is skipped, the next escape still counts
        {"\\n\\n", "\r\r"},
        {"end\\", "end\\"},                  // a lone backslash at the end stays
        {"\\x\\n", "\\x\r"},
        {"\\", "\\"},
        {"", ""},
        {"no escapes", "no escapes"},
        {"\\N\\T", "\\N\\T"},                // only the lower-case letters
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceEscapes(c.in), c.out) << c.in;
}

bool TestLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0x9F;  // a Shift-JIS-like lead range
}

TEST(LanguageText, TwoByteCharactersAreSkippedWhole)
{
    // 0x95 0x5C is one character whose second byte looks like a backslash.
    const std::string text = "\x95\x5Cn\\n";
    EXPECT_EQ(ReplaceEscapes(text, TestLeadByte), "\x95\x5Cn\r");
    EXPECT_EQ(ReplaceEscapes(text), "\x95\r\r") << "without the code page the byte is a backslash";

    std::string section, key;
    EXPECT_FALSE(ParseReference("[\x95]/", section, key, TestLeadByte));
    EXPECT_TRUE(ParseReference("[\x95\x81]/k", section, key, TestLeadByte));
    EXPECT_EQ(section, "\x95\x81");
}

TEST(LanguageText, References)
{
    struct Case {
        const char* in;
        bool isReference;
        const char* section;
        const char* key;
    } cases[] = {
        {"[Msg]/ok", true, "Msg", "ok"},
        {"[Msg]/", true, "Msg", ""},
        {"[]/ok", true, "", "ok"},
        {"[A]/b]/c", true, "A", "b]/c"},  // the first "]/" splits
        {"[Msg] /ok", false, "", ""},
        {" [Msg]/ok", false, "", ""},     // must start with the bracket
        {"Msg]/ok", false, "", ""},
        {"[Msg]", false, "", ""},
        {"[", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        std::string section, key;
        ASSERT_EQ(ParseReference(c.in, section, key), c.isReference) << c.in;
        if (c.isReference) {
            EXPECT_EQ(section, c.section) << c.in;
            EXPECT_EQ(key, c.key) << c.in;
        }
    }
}

TEST(LanguageText, Lists)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitList(""), V{});
    EXPECT_EQ(SplitList("one"), V{"one"});
    EXPECT_EQ(SplitList("one,,two"), (V{"one", "", "two"}));
    EXPECT_EQ(SplitList(" a , b"), (V{" a ", " b"}));
    EXPECT_EQ(SplitList(","), (V{"", ""}));
    EXPECT_EQ(SplitList("a,"), (V{"a", ""}));
    EXPECT_EQ(SplitList("\\n,[Msg]/ok"), (V{"\\n", "[Msg]/ok"})) << "no escapes or references in lists";
}

TEST(LanguageText, Numbers)
{
    struct Case {
        const char* in;
        int out;
    } cases[] = {
        {"1", 1},       {"-1", -1},         {"0x10", 16},    {"0X1f", 31},         {"010", 8},
        {"08", 0},      {"  7", 7},         {"+3", 3},       {"12abc", 12},        {"abc", 0},
        {"", 0},        {"0x", 0},          {"- 1", 0},      {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},  {"2147483647", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIniInt(c.in), c.out) << c.in;
}

TEST(LanguageKeys, EveryKeyIsListedOnceWithAText)
{
    std::set<std::string> seen;
    for (size_t i = 0; i < kLanguageKeyCount; ++i) {
        const LanguageKey& k = kLanguageKeys[i];
        EXPECT_TRUE(seen.insert(std::string(k.section) + "/" + k.key).second) << k.section << "/" << k.key;
        EXPECT_STRNE(k.english, "") << k.section << "/" << k.key;
        EXPECT_EQ(LanguageDefault(k.section, k.key), k.english);
    }
    EXPECT_STREQ(LanguageDefault("Msg", "err_empty"), "Sorry, the selected area is empty!");
    EXPECT_STREQ(LanguageDefault("About", "0"), "About");
    EXPECT_EQ(LanguageDefault("Msg", "nothing"), nullptr);
}

}  // namespace
