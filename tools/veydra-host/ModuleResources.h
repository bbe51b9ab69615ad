// Fetching a module's registration and terminology resources as a host
// does when it scans its plug-in folders: every resource of type PIPL, and
// the AETE that the PIPL's hstm property names.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ResourceBytes {
    int id = 0;          // integer resource id
    WORD language = 0;
    std::vector<uint8_t> bytes;
};

// Every PIPL resource of the module (each language once).
std::vector<ResourceBytes> ReadPiplResources(HMODULE module);

// The AETE resource with the given id; false when there is none.
bool ReadAeteResource(HMODULE module, int id, ResourceBytes& aete);
