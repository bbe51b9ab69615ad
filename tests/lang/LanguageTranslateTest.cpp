// Translating a real dialog (made from an in-memory template) and real menus.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/Language.h"
#include "LanguageFiles.h"

namespace {

// Builds a DLGTEMPLATE in memory: WORD-aligned strings, DWORD-aligned items.
class CDialogTemplate {
public:
    CDialogTemplate(const wchar_t* caption, short cx, short cy)
    {
        Dword(WS_POPUP | WS_CAPTION | DS_SETFONT);
        Dword(0);
        m_countAt = m_words.size();
        Word(0);  // item count, patched as items are added
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0);  // no menu
        Word(0);  // default class
        String(caption);
        Word(8);
        String(L"MS Shell Dlg");
    }

    // `classAtom` is 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box;
    // 0 takes `className` instead.
    void Add(WORD classAtom, const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x, short y,
             short cx, short cy)
    {
        if (m_words.size() % 2)
            Word(0);
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        if (classAtom) {
            Word(0xFFFF);
            Word(classAtom);
        } else {
            String(className);
        }
        String(text);
        Word(0);  // no creation data
        ++m_words[m_countAt];
    }

    HWND Create() const
    {
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                          reinterpret_cast<const DLGTEMPLATE*>(m_words.data()), nullptr, Proc, 0);
    }

private:
    static INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void String(const wchar_t* s)
    {
        for (; *s; ++s)
            Word(static_cast<WORD>(*s));
        Word(0);
    }

    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

