// The test host's handle suite: real movable-memory handles in miniature.
// A handle points at a master pointer, as plug-ins expect to dereference it;
// the suite keeps a list of live handles so a plug-in that disposes of or
// unlocks something that is not a live handle is caught and reported instead
// of corrupting the heap.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/HostRecords.h"

class CHostHandles {
public:
    // The suite handed to plug-ins (version 1, eight procs).
    HandleProcs* Procs();

    Handle New(int32_t size);
    void Dispose(Handle handle);
    OSErr Resize(Handle handle, int32_t size);
    int32_t Size(Handle handle) const;
    bool IsLive(Handle handle) const;
    // Which allocation a live handle is, 0 for none: a handle disposed of
    // and a new one can share an address, never a serial.
    uint64_t SerialOf(Handle handle) const;
    size_t LiveCount() const { return m_live.size(); }

    // What the plug-in did with handles, for the host's report.
    int m_nDisposed = 0;
    int m_nUnlocks = 0;
    std::vector<std::string> m_complaints;

private:
    struct Block {
        char* data;  // first: a Handle is the address of this pointer
        int32_t size;
        uint64_t serial;
    };
    static Block* BlockOf(Handle handle) { return reinterpret_cast<Block*>(handle); }

    std::vector<Block*> m_live;
    uint64_t m_nSerial = 0;
};

// One per process: the suite's procs have no context argument.
CHostHandles& HostHandles();
