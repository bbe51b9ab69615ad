#include "UiDriver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "DialogWatcher.h"
#include "HostLog.h"
#include "HostServices.h"
#include "UiWindows.h"
#include "params/ShadowParams.h"
#include "ui/controls/SliderGeometry.h"

namespace {

// The main dialog's controls the script names.
const struct {
    const char* name;
    int id;
} kButtons[] = {
    {"ok", IDOK},         {"cancel", IDCANCEL},  {"close", 1034},   {"menu", 4},     {"menu-icon", 1023},
    {"presets", 3},       {"position", 1019},    {"outside", 1016}, {"color", 1014}, {"link", 1032},
};
const int kPreviewId = 1006;
const int kZoomListId = 1033;
const int kSliderProbeId = 1010;
// The system colour chooser's red, green and blue fields.
const int kChooserRed = 706;

// The skinned slider's arrow buttons and thumb, in pixels.
const int kSliderArrow = 20;
const int kSliderThumb = 36;

// The dialog's timers coalesce changes for 200 ms; past that, with margin
// for a loaded machine, a change has reached its handler.
const int kTimerMarginMs = 400;
// Clicks whose effect can be seen are tried this often.
const int kClickAttempts = 3;
const int kPollMs = 15;

struct UiFailure {
    std::string reason;
};

// A menu that closed or stopped answering while it was being worked: a
// focus change in the display cancels menus, as it would for a user, who
// then opens the menu again.
struct MenuLost : UiFailure {
};

int ToNumber(const std::string& text, const std::string& what)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0')
        throw UiFailure{what + " is not a number: '" + text + "'"};
    return static_cast<int>(value);
}

// A menu item's text as shown: "&&" is "&", a single "&" marks a mnemonic.
std::string ShownText(const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

std::string MenuItemText(HMENU menu, int position)
{
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return ShownText(text);
}

bool IsHighlighted(HMENU menu, int position)
{
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & MF_HILITE) != 0;
}

// Positions leading to the item with command `id`, through submenus.
bool FindCommand(HMENU menu, UINT id, std::vector<int>& path)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        path.push_back(i);
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (FindCommand(sub, id, path))
                return true;
        } else if (::GetMenuItemID(menu, i) == id) {
            return true;
        }
        path.pop_back();
    }
    return false;
}

// Positions leading to the item whose shown text matches each part of
// "Submenu/Item".
bool FindText(HMENU menu, const std::string& item, std::vector<int>& path)
{
    size_t start = 0;
    while (menu != nullptr) {
        const size_t slash = item.find('/', start);
        const std::string part = item.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        int found = -1;
        for (int i = 0; i < ::GetMenuItemCount(menu) && found < 0; ++i)
            if (MenuItemText(menu, i) == part)
                found = i;
        if (found < 0)
            return false;
        path.push_back(found);
        if (slash == std::string::npos)
            return true;
        menu = ::GetSubMenu(menu, found);
        start = slash + 1;
    }
    return false;
}

std::string Hex(COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

bool HasUpdate(HWND window) { return window != nullptr && ::GetUpdateRect(window, nullptr, FALSE) != FALSE; }

}  // namespace

CUiDriver::CUiDriver(const UiDriverSettings& settings)
    : m_settings(settings), m_lastAction(Clock::now()), m_thread(&CUiDriver::Run, this)
{
}

