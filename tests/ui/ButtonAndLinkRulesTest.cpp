// Colour rules of the buttons, texts and command lines of the link, and the
// framework's checked array.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/controls/ButtonColors.h"
#include "ui/controls/LinkText.h"
#include "ui/framework/Array.h"

namespace {

TEST(ButtonColors, TextIsWhiteOnlyOnADarkFace)
{
    EXPECT_EQ(ButtonTextColorFor(0x00404040), kWhite);  // 350 * 64 = 22400
    EXPECT_EQ(ButtonTextColorFor(0x00400090), kBlack);  // 350 * 144 = 50400
    EXPECT_EQ(ButtonTextColorFor(0x00FA0000), kBlack);  // 200 * 250 = 50000 is not below
    EXPECT_EQ(ButtonTextColorFor(0x00F90000), kWhite);
    EXPECT_EQ(ButtonTextColorFor(0x00006F00), kWhite);  // 450 * 111 = 49950
    EXPECT_EQ(ButtonTextColorFor(0x00007000), kBlack);
}

TEST(ButtonColors, FadeStepsBetweenFaceAndHover)
{
    const uint32_t face = 0x00102030, hover = 0x00607080;
    EXPECT_EQ(ButtonFadeColor(face, hover, 0), face);
    EXPECT_EQ(ButtonFadeColor(face, hover, 5), hover);
    // (3F + 2H) / 5 per channel: red (3*48 + 2*128)/5 = 80, green 64, blue 48.
    EXPECT_EQ(ButtonFadeColor(face, hover, 2), 0x00304050u);
    EXPECT_EQ(ButtonFadeColor(0x00000001, 0x00000003, 1), 0x00000001u);  // (4 + 3) / 5
}

TEST(LinkText, ErrorMessages)
{
    EXPECT_EQ(LinkErrorMessage(31),
              "Can't open link:\n\nThere is no application associated\nwith the given filename extension.");
    EXPECT_EQ(LinkErrorMessage(2), "Can't open link:\n\nThe specified file was not found.");
    EXPECT_EQ(LinkErrorMessage(26), "Can't open link:\n\nA sharing violation occurred. ");
    EXPECT_EQ(LinkErrorMessage(4), "Can't open link:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(LinkErrorMessage(-7), "Can't open link:\n\nUnknown Error (-7) occurred.");
}

TEST(LinkText, CommandLineIsCutAtThePlaceholder)
{
    const std::string url = "https://example.test/";
    EXPECT_EQ(BrowserCommandLine("\"C:\\web\\browser.exe\" -url \"%1\"", url),
              "\"C:\\web\\browser.exe\" -url  " + url);  // cut before the quote: two blanks
    EXPECT_EQ(BrowserCommandLine("browser.exe %1 -new", url), "browser.exe  " + url);
    EXPECT_EQ(BrowserCommandLine("browser.exe", url), "browser.exe " + url);
    EXPECT_EQ(BrowserCommandLine("b.exe %1 \"%1\"", url), "b.exe %1  " + url);  // the quoted one wins
}

TEST(CArray, BadIndexThrowsInvalidArgument)
{
    CArray<int> numbers;
    EXPECT_THROW(numbers[0], std::invalid_argument);
    numbers.Add(4);
    numbers.Add(7);
    EXPECT_EQ(numbers.GetSize(), 2);
    EXPECT_EQ(numbers.GetAt(1), 7);
    EXPECT_THROW(numbers.GetAt(2), std::invalid_argument);
    EXPECT_THROW(numbers[-1], std::invalid_argument);
    numbers.RemoveAll();
    EXPECT_EQ(numbers.GetSize(), 0);
}

}  // namespace
