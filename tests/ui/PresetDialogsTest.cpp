// The Save preset and Manage presets dialogs, run modally and used through
// keystrokes and clicks posted into their loops, with the presets in a
// private settings root.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "resources/DialogResources.h"
#include "support/ModalScript.h"
#include "support/UiTestSupport.h"
#include "ui/dialogs/InputDlg.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/ManagePresetsDlg.h"
#include "ui/skin/Skin.h"

namespace {

std::string ItemText(HWND window, int id)
{
    char text[256] = {};
    ::GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

std::vector<std::string> ListEntries(HWND list)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

// A click on entry `index` of a list box, as the user selects it.
void ClickEntry(HWND list, int index)
{
    RECT item{};
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    PostClickAt(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

class PresetDialogsTest : public ::testing::Test {
protected:
    PresetDialogsTest() : m_skin(nullptr) {}

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
    CMainDlg m_main;  // the presets' services
};

// ------------------------------------------------------------ Save preset

TEST_F(PresetDialogsTest, SavePresetTakesTheTypedNameOnlyOnOk)
{
    enum Finish { kEnter, kOkButton, kEscape, kCloseButton, kCloseCross };
    struct Case {
        const char* initial;
        const char* typed;
        Finish finish;
        INT_PTR result;
        const char* name;  // the name afterwards
    };
    const Case cases[] = {
        {"", "Winter", kEnter, IDOK, "Winter"},
        {"", "Low sun", kOkButton, IDOK, "Low sun"},
        {"Old", "New", kEnter, IDOK, "New"},  // the initial text is selected: typing replaces it
        {"Old", "New", kEscape, IDCANCEL, "Old"},
        {"Old", "New", kCloseButton, IDCANCEL, "Old"},
        {"Old", "New", kCloseCross, IDCANCEL, "Old"},
        {"", "", kEnter, IDOK, ""},  // the dialog does not judge names; its caller does
    };
    for (const Case& c : cases) {
        CInputDlg dialog(nullptr, "");
        dialog.m_strName = c.initial;
        CModalScript script;
        HWND window = nullptr;
        std::string shownInitially;
        script
            .Then("the dialog shows",
                  [&] {
                      window = FindOurDialog(IDD_VEYDRA_SAVE_PRESET);
                      return window != nullptr;
                  })
            .Then("type and finish", [&] {
                shownInitially = ItemText(window, IDC_INPUT_NAME);
                PostChars(window, c.typed);
                switch (c.finish) {
                case kEnter:
                    PostKey(window, VK_RETURN);
                    break;
                case kOkButton:
                    PostClick(::GetDlgItem(window, IDOK));
                    break;
                case kEscape:
                    PostKey(window, VK_ESCAPE);
                    break;
                case kCloseButton:
                    PostClick(::GetDlgItem(window, IDCANCEL));
                    break;
                case kCloseCross:
                    PostClick(::GetDlgItem(window, 1005));
                    break;
                }
                return true;
            });
        EXPECT_EQ(dialog.DoModal(), c.result) << c.typed << " / " << c.finish;
        EXPECT_EQ(shownInitially, c.initial);
        EXPECT_EQ(dialog.m_strName, c.name) << c.typed << " / " << c.finish;
        EXPECT_EQ(dialog.GetLanguageSection(), "Settings");
    }
}

// ------------------------------------------------------------ Manage presets

TEST_F(PresetDialogsTest, DeleteRemovesExactlyTheSelectedPresetAfterYes)
{
    saveParameterSet(AppSettings(), "Beta", DefaultShadowParams());
    saveParameterSet(AppSettings(), "alpha", DefaultShadowParams());
    ASSERT_EQ(enumeratePresets(AppSettings()).size(), 2u);

    CManagePresetsDlg dialog(nullptr);
    CModalScript script(15000);
    HWND window = nullptr;
    HWND list = nullptr;
    HWND question = nullptr;
    std::vector<std::string> listed, afterYes, afterNo;
    std::string questionText;
    HWND questionOwner = nullptr;
    script
        .Then("the dialog shows",
              [&] {
                  window = FindOurDialog(IDD_VEYDRA_MANAGE_PRESETS);
                  list = window != nullptr ? ::GetDlgItem(window, IDC_PRESETS_LIST) : nullptr;
                  return list != nullptr;
              })
        .Then("select Beta and delete it",
              [&] {
                  listed = ListEntries(list);
                  ClickEntry(list, 1);
                  PostClick(::GetDlgItem(window, IDC_PRESETS_DELETE));
                  return true;
              })
        .Then("the question shows",
              [&] {
                  question = FindOurDialog(IDD_VEYDRA_MESSAGE);
                  return question != nullptr;
              })
        .Then("answer Yes",
              [&] {
                  questionText = ItemText(question, IDC_MESSAGE_TEXT);
                  questionOwner = ::GetWindow(question, GW_OWNER);
                  PostClick(::GetDlgItem(question, IDC_MESSAGE_BUTTON_MIDDLE));
                  return true;
              })
        .Then("Beta is gone",
              [&] {
                  if (FindOurDialog(IDD_VEYDRA_MESSAGE) != nullptr || ListEntries(list).size() != 1)
                      return false;
                  afterYes = ListEntries(list);
                  ClickEntry(list, 0);
                  PostClick(::GetDlgItem(window, IDC_PRESETS_DELETE));
                  return true;
              })
        .Then("the question shows again",
              [&] {
                  question = FindOurDialog(IDD_VEYDRA_MESSAGE);
                  return question != nullptr;
              })
        .Then("answer No",
              [&] {
                  PostClick(::GetDlgItem(question, IDC_MESSAGE_BUTTON_RIGHT));
                  return true;
              })
        .Then("nothing changed; close",
              [&] {
                  if (FindOurDialog(IDD_VEYDRA_MESSAGE) != nullptr)
                      return false;
                  afterNo = ListEntries(list);
                  PostClick(::GetDlgItem(window, IDCANCEL));
                  return true;
              });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    // The list box's sorted order, which ignores case.
    EXPECT_EQ(listed, (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(questionText, "Do you want remove selected preset?");
    EXPECT_EQ(questionOwner, window);  // modal over the list, not beside it
    EXPECT_EQ(afterYes, std::vector<std::string>{"alpha"});
    EXPECT_EQ(afterNo, std::vector<std::string>{"alpha"});
    EXPECT_EQ(enumeratePresets(AppSettings()), std::vector<std::string>{"alpha"});
    ASSERT_EQ(dialog.GetNames().GetSize(), 1);
    EXPECT_EQ(dialog.GetNames()[0], "alpha");
}

TEST_F(PresetDialogsTest, DeleteWithoutSelectionAsksNothing)
{
    saveParameterSet(AppSettings(), "Only", DefaultShadowParams());
    CManagePresetsDlg dialog(nullptr);
    CModalScript script;
    CQueueMarker marker;
    HWND window = nullptr;
    bool asked = true;
    script
        .Then("the dialog shows",
              [&] {
                  window = FindOurDialog(IDD_VEYDRA_MANAGE_PRESETS);
                  return window != nullptr;
              })
        .Then("Delete with nothing selected",
              [&] {
                  PostClick(::GetDlgItem(window, IDC_PRESETS_DELETE));
                  marker.Post();
                  return true;
              })
        .Then("the click was handled",
              [&] {
                  if (!marker.Reached())
                      return false;
                  asked = FindOurDialog(IDD_VEYDRA_MESSAGE) != nullptr;
                  PostKey(window, VK_ESCAPE);
                  return true;
              });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(asked);
    EXPECT_EQ(enumeratePresets(AppSettings()), std::vector<std::string>{"Only"});
}

TEST_F(PresetDialogsTest, ManagePresetsClosesWithCancelEveryWay)
{
    // No presets: an empty list.
    for (int way = 0; way < 3; ++way) {
        CManagePresetsDlg dialog(nullptr);
        CModalScript script;
        size_t entries = 99;
        script.Then("close", [&] {
            HWND window = FindOurDialog(IDD_VEYDRA_MANAGE_PRESETS);
            if (window == nullptr)
                return false;
            entries = ListEntries(::GetDlgItem(window, IDC_PRESETS_LIST)).size();
            if (way == 0)
                PostKey(window, VK_ESCAPE);
            else
                PostClick(::GetDlgItem(window, way == 1 ? IDCANCEL : 1005));
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << way;
        EXPECT_EQ(entries, 0u);
    }
}

// ------------------------------------------------------------ languages

class CLanguageScope {
public:
    CLanguageScope() { TheLanguage().LoadFolder(kLanguageProductTitle, 0, VEYDRA_LANGS_DIR); }
    ~CLanguageScope()
    {
        // An empty folder leaves no language current: English again.
        CTempFolder empty;
        TheLanguage().LoadFolder(kLanguageProductTitle, 0, empty.Path());
    }
};

TEST_F(PresetDialogsTest, DialogsSpeakTheCurrentLanguageWhenTheyOpen)
{
    CLanguageScope languages;
    TheLanguage().Select("Deutsch");  // false when it is still current from before
    ASSERT_EQ(TheLanguage().GetName(-1), "Deutsch");
    saveParameterSet(AppSettings(), "Gamma", DefaultShadowParams());

    std::string saveCaption, saveLabel, saveClose, manageCaption, manageDelete, yes, no;
    {
        CInputDlg dialog(nullptr, "");
        CModalScript script;
        script.Then("read", [&] {
            HWND window = FindOurDialog(IDD_VEYDRA_SAVE_PRESET);
            if (window == nullptr)
                return false;
            saveCaption = ItemText(window, 1004);
            saveLabel = ItemText(window, IDC_INPUT_LABEL);
            saveClose = ItemText(window, IDCANCEL);
            PostKey(window, VK_ESCAPE);
            return true;
        });
        dialog.DoModal();
    }
    {
        CManagePresetsDlg dialog(nullptr);
        CModalScript script;
        HWND window = nullptr;
        script
            .Then("read and delete",
                  [&] {
                      window = FindOurDialog(IDD_VEYDRA_MANAGE_PRESETS);
                      if (window == nullptr)
                          return false;
                      manageCaption = ItemText(window, 1004);
                      manageDelete = ItemText(window, IDC_PRESETS_DELETE);
                      ClickEntry(::GetDlgItem(window, IDC_PRESETS_LIST), 0);
                      PostClick(::GetDlgItem(window, IDC_PRESETS_DELETE));
                      return true;
                  })
            .Then("read the question", [&] {
                HWND question = FindOurDialog(IDD_VEYDRA_MESSAGE);
                if (question == nullptr)
                    return false;
                yes = ItemText(question, IDC_MESSAGE_BUTTON_MIDDLE);
                no = ItemText(question, IDC_MESSAGE_BUTTON_RIGHT);
                PostKey(question, VK_ESCAPE);
                PostKey(window, VK_ESCAPE);
                return true;
            });
        dialog.DoModal();
    }
    EXPECT_EQ(saveCaption, "Vorgabe speichern");
    EXPECT_EQ(saveLabel, "Vorgabename");
    EXPECT_EQ(saveClose, "Schlie\xDF" "en");
    EXPECT_EQ(manageCaption, "Vorgaben verwalten");
    EXPECT_EQ(manageDelete, "L\xF6schen");
    EXPECT_EQ(yes, "Ja");
    EXPECT_EQ(no, "Nein");
}

}  // namespace
