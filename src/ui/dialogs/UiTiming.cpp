#include "ui/dialogs/UiTiming.h"

#include <windows.h>

#include <cstdio>

CUiTiming::CUiTiming() : m_bEnabled(false), m_nOrigin(0), m_nFrequency(1)
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetEnvironmentVariableA("VEYDRA_TIMING", path, sizeof path);
    m_bEnabled = length > 0 && length < sizeof path;
    if (!m_bEnabled)
        return;
    m_strPath = path;
    LARGE_INTEGER value;
    ::QueryPerformanceFrequency(&value);
    m_nFrequency = value.QuadPart;
    ::QueryPerformanceCounter(&value);
    m_nOrigin = value.QuadPart;
}

void CUiTiming::Mark(const char* event, long value)
{
    if (!m_bEnabled)
        return;
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    const double ms = static_cast<double>(now.QuadPart - m_nOrigin) * 1000.0 / static_cast<double>(m_nFrequency);
    char line[160];
    if (value >= 0)
        std::snprintf(line, sizeof line, "%.3f %s %ld\n", ms, event, value);
    else
        std::snprintf(line, sizeof line, "%.3f %s\n", ms, event);
    m_strLines += line;
}

void CUiTiming::Flush()
{
    if (!m_bEnabled || m_strLines.empty())
        return;
    if (FILE* file = std::fopen(m_strPath.c_str(), "a")) {
        std::fputs(m_strLines.c_str(), file);
        std::fclose(file);
    }
    m_strLines.clear();
}

CUiTiming& UiTiming()
{
    static CUiTiming timing;
    return timing;
}