CUiDriver::~CUiDriver()
{
    m_bModuleReturned = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CUiDriver::Finish()
{
    m_bModuleReturned = true;
    if (m_thread.joinable())
        m_thread.join();
}

CUiDriver::Clock::time_point CUiDriver::Deadline() const
{
    return Clock::now() + std::chrono::milliseconds(m_settings.stepTimeLimitMs);
}

void CUiDriver::CheckDeadline(Clock::time_point deadline, const std::string& what) const
{
    if (Clock::now() > deadline)
        Fail("no " + what + " within " + std::to_string(m_settings.stepTimeLimitMs) + " ms");
    if (m_bModuleReturned)
        Fail("the module returned while waiting for " + what);
}

void CUiDriver::Fail(const std::string& reason) const { throw UiFailure{reason}; }

void CUiDriver::CatchUp() const
{
    if (!m_settings.sync->CatchUp(static_cast<DWORD>(m_settings.stepTimeLimitMs)))
        Fail("the dialog's thread did not answer within " + std::to_string(m_settings.stepTimeLimitMs) + " ms");
}

void CUiDriver::Run()
{
    if (!WaitForMainDialog()) {
        Say("ui: the dialog was not shown; the script did not run");
        return;
    }
    const UiStep* current = nullptr;
    try {
        for (const UiStep& step : m_settings.steps) {
            current = &step;
            Play(step);
            Say("ui: " + step.text);
        }
        current = nullptr;
        if (::IsWindow(m_hMain) && ::IsWindowVisible(m_hMain)) {
            Say("ui: the script ended with the dialog open: Cancel");
            Close(IDCANCEL);
        }
        while (!m_bModuleReturned) {
            AnswerStrayDialogs();
            ::Sleep(kPollMs);
        }
    } catch (const UiFailure& failure) {
        m_bFailed = true;
        Say("ui: step '" + (current != nullptr ? current->text : std::string("end")) + "' failed: " + failure.reason);
        CancelEverything();
    }
}

bool CUiDriver::WaitForMainDialog()
{
    // Messages shown before the dialog (a refusal, say) are answered as the
    // watcher would, so the run can go on.
    while (!m_bModuleReturned) {
        m_hMain = FindMainDialog();
        if (m_hMain != nullptr) {
            m_lastAction = Clock::now();  // its first render waits for a timer
            return true;
        }
        AnswerStrayDialogs();
        ::Sleep(kPollMs);
    }
    return false;
}

bool CUiDriver::IsMainDialog(HWND dialog)
{
    HWND preview = ::GetDlgItem(dialog, kPreviewId);
    HWND slider = ::GetDlgItem(dialog, kSliderProbeId);
    return preview != nullptr && slider != nullptr && ClassOf(slider) == TRACKBAR_CLASSA;
}

HWND CUiDriver::FindMainDialog() const
{
    for (HWND dialog : ThreadWindows(m_settings.uiThread, "#32770"))
        if (IsMainDialog(dialog))
            return dialog;
    return nullptr;
}

HWND CUiDriver::FindOtherDialog() const
{
    for (HWND dialog : ThreadWindows(m_settings.uiThread, "#32770"))
        if (dialog != m_hMain)
            return dialog;
    return nullptr;
}

HWND CUiDriver::WaitForOtherDialog(const std::string& what, int childId)
{
    const Clock::time_point deadline = Deadline();
    auto retryAt = Clock::now() + std::chrono::seconds(2);
    for (;;) {
        HWND dialog = FindOtherDialog();
        if (dialog != nullptr && (childId == 0 || ::GetDlgItem(dialog, childId) != nullptr)) {
            m_reopen = nullptr;
            return dialog;
        }
        CheckDeadline(deadline, what);
        // The step before meant to open this dialog. If the dialog's thread
        // is idle with nothing open, the menu or click went nowhere (a
        // focus change in the display cancels a menu as it closes): the
        // user does it again, once.
        if (m_reopen && Clock::now() > retryAt && dialog == nullptr && MenuWindows().empty() &&
            m_settings.sync->CatchUp(200) && FindOtherDialog() == nullptr) {
            Say("ui: nothing opened; doing the step before again");
            const std::function<void()> reopen = m_reopen;
            m_reopen = nullptr;
            reopen();
            retryAt = Clock::now() + std::chrono::seconds(2);
        }
        ::Sleep(kPollMs);
    }
}

void CUiDriver::WaitUntilGone(HWND window, const std::string& what)
{
    const Clock::time_point deadline = Deadline();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (Clock::now() > deadline)
            Fail(what + " stayed open for " + std::to_string(m_settings.stepTimeLimitMs) + " ms");
        ::Sleep(kPollMs);
    }
}

HWND CUiDriver::Control(int id) const
{
    HWND control = ::GetDlgItem(m_hMain, id);
    if (control == nullptr)
        Fail("the dialog has no control " + std::to_string(id));
    return control;
}

int CUiDriver::ResolveButton(const std::string& name) const
{
    for (const auto& button : kButtons)
        if (name == button.name)
            return button.id;
    return ToNumber(name, "button");
}

