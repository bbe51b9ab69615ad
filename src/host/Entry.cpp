// The exported entry points. Hosts find PluginMainVeydra through the
// registration resource; PluginMain is the conventional name some tools
// call directly. Both are C-linkage, cdecl, and exported undecorated.
#include <windows.h>

#include "host/HostRecords.h"
#include "host/PlugInApp.h"

namespace __gnu_cxx {
// The C++ runtime's own release of what it allocates for itself at start-up.
void __freeres();
}  // namespace __gnu_cxx

// Many hosts load the module for one run and unload it afterwards. The C++
// runtime linked into it sets aside a reserve for throwing exceptions when
// memory runs out (some 70 KB) and never gives it back, so every load and
// unload would cost the host that much for good. On an unload (not at
// process exit, when reserved is non-null and nothing needs freeing) it is
// handed back; no code of ours runs after this.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
        __gnu_cxx::__freeres();
    return TRUE;
}

extern "C" __declspec(dllexport) void HOSTAPI PluginMain(int16_t selector, void* paramBlock, intptr_t* data,
                                                          int16_t* result)
{
    TheApp().Entry(selector, paramBlock, data, result);
}

extern "C" __declspec(dllexport) void HOSTAPI PluginMainVeydra(int16_t selector, void* paramBlock, intptr_t* data,
                                                                int16_t* result)
{
    PluginMain(selector, paramBlock, data, result);
}