std::string TextOf(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::vector<std::string> ComboItems(HWND combo)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string ColumnText(HWND listView, int column)
{
    char text[256] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    SendMessageA(listView, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    return text;
}

class TranslateDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        CDialogTemplate t(L"Built-in caption", 300, 120);
        t.Add(0x80, nullptr, L"OK", 1, BS_PUSHBUTTON, 10, 90, 50, 14);
        t.Add(0x80, nullptr, L"Only Outside", 1016, BS_PUSHBUTTON, 70, 90, 80, 14);
        t.Add(0x82, nullptr, L"Blur", 1015, SS_LEFT, 10, 10, 60, 8);
        t.Add(0x85, nullptr, L"", 1033, CBS_DROPDOWNLIST | WS_VSCROLL, 10, 30, 60, 80);
        t.Add(0, WC_LISTVIEWW, L"", 1040, LVS_REPORT, 100, 10, 150, 60);
        t.Add(0x82, nullptr, L"Frame", 1041, SS_LEFT, 10, 50, 60, 30);
        m_dialog = t.Create();
        ASSERT_NE(m_dialog, nullptr);

        HWND combo = GetDlgItem(m_dialog, 1033);
        for (const char* item : {"a", "b", "c"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(combo, CB_SETCURSEL, 2, 0);
        HWND list = GetDlgItem(m_dialog, 1040);
        for (int i = 0; i < 2; ++i) {
            char text[] = "column";
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 60;
            column.pszText = text;
            SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        }
        // A grandchild with a key of its own: only the dialog's own children are translated.
        m_grandchild = CreateWindowExA(0, "STATIC", "Inner", WS_CHILD, 0, 0, 10, 10, GetDlgItem(m_dialog, 1041),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(1015)), nullptr, nullptr);
        ASSERT_NE(m_grandchild, nullptr);
    }
    void TearDown() override
    {
        if (m_dialog)
            DestroyWindow(m_dialog);
    }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    HWND m_dialog = nullptr;
    HWND m_grandchild = nullptr;
};

TEST_F(TranslateDialog, ReplacesOnlyTheTextsTheFileProvides)
{
    CTempFolder folder;
    folder.Write("de.lng", LanguageInfo("Deutsch") +
                               "[Msg]\r\nok=Jawohl\r\n"
                               "[Test_dlg]\r\n0=\xDC" "bersetzt\r\n1=[Msg]/ok\r\n1016=Nur au\xDF" "en\r\n"
                               "1015=Weichheit\r\n1033=eins,,drei\r\n1040=Name,Gr\xF6\xDF" "e,extra\r\n1041=\r\n");
    folder.Write("langs\\fr.lng", LanguageInfo("Fran\xE7" "ais") + "[Test_dlg]\r\n1015=Flou\r\n1033=\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());

    // No language current yet: nothing changes.
    language.TranslateDialog("Test_dlg", m_dialog);
    EXPECT_EQ(TextOf(m_dialog), "Built-in caption");
    EXPECT_EQ(TextOf(Item(1015)), "Blur");

    ASSERT_TRUE(language.Select("Deutsch"));
    language.TranslateDialog("Test_dlg", m_dialog);
    EXPECT_EQ(TextOf(m_dialog), "\xDC" "bersetzt");
    EXPECT_EQ(TextOf(Item(1)), "Jawohl");
    EXPECT_EQ(TextOf(Item(1016)), "Nur au\xDF" "en");
    EXPECT_EQ(TextOf(Item(1015)), "Weichheit");
    EXPECT_EQ(TextOf(Item(1041)), "Frame") << "an empty value keeps the text";
    EXPECT_EQ(TextOf(m_grandchild), "Inner");
    EXPECT_EQ(ComboItems(Item(1033)), (std::vector<std::string>{"eins", "", "drei"}));
    EXPECT_EQ(SendMessageA(Item(1033), CB_GETCURSEL, 0, 0), 2) << "the selection stays";
    EXPECT_EQ(ColumnText(Item(1040), 0), "Name");
    EXPECT_EQ(ColumnText(Item(1040), 1), "Gr\xF6\xDF" "e");

    // A language lacking keys leaves those controls as they were.
    ASSERT_TRUE(language.Select("Fran\xE7" "ais"));
    language.TranslateDialog("Test_dlg", m_dialog);
    EXPECT_EQ(TextOf(Item(1015)), "Flou");
    EXPECT_EQ(TextOf(Item(1016)), "Nur au\xDF" "en");
    EXPECT_EQ(TextOf(m_dialog), "\xDC" "bersetzt");
    EXPECT_EQ(ComboItems(Item(1033)), (std::vector<std::string>{"eins", "", "drei"}));
}

TEST_F(TranslateDialog, WindowsAreKeyedByControlIdAndTopLevelOnesByZero)
{
    CTempFolder folder;
    folder.Write("x.lng", LanguageInfo("X") + "[S]\r\n0=caption\r\n1015=label\r\n1033=p,q\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    ASSERT_TRUE(language.Select("X"));
    EXPECT_EQ(language.LookupWindow("S", m_dialog, "d"), "caption");
    EXPECT_EQ(language.LookupWindow("S", Item(1015), "d"), "label");
    EXPECT_EQ(language.LookupWindow("S", Item(1), "d"), "d");
    EXPECT_EQ(language.LookupWindow("S", nullptr, "d"), "d");

    // A dialog owned by another window is still keyed "0".
    HWND owned = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, m_dialog, nullptr, nullptr, nullptr);
    EXPECT_EQ(language.LookupWindow("S", owned, "d"), "caption");
    DestroyWindow(owned);

    std::vector<std::string> items{"stale"};
    language.GetWindowList("S", Item(1033), items);
    EXPECT_EQ(items, (std::vector<std::string>{"p", "q"}));
    language.GetWindowList("S", Item(1), items);
    EXPECT_TRUE(items.empty());
}

std::string MenuText(HMENU menu, int position)
{
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
    return text;
}

TEST(TranslateMenu, ItemsAndSubmenuTitlesByIdKeepingTheirStates)
{
    CTempFolder folder;
    folder.Write("de.lng", LanguageInfo("Deutsch") +
                               "[Main_menu]\r\n0+32801=Oberfl\xE4" "che\r\n0+32775=Sprache\r\n32801=Chrom-Stil\r\n"
                               "32802=Aqua-Stil\r\n32803=Info...\r\n32806=[Main_menu]/32802\r\n0=separator\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());

    HMENU style = CreatePopupMenu();
    AppendMenuA(style, MF_STRING | MF_CHECKED, 32801, "Chrome style");
    AppendMenuA(style, MF_STRING | MF_GRAYED, 32802, "Aqua style");
    AppendMenuA(style, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(style, MF_STRING, 32806, "Controls color...");
    AppendMenuA(style, MF_STRING, 32807, "Window color...");
    HMENU languages = CreatePopupMenu();
    AppendMenuA(languages, MF_STRING, 32775, "English");
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(style), "Interface");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages), "Language");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 32803, "About...");

    language.TranslateMenu("Main_menu", menu);
    EXPECT_EQ(MenuText(menu, 0), "Interface") << "no language current: unchanged";

    ASSERT_TRUE(language.Select("Deutsch"));
    const int counter = SubmenuKeyCounter();
    language.TranslateMenu("Main_menu", menu);
    EXPECT_EQ(SubmenuKeyCounter(), counter) << "every submenu had a command of its own";
    EXPECT_EQ(MenuText(menu, 0), "Oberfl\xE4" "che");
    EXPECT_EQ(GetSubMenu(menu, 0), style) << "still the same popup";
    EXPECT_EQ(MenuText(menu, 1), "Sprache");
    EXPECT_EQ(MenuText(menu, 3), "Info...");
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(style, 0), "Chrom-Stil");
    EXPECT_EQ(GetMenuState(style, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(MenuText(style, 1), "Aqua-Stil");
    EXPECT_EQ(GetMenuState(style, 1, MF_BYPOSITION) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuItemID(style, 1), 32802u);
    EXPECT_EQ(GetMenuState(style, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(style, 3), "Aqua-Stil") << "a reference";
    EXPECT_EQ(MenuText(style, 4), "Window color...") << "no key: unchanged";
    EXPECT_EQ(MenuText(languages, 0), "English");
    DestroyMenu(menu);
}

TEST(TranslateMenu, SubmenuWithoutCommandsIsKeyedThroughTheCounter)
{
    // "outer" has no command of its own: the counter moves on and its key
    // comes from its first nested submenu. "hollow" has nothing at all.
    CTempFolder folder;
    const int before = SubmenuKeyCounter();
    const std::string outerKey = std::to_string(before + 1) + "+500";
    folder.Write("x.lng", LanguageInfo("X") + "[M]\r\n" + outerKey + "=Outer\r\n500=Deep item\r\n-1+-1=Empty\r\n");
    CLanguage language;
    language.LoadFolder(kLanguageProductTitle, 0, folder.Path());
    ASSERT_TRUE(language.Select("X"));

    HMENU deep = CreatePopupMenu();
    AppendMenuA(deep, MF_STRING, 500, "deep");
    HMENU outer = CreatePopupMenu();
    AppendMenuA(outer, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(outer, MF_POPUP, reinterpret_cast<UINT_PTR>(deep), "Deep");
    HMENU hollow = CreatePopupMenu();
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(outer), "Outer submenu");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(hollow), "Hollow");

    language.TranslateMenu("M", menu);
    EXPECT_EQ(MenuText(menu, 0), "Outer");
    EXPECT_EQ(MenuText(outer, 1), "Outer") << "\"deep\" is keyed by its first command too, with the same counter";
    EXPECT_EQ(MenuText(deep, 0), "Deep item");
    EXPECT_EQ(MenuText(menu, 1), "Empty");
    EXPECT_EQ(SubmenuKeyCounter(), before + 2) << "never reset, one step per submenu without a command";
    DestroyMenu(menu);
}

}  // namespace
