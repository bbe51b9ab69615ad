// The descriptor rules against the test host's real in-memory suites.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostDescriptors.h"
#include "HostHandles.h"
#include "host/Descriptors.h"

namespace {

std::vector<std::string> g_messages;
void Collect(const char* text) { g_messages.push_back(text); }

DescriptorItem Long(const char (&key)[5], int32_t value)
{
    DescriptorItem item;
    item.key = FourCC(key);
    item.type = DescTypes::kInteger;
    item.integer = value;
    return item;
}

DescriptorItem Bool(const char (&key)[5], bool value)
{
    DescriptorItem item = Long(key, value ? 1 : 0);
    item.type = DescTypes::kBoolean;
    return item;
}

// A filter record with the host's descriptor parameters and handle suite.
struct ScriptedRun {
    FilterRecord record{};
    PIDescriptorParameters params{};
    ShadowParams values = kBuiltInPresets[2].params;  // stands for the last-used set

    explicit ScriptedRun(const std::vector<DescriptorItem>& items, int16_t playInfo = DialogPlay::kDisplay)
    {
        g_messages.clear();
        HostDescriptors() = CHostDescriptors();
        params.playInfo = playInfo;
        params.recordInfo = DialogRecord::kNone;
        params.readDescriptorProcs = HostDescriptors().ReadProcs();
        params.writeDescriptorProcs = HostDescriptors().WriteProcs();
        params.descriptor = items.empty() ? nullptr : CHostDescriptors::Encode(items);
        record.descriptorParameters = &params;
        record.handleProcs = HostHandles().Procs();
    }
    ~ScriptedRun()
    {
        if (HostHandles().IsLive(params.descriptor))
            HostHandles().Dispose(params.descriptor);
    }
    DescriptorPlayMode Read() { return ReadScriptDescriptor(record, values, Collect); }
    void Write(const ShadowParams& p) { WriteScriptDescriptor(record, p, Collect); }
};

TEST(ReadDescriptor, AppliesItsValuesOverTheLoadedSetThenConsumesTheDescriptor)
{
    ScriptedRun run({Long("zooM", 500), Long("colR", 65280), Bool("outS", false)});
    const Handle given = run.params.descriptor;
    ShadowParams expected = run.values;
    expected.zoom = 500;  // the dialog's slider clamps it later
    expected.color = 0x00FF00;
    expected.outside = 0;

    EXPECT_EQ(run.Read(), DescriptorPlayMode::ShowDialog);
    EXPECT_EQ(run.values, expected);
    EXPECT_EQ(run.params.descriptor, nullptr);
    EXPECT_FALSE(HostHandles().IsLive(given));
    EXPECT_EQ(HostDescriptors().m_nReadersClosed, 1);
    EXPECT_TRUE(g_messages.empty());

    // The key list names every key in descriptor order, the later two last.
    std::vector<DescriptorKeyID> keys;
    for (const DescriptorKey& k : kDescriptorKeys)
        keys.push_back(k.key);
    EXPECT_EQ(HostDescriptors().m_requestedKeys, keys);
    EXPECT_EQ(FourCCText(keys.front()), "outS");
    EXPECT_EQ(FourCCText(keys[12]), "colR");
    EXPECT_EQ(FourCCText(keys.back()), "shdO");
}

// An action recorded before softness and shadow-only existed names neither:
// it plays back with both at 0, whatever the last-used set held.
TEST(ReadDescriptor, OldDescriptorsPlayBackWithoutSoftnessOrShadowOnly)
{
    ScriptedRun old({Long("bluR", 30)});
    old.values.softness = 60;
    old.values.shadowOnly = 1;
    EXPECT_EQ(old.Read(), DescriptorPlayMode::ShowDialog);
    EXPECT_EQ(old.values.blur, 30);
    EXPECT_EQ(old.values.softness, 0);
    EXPECT_EQ(old.values.shadowOnly, 0);

    ScriptedRun current({Long("sofT", 45), Bool("shdO", true)});
    EXPECT_EQ(current.Read(), DescriptorPlayMode::ShowDialog);
    EXPECT_EQ(current.values.softness, 45);
    EXPECT_EQ(current.values.shadowOnly, 1);
}

TEST(ReadDescriptor, PlayModeFollowsPlayInfo)
{
    const struct {
        int16_t playInfo;
        DescriptorPlayMode mode;
    } cases[] = {{0, DescriptorPlayMode::NoDialog}, {1, DescriptorPlayMode::ShowDialog},
                 {2, DescriptorPlayMode::NoDialog}, {-7, DescriptorPlayMode::NoDialog}};
    for (const auto& c : cases) {
        ScriptedRun run({Long("bluR", 3)}, c.playInfo);
        EXPECT_EQ(run.Read(), c.mode) << c.playInfo;
        EXPECT_EQ(run.values.blur, 3);
    }
}

// An unknown key or a failed read ends the reading; what was read stays,
// and the descriptor is still closed and disposed of.
TEST(ReadDescriptor, StopsAtUnknownKeyOrReadError)
{
    const ShadowParams loaded = kBuiltInPresets[2].params;
    {
        ScriptedRun run({Long("abcd", 1), Long("zooM", 50)}, DialogPlay::kSilent);
        EXPECT_EQ(run.Read(), DescriptorPlayMode::NoDialog);
        EXPECT_EQ(run.values, loaded);
        EXPECT_EQ(run.params.descriptor, nullptr);
        EXPECT_EQ(HostDescriptors().m_nReadersClosed, 1);
    }
    {
        ScriptedRun run({Long("bluR", 1), Long("traN", 2), Long("intE", 9)});
        HostDescriptors().m_faults.failGetAfter = 2;
        run.Read();
        EXPECT_EQ(run.values.blur, 1);
        EXPECT_EQ(run.values.transparency, 2);
        EXPECT_EQ(run.values.intensity, loaded.intensity);
        EXPECT_EQ(run.params.descriptor, nullptr);
    }
    {
        // `outS` offered as an integer: the boolean read fails.
        ScriptedRun run({Long("perS", 7), Long("outS", 0), Long("zooM", 50)});
        run.Read();
        EXPECT_EQ(run.values.perspective, 7);
        EXPECT_EQ(run.values.outside, loaded.outside);
        EXPECT_EQ(run.values.zoom, loaded.zoom);
    }
}

TEST(ReadDescriptor, NothingToPlayBack)
{
    const ShadowParams loaded = kBuiltInPresets[2].params;
    ReadDescriptorProcs noOpen = *HostDescriptors().ReadProcs();
    noOpen.openReadDescriptorProc = nullptr;
    const struct {
        const char* what;
        void (*spoil)(ScriptedRun&, ReadDescriptorProcs*);
    } cases[] = {
        {"no descriptor parameters", [](ScriptedRun& r, ReadDescriptorProcs*) { r.record.descriptorParameters = nullptr; }},
        {"no read suite", [](ScriptedRun& r, ReadDescriptorProcs*) { r.params.readDescriptorProcs = nullptr; }},
        {"no descriptor", [](ScriptedRun& r, ReadDescriptorProcs*) {
             HostHandles().Dispose(r.params.descriptor);
             r.params.descriptor = nullptr;
         }},
        {"no open proc", [](ScriptedRun& r, ReadDescriptorProcs* p) { r.params.readDescriptorProcs = p; }},
    };
    for (const auto& c : cases) {
        ScriptedRun run({Long("zooM", 50)});
        c.spoil(run, &noOpen);
        EXPECT_EQ(run.Read(), DescriptorPlayMode::NoDescriptor) << c.what;
        EXPECT_EQ(run.values, loaded) << c.what;
        EXPECT_EQ(HostDescriptors().m_nReadersOpened, 0) << c.what;
        EXPECT_TRUE(g_messages.empty()) << c.what;
    }
}

TEST(ReadDescriptor, NullTokenKeepsTheDescriptorAndStillReportsThePlayMode)
{
    ScriptedRun run({Long("zooM", 50)}, DialogPlay::kDontDisplay);
    HostDescriptors().m_faults.nullReadToken = true;
    const Handle given = run.params.descriptor;
    EXPECT_EQ(run.Read(), DescriptorPlayMode::NoDialog);
    EXPECT_EQ(run.params.descriptor, given);
    EXPECT_TRUE(HostHandles().IsLive(given));
    EXPECT_EQ(run.values.zoom, kBuiltInPresets[2].params.zoom);
}

TEST(ReadDescriptor, WithoutHandleSuiteSaysSoAndForgetsTheDescriptor)
{
    ScriptedRun run({Long("zooM", 50)});
    const Handle given = run.params.descriptor;
    run.record.handleProcs = nullptr;
    run.Read();
    EXPECT_EQ(run.values.zoom, 50);
    EXPECT_EQ(g_messages, std::vector<std::string>{"DisposeProc error"});
    EXPECT_EQ(run.params.descriptor, nullptr);
    HostHandles().Dispose(given);  // the host still owns it
}

// The host tells a recorded descriptor from the one it gave by serial: the
// allocator may well hand the new handle the address of the disposed one.
TEST(HostHandleSuite, AHandleAtAFreedAddressIsAnotherHandle)
{
    const Handle first = HostHandles().New(8);
    const uint64_t serial = HostHandles().SerialOf(first);
    EXPECT_NE(serial, 0u);
    HostHandles().Dispose(first);
    EXPECT_EQ(HostHandles().SerialOf(first), 0u);
    const Handle second = HostHandles().New(8);
    EXPECT_NE(HostHandles().SerialOf(second), 0u);
    EXPECT_NE(HostHandles().SerialOf(second), serial);
    HostHandles().Dispose(second);
}

TEST(WriteDescriptor, RecordsEveryKeyInOrderAndReplacesTheOldOne)
{
    ScriptedRun run({Long("zooM", 50)});
    const int disposed = HostHandles().m_nDisposed;
    ShadowParams p = kBuiltInPresets[0].params;
    p.color = 0x123456;
    p.outside = 0;
    p.softness = 35;
    p.shadowOnly = 1;
    run.Write(p);

    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(HostHandles().m_nDisposed, disposed + 1);  // the old descriptor
    ASSERT_TRUE(HostHandles().IsLive(run.params.descriptor));
    EXPECT_EQ(run.params.recordInfo, DialogRecord::kOptional);
    const std::vector<DescriptorItem> items = CHostDescriptors::Decode(run.params.descriptor);
    ASSERT_EQ(items.size(), kDescriptorKeyCount);
    for (size_t i = 0; i < kDescriptorKeyCount; ++i) {
        EXPECT_EQ(items[i].key, kDescriptorKeys[i].key) << i;
        const bool boolean = i == 0 || i == kDescriptorKeyCount - 1;
        EXPECT_EQ(items[i].type, boolean ? DescTypes::kBoolean : DescTypes::kInteger) << i;
        EXPECT_EQ(items[i].integer, p.*kDescriptorKeys[i].field) << i;
    }

    // And it plays back to the same values.
    ShadowParams back = DefaultShadowParams();
    EXPECT_EQ(ReadScriptDescriptor(run.record, back, Collect), DescriptorPlayMode::ShowDialog);
    EXPECT_EQ(back, p);
}

TEST(WriteDescriptor, HostFaults)
{
    const ShadowParams p = DefaultShadowParams();
    {
        ScriptedRun run({});
        HostDescriptors().m_faults.nullWriteToken = true;
        run.Write(p);
        EXPECT_EQ(g_messages, std::vector<std::string>{"openWriteDesc error"});
        EXPECT_EQ(run.params.descriptor, nullptr);
        EXPECT_EQ(run.params.recordInfo, DialogRecord::kNone);
    }
    {
        ScriptedRun run({});
        HostDescriptors().m_faults.closeWriteGivesNull = true;
        run.Write(p);
        EXPECT_EQ(g_messages, std::vector<std::string>{"null write descriptor"});
        EXPECT_EQ(run.params.descriptor, nullptr);
        EXPECT_EQ(run.params.recordInfo, DialogRecord::kOptional);
    }
    {
        ScriptedRun run({Long("zooM", 50)});
        const Handle old = run.params.descriptor;
        run.record.handleProcs = nullptr;
        run.Write(p);
        EXPECT_EQ(g_messages, std::vector<std::string>{"DisposeProc error"});
        EXPECT_EQ(CHostDescriptors::Decode(run.params.descriptor).size(), kDescriptorKeyCount);
        HostHandles().Dispose(old);
    }
    {
        // A suite without putBooleanProc (or without descriptor parameters
        // at all) is left alone, silently.
        ScriptedRun run({});
        WriteDescriptorProcs partial = *HostDescriptors().WriteProcs();
        partial.putBooleanProc = nullptr;
        run.params.writeDescriptorProcs = &partial;
        run.Write(p);
        run.record.descriptorParameters = nullptr;
        run.Write(p);
        EXPECT_TRUE(g_messages.empty());
        EXPECT_EQ(run.params.descriptor, nullptr);
    }
}

}  // namespace
