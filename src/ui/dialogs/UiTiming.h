// Timestamps of the main dialog's work, for benchmarks: off unless the
// environment variable VEYDRA_TIMING names a file. Then every mark is kept
// as one line "<milliseconds> <event> [<value>]", the milliseconds counted
// by the performance counter from the first use in the process, and the
// lines are appended to the file when the dialog ends (Flush), so writing
// never falls inside a measured span. Switched off, a mark costs one test
// of a flag.
#pragma once

#include <string>

class CUiTiming {
public:
    CUiTiming();
    bool Enabled() const { return m_bEnabled; }
    void Mark(const char* event, long value = -1);
    void Flush();

private:
    bool m_bEnabled;
    std::string m_strPath;
    std::string m_strLines;
    long long m_nOrigin;
    long long m_nFrequency;
};

CUiTiming& UiTiming();
