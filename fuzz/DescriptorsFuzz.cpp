// Fuzz target: the scripting descriptors against a host whose suites answer
// at random — any keys and types in any order, values of any size, errors
// from any get or put, null tokens and handles, procs or whole suites
// missing.
//
// The fake host checks the exchange as a real one would rely on it: every
// call carries the token the host gave out and comes while that reader or
// writer is open; a reader that was opened is closed once (when the suite
// can close) and its descriptor disposed of once, through the handle suite,
// or reported when there is none; reading stops after a bounded number of
// keys; a writer puts the fifteen keys in order, disposes of the old
// descriptor once and leaves the new one in the record.
//
// Input: U8 which read procs are missing, U8 record flags, I16 playInfo,
// then whatever the read suite's answers consume; U8 which write procs are
// missing, U8 write flags, then the write suite's answers.
#include <cstdint>
#include <cstring>

#include "FuzzInput.h"
#include "host/Descriptors.h"

namespace {

const PIReadDescriptor kReadToken = 0x5EAD;
const PIWriteDescriptor kWriteToken = 0x3817E;
const int kKeyLimit = 1000;  // what the plug-in promises to stop at, at most

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

struct FakeHost {
    CFuzzInput* in = nullptr;
    char* masters[3] = {};  // the master pointers of the handles given out
    Handle given = &masters[0];
    Handle oldDescriptor = &masters[1];
    Handle written = &masters[2];
    DescriptorKeyID* keyList = nullptr;
    bool readerOpen = false, readerClosed = false;
    bool writerOpen = false, writerClosed = false;
    int keysRead = 0, puts = 0, messages = 0;
    Handle disposed[4] = {};
    int disposals = 0;
} g_host;

int16_t AnyError()
{
    const int16_t error = static_cast<int16_t>(g_host.in->U16());
    return error != 0 ? error : -1;
}

PIReadDescriptor HOSTAPI OpenRead(PIDescriptorHandle descriptor, DescriptorKeyID* keys)
{
    Check(descriptor == g_host.given && !g_host.readerOpen && !g_host.readerClosed);
    g_host.keyList = keys;
    if (g_host.in->U8() % 8 == 0)
        return 0;
    g_host.readerOpen = true;
    return kReadToken;
}

void CheckReader(PIReadDescriptor token) { Check(token == kReadToken && g_host.readerOpen); }

OSErr HOSTAPI CloseRead(PIReadDescriptor token)
{
    CheckReader(token);
    g_host.readerOpen = false;
    g_host.readerClosed = true;
    return g_host.in->Bit() ? 0 : AnyError();
}

Boolean HOSTAPI GetKey(PIReadDescriptor token, DescriptorKeyID* key, DescType* type, int32_t* flags)
{
    CheckReader(token);
    Check(key && type && flags);
    Check(++g_host.keysRead <= kKeyLimit);
    CFuzzInput& in = *g_host.in;
    const uint8_t choice = in.U8();
    if (choice % 7 == 0)
        return 0;
    *key = choice % 2 ? kDescriptorKeys[in.U8() % kDescriptorKeyCount].key : in.U32();
    *type = in.U32();
    *flags = in.I32();
    // Like hosts that mark each key they hand back in the plug-in's list.
    if (g_host.keyList)
        for (DescriptorKeyID* k = g_host.keyList; *k != 0; ++k)
            if (*k == *key)
                *k = DescTypes::kNull;
    return 1;
}

OSErr HOSTAPI GetInteger(PIReadDescriptor token, int32_t* value)
{
    CheckReader(token);
    Check(value != nullptr);
    if (g_host.in->U8() % 5 == 0)
        return AnyError();
    *value = g_host.in->I32();
    return 0;
}

OSErr HOSTAPI GetBoolean(PIReadDescriptor token, Boolean* value)
{
    CheckReader(token);
    Check(value != nullptr);
    if (g_host.in->U8() % 5 == 0)
        return AnyError();
    *value = g_host.in->U8();  // hosts are not bound to 0 and 1
    return 0;
}

PIWriteDescriptor HOSTAPI OpenWrite()
{
    Check(!g_host.writerOpen && !g_host.writerClosed);
    if (g_host.in->U8() % 8 == 0)
        return 0;
    g_host.writerOpen = true;
    return kWriteToken;
}

void CheckPut(PIWriteDescriptor token, DescriptorKeyID key)
{
    Check(token == kWriteToken && g_host.writerOpen);
    Check(size_t(g_host.puts) < kDescriptorKeyCount && key == kDescriptorKeys[g_host.puts].key);
    ++g_host.puts;
}

OSErr HOSTAPI PutInteger(PIWriteDescriptor token, DescriptorKeyID key, int32_t)
{
    CheckPut(token, key);
    Check(!kDescriptorKeys[g_host.puts - 1].isBoolean);
    return g_host.in->Bit() ? 0 : AnyError();
}

OSErr HOSTAPI PutBoolean(PIWriteDescriptor token, DescriptorKeyID key, Boolean value)
{
    CheckPut(token, key);
    Check(kDescriptorKeys[g_host.puts - 1].isBoolean && value <= 1);
    return g_host.in->Bit() ? 0 : AnyError();
}

OSErr HOSTAPI CloseWrite(PIWriteDescriptor token, PIDescriptorHandle* result)
{
    Check(token == kWriteToken && g_host.writerOpen && result != nullptr);
    g_host.writerOpen = false;
    g_host.writerClosed = true;
    *result = g_host.in->Bit() ? g_host.written : nullptr;
    return g_host.in->Bit() ? 0 : AnyError();
}

void HOSTAPI Dispose(Handle handle)
{
    Check(g_host.disposals < 4);
    g_host.disposed[g_host.disposals++] = handle;
}

void Message(const char*) { ++g_host.messages; }

// Missing procs, one bit each.
template <class Proc>
void Drop(uint8_t bits, int bit, Proc& proc)
{
    if (bits & (1 << bit))
        proc = nullptr;
}

void CheckRead(CFuzzInput& in, FilterRecord& record, PIDescriptorParameters& params, ReadDescriptorProcs& read,
               HandleProcs& handles)
{
    const uint8_t missing = in.U8();
    const uint8_t flags = in.U8();
    params.playInfo = static_cast<int16_t>(in.U16());
    read.openReadDescriptorProc = OpenRead;
    read.closeReadDescriptorProc = CloseRead;
    read.getKeyProc = GetKey;
    read.getIntegerProc = GetInteger;
    read.getBooleanProc = GetBoolean;
    Drop(missing, 0, read.openReadDescriptorProc);
    Drop(missing, 1, read.closeReadDescriptorProc);
    Drop(missing, 2, read.getKeyProc);
    Drop(missing, 3, read.getIntegerProc);
    Drop(missing, 4, read.getBooleanProc);
    Drop(missing, 5, handles.disposeProc);
    params.readDescriptorProcs = flags & 1 ? nullptr : &read;
    params.descriptor = flags & 2 ? nullptr : g_host.given;
    record.descriptorParameters = flags & 4 ? nullptr : &params;
    record.handleProcs = flags & 8 ? nullptr : &handles;

    const bool readable = record.descriptorParameters && params.readDescriptorProcs && params.descriptor &&
                          read.openReadDescriptorProc && read.getKeyProc;
    const DescriptorPlayMode played =
        params.playInfo == DialogPlay::kDisplay ? DescriptorPlayMode::ShowDialog : DescriptorPlayMode::NoDialog;
    const Handle offered = params.descriptor;
    const ShadowParams before = DefaultShadowParams();
    ShadowParams values = before;
    const DescriptorPlayMode mode = ReadScriptDescriptor(record, values, Message);

    const bool opened = g_host.readerOpen || g_host.readerClosed;
    Check(!g_host.readerOpen || !read.closeReadDescriptorProc);
    if (!opened) {
        // Nothing to play back, or no reader: the host keeps its
        // descriptor and nothing is applied.
        Check(g_host.disposals == 0 && g_host.messages == 0 && values == before && params.descriptor == offered);
        Check(mode == (readable ? played : DescriptorPlayMode::NoDescriptor));
        return;
    }
    // A descriptor that was opened is consumed: disposed of once, or the
    // fault reported once, and gone from the record either way.
    const bool canDispose = record.handleProcs && handles.disposeProc;
    Check(readable && params.descriptor == nullptr && mode == played);
    Check(canDispose ? g_host.disposals == 1 && g_host.disposed[0] == g_host.given && g_host.messages == 0
                     : g_host.disposals == 0 && g_host.messages == 1);
}

void CheckWrite(CFuzzInput& in, FilterRecord& record, PIDescriptorParameters& params, HandleProcs& handles)
{
    const uint8_t missing = in.U8();
    const uint8_t flags = in.U8();
    WriteDescriptorProcs write{};
    write.openWriteDescriptorProc = OpenWrite;
    write.closeWriteDescriptorProc = CloseWrite;
    write.putIntegerProc = PutInteger;
    write.putBooleanProc = PutBoolean;
    Drop(missing, 0, write.openWriteDescriptorProc);
    Drop(missing, 1, write.closeWriteDescriptorProc);
    Drop(missing, 2, write.putIntegerProc);
    Drop(missing, 3, write.putBooleanProc);
    params.writeDescriptorProcs = flags & 1 ? nullptr : &write;
    params.descriptor = flags & 2 ? g_host.oldDescriptor : nullptr;
    params.recordInfo = DialogRecord::kNone;
    record.descriptorParameters = flags & 4 ? nullptr : &params;
    g_host.disposals = 0;
    g_host.messages = 0;

    ShadowParams values{};
    for (const ShadowParamInfo& info : kShadowParamTable)
        values.*info.field = in.I32();
    WriteScriptDescriptor(record, values, Message);

    const bool writable = record.descriptorParameters && params.writeDescriptorProcs && write.openWriteDescriptorProc &&
                          write.closeWriteDescriptorProc && write.putIntegerProc && write.putBooleanProc;
    Check(!g_host.writerOpen);
    if (!writable || !g_host.writerClosed) {
        Check(g_host.puts == 0 && g_host.disposals == 0);
        Check(params.recordInfo == DialogRecord::kNone);
        Check(g_host.messages == (writable ? 1 : 0));  // "openWriteDesc error"
        return;
    }
    Check(g_host.puts == kDescriptorKeyCount);
    Check(params.recordInfo == DialogRecord::kOptional);
    const bool hadOld = flags & 2;
    const bool canDispose = record.handleProcs && handles.disposeProc;
    Check(g_host.disposals == (hadOld && canDispose ? 1 : 0));
    Check(g_host.disposals == 0 || g_host.disposed[0] == g_host.oldDescriptor);
    Check(params.descriptor == nullptr || params.descriptor == g_host.written);
    const int expectedMessages = (hadOld && !canDispose ? 1 : 0) + (params.descriptor == nullptr ? 1 : 0);
    Check(g_host.messages == expectedMessages);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    g_host = FakeHost();
    g_host.in = &in;

    FilterRecord record;
    std::memset(&record, 0, sizeof(record));
    PIDescriptorParameters params{};
    ReadDescriptorProcs read{};
    HandleProcs handles{};
    handles.disposeProc = Dispose;
    CheckRead(in, record, params, read, handles);
    CheckWrite(in, record, params, handles);
    return 0;
}
