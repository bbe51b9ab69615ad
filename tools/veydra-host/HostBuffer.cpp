#include "HostBuffer.h"

#include <windows.h>

#include <new>

namespace {

size_t PageSize()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return system.dwPageSize;
}

}  // namespace

void CHostBuffer::Allocate(size_t size, bool guarded)
{
    Release();
    if (size == 0)
        size = 1;
    if (!guarded) {
        m_pBase = m_pData = new uint8_t[size];
        m_nSize = size;
        return;
    }
    const size_t page = PageSize();
    if (size > SIZE_MAX - 2 * page)
        throw std::bad_alloc();
    const size_t dataPages = (size + page - 1) / page * page;
    void* base = VirtualAlloc(nullptr, dataPages + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!base)
        throw std::bad_alloc();
    DWORD old = 0;
    if (!VirtualProtect(static_cast<uint8_t*>(base) + dataPages, page, PAGE_NOACCESS, &old)) {
        VirtualFree(base, 0, MEM_RELEASE);
        throw std::bad_alloc();
    }
    m_bGuarded = true;
    m_pBase = static_cast<uint8_t*>(base);
    m_pData = m_pBase + dataPages - size;
    m_nSize = size;
    m_nDataPages = dataPages;
}

void CHostBuffer::MakeReadOnly()
{
    DWORD old = 0;
    if (m_bGuarded)
        VirtualProtect(m_pBase, m_nDataPages, PAGE_READONLY, &old);
}

void CHostBuffer::Release()
{
    if (m_bGuarded)
        VirtualFree(m_pBase, 0, MEM_RELEASE);
    else
        delete[] m_pBase;
    m_pBase = m_pData = nullptr;
    m_nSize = m_nDataPages = 0;
    m_bGuarded = false;
}
