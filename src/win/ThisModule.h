// The module that contains this code: the plug-in's own .8bf when loaded by a
// host, the executable in a test. Resources and language files are looked up
// here, never in the host's executable.
#pragma once

#include <windows.h>

#include <string>

HMODULE ThisModule();

// Drive and directory of ThisModule(), with a trailing backslash.
std::string ThisModuleFolder();
