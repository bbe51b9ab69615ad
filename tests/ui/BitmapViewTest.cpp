// The picture view: decoding the logo resource and other pictures through
// the system's loader, the report of a picture that does not decode,
// drawing, palettes, and who owns which bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "UiTestIds.h"
#include "resources/DialogResources.h"
#include "support/GuiCounters.h"
#include "support/UiTestSupport.h"
#include "ui/controls/BitmapView.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"
#include "win/ThisModule.h"

namespace {

struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

ResourceBytes LogoResource()
{
    HRSRC found = ::FindResourceA(ThisModule(), MAKEINTRESOURCEA(IDR_VEYDRA_LOGO), "LOGO");
    ResourceBytes bytes;
    if (found == nullptr)
        return bytes;
    bytes.data = static_cast<const uint8_t*>(::LockResource(::LoadResource(ThisModule(), found)));
    bytes.size = ::SizeofResource(ThisModule(), found);
    return bytes;
}

template <class T>
T Read(const uint8_t* p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

// A DIB section of `bits` bits per pixel with `colours` colour-table entries
// (0: as many as the depth implies).
HBITMAP MakeDib(int width, int height, WORD bits, DWORD colours, const std::vector<RGBQUAD>& table)
{
    std::vector<uint8_t> memory(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    BITMAPINFO* info = reinterpret_cast<BITMAPINFO*>(memory.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = -height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = bits;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = colours;
    for (size_t i = 0; i < table.size(); ++i)
        info->bmiColors[i] = table[i];
    void* pixels = nullptr;
    return ::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &pixels, nullptr, 0);
}

void Draw(const CBitmapView& view, CDib& into, int width, int height, BOOL* drawn = nullptr)
{
    into.Create(width, height);
    into.Fill(0xFF010203);
    HDC dc = into.GetDC();
    const BOOL result = view.DrawBitmap(dc, 0, 0, width, height);
    ::GdiFlush();
    into.ReleaseDC();
    if (drawn != nullptr)
        *drawn = result;
}

TEST(BitmapView, TheLogoDecodesToItsOwnPixels)
{
    const ResourceBytes logo = LogoResource();
    ASSERT_NE(logo.data, nullptr);
    // The resource is a 600 x 380 24-bit Windows bitmap file.
    ASSERT_GT(logo.size, 54u);
    EXPECT_EQ(logo.data[0], 'B');
    EXPECT_EQ(logo.data[1], 'M');
    const int32_t width = Read<int32_t>(logo.data + 18);
    const int32_t height = Read<int32_t>(logo.data + 22);
    ASSERT_EQ(width, 600);
    ASSERT_EQ(height, 380);
    ASSERT_EQ(Read<uint16_t>(logo.data + 28), 24);
    const uint32_t offset = Read<uint32_t>(logo.data + 10);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    ASSERT_GE(logo.size, offset + stride * static_cast<size_t>(height));

    CBitmapView view;
    ASSERT_TRUE(view.LoadFromResource(IDR_VEYDRA_LOGO, "LOGO"));
    EXPECT_EQ(view.GetBitmapWidth(), 600);
    EXPECT_EQ(view.GetBitmapHeight(), 380);
    DIBSECTION section{};
    EXPECT_EQ(::GetObjectA(view.GetBitmap(), sizeof section, &section), static_cast<int>(sizeof section))
        << "the view keeps a DIB section";

    CDib drawn;
    BOOL ok = FALSE;
    Draw(view, drawn, 600, 380, &ok);
    EXPECT_TRUE(ok);
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = logo.data + offset + stride * static_cast<size_t>(height - 1 - y);  // bottom-up
        for (int x = 0; x < width; ++x)
            mismatches += PixelColor(drawn, x, y) != RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]) ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(BitmapView, APictureThatDoesNotDecodeIsReportedAndLeavesNoBitmap)
{
    CTestSettingsRoot settings;
    CBitmapView view;
    ASSERT_TRUE(view.LoadFromResource(IDR_VEYDRA_LOGO, "LOGO"));
    const std::string junk = "This is not a picture at all, just some text.";
    {
        CModalCloser closer(nullptr, IDOK);
        EXPECT_FALSE(view.LoadPicture(junk.data(), junk.size()));
        EXPECT_EQ(closer.count, 1);
        EXPECT_EQ(closer.text, "Image load error");
        EXPECT_EQ(closer.caption, "Error");
    }
    EXPECT_EQ(view.GetBitmap(), nullptr);
    EXPECT_EQ(view.GetBitmapWidth(), 0);
    CDib drawn;
    BOOL ok = TRUE;
    Draw(view, drawn, 8, 8, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(drawn.Row(4)[4], 0xFF010203u);  // nothing drawn

    // A resource that is not there is reported the same way.
    CModalCloser closer(nullptr, IDOK);
    EXPECT_FALSE(view.LoadFromResource(4711, "LOGO"));
    EXPECT_EQ(closer.count, 1);
}

TEST(BitmapView, IconsAreDrawnOntoWhite)
{
    std::ifstream file(VEYDRA_TEST_ICON, std::ios::binary);
    const std::vector<char> icon((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(icon.empty()) << VEYDRA_TEST_ICON;
    CBitmapView view;
    ASSERT_TRUE(view.LoadPicture(icon.data(), icon.size()));
    EXPECT_EQ(view.GetBitmapWidth(), 38);
    EXPECT_EQ(view.GetBitmapHeight(), 38);
    CDib drawn;
    Draw(view, drawn, 38, 38);
    EXPECT_EQ(PixelColor(drawn, 0, 0), RGB(255, 255, 255));  // the icon's transparent corner
    int coloured = 0;
    for (int y = 0; y < 38; ++y)
        for (int x = 0; x < 38; ++x)
            coloured += PixelColor(drawn, x, y) != RGB(255, 255, 255) ? 1 : 0;
    EXPECT_GT(coloured, 300);  // the warning triangle
}

TEST(BitmapView, OnlyDibSectionsAreDrawn)
{
    CBitmapView view;
    CDib drawn;
    BOOL ok = TRUE;
    Draw(view, drawn, 4, 4, &ok);
    EXPECT_FALSE(ok);

    HDC screen = ::GetDC(nullptr);
    HBITMAP deviceBitmap = ::CreateCompatibleBitmap(screen, 4, 4);
    ::ReleaseDC(nullptr, screen);
    view.SetBitmap(deviceBitmap, 4, 4);
    Draw(view, drawn, 4, 4, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(drawn.Row(1)[1], 0xFF010203u);
}

TEST(BitmapView, TheViewDeletesOnlyTheBitmapsItOwns)
{
    CBitmapView view;
    HBITMAP owned = MakeDib(4, 4, 32, 0, {});
    HBITMAP lent = MakeDib(4, 4, 32, 0, {});
    BITMAP info;
    view.SetBitmap(owned, 4, 4);
    view.ShowBitmap(lent, 4, 4);
    EXPECT_EQ(::GetObjectA(owned, sizeof info, &info), 0) << "replaced: deleted";
    view.SetBitmap(MakeDib(2, 2, 32, 0, {}), 2, 2);
    EXPECT_NE(::GetObjectA(lent, sizeof info, &info), 0) << "lent: still there";
    ::DeleteObject(lent);
}

TEST(BitmapView, PaletteFromTheColourTable)
{
    const std::vector<RGBQUAD> table = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}, {200, 210, 220, 0}};
    struct Case {
        WORD bits;
        DWORD used;
        int entries;  // 0: no palette of its own
    };
    const Case cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {24, 0, 0}, {32, 0, 0}};
    for (const Case& c : cases) {
        HBITMAP bitmap = MakeDib(4, 4, c.bits, c.used, table);
        ASSERT_NE(bitmap, nullptr) << c.bits;
        HPALETTE palette = CreateBitmapPalette(bitmap);
        if (c.entries == 0) {
            EXPECT_EQ(palette, nullptr) << c.bits;
        } else {
            ASSERT_NE(palette, nullptr) << c.bits;
            WORD count = 0;
            ::GetObjectA(palette, sizeof count, &count);
            EXPECT_EQ(count, c.entries) << c.bits;
            PALETTEENTRY entries[4];
            const int compared = c.entries < 4 ? c.entries : 4;
            ::GetPaletteEntries(palette, 0, static_cast<UINT>(compared), entries);
            for (int i = 0; i < compared; ++i) {
                // Red and blue go to their palette places.
                EXPECT_EQ(entries[i].peRed, table[i].rgbRed) << c.bits << " " << i;
                EXPECT_EQ(entries[i].peGreen, table[i].rgbGreen);
                EXPECT_EQ(entries[i].peBlue, table[i].rgbBlue);
                EXPECT_EQ(entries[i].peFlags, 0);
            }
            ::DeleteObject(palette);
        }
        ::DeleteObject(bitmap);
    }
}

class CViewHost : public CToolDlg {
public:
    CViewHost() : CToolDlg(IDD_TEST_CONTROLS, nullptr) {}
    CBitmapView m_view;

protected:
    BOOL OnInitDialog() override
    {
        CToolDlg::OnInitDialog();
        EXPECT_TRUE(m_view.SubclassDlgItem(IDC_CTL_ICON, this));
        return TRUE;
    }
};

TEST(BitmapView, PaintsItsBackgroundAndTheBitmapStretchedOverIt)
{
    CTestSettingsRoot settings;
    CSkinState skin(nullptr);
    CViewHost host;
    ASSERT_TRUE(host.Create());
    HWND control = host.m_view.m_hWnd;
    ::SetWindowPos(control, nullptr, 0, 0, 40, 20, SWP_NOMOVE | SWP_NOZORDER);
    host.m_view.SetBackgroundColor(RGB(1, 2, 3));
    CDib shown;
    PrintClient(control, shown);
    EXPECT_EQ(PixelColor(shown, 20, 10), RGB(1, 2, 3));

    // Two pixels, left red and right blue, stretched over the 40 x 20 area.
    HBITMAP two = MakeDib(2, 1, 32, 0, {});
    DIBSECTION section{};
    ::GetObjectA(two, sizeof section, &section);
    uint32_t* pixels = static_cast<uint32_t*>(section.dsBm.bmBits);
    pixels[0] = 0x00FF0000;
    pixels[1] = 0x000000FF;
    host.m_view.SetBitmap(two, 2, 1);
    PrintClient(control, shown);
    EXPECT_EQ(PixelColor(shown, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelColor(shown, 35, 15), RGB(0, 0, 255));
    ::DestroyWindow(host.m_hWnd);
}

}  // namespace
