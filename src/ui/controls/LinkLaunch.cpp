#include "ui/controls/LinkLaunch.h"

#include <shellapi.h>

#include <vector>

#include "ui/controls/LinkText.h"

namespace {

intptr_t SystemShellOpen(const char* address, int show)
{
    return reinterpret_cast<intptr_t>(::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, show));
}

unsigned SystemWinExec(const char* commandLine, int show) { return ::WinExec(commandLine, static_cast<UINT>(show)); }

// The default value of `subKey` under `root`, at most `limit` bytes; false
// if the key cannot be opened or holds no text.
bool ReadDefaultValue(HKEY root, const std::string& subKey, DWORD limit, std::string& value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    std::vector<char> buffer(limit + 1, '\0');
    DWORD size = limit;
    DWORD type = 0;
    const LONG status = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value.assign(buffer.data());
    return !value.empty();
}

intptr_t SystemLaunch(const std::string& address, int show) { return LaunchBrowser(address, show, SystemBrowserOps()); }

LinkLauncher g_launcher = &SystemLaunch;

}  // namespace

BrowserLaunchOps SystemBrowserOps() { return BrowserLaunchOps{&SystemShellOpen, &SystemWinExec, HKEY_CLASSES_ROOT}; }

intptr_t LaunchBrowser(const std::string& address, int show, const BrowserLaunchOps& ops)
{
    const intptr_t shellResult = ops.shellOpen(address.c_str(), show);
    if (shellResult > 32)
        return shellResult;
    std::string pageClass;
    std::string command;
    if (!ReadDefaultValue(ops.classesRoot, ".htm", 260, pageClass) ||
        !ReadDefaultValue(ops.classesRoot, pageClass + "\\shell\\open\\command", 2048, command))
        return shellResult;
    return static_cast<intptr_t>(ops.winExec(BrowserCommandLine(command, address).c_str(), show));
}

LinkLauncher SetLinkLauncher(LinkLauncher launcher)
{
    const LinkLauncher previous = g_launcher;
    g_launcher = launcher != nullptr ? launcher : &SystemLaunch;
    return previous;
}

intptr_t LaunchLink(const std::string& address, int show) { return g_launcher(address, show); }
