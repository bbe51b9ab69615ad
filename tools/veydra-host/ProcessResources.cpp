#include "ProcessResources.h"

#include <windows.h>
#include <psapi.h>

#include "support/GuiCounters.h"

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// Windows are the user objects a dialog leaks most; Wine reports no user
// object count (GetGuiResources answers 0), so the process's windows are
// counted instead: top-level windows of any of its threads, and their
// children.
BOOL CALLBACK CountOwnWindows(HWND window, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return TRUE;
    ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(window, CountChild, counter);
    return TRUE;
}

// Committed private memory, region by region. Wine leaves PrivateUsage at 0,
// so the address space is walked instead: the same figure Windows reports,
// committed pages that belong to this process alone.
uint64_t CommittedPrivateBytes()
{
    uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    const char* address = nullptr;
    while (VirtualQuery(address, &region, sizeof(region)) == sizeof(region)) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

// Bytes in use in every heap of the process, block by block: finer than the
// committed pages, which a heap takes in large steps, so a leak of a few
// bytes per run shows here long before it shows there.
void MeasureHeaps(ProcessResources& r)
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                r.heapBytes += entry.cbData;
                ++r.heapBlocks;
            }
        }
        HeapUnlock(heaps[i]);
    }
}

}  // namespace

ProcessResources MeasureProcess()
{
    ProcessResources r;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof(memory)))
        r.privateBytes = memory.PrivateUsage;
    if (r.privateBytes == 0)
        r.privateBytes = CommittedPrivateBytes();
    MeasureHeaps(r);
    r.gdiObjects = CountGdiObjects();
    EnumWindows(CountOwnWindows, reinterpret_cast<LPARAM>(&r.windows));
    // Wine answers 0; the report then says "handles 0".
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles))
        r.handles = handles;
    return r;
}

std::string DescribeResources(const ProcessResources& r)
{
    return "private " + std::to_string(r.privateBytes / 1024) + " KB, heap " + std::to_string(r.heapBytes) +
           " bytes in " + std::to_string(r.heapBlocks) + " blocks, GDI objects " + std::to_string(r.gdiObjects) +
           ", windows " + std::to_string(r.windows) + ", handles " + std::to_string(r.handles);
}
