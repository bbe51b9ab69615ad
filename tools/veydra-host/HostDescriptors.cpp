#include "HostDescriptors.h"

#include <cstring>
#include <sstream>

#include "HostHandles.h"

namespace {

// Items are stored in the handle as 16 bytes each: key, type, then the
// value (a 32-bit integer or a double).
const size_t kItemBytes = 16;

typedef CHostDescriptors::Reader Reader;
typedef CHostDescriptors::Writer Writer;

Reader* ReaderOf(PIReadDescriptor token) { return reinterpret_cast<Reader*>(token); }
Writer* WriterOf(PIWriteDescriptor token) { return reinterpret_cast<Writer*>(token); }

// The item the last getKeyProc named, or null.
const DescriptorItem* Current(PIReadDescriptor token)
{
    Reader* reader = ReaderOf(token);
    if (!reader || reader->next == 0)
        return nullptr;
    return &reader->items[reader->next - 1];
}

// The item whose value the plug-in asks for, when it has that type and the
// host is not set to fail the read.
const DescriptorItem* ItemToRead(PIReadDescriptor token, DescType type)
{
    const DescriptorItem* item = Current(token);
    CHostDescriptors& d = HostDescriptors();
    const bool failing = d.m_faults.failGetAfter >= 0 && d.m_nValuesRead >= d.m_faults.failGetAfter;
    if (!item || item->type != type || failing)
        return nullptr;
    ++d.m_nValuesRead;
    return item;
}

PIReadDescriptor HOSTAPI OpenRead(PIDescriptorHandle descriptor, DescriptorKeyID* keyArray)
{
    CHostDescriptors& d = HostDescriptors();
    d.m_requestedKeys.clear();
    for (DescriptorKeyID* k = keyArray; k && *k; ++k)
        d.m_requestedKeys.push_back(*k);
    if (d.m_faults.nullReadToken || !HostHandles().IsLive(descriptor))
        return 0;
    Reader* reader = new Reader;
    reader->items = CHostDescriptors::Decode(descriptor);
    reader->keyArray = keyArray;
    ++d.m_nReadersOpened;
    return reinterpret_cast<PIReadDescriptor>(reader);
}

OSErr HOSTAPI CloseRead(PIReadDescriptor token)
{
    delete ReaderOf(token);
    ++HostDescriptors().m_nReadersClosed;
    return HostResult::kNoErr;
}

Boolean HOSTAPI GetKey(PIReadDescriptor token, DescriptorKeyID* key, DescType* type, int32_t* flags)
{
    Reader* reader = ReaderOf(token);
    if (!reader || reader->next >= reader->items.size())
        return 0;
    const DescriptorItem& item = reader->items[reader->next++];
    *key = item.key;
    *type = item.type;
    *flags = 0;
    // Mark the key as delivered, as hosts do, so the plug-in can see which
    // of its keys were missing.
    for (DescriptorKeyID* k = reader->keyArray; k && *k; ++k)
        if (*k == item.key)
            *k = DescTypes::kNull;
    return 1;
}

OSErr HOSTAPI GetInteger(PIReadDescriptor token, int32_t* value)
{
    const DescriptorItem* item = ItemToRead(token, DescTypes::kInteger);
    if (!item || !value)
        return HostResult::kParamErr;
    *value = item->integer;
    return HostResult::kNoErr;
}

OSErr HOSTAPI GetFloat(PIReadDescriptor token, double* value)
{
    const DescriptorItem* item = ItemToRead(token, DescTypes::kFloat);
    if (!item || !value)
        return HostResult::kParamErr;
    *value = item->number;
    return HostResult::kNoErr;
}

OSErr HOSTAPI GetBoolean(PIReadDescriptor token, Boolean* value)
{
    const DescriptorItem* item = ItemToRead(token, DescTypes::kBoolean);
    if (!item || !value)
        return HostResult::kParamErr;
    *value = static_cast<Boolean>(item->integer);
    return HostResult::kNoErr;
}

PIWriteDescriptor HOSTAPI OpenWrite()
{
    if (HostDescriptors().m_faults.nullWriteToken)
        return 0;
    return reinterpret_cast<PIWriteDescriptor>(new Writer);
}

OSErr HOSTAPI CloseWrite(PIWriteDescriptor token, PIDescriptorHandle* out)
{
    Writer* writer = WriterOf(token);
    if (!writer || !out)
        return HostResult::kParamErr;
    *out = HostDescriptors().m_faults.closeWriteGivesNull ? nullptr : CHostDescriptors::Encode(writer->items);
    delete writer;
    return HostResult::kNoErr;
}

OSErr Put(PIWriteDescriptor token, DescriptorKeyID key, DescType type, int32_t integer, double number)
{
    Writer* writer = WriterOf(token);
    if (!writer)
        return HostResult::kParamErr;
    DescriptorItem item;
    item.key = key;
    item.type = type;
    item.integer = integer;
    item.number = number;
    writer->items.push_back(item);
    return HostResult::kNoErr;
}

OSErr HOSTAPI PutInteger(PIWriteDescriptor token, DescriptorKeyID key, int32_t value)
{
    return Put(token, key, DescTypes::kInteger, value, 0);
}

OSErr HOSTAPI PutFloat(PIWriteDescriptor token, DescriptorKeyID key, const double* value)
{
    return value ? Put(token, key, DescTypes::kFloat, 0, *value) : HostResult::kParamErr;
}

OSErr HOSTAPI PutBoolean(PIWriteDescriptor token, DescriptorKeyID key, Boolean value)
{
    return Put(token, key, DescTypes::kBoolean, value, 0);
}

}  // namespace