void CUiDriver::Play(const UiStep& step)
{
    if (!::IsWindow(m_hMain))
        Fail("the dialog is closed");
    const std::string& c = step.command;
    const std::vector<std::string>& a = step.args;
    if (c == "settle")
        Settle();
    else if (c == "slider")
        MoveSlider(a[0], a[1]);
    else if (c == "button") {
        const int button = ResolveButton(a[0]);
        Click(button);
        m_reopen = [this, button] { Click(button); };
        m_lastAction = Clock::now();
        return;
    }
    else if (c == "menu") {
        const int button = ResolveButton(a[0]);
        const std::string item = a[1];
        WithMenu([&] { ChooseMenuItem(button, item); });
        // A dialog the item opens may be waited for next.
        m_reopen = [this, button, item] { WithMenu([&] { ChooseMenuItem(button, item); }); };
        m_lastAction = Clock::now();
        return;
    }
    else if (c == "menu-items")
        WithMenu([&] { ListMenuItems(ResolveButton(a[0]), a.size() > 1 ? a[1] : std::string()); });
    else if (c == "position")
        WithMenu([&] { ChooseMenuItem(1019, a[0] == "top" ? "32793" : a[0] == "center" ? "32792" : "32791"); });
    else if (c == "outside")
        SetOutside(a[0]);
    else if (c == "color")
        PickColour(a[0]);
    else if (c == "chooser")
        AnswerChooser(a[0]);
    else if (c == "dialog")
        AnswerDialog(a[0]);
    else if (c == "input")
        TypeInput(a[0]);
    else if (c == "select")
        SelectListItem(a[0]);
    else if (c == "press")
        PressDialogButton(a[0]);
    else if (c == "drag-preview")
        DragPreview(ToNumber(a[0], "dx"), ToNumber(a[1], "dy"));
    else if (c == "drag-corner")
        DragCorner(ToNumber(a[0], "dx"), ToNumber(a[1], "dy"));
    else if (c == "key")
        PressKey(a[0]);
    else if (c == "zoom")
        ChooseZoom(a[0]);
    else if (c == "wheel")
        TurnWheel(ToNumber(a[0], "dx"), ToNumber(a[1], "dy"), ToNumber(a[2], "notches"));
    else if (c == "hold-preview")
        HoldPreview(a[0] == "on");
    else if (c == "screenshot")
        Screenshot(a[0]);
    else if (c == "state")
        ReportState();
    else if (c == "texts")
        ReportTexts();
    else if (c == "rects")
        ReportRects();
    else if (c == "pixel")
        ReportPixel(a[0], ToNumber(a[1], "x"), ToNumber(a[2], "y"));
    else if (c == "ok")
        Close(IDOK);
    else if (c == "cancel")
        Close(IDCANCEL);
    // Only the step right before a wait for a dialog is done again.
    m_reopen = nullptr;
    m_lastAction = Clock::now();
}

void CUiDriver::WithMenu(const std::function<void()>& work)
{
    for (int attempt = 1;; ++attempt) {
        try {
            work();
            return;
        } catch (const MenuLost& lost) {
            CloseMenus();
            if (attempt == kClickAttempts)
                Fail(lost.reason);
            Say("ui: " + lost.reason + "; opening the menu again");
        }
    }
}

void CUiDriver::WaitPainted(HWND window)
{
    // A paint waits until the thread's queue is empty, so catching up with
    // it does not mean the window shows its latest state.
    const Clock::time_point deadline = Deadline();
    for (;;) {
        CatchUp();
        if (!HasUpdate(window))
            return;
        CheckDeadline(deadline, "painted window");
        ::Sleep(kPollMs);
    }
}

void CUiDriver::Settle()
{
    // Past the coalescing timers a change has reached its handler; catching
    // up then waits for the render, and then for the paints it caused.
    const Clock::time_point deadline = Deadline();
    const auto quiet = m_lastAction + std::chrono::milliseconds(kTimerMarginMs);
    while (Clock::now() < quiet)
        ::Sleep(kPollMs);
    HWND preview = Control(kPreviewId);
    for (;;) {
        CatchUp();
        if (!HasUpdate(preview) && !HasUpdate(m_hMain))
            return;
        CheckDeadline(deadline, "settled preview");
        ::Sleep(kPollMs);
    }
}

