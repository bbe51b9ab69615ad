// Running veydra-host as a child process under Wine, as a user would, and
// reading its report. Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct HostReport {
    DWORD exitCode = 0;
    std::vector<std::string> lines;

    bool Has(const std::string& line) const;
    // The first line that starts with `prefix`, or "" when there is none.
    std::string Line(const std::string& prefix) const;
    // The number after "result " on the selector's line; 9999 when missing.
    int Result(int selector) const;
    std::string Text() const;
};

// Runs `exe args` and waits for it (at most `timeoutMs`; then it is killed
// and the exit code is 9999).
HostReport RunProcess(const std::string& exe, const std::string& args, DWORD timeoutMs = 120000);

// Quotes a path or value for a command line.
std::string Quote(const std::string& text);
