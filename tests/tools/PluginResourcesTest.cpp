// veydra-host's reading of registration and terminology resources: the
// layout rules it must follow, and files it must refuse without reading past
// their end.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PluginResources.h"
#include "host/HostRecords.h"

namespace {

struct Bytes {
    std::vector<uint8_t> data;
    Bytes& U16(uint16_t v) { return Raw({uint8_t(v), uint8_t(v >> 8)}); }
    Bytes& U32(uint32_t v) { return Raw({uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); }
    Bytes& Text(const std::string& s) { return Raw(std::vector<uint8_t>(s.begin(), s.end())); }
    Bytes& Raw(const std::vector<uint8_t>& b)
    {
        data.insert(data.end(), b.begin(), b.end());
        return *this;
    }
    Bytes& Property(const char (&key)[5], int32_t length, const std::vector<uint8_t>& payload)
    {
        U32(FourCC("8BIM")).U32(FourCC(key)).U32(0).U32(uint32_t(length));
        return Raw(payload);
    }
};

TEST(ParsePipl, NextPropertyStartsAtTheRoundedLength)
{
    // A 5-byte property padded to 8, then a 4-byte one.
    Bytes b;
    b.U16(1).U32(0).U32(2);
    b.Property("catg", 5, {4, 'T', 'e', 's', 't', 0, 0, 0});
    b.Property("vers", 4, {1, 0, 1, 0});
    PiplInfo pipl;
    std::string error;
    ASSERT_TRUE(ParsePipl(b.data, pipl, error)) << error;
    ASSERT_EQ(pipl.properties.size(), 2u);
    EXPECT_EQ(DescribeProperty(pipl.properties[0]), "\"Test\"");
    EXPECT_EQ(DescribeProperty(*pipl.Find(FourCC("vers"))), "1.1");
}

// Properties of length 0 are legal; their report is empty text.
TEST(ParsePipl, EmptyPropertiesDescribeAsEmpty)
{
    Bytes b;
    b.U16(1).U32(0).U32(3).Property("kind", 0, {}).Property("name", 0, {}).Property("wx86", 0, {});
    PiplInfo pipl;
    std::string error;
    ASSERT_TRUE(ParsePipl(b.data, pipl, error)) << error;
    EXPECT_EQ(DescribeProperty(pipl.properties[0]), "");
    EXPECT_EQ(DescribeProperty(pipl.properties[1]), "(bad string) ");
    EXPECT_EQ(DescribeProperty(pipl.properties[2]), "\"\"");
    EXPECT_EQ(CStringOf(pipl.properties[2]), "");
}

TEST(ParsePipl, RefusesResourcesThatEndEarlyOrLie)
{
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"header cut short", Bytes().U16(1).U32(0)},
        {"more properties than there are", Bytes().U16(1).U32(0).U32(2).Property("vers", 4, {1, 0, 1, 0})},
        {"a length past the end", Bytes().U16(1).U32(0).U32(1).Property("name", 40, {3, 'a', 'b', 'c'})},
        {"a negative length", Bytes().U16(1).U32(0).U32(1).Property("name", -4, {})},
        {"an absurd count", Bytes().U16(1).U32(0).U32(0x7FFFFFFF)},
    };
    for (const auto& c : cases) {
        PiplInfo pipl;
        std::string error;
        EXPECT_FALSE(ParsePipl(c.bytes.data, pipl, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(ParseAete, AcceptsOneSuiteWithOneEventAndRefusesTruncation)
{
    Bytes b;
    b.U16(1).Raw({1, 0}).U16(0).U16(0).U16(1);
    b.Raw({3}).Text("Sui").Raw({0}).U32(FourCC("kzW2")).U16(1).U16(1).U16(1);
    b.Raw({2}).Text("Ev").Raw({0}).U32(FourCC("kzW2")).U32(FourCC("pqXn"));
    b.U32(FourCC("null")).Raw({0}).U16(0).U32(FourCC("#ImR")).Raw({0}).U16(0xB000);
    b.U16(1).Raw({4}).Text("Blur").U32(FourCC("bluR")).U32(FourCC("long")).Raw({0}).U16(0);
    b.U16(0).U16(0).U16(0);
    AeteInfo aete;
    std::string error;
    ASSERT_TRUE(ParseAete(b.data, aete, error)) << error;
    EXPECT_EQ(aete.bytesRead, b.data.size());
    ASSERT_EQ(aete.parameters.size(), 1u);
    EXPECT_EQ(aete.parameters[0].name, "Blur");
    EXPECT_EQ(aete.directFlags, 0xB000);

    for (size_t cut = 0; cut < b.data.size(); cut += 7) {
        const std::vector<uint8_t> shorter(b.data.begin(), b.data.begin() + cut);
        AeteInfo partial;
        EXPECT_FALSE(ParseAete(shorter, partial, error)) << cut;
    }
}

}  // namespace