void CUiDriver::MoveSlider(const std::string& name, const std::string& value)
{
    const ShadowParamInfo* info = FindShadowParam(name.c_str());
    const int id = info != nullptr && info->hasRange ? info->controlId : ToNumber(name, "slider");
    HWND slider = Control(id);
    LRESULT min = 0, max = 0, pos = 0, page = 0;
    if (!Ask(slider, TBM_GETRANGEMIN, 0, 0, min) || !Ask(slider, TBM_GETRANGEMAX, 0, 0, max) ||
        !Ask(slider, TBM_GETPOS, 0, 0, pos) || !Ask(slider, TBM_GETPAGESIZE, 0, 0, page))
        Fail("slider " + name + " did not answer");
    const int target = std::max<int>(min, std::min<int>(max, ToNumber(value, "slider value")));
    RECT client;
    ::GetClientRect(slider, &client);
    SliderMetrics m{PixelRect{client.left, client.top, client.right, client.bottom}, kSliderArrow, kSliderThumb,
                    static_cast<int32_t>(min), static_cast<int32_t>(max), static_cast<int32_t>(pos),
                    static_cast<int32_t>(page)};
    const PixelRect thumb = SliderThumbRect(m);
    if (target != pos && !thumb.IsEmpty()) {
        // Drag the thumb to where the value lies, as a user would.
        const int y = (thumb.top + thumb.bottom) / 2;
        const int from = (thumb.left + thumb.right) / 2;
        int to = from;
        int best = std::abs(SliderDragValue(m, from, 0) - target);
        for (int x = client.left; x < client.right; ++x) {
            const int miss = std::abs(SliderDragValue(m, x, 0) - target);
            if (miss < best) {
                best = miss;
                to = x;
            }
        }
        ::PostMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(from, y));
        for (int step = 1; step <= 4; ++step)
            ::PostMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, PointParam(from + (to - from) * step / 4, y));
        ::PostMessageA(slider, WM_LBUTTONUP, 0, PointParam(to, y));
        // The mouse leaves the slider, which lets go of it.
        ::PostMessageA(slider, WM_MOUSEMOVE, 0, PointParam(-20, -20));
        CatchUp();
        Ask(slider, TBM_GETPOS, 0, 0, pos);
    }
    // The last steps with the arrow keys.
    for (int i = 0; i < 2 && pos != target; ++i) {
        const int steps = std::abs(target - static_cast<int>(pos));
        for (int k = 0; k < steps; ++k)
            PostKey(slider, target > pos ? VK_RIGHT : VK_LEFT);
        CatchUp();
        Ask(slider, TBM_GETPOS, 0, 0, pos);
    }
    if (pos != target)
        Fail("slider " + name + " stands at " + std::to_string(pos) + ", not " + std::to_string(target));
}

void CUiDriver::Click(int id)
{
    HWND control = Control(id);
    const POINT centre = ChildCentre(control);
    PostClick(control, centre.x, centre.y);
    // A click that opens a modal dialog or menu is caught up with too: their
    // loops handle posted messages as well.
    CatchUp();
}

std::vector<HWND> CUiDriver::MenuWindows() const { return ThreadWindows(m_settings.uiThread, "#32768"); }

HMENU CUiDriver::OpenMenu(int buttonId)
{
    HWND button = Control(buttonId);
    const POINT centre = ChildCentre(button);
    // Once the dialog's thread has caught up with the click, its menu is on
    // screen, or the click went nowhere: a focus change in the display (a
    // chooser that just closed, say) cancels a menu as it opens, as it
    // would for a user, who then clicks again.
    for (int attempt = 1; attempt <= kClickAttempts; ++attempt) {
        PostClick(button, centre.x, centre.y);
        CatchUp();
        const std::vector<HWND> menus = MenuWindows();
        LRESULT handle = 0;
        if (!menus.empty()) {
            if (!Ask(menus.front(), MN_GETHMENU, 0, 0, handle) || handle == 0)
                Fail("the menu window has no menu");
            return reinterpret_cast<HMENU>(handle);
        }
        Say("ui: no menu after clicking button " + std::to_string(buttonId) + "; clicking again");
    }
    Fail("no menu from button " + std::to_string(buttonId) + " after " + std::to_string(kClickAttempts) + " clicks");
}

void CUiDriver::HighlightItem(HMENU menu, int position)
{
    // Down the menu with the arrow key until the item is highlighted;
    // separators are skipped by the menu itself.
    const int count = ::GetMenuItemCount(menu);
    for (int press = 0; press <= 2 * count + 1; ++press) {
        if (IsHighlighted(menu, position))
            return;
        const std::vector<HWND> menus = MenuWindows();
        if (menus.empty())
            throw MenuLost{{"the menu closed"}};
        PostKey(menus.back(), VK_DOWN);
        CatchUp();
    }
    throw MenuLost{{"menu item " + std::to_string(position) + " cannot be reached with the keyboard"}};
}

void CUiDriver::OpenSubmenu(HMENU menu, int position, size_t levelsBefore)
{
    HighlightItem(menu, position);
    PostKey(MenuWindows().back(), VK_RIGHT);
    const Clock::time_point deadline = Deadline();
    for (std::vector<HWND> menus = MenuWindows(); menus.size() <= levelsBefore; menus = MenuWindows()) {
        // A focus change in the display can close the menu before its
        // submenu opens; then the whole menu is opened again.
        if (menus.empty())
            throw MenuLost{{"the menu closed before its submenu opened"}};
        CheckDeadline(deadline, "submenu");
        ::Sleep(kPollMs);
    }
    CatchUp();
}

void CUiDriver::CloseMenus()
{
    const Clock::time_point deadline = Deadline();
    for (std::vector<HWND> menus = MenuWindows(); !menus.empty(); menus = MenuWindows()) {
        PostKey(menus.back(), VK_ESCAPE);
        CatchUp();
        CheckDeadline(deadline, "closed menu");
    }
}

