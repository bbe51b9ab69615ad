// Fetching a module's registration and terminology resources as a host
// does when it scans its plug-in folders: every resource of type PIPL, and
// the AETE that the PIPL's hstm property names. And the version resource,
// which the file's properties show a user.
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

// "file A.B.C.D, product TEXT" from the file's version resource (the fixed
// file version and the US-English ProductVersion string), or "none".
std::string DescribeVersionResource(const std::string& path);
