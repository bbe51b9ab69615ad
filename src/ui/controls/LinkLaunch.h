// Opening a web address in the user's browser: the shell's "open" verb, and
// when that fails, the program registered for ".htm" pages run directly.
//
// The system calls sit behind small seams so that tests can check the
// fallback without starting a browser (under Wine the shell's launch leaves
// a waiting process behind).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct BrowserLaunchOps {
    intptr_t (*shellOpen)(const char* address, int show);  // ShellExecute "open"
    unsigned (*winExec)(const char* commandLine, int show);
    HKEY classesRoot;  // where ".htm" and its class are looked up
};

// ShellExecute, WinExec and HKEY_CLASSES_ROOT.
BrowserLaunchOps SystemBrowserOps();

// Above 32: success. Otherwise the shell's (or WinExec's) failure code.
intptr_t LaunchBrowser(const std::string& address, int show, const BrowserLaunchOps& ops);

// The launch the web link uses: LaunchBrowser with the system's calls,
// unless a test put its own in place (null restores it; returns the previous).
typedef intptr_t (*LinkLauncher)(const std::string& address, int show);
LinkLauncher SetLinkLauncher(LinkLauncher launcher);
intptr_t LaunchLink(const std::string& address, int show);