void CUiDriver::ChooseMenuItem(int buttonId, const std::string& item)
{
    HMENU menu = OpenMenu(buttonId);
    std::vector<int> path;
    const bool numeric = !item.empty() && item.find_first_not_of("0123456789") == std::string::npos;
    if (!(numeric ? FindCommand(menu, static_cast<UINT>(std::atoi(item.c_str())), path) : FindText(menu, item, path))) {
        CloseMenus();
        Fail("the menu has no item '" + item + "'");
    }
    for (size_t level = 0; level + 1 < path.size(); ++level) {
        OpenSubmenu(menu, path[level], level + 1);
        menu = ::GetSubMenu(menu, path[level]);
    }
    const int last = path.back();
    const std::string text = MenuItemText(menu, last);
    const UINT state = ::GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION);
    if ((state & (MF_GRAYED | MF_DISABLED)) != 0) {
        CloseMenus();
        Fail("menu item '" + text + "' is greyed");
    }
    HighlightItem(menu, last);
    PostKey(MenuWindows().back(), VK_RETURN);
    const Clock::time_point deadline = Deadline();
    while (!MenuWindows().empty()) {
        CheckDeadline(deadline, "closed menu after '" + text + "'");
        ::Sleep(kPollMs);
    }
    CatchUp();
    Say("ui: chose '" + text + "'");
}

void CUiDriver::ListMenuItems(int buttonId, const std::string& submenu)
{
    HMENU menu = OpenMenu(buttonId);
    if (!submenu.empty()) {
        std::vector<int> path;
        if (!FindText(menu, submenu, path)) {
            CloseMenus();
            Fail("the menu has no submenu '" + submenu + "'");
        }
        for (size_t level = 0; level < path.size(); ++level) {
            OpenSubmenu(menu, path[level], level + 1);
            menu = ::GetSubMenu(menu, path[level]);
        }
    }
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & MF_SEPARATOR) != 0 && ::GetSubMenu(menu, i) == nullptr) {
            Say("ui: menu item " + std::to_string(i) + ": separator");
            continue;
        }
        std::string line = "ui: menu item " + std::to_string(i) + ": " +
                           std::to_string(static_cast<int>(::GetMenuItemID(menu, i))) + " '" + MenuItemText(menu, i) +
                           "'";
        if (::GetSubMenu(menu, i) != nullptr)
            line += " submenu";
        if ((state & MF_CHECKED) != 0)
            line += " checked";
        if ((state & (MF_GRAYED | MF_DISABLED)) != 0)
            line += " greyed";
        Say(line);
    }
    CloseMenus();
}

void CUiDriver::SetOutside(const std::string& state)
{
    const LRESULT wanted = state == "on" ? BST_CHECKED : BST_UNCHECKED;
    LRESULT check = 0;
    for (int attempt = 0; attempt <= kClickAttempts; ++attempt) {
        if (!Ask(Control(1016), BM_GETCHECK, 0, 0, check))
            Fail("\"Only Outside\" did not answer");
        if (check == wanted)
            return;
        if (attempt < kClickAttempts)
            Click(1016);
    }
    Fail("\"Only Outside\" did not switch " + state);
}

void CUiDriver::PickColour(const std::string& rgb)
{
    const unsigned colour = ParseRgbHex(rgb);
    if (m_settings.hostPicksColours) {
        const int calls = ColorChoiceCalls();
        OfferColorAnswer(colour);
        for (int attempt = 0; attempt < kClickAttempts && ColorChoiceCalls() == calls; ++attempt)
            Click(1014);
        if (ColorChoiceCalls() == calls)
            Fail("the colour button did not ask the host's colour services");
        return;
    }
    Click(1014);
    m_reopen = [this] { Click(1014); };
    AnswerChooser(rgb);
}

