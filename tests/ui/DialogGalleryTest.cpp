// Pictures of the secondary dialogs in every interface style, the About box
// with its credits part-way up, and the preview showing the bundled sample
// with a shadow, saved under build/<tree>/screenshots/ for a person to
// judge:
//   dialogs-<style>.png   Save preset, Manage presets and the message
//                         dialog's button sets, side by side
//   message-stored-look.png  the run's refusal, before any main dialog,
//                         in a look read from the settings
//   about-<style>.png     the About box, credits mid-scroll
//   preview-sample.png    the preview control (900 x 560) in a frame
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "Fnv1a.h"
#include "PreviewFrame.h"
#include "UiTestIds.h"
#include "WicPng.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "params/SettingsStore.h"
#include "render/ShadowScene.h"
#include "resources/DialogResources.h"
#include "support/ModalScript.h"
#include "support/SkinLooks.h"
#include "support/UiTestSupport.h"
#include "ui/controls/PreviewBitmap.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/Credits.h"
#include "ui/dialogs/InputDlg.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/ManagePresetsDlg.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

namespace {

const SkinLook kLooks[] = {
    {"aqua", kStyleAqua, 0x00EAEAEA, 0x00FFD7AE},
    {"chrome", kStyleChrome, 0x00EAEAEA, 0x00FFD7AE},
    {"flat", kStyleFlat, 0x00EAEAEA, 0x00FFD7AE},
    {"chrome-slate-amber", kStyleChrome, kSlateWindow, kAmberControl},
};

// Shows a created dialog at (x, y), lets it paint, and copies it off the
// screen.
void Capture(CDialog& dialog, CDib& picture, int x, int y)
{
    ::SetWindowPos(dialog.m_hWnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    ASSERT_TRUE(CaptureWindow(dialog.m_hWnd, picture));
}

// The picture's size and colours (a screen copy's alpha byte means nothing).
uint64_t PictureDigest(const CDib& picture)
{
    Fnv1a digest;
    digest.Word32(static_cast<uint32_t>(picture.GetWidth()));
    digest.Word32(static_cast<uint32_t>(picture.GetHeight()));
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            digest.Word32(picture.Row(y)[x] & 0x00FFFFFFu);
    return digest.Value();
}

// Pictures laid out left to right on a neutral sheet.
class CSheet {
public:
    void Add(const CDib& picture)
    {
        m_items.emplace_back(new CDib());
        CDib& item = *m_items.back();
        picture.CopyTo(item);
        // A screen copy carries no alpha; the sheet is composed by blending.
        for (int y = 0; y < item.GetHeight(); ++y)
            for (int x = 0; x < item.GetWidth(); ++x)
                item.Row(y)[x] |= 0xFF000000u;
    }
    void Save(const std::string& name) const
    {
        const int gap = 12;
        int width = gap, height = 0;
        for (const auto& item : m_items) {
            width += item->GetWidth() + gap;
            height = std::max(height, item->GetHeight());
        }
        CDib sheet;
        ASSERT_TRUE(sheet.Create(width, height + 2 * gap));
        sheet.Fill(0xFF808890);
        int x = gap;
        for (const auto& item : m_items) {
            sheet.BlendAt(*item, x, gap, 255);
            x += item->GetWidth() + gap;
        }
        EXPECT_NE(SaveScreenshot(sheet, name), "");
    }

private:
    std::vector<std::unique_ptr<CDib>> m_items;
};

class DialogGallery : public ::testing::Test {
protected:
    DialogGallery() : m_skin(nullptr) {}
    // On the skin the dialogs and controls read: the current one, which is
    // the main dialog's while one exists (its construction makes it
    // current), else the fixture's own.
    void Apply(const SkinLook& look)
    {
        CSkinState* skin = CurrentSkin();
        ASSERT_NE(skin, nullptr);
        skin->SetStyle(look.style);
        skin->SetWindowColor(look.window);
        skin->SetControlColor(look.control);
        ResetRingTable();
    }

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
    CRecordingTimers m_timers;  // no fades or animation while pictures are taken
};

TEST_F(DialogGallery, SecondaryDialogsInEveryStyle)
{
    for (const char* name : {"Evening sun", "Rear Shadow", "Soft contact"})
        saveParameterSet(AppSettings(), name, DefaultShadowParams());
    CMainDlg main;
    ASSERT_EQ(CurrentSkin(), &main.Skin());
    // Each dialog's picture in each look, to hold the looks apart below.
    std::vector<std::vector<uint64_t>> digests(std::size(kLooks));
    for (size_t l = 0; l < std::size(kLooks); ++l) {
        const SkinLook& look = kLooks[l];
        Apply(look);
        CSheet sheet;
        CDib picture;
        const auto add = [&]() {
            sheet.Add(picture);
            digests[l].push_back(PictureDigest(picture));
        };
        {
            CInputDlg save(nullptr, "");
            save.m_strName = "Evening sun";
            ASSERT_TRUE(save.Create());
            Capture(save, picture, 40, 40);
            add();
        }
        {
            CManagePresetsDlg manage(nullptr);
            ASSERT_TRUE(manage.Create());
            ::SendDlgItemMessageA(manage.m_hWnd, IDC_PRESETS_LIST, LB_SETCURSEL, 1, 0);
            Capture(manage, picture, 40, 40);
            add();
        }
        const struct {
            const char* text;
            int icon;
            int type;
        } messages[] = {
            {"Do you want remove selected preset?", 178, 0},
            {"This filter requires a selection or a layer with transparency!", 177, 1},
            {"Save the changes to this preset?", 178, 2},
            {"Preparing data...", 0, 4},
        };
        for (const auto& m : messages) {
            CMessageDlg message(m.text, m.icon, m.type, nullptr);
            ASSERT_TRUE(message.Create());
            Capture(message, picture, 40, 40);
            add();
        }
        sheet.Save(std::string("dialogs-") + look.name);
    }
    // Every dialog looks different in every look: a style changes the
    // buttons and the frame, the colours change them all.
    for (size_t a = 0; a < std::size(kLooks); ++a)
        for (size_t b = a + 1; b < std::size(kLooks); ++b)
            for (size_t d = 0; d < digests[a].size(); ++d)
                EXPECT_NE(digests[a][d], digests[b][d])
                    << "dialog " << d << " is the same in " << kLooks[a].name << " and " << kLooks[b].name;
}

// How much of `part` (window coordinates) of the picture is exactly `colour`.
double ShareOf(const CDib& picture, const RECT& part, COLORREF colour)
{
    int same = 0, all = 0;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x, ++all)
            same += PixelColor(picture, x, y) == colour;
    return all ? double(same) / all : 0;
}

// The one message shown before any main dialog exists (the run's refusal)
// has no main dialog's skin to read: it takes the look the last dialog
// stored, style and colours, as the others take the main dialog's.
TEST(DialogGalleryStoredLook, TheRefusalMessageWearsTheStoredLook)
{
    CTestSettingsRoot settings;
    CRecordingTimers timers;
    ASSERT_EQ(CurrentSkin(), nullptr);
    const COLORREF window = kSlateWindow, control = kAmberControl;
    AppSettings().SetInt("", SettingNames::kButtonStyle, kStyleFlat);
    AppSettings().SetInt("", SettingNames::kWindowColor, static_cast<int32_t>(window));
    AppSettings().SetInt("", SettingNames::kControlColor, static_cast<int32_t>(control));
    ResetRingTable();

    CDib picture;
    RECT button{}, below{};
    CModalScript script;
    script.Then("the message shows, painted", [&] {
        const HWND dialog = FindOurDialog(IDD_VEYDRA_MESSAGE);
        if (dialog == nullptr || !::IsWindowVisible(dialog))
            return false;
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (!CaptureWindow(dialog, picture))
            return false;
        RECT frame, ok;
        ::GetWindowRect(dialog, &frame);
        ::GetWindowRect(::GetDlgItem(dialog, IDC_MESSAGE_BUTTON_RIGHT), &ok);
        button = RECT{ok.left - frame.left, ok.top - frame.top, ok.right - frame.left, ok.bottom - frame.top};
        // The band under the buttons, which only the frame's stripes fill.
        below = RECT{button.left, button.bottom + 2, button.right, frame.bottom - frame.top - 3};
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    ShowSkinnedMessage("This filter requires a selection or a layer with transparency!", 177, 1, nullptr);
    PumpUntil([&] { return script.Finished(); }, 1000);
    ASSERT_TRUE(script.Finished());
    EXPECT_NE(SaveScreenshot(picture, "message-stored-look"), "");
    EXPECT_EQ(CurrentSkin(), nullptr);  // the look lived as long as the message
    // A flat face is the control colour; the stripes are the window colour
    // shifted by 4 either way (the default strength).
    EXPECT_GT(ShareOf(picture, button, control), 0.5);
    EXPECT_GT(ShareOf(picture, below, ShiftColor(window, 4)) + ShareOf(picture, below, ShiftColor(window, -4)), 0.9);
}

TEST_F(DialogGallery, AboutBoxWithItsCreditsMidScroll)
{
    for (const SkinLook& look : kLooks) {
        Apply(look);
        CAboutDlg about(kBuiltInCredits, "");
        ASSERT_TRUE(about.Create());
        // The sixth line near the top, fading out; the last ones fading in.
        about.Picture().Motion().m_nScrollPos = -92 * 5 + 40;
        CDib picture;
        Capture(about, picture, 30, 30);
        EXPECT_NE(SaveScreenshot(picture, std::string("about-") + look.name), "");
        ::DestroyWindow(about.m_hWnd);
    }
}

TEST_F(DialogGallery, PreviewOfTheShadowedSample)
{
    Apply(kLooks[0]);
    PngImage sample;
    std::string error;
    ASSERT_TRUE(ReadPng(VEYDRA_SAMPLE_LAYER, sample, error)) << error;
    std::vector<uint8_t> out = sample.rgba;
    const HostBuffers host = HostBuffers::Packed(sample.width, sample.height, 4, sample.rgba.data(), out.data());
    RunGeometry geometry;
    ASSERT_EQ(ComputeRunGeometry(host, geometry), RunRefusal::None);

    CPreviewFrame frame;
    ASSERT_TRUE(frame.Create());
    ASSERT_NE(frame.m_preview.m_hWnd, nullptr);
    ::SetDlgItemTextA(frame.m_hWnd, 1004, "Veydra - preview of the sample, \"Cast In Front\"");
    ::SetWindowPos(frame.m_hWnd, nullptr, 20, 20, 920, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(frame.m_preview.m_hWnd, nullptr, 10, 32, 900, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(::GetDlgItem(frame.m_hWnd, 1004), nullptr, 8, 8, 904, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    CShadowScene scene(host, geometry);
    scene.InitShadowRenderer(900, 560);
    const ShadowParams params = FindBuiltInPreset("Cast In Front")->params;
    scene.BuildShadowTexture(params);
    scene.BuildShadowPlane();
    scene.RenderShadow(false, params);
    frame.m_preview.BindView(&scene.m_preview);

    CDib picture;
    Capture(frame, picture, 20, 20);
    EXPECT_NE(SaveScreenshot(picture, "preview-sample"), "");
    // What the frame shows is the composed view, centred in the control,
    // one image pixel per screen pixel at any density (inside the frame,
    // which is one line wide).
    const CDib& view = scene.m_dibView;
    const RECT control = frame.GetChildRect(IDC_TEST_PREVIEW);
    const int x0 = control.left + (900 - view.GetWidth()) / 2;
    const int y0 = control.top + (560 - view.GetHeight()) / 2;
    const int edge = frame.m_preview.GetDpiScale().Line();
    int differ = 0;
    for (int y = edge; y < view.GetHeight() - edge; y += 7)
        for (int x = edge; x < view.GetWidth() - edge; x += 7) {
            const ARGB p = view.Row(y)[x];
            if ((p >> 24) == 255)
                differ += PixelColor(picture, x0 + x, y0 + y) != RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
    EXPECT_EQ(differ, 0);
    ::DestroyWindow(frame.m_hWnd);
}

}  // namespace
