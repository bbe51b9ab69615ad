#include "support/GuiCounters.h"

#include <cstdint>

namespace {

#pragma pack(push, 4)
// One entry of the GDI handle table (the same layout on 32- and 64-bit).
struct GdiHandleEntry {
    uint64_t object;
    uint16_t processId;
    uint16_t count;
    uint16_t unique;
    uint8_t type;  // 0: free
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle entry layout");

const int kGdiTableEntries = 0x10000;

// The thread's TEB, through its self pointer.
const char* CurrentTeb()
{
    const char* teb;
#ifdef _WIN64
    asm volatile("movq %%gs:0x30, %0" : "=r"(teb));
#else
    asm volatile("movl %%fs:0x18, %0" : "=r"(teb));
#endif
    return teb;
}

template <class T>
T ReadAt(uintptr_t address)
{
    return *reinterpret_cast<const T*>(address);
}

const GdiHandleEntry* GdiHandleTable()
{
    const uintptr_t teb = reinterpret_cast<uintptr_t>(CurrentTeb());
#ifdef _WIN64
    const uintptr_t peb = ReadAt<uintptr_t>(teb + 0x60);
    return ReadAt<const GdiHandleEntry*>(peb + 0xF8);
#else
    const uintptr_t peb = ReadAt<uintptr_t>(teb + 0x30);
    const GdiHandleEntry* table = ReadAt<const GdiHandleEntry*>(peb + 0x94);
    if (table != nullptr)
        return table;
    // A 32-bit process under a 64-bit kernel (WoW64, and Wine) keeps the
    // table in the 64-bit PEB, reached through the 64-bit TEB whose address
    // the 32-bit TEB holds in GdiBatchCount.
    const uint32_t teb64 = ReadAt<uint32_t>(teb + 0xF70);
    if (teb64 == 0)
        return nullptr;
    const uint64_t peb64 = ReadAt<uint64_t>(static_cast<uintptr_t>(teb64) + 0x60);
    const uint64_t table64 = ReadAt<uint64_t>(static_cast<uintptr_t>(peb64) + 0xF8);
    return reinterpret_cast<const GdiHandleEntry*>(static_cast<uintptr_t>(table64));
#endif
}

BOOL CALLBACK CountOne(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    ::EnumChildWindows(window, &CountOne, counter);
    return TRUE;
}

}  // namespace

const char* GdiCountSource()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS) != 0 ? "GetGuiResources" : "GDI handle table";
}

int CountGdiObjects()
{
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0)
        return static_cast<int>(reported);
    const GdiHandleEntry* table = GdiHandleTable();
    if (table == nullptr)
        return -1;
    int count = 0;
    for (int i = 0; i < kGdiTableEntries; ++i)
        count += table[i].type != 0 ? 1 : 0;
    return count;
}

int CountThreadWindows()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWithChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}