void CUiDriver::AnswerChooser(const std::string& answer)
{
    HWND chooser = WaitForOtherDialog("colour chooser", kChooserRed);
    Say("ui: colour chooser \"" + TextOf(chooser) + "\"");
    if (answer == "cancel") {
        HWND button = ::GetDlgItem(chooser, IDCANCEL);
        const POINT centre = ChildCentre(button);
        PostClick(button, centre.x, centre.y);
    } else {
        const unsigned colour = ParseRgbHex(answer);
        const unsigned channels[3] = {colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF};
        for (int i = 0; i < 3; ++i) {
            const std::string text = std::to_string(channels[i]);
            LRESULT ignored = 0;
            Ask(::GetDlgItem(chooser, kChooserRed + i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                ignored);
        }
        HWND ok = ::GetDlgItem(chooser, IDOK);
        const POINT centre = ChildCentre(ok);
        PostClick(ok, centre.x, centre.y);
    }
    WaitUntilGone(chooser, "the colour chooser");
    CatchUp();
}

void CUiDriver::AnswerDialog(const std::string& answer)
{
    HWND dialog = WaitForOtherDialog("dialog");
    CatchUp();
    Say(DescribeDialog(dialog));
    const struct {
        const char* name;
        int id;
        const char* caption;
    } answers[] = {{"ok", IDOK, "OK"}, {"yes", IDYES, "Yes"}, {"no", IDNO, "No"}, {"cancel", IDCANCEL, "Cancel"}};
    HWND button = nullptr;
    for (const auto& a : answers) {
        if (answer != a.name)
            continue;
        button = ::GetDlgItem(dialog, a.id);
        // Dialogs that number their buttons otherwise: the button by its text.
        for (HWND child = ::GetWindow(dialog, GW_CHILD); button == nullptr && child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            if (::IsWindowVisible(child) && ClassOf(child) == "Button" && ShownText(TextOf(child)) == a.caption)
                button = child;
    }
    if (button != nullptr && ::IsWindowVisible(button)) {
        const POINT centre = ChildCentre(button);
        PostClick(button, centre.x, centre.y);
    } else if (answer == "cancel") {
        PostKey(dialog, VK_ESCAPE);
    } else if (answer == "ok") {
        PostKey(dialog, VK_RETURN);
    } else {
        Fail("the dialog has no button '" + answer + "'");
    }
    WaitUntilGone(dialog, "the dialog");
    CatchUp();
}

HWND CUiDriver::OtherDialogChild(const char* className, const std::string& what)
{
    HWND dialog = WaitForOtherDialog(what);
    CatchUp();
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child) && ClassOf(child) == className &&
            (std::string(className) != "Button" || ShownText(TextOf(child)) == what))
            return child;
    Fail("the dialog \"" + TextOf(dialog) + "\" has no " + what);
}

void CUiDriver::TypeInput(const std::string& text)
{
    HWND edit = OtherDialogChild("Edit", "edit box");
    // What is there goes, as a user selecting it all and typing over it.
    ::PostMessageA(edit, EM_SETSEL, 0, -1);
    PostKey(edit, VK_DELETE);
    for (char c : text)
        ::PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    CatchUp();
    if (TextOf(edit) != text)
        Fail("the edit box holds '" + TextOf(edit) + "'");
}

void CUiDriver::SelectListItem(const std::string& text)
{
    HWND list = OtherDialogChild("ListBox", "list box");
    LRESULT index = LB_ERR;
    if (!Ask(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()), index) ||
        index == LB_ERR)
        Fail("the list has no item '" + text + "'");
    // A click on the item, as the list box takes it.
    RECT item{};
    LRESULT ignored = 0;
    Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item), ignored);
    PostClick(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    CatchUp();
    LRESULT selected = LB_ERR;
    Ask(list, LB_GETCURSEL, 0, 0, selected);
    if (selected != index)
        Fail("the list item '" + text + "' did not become selected");
}

void CUiDriver::PressDialogButton(const std::string& caption)
{
    HWND button = OtherDialogChild("Button", caption);
    const POINT centre = ChildCentre(button);
    PostClick(button, centre.x, centre.y);
    CatchUp();
}

void CUiDriver::DragPreview(int dx, int dy)
{
    HWND preview = Control(kPreviewId);
    const POINT from = ChildCentre(preview);
    const int steps = std::max(1, std::min(40, std::max(std::abs(dx), std::abs(dy)) / 8));
    ::PostMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(from.x, from.y));
    for (int i = 1; i <= steps; ++i) {
        // One step at a time, as fast as the dialog keeps up.
        ::PostMessageA(preview, WM_MOUSEMOVE, MK_LBUTTON,
                       PointParam(from.x + dx * i / steps, from.y + dy * i / steps));
        CatchUp();
    }
    ::PostMessageA(preview, WM_LBUTTONUP, 0, PointParam(from.x + dx, from.y + dy));
    CatchUp();
}

void CUiDriver::DragCorner(int dx, int dy)
{
    RECT before;
    ::GetWindowRect(m_hMain, &before);
    // Inside the frame's bottom-right sizing zone (the last 10 pixels).
    const POINT from{before.right - 4, before.bottom - 4};
    InputMouseMove(from.x, from.y);
    CatchUp();
    InputMouseButton(true);
    CatchUp();
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        InputMouseMove(from.x + dx * i / steps, from.y + dy * i / steps);
        CatchUp();
    }
    InputMouseButton(false);
    CatchUp();
    RECT after;
    ::GetWindowRect(m_hMain, &after);
    Say("ui: window " + std::to_string(before.right - before.left) + "x" + std::to_string(before.bottom - before.top) +
        " -> " + std::to_string(after.right - after.left) + "x" + std::to_string(after.bottom - after.top));
    if (after.right - after.left == before.right - before.left && after.bottom - after.top == before.bottom - before.top &&
        (dx != 0 || dy != 0))
        Fail("the dialog did not change size");
}

