// The host's report on stdout. The dialog watcher prints from its own
// thread, so every line goes out whole and at once.
#pragma once

#include <string>

void Say(const std::string& line);
