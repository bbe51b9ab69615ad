#include "DialogWatcher.h"

#include <chrono>
#include <map>
#include <vector>

#include "HostLog.h"

namespace {

const int kPollMs = 20;

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// The icon resource `icon` was loaded from, 0 if it was made otherwise.
WORD IconResourceId(HICON icon)
{
    ICONINFOEXA info{};
    info.cbSize = sizeof info;
    if (!GetIconInfoExA(icon, &info))
        return 0;
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return info.wResID;
}

// The icon a static control shows, by name: the system's message-box icons,
// and the plug-in's own warning (177) and question (178) icons of its
// skinned message dialog.
std::string IconKind(HWND control)
{
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutA(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &icon) || icon == 0)
        return "";
    const struct {
        LPCSTR id;
        const char* name;
    } kinds[] = {{IDI_WARNING, "warning"},
                 {IDI_QUESTION, "question"},
                 {IDI_INFORMATION, "information"},
                 {IDI_ERROR, "error"}};
    for (const auto& kind : kinds)
        if (reinterpret_cast<HICON>(icon) == LoadIconA(nullptr, kind.id))
            return kind.name;
    switch (IconResourceId(reinterpret_cast<HICON>(icon))) {
    case 177:
        return "warning";
    case 178:
        return "question";
    default:
        return "other";
    }
}

struct Texts {
    std::vector<std::string> lines;
    std::string icon;
};

BOOL CALLBACK CollectText(HWND child, LPARAM param)
{
    Texts* texts = reinterpret_cast<Texts*>(param);
    // Only what the user sees: the skinned frames keep their title in a
    // hidden static.
    if (ClassOf(child) != "Static" || !IsWindowVisible(child))
        return TRUE;
    const std::string icon = IconKind(child);
    if (!icon.empty()) {
        texts->icon = icon;
        return TRUE;
    }
    const std::string text = WindowText(child);
    if (!text.empty())
        texts->lines.push_back(text);
    return TRUE;
}

struct ThreadDialogs {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && ClassOf(window) == "#32770")
        reinterpret_cast<ThreadDialogs*>(param)->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CountDialog(HWND window, LPARAM count)
{
    if (ClassOf(window) == "#32770")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

int CountThreadDialogs(DWORD thread)
{
    int count = 0;
    EnumThreadWindows(thread, CountDialog, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string DescribeDialog(HWND dialog)
{
    Texts texts;
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
    std::string line = "dialog: caption \"" + WindowText(dialog) + "\" icon " +
                       (texts.icon.empty() ? "none" : texts.icon) + " text";
    for (const std::string& text : texts.lines)
        line += " \"" + text + "\"";
    return line;
}

CDialogWatcher::CDialogWatcher(DWORD uiThreadId, int timeLimitMs)
    : m_uiThreadId(uiThreadId), m_nTimeLimitMs(timeLimitMs), m_thread(&CDialogWatcher::Watch, this)
{
}

CDialogWatcher::~CDialogWatcher()
{
    m_bStop = true;
    m_thread.join();
}

void CDialogWatcher::Watch()
{
    std::map<HWND, std::chrono::steady_clock::time_point> closing;
    while (!m_bStop) {
        ThreadDialogs dialogs;
        EnumThreadWindows(m_uiThreadId, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
        const auto now = std::chrono::steady_clock::now();
        for (HWND dialog : dialogs.found) {
            if (m_seen.insert(dialog).second) {
                Handle(dialog);
                closing[dialog] = now;
            } else if (now - closing[dialog] > std::chrono::milliseconds(m_nTimeLimitMs)) {
                Say("watcher: a dialog stayed open longer than " + std::to_string(m_nTimeLimitMs) + " ms");
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
        // A closed window's handle may be reused by the next dialog.
        for (auto it = m_seen.begin(); it != m_seen.end();)
            it = IsWindow(*it) ? std::next(it) : m_seen.erase(it);
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

void CDialogWatcher::Handle(HWND dialog)
{
    Say(DescribeDialog(dialog));
    // Hidden ones too: a dialog object that should have made no window.
    Say("watcher: the thread has " + std::to_string(CountThreadDialogs(m_uiThreadId)) + " dialog windows");
    // The default button, as a user pressing Enter would; IDCANCEL when the
    // dialog names none.
    DWORD_PTR defId = 0;
    int button = IDCANCEL;
    if (SendMessageTimeoutA(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, 1000, &defId) &&
        HIWORD(defId) == DC_HASDEFID)
        button = LOWORD(defId);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    ++m_nClosed;
}
