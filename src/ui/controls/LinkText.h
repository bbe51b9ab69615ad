// Texts and command lines of the web link. Portable: no <windows.h>.
#pragma once

#include <string>

// The message shown when opening an address failed with `result` (a
// ShellExecute / WinExec result of 32 or less).
std::string LinkErrorMessage(int result);

// The command that opens `address` with a browser registered for web pages:
// the registered command line cut at its placeholder ("%1", preferably a
// quoted one, cut before the opening quote), then a blank and the address.
std::string BrowserCommandLine(const std::string& registered, const std::string& address);