void CUiDriver::PressKey(const std::string& key)
{
    // The zoom keys are characters: what the keyboard's translation hands
    // the dialog, whatever the layout puts them on.
    const char typed = key == "plus" ? '+' : key == "minus" ? '-' : key == "0" ? '0' : key == "1" ? '1' : 0;
    if (typed != 0) {
        ::PostMessageA(m_hMain, WM_CHAR, static_cast<WPARAM>(typed), 1);
        CatchUp();
        return;
    }
    if (key != "escape" && key != "return")
        Fail("key takes escape, return, plus, minus, 0 or 1");
    PostKey(m_hMain, key == "escape" ? VK_ESCAPE : VK_RETURN);
    CatchUp();
}

namespace {

const char* const kZoomNames[] = {"fit", "25", "50", "100", "200", "400"};

}  // namespace

void CUiDriver::ChooseZoom(const std::string& level)
{
    HWND list = Control(kZoomListId);
    int index = -1;
    for (int i = 0; i < 6; ++i)
        if (level == kZoomNames[i])
            index = i;
    if (index < 0)
        Fail("zoom takes fit, 25, 50, 100, 200 or 400");
    // As a choice in the open list ends: the selection, then its notice.
    ::PostMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageA(m_hMain, WM_COMMAND, MAKEWPARAM(kZoomListId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    CatchUp();
}

void CUiDriver::TurnWheel(int dx, int dy, int notches)
{
    HWND preview = Control(kPreviewId);
    const POINT centre = ChildCentre(preview);
    POINT point{centre.x + dx, centre.y + dy};
    ::ClientToScreen(preview, &point);
    const int step = notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
    for (int i = 0; i < std::abs(notches); ++i) {
        ::PostMessageA(preview, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(static_cast<short>(step))),
                       MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
        CatchUp();
    }
}

void CUiDriver::HoldPreview(bool hold)
{
    HWND preview = Control(kPreviewId);
    const POINT centre = ChildCentre(preview);
    ::PostMessageA(preview, hold ? WM_RBUTTONDOWN : WM_RBUTTONUP, hold ? MK_RBUTTON : 0,
                   PointParam(centre.x, centre.y));
    CatchUp();
}

void CUiDriver::Screenshot(const std::string& path)
{
    std::string error;
    if (!SaveWindowPicture(m_hMain, path, error))
        Fail("screenshot " + path + ": " + error);
    RECT rect;
    ::GetWindowRect(m_hMain, &rect);
    Say("ui: screenshot " + path + " " + std::to_string(rect.right - rect.left) + "x" +
        std::to_string(rect.bottom - rect.top));
}

void CUiDriver::ReportState()
{
    std::string line = "ui state:";
    for (const ShadowParamInfo& info : kShadowParamTable) {
        if (!info.hasRange)
            continue;
        LRESULT pos = 0;
        if (!Ask(Control(info.controlId), TBM_GETPOS, 0, 0, pos))
            Fail("slider " + std::string(info.name) + " did not answer");
        line += " " + std::string(info.name) + "=" + std::to_string(pos);
    }
    LRESULT check = 0;
    Ask(Control(1016), BM_GETCHECK, 0, 0, check);
    line += " outside=" + std::to_string(check == BST_CHECKED ? 1 : 0);
    // The colour button shows its colour as a flat swatch; its middle holds
    // the caption, so the swatch is read beside it, once the button has
    // painted what it was last told.
    HWND colour = Control(1014);
    WaitPainted(colour);
    RECT dialogRect, buttonRect;
    ::GetWindowRect(m_hMain, &dialogRect);
    ::GetWindowRect(colour, &buttonRect);
    COLORREF swatch = 0;
    if (PixelAt(m_hMain, buttonRect.left - dialogRect.left + 6, (buttonRect.top + buttonRect.bottom) / 2 - dialogRect.top,
                swatch))
        line += " color=" + Hex(swatch);
    line += " window=" + std::to_string(dialogRect.left) + "," + std::to_string(dialogRect.top) + "," +
            std::to_string(dialogRect.right - dialogRect.left) + "x" + std::to_string(dialogRect.bottom - dialogRect.top);
    LRESULT zoom = -1;
    Ask(Control(kZoomListId), CB_GETCURSEL, 0, 0, zoom);
    line += " preview-zoom=" + std::string(zoom >= 0 && zoom < 6 ? kZoomNames[zoom] : "none");
    Say(line);
}

void CUiDriver::ReportTexts()
{
    std::string line = "ui texts: title '" + TextOf(m_hMain) + "'";
    for (HWND child = ::GetWindow(m_hMain, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        const std::string text = TextOf(child);
        // The hidden caption static is the title the frame paints.
        if (!text.empty() && (::IsWindowVisible(child) || id == 1004))
            line += " " + std::to_string(id) + "='" + text + "'";
    }
    Say(line);
}

void CUiDriver::ReportRects()
{
    RECT client;
    ::GetClientRect(m_hMain, &client);
    std::string line = "ui rects: client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom);
    for (HWND child = ::GetWindow(m_hMain, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, m_hMain, reinterpret_cast<POINT*>(&rect), 2);
        line += " " + std::to_string(::GetDlgCtrlID(child)) + "=" + std::to_string(rect.left) + "," +
                std::to_string(rect.top) + "," + std::to_string(rect.right) + "," + std::to_string(rect.bottom);
    }
    Say(line);
}

void CUiDriver::ReportPixel(const std::string& control, int x, int y)
{
    RECT dialogRect, controlRect;
    ::GetWindowRect(m_hMain, &dialogRect);
    controlRect = dialogRect;
    HWND window = control == "dialog" ? m_hMain : Control(ResolveButton(control));
    WaitPainted(window);
    ::GetWindowRect(window, &controlRect);
    COLORREF colour = 0;
    if (!PixelAt(m_hMain, controlRect.left - dialogRect.left + x, controlRect.top - dialogRect.top + y, colour))
        Fail("no pixel at " + std::to_string(x) + "," + std::to_string(y) + " of " + control);
    Say("ui pixel " + control + " " + std::to_string(x) + " " + std::to_string(y) + ": " + Hex(colour));
}

void CUiDriver::Close(int buttonId)
{
    HWND button = Control(buttonId);
    const POINT centre = ChildCentre(button);
    PostClick(button, centre.x, centre.y);
    // Closing can bring up messages of its own (a host that cannot take the
    // recorded descriptor, say): they are answered as the watcher would.
    // OK renders the result first, which takes a while on a big image.
    const Clock::time_point deadline = Deadline();
    int clicks = 1;
    auto retryAt = Clock::now() + std::chrono::seconds(2);
    while (::IsWindow(m_hMain) && ::IsWindowVisible(m_hMain)) {
        AnswerStrayDialogs();
        if (Clock::now() > deadline)
            Fail("the dialog stayed open for " + std::to_string(m_settings.stepTimeLimitMs) + " ms");
        if (Clock::now() > retryAt && clicks < kClickAttempts && m_settings.sync->CatchUp(200) &&
            FindOtherDialog() == nullptr && ::IsWindowVisible(m_hMain)) {
            // The dialog's thread is idle in its loop with the dialog still
            // open: the click went nowhere.
            Say("ui: the dialog is still open after the click; clicking again");
            PostClick(button, centre.x, centre.y);
            ++clicks;
            retryAt = Clock::now() + std::chrono::seconds(2);
        }
        ::Sleep(kPollMs);
    }
}

void CUiDriver::AnswerStrayDialogs()
{
    for (HWND dialog : ThreadWindows(m_settings.uiThread, "#32770")) {
        if (dialog == m_hMain || std::find(m_answered.begin(), m_answered.end(), dialog) != m_answered.end())
            continue;
        // A dialog still being made is not shown yet, and the main dialog
        // may appear between one look for it and this one: neither is a
        // stray message to be answered.
        if (!::IsWindowVisible(dialog) || IsMainDialog(dialog))
            continue;
        m_answered.push_back(dialog);
        Say(DescribeDialog(dialog));
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

void CUiDriver::CancelEverything()
{
    // Whatever is open goes, so the module's call can return.
    for (HWND menu : MenuWindows())
        PostKey(menu, VK_ESCAPE);
    for (int round = 0; round < 10 && !m_bModuleReturned; ++round) {
        for (HWND dialog : ThreadWindows(m_settings.uiThread, "#32770"))
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        const Clock::time_point wait = Clock::now() + std::chrono::milliseconds(m_settings.stepTimeLimitMs / 10);
        while (!m_bModuleReturned && Clock::now() < wait && !ThreadWindows(m_settings.uiThread, "#32770").empty())
            ::Sleep(kPollMs);
        if (ThreadWindows(m_settings.uiThread, "#32770").empty())
            return;
    }
    if (!m_bModuleReturned && !ThreadWindows(m_settings.uiThread, "#32770").empty()) {
        Say("ui: the dialog did not close");
        ::TerminateProcess(::GetCurrentProcess(), 3);
    }
}
