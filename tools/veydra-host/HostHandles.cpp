#include "HostHandles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace {

std::string Describe(const char* what, Handle handle)
{
    std::ostringstream text;
    text << what << " of a handle the host never gave out (" << static_cast<const void*>(handle) << ")";
    return text.str();
}

Handle HOSTAPI NewProc(int32_t size) { return HostHandles().New(size); }
void HOSTAPI DisposeProc(Handle h) { HostHandles().Dispose(h); }
int32_t HOSTAPI GetSizeProc(Handle h) { return HostHandles().Size(h); }

OSErr HOSTAPI SetSizeProc(Handle h, int32_t newSize) { return HostHandles().Resize(h, newSize); }

char* HOSTAPI LockProc(Handle h, Boolean) { return HostHandles().IsLive(h) ? *h : nullptr; }

void HOSTAPI UnlockProc(Handle h)
{
    CHostHandles& handles = HostHandles();
    ++handles.m_nUnlocks;
    if (!handles.IsLive(h))
        handles.m_complaints.push_back(Describe("unlock", h));
}

void HOSTAPI RecoverSpaceProc(int32_t) {}

}  // namespace

HandleProcs* CHostHandles::Procs()
{
    static HandleProcs procs = {1, 8, NewProc, DisposeProc, GetSizeProc, SetSizeProc,
                                LockProc, UnlockProc, RecoverSpaceProc, DisposeProc};
    return &procs;
}

Handle CHostHandles::New(int32_t size)
{
    if (size < 0)
        return nullptr;
    Block* block = static_cast<Block*>(std::malloc(sizeof(Block)));
    char* data = static_cast<char*>(std::calloc(size > 0 ? size_t(size) : 1, 1));
    if (!block || !data) {
        std::free(block);
        std::free(data);
        return nullptr;
    }
    block->data = data;
    block->size = size;
    block->serial = ++m_nSerial;
    m_live.push_back(block);
    return &block->data;
}

void CHostHandles::Dispose(Handle handle)
{
    auto it = std::find(m_live.begin(), m_live.end(), BlockOf(handle));
    if (it == m_live.end()) {
        m_complaints.push_back(Describe("dispose", handle));
        return;
    }
    ++m_nDisposed;
    std::free((*it)->data);
    std::free(*it);
    m_live.erase(it);
}

OSErr CHostHandles::Resize(Handle handle, int32_t size)
{
    if (!IsLive(handle) || size < 0)
        return HostResult::kParamErr;
    char* data = static_cast<char*>(std::realloc(*handle, size > 0 ? size_t(size) : 1));
    if (!data)
        return HostResult::kMemFullErr;
    BlockOf(handle)->data = data;
    BlockOf(handle)->size = size;
    return HostResult::kNoErr;
}

int32_t CHostHandles::Size(Handle handle) const { return IsLive(handle) ? BlockOf(handle)->size : 0; }

bool CHostHandles::IsLive(Handle handle) const
{
    return handle && std::find(m_live.begin(), m_live.end(), BlockOf(handle)) != m_live.end();
}

uint64_t CHostHandles::SerialOf(Handle handle) const
{
    return IsLive(handle) ? BlockOf(handle)->serial : 0;
}

CHostHandles& HostHandles()
{
    static CHostHandles handles;
    return handles;
}
