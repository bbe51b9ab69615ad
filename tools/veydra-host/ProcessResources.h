// What the host process holds of the system's resources, for the leak
// check: a plug-in that runs a hundred times in one host must leave these
// where they were after its first few runs.
#pragma once

#include <cstdint>
#include <string>

struct ProcessResources {
    uint64_t privateBytes = 0;  // committed private memory (PrivateUsage)
    uint64_t heapBytes = 0;     // in use in the process's heaps
    uint64_t heapBlocks = 0;
    int gdiObjects = -1;        // -1: not countable here
    int windows = 0;            // the process's windows, top-level and children
    unsigned long handles = 0;  // kernel handles; 0 when not reported
};

ProcessResources MeasureProcess();

// One line of the host's report.
std::string DescribeResources(const ProcessResources& resources);
