#include "host/Descriptors.h"

const DescriptorKey kDescriptorKeys[kDescriptorKeyCount] = {
    {FourCC("outS"), &ShadowParams::outside, true},
    {FourCC("posI"), &ShadowParams::shadowPosition, false},
    {FourCC("bluR"), &ShadowParams::blur, false},
    {FourCC("traN"), &ShadowParams::transparency, false},
    {FourCC("intE"), &ShadowParams::intensity, false},
    {FourCC("angX"), &ShadowParams::angleX, false},
    {FourCC("angY"), &ShadowParams::angleY, false},
    {FourCC("angZ"), &ShadowParams::angleZ, false},
    {FourCC("zooM"), &ShadowParams::zoom, false},
    {FourCC("offX"), &ShadowParams::posX, false},
    {FourCC("offY"), &ShadowParams::posY, false},
    {FourCC("perS"), &ShadowParams::perspective, false},
    {FourCC("colR"), &ShadowParams::color, false},
    {FourCC("sofT"), &ShadowParams::softness, false},
    {FourCC("shdO"), &ShadowParams::shadowOnly, true},
};

namespace {

// A host whose getKeyProc never says "no more" must not hold the run
// forever; a real descriptor of ours has fifteen keys.
const int kMaxKeysRead = 1000;

const DescriptorKey* FindKey(DescriptorKeyID key)
{
    for (const DescriptorKey& k : kDescriptorKeys)
        if (k.key == key)
            return &k;
    return nullptr;
}

DescriptorPlayMode PlayModeOf(const PIDescriptorParameters& p)
{
    return p.playInfo == DialogPlay::kDisplay ? DescriptorPlayMode::ShowDialog : DescriptorPlayMode::NoDialog;
}

// Reads the value of the key the host has just named; false stops the loop.
bool ReadValue(const ReadDescriptorProcs& procs, PIReadDescriptor token, const DescriptorKey& k, ShadowParams& values)
{
    if (k.isBoolean) {
        Boolean value = 0;
        if (!procs.getBooleanProc || procs.getBooleanProc(token, &value) != HostResult::kNoErr)
            return false;
        values.*k.field = value;
        return true;
    }
    int32_t value = 0;
    if (!procs.getIntegerProc || procs.getIntegerProc(token, &value) != HostResult::kNoErr)
        return false;
    values.*k.field = value;
    return true;
}

void ReadKeys(const ReadDescriptorProcs& procs, PIReadDescriptor token, ShadowParams& values)
{
    for (int count = 0; count < kMaxKeysRead; ++count) {
        DescriptorKeyID key = 0;
        DescType type = 0;
        int32_t flags = 0;
        if (!procs.getKeyProc(token, &key, &type, &flags))
            return;
        const DescriptorKey* k = FindKey(key);
        if (!k || !ReadValue(procs, token, *k, values))
            return;
    }
}

// Disposes of a descriptor handle with the host's handle suite.
void DisposeDescriptor(FilterRecord& record, PIDescriptorHandle handle, PlainMessageProc message)
{
    if (record.handleProcs && record.handleProcs->disposeProc)
        record.handleProcs->disposeProc(handle);
    else
        message("DisposeProc error");
}

}  // namespace

DescriptorPlayMode ReadScriptDescriptor(FilterRecord& record, ShadowParams& values, PlainMessageProc message)
{
    PIDescriptorParameters* params = record.descriptorParameters;
    if (!params || !params->readDescriptorProcs || !params->descriptor)
        return DescriptorPlayMode::NoDescriptor;
    const ReadDescriptorProcs& procs = *params->readDescriptorProcs;
    // A suite without the procs to open and walk a descriptor cannot play it
    // back; the host keeps its handle.
    if (!procs.openReadDescriptorProc || !procs.getKeyProc)
        return DescriptorPlayMode::NoDescriptor;

    // The host marks the keys it returned in this list, so it lives until
    // the descriptor is closed.
    DescriptorKeyID keys[kDescriptorKeyCount + 1] = {};
    for (size_t i = 0; i < kDescriptorKeyCount; ++i)
        keys[i] = kDescriptorKeys[i].key;
    const PIReadDescriptor token = procs.openReadDescriptorProc(params->descriptor, keys);
    if (!token)
        return PlayModeOf(*params);

    values.softness = 0;
    values.shadowOnly = 0;
    ReadKeys(procs, token, values);
    if (procs.closeReadDescriptorProc)
        procs.closeReadDescriptorProc(token);
    DisposeDescriptor(record, params->descriptor, message);
    params->descriptor = nullptr;
    return PlayModeOf(*params);
}

void WriteScriptDescriptor(FilterRecord& record, const ShadowParams& values, PlainMessageProc message)
{
    PIDescriptorParameters* params = record.descriptorParameters;
    if (!params || !params->writeDescriptorProcs)
        return;
    const WriteDescriptorProcs& procs = *params->writeDescriptorProcs;
    if (!procs.openWriteDescriptorProc || !procs.putIntegerProc || !procs.putBooleanProc ||
        !procs.closeWriteDescriptorProc)
        return;

    const PIWriteDescriptor token = procs.openWriteDescriptorProc();
    if (!token) {
        message("openWriteDesc error");
        return;
    }
    for (const DescriptorKey& k : kDescriptorKeys) {
        if (k.isBoolean)
            procs.putBooleanProc(token, k.key, values.*k.field != 0 ? 1 : 0);
        else
            procs.putIntegerProc(token, k.key, values.*k.field);
    }
    if (params->descriptor)
        DisposeDescriptor(record, params->descriptor, message);
    PIDescriptorHandle written = nullptr;
    procs.closeWriteDescriptorProc(token, &written);
    params->descriptor = written;
    if (!written)
        message("null write descriptor");
    params->recordInfo = DialogRecord::kOptional;
}
