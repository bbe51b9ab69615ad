// The test host's scripting descriptors: an in-memory list of key/value
// items kept in a host handle, with the read and write suites a plug-in
// uses to play it back and to record a new one.
//
// Faults can be switched on to imitate hosts that get the exchange wrong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/HostRecords.h"

struct DescriptorItem {
    DescriptorKeyID key = 0;
    DescType type = 0;     // 'long', 'bool' or 'doub'
    int32_t integer = 0;   // 'long' and 'bool'
    double number = 0;     // 'doub'
};

struct DescriptorFaults {
    bool nullReadToken = false;       // openReadDescriptorProc answers 0
    bool nullWriteToken = false;      // openWriteDescriptorProc answers 0
    bool closeWriteGivesNull = false; // closeWriteDescriptorProc hands back no handle
    int failGetAfter = -1;            // the get procs fail from this value on (-1: never)
};

class CHostDescriptors {
public:
    ReadDescriptorProcs* ReadProcs();
    WriteDescriptorProcs* WriteProcs();

    // A descriptor handle holding `items`, in the host's handle suite.
    static Handle Encode(const std::vector<DescriptorItem>& items);
    static std::vector<DescriptorItem> Decode(Handle handle);

    DescriptorFaults m_faults;

    // What the plug-in did, for the host's report.
    int m_nReadersOpened = 0;
    int m_nReadersClosed = 0;
    int m_nValuesRead = 0;
    std::vector<DescriptorKeyID> m_requestedKeys;  // the key list of the last open

    struct Reader {
        std::vector<DescriptorItem> items;
        size_t next = 0;
        DescriptorKeyID* keyArray = nullptr;
    };
    struct Writer {
        std::vector<DescriptorItem> items;
    };
};

// One per process: the suites' procs have no context argument.
CHostDescriptors& HostDescriptors();

// "outS" for the code 'outS'.
std::string FourCCText(uint32_t code);
// The items on one line: key=value, separated by blanks.
std::string DescribeDescriptor(const std::vector<DescriptorItem>& items);
