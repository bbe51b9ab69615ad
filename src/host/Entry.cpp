// The exported entry points. Hosts find PluginMainVeydra through the
// registration resource; PluginMain is the conventional name some tools
// call directly. Both are C-linkage, cdecl, and exported undecorated.
#include "host/HostRecords.h"
#include "host/PlugInApp.h"

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