ReadDescriptorProcs* CHostDescriptors::ReadProcs()
{
    static ReadDescriptorProcs procs = {0, 18, OpenRead, CloseRead, GetKey, GetInteger, GetFloat, nullptr, GetBoolean,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr};
    return &procs;
}

WriteDescriptorProcs* CHostDescriptors::WriteProcs()
{
    static WriteDescriptorProcs procs = {0, 16, OpenWrite, CloseWrite, PutInteger, PutFloat, nullptr, PutBoolean,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr};
    return &procs;
}

Handle CHostDescriptors::Encode(const std::vector<DescriptorItem>& items)
{
    Handle handle = HostHandles().New(static_cast<int32_t>(items.size() * kItemBytes));
    if (!handle)
        return nullptr;
    char* p = *handle;
    for (const DescriptorItem& item : items) {
        std::memcpy(p, &item.key, 4);
        std::memcpy(p + 4, &item.type, 4);
        if (item.type == DescTypes::kFloat)
            std::memcpy(p + 8, &item.number, 8);
        else
            std::memcpy(p + 8, &item.integer, 4);
        p += kItemBytes;
    }
    return handle;
}

std::vector<DescriptorItem> CHostDescriptors::Decode(Handle handle)
{
    std::vector<DescriptorItem> items;
    if (!HostHandles().IsLive(handle))
        return items;
    const size_t count = size_t(HostHandles().Size(handle)) / kItemBytes;
    const char* p = *handle;
    for (size_t i = 0; i < count; ++i, p += kItemBytes) {
        DescriptorItem item;
        std::memcpy(&item.key, p, 4);
        std::memcpy(&item.type, p + 4, 4);
        if (item.type == DescTypes::kFloat)
            std::memcpy(&item.number, p + 8, 8);
        else
            std::memcpy(&item.integer, p + 8, 4);
        items.push_back(item);
    }
    return items;
}

CHostDescriptors& HostDescriptors()
{
    static CHostDescriptors descriptors;
    return descriptors;
}

std::string FourCCText(uint32_t code)
{
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[i] = static_cast<char>(code >> (24 - 8 * i));
    return text;
}

std::string DescribeDescriptor(const std::vector<DescriptorItem>& items)
{
    std::ostringstream text;
    for (const DescriptorItem& item : items) {
        text << FourCCText(item.key) << "=";
        if (item.type == DescTypes::kFloat)
            text << item.number;
        else
            text << item.integer;
        text << (item.type == DescTypes::kBoolean ? " (bool)" : "") << " ";
    }
    std::string line = text.str();
    if (!line.empty())
        line.pop_back();
    return line;
}
