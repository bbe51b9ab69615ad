// The preset rules over the in-memory store, and the order in which full sets
// are written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "params/MemorySettingsStore.h"
#include "params/PresetStore.h"
#include "PresetStoreContract.h"

namespace {

struct MemoryFixture {
    static std::unique_ptr<ISettingsStore> Make() { return std::make_unique<CMemorySettingsStore>(); }
    static void Discard() {}
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, PresetStoreContract, MemoryFixture);

// Remembers every write, to check the order of a full set.
class CRecordingStore : public CMemorySettingsStore {
public:
    void SetInt(const std::string& section, const std::string& name, int32_t value) override
    {
        m_writes.push_back(section + "/" + name);
        CMemorySettingsStore::SetInt(section, name, value);
    }
    std::vector<std::string> m_writes;
};

std::vector<std::string> Prefixed(const std::string& section, const std::vector<std::string>& names)
{
    std::vector<std::string> out;
    for (const std::string& n : names)
        out.push_back(section + "/" + n);
    return out;
}

TEST(PresetStore, FullSetsAreWrittenInTheirOrders)
{
    CRecordingStore store;
    saveParameterSet(store, "P", DefaultShadowParams());
    EXPECT_EQ(store.m_writes, Prefixed("P", {"Blur", "Transparency", "Intensity", "Angle X", "Angle Y", "Angle Z",
                                             "Pos X", "Pos Y", "Perspective", "Zoom", "Color", "Outside",
                                             "Shadow Position", "Softness", "Shadow Only"}));

    // Seeding: preset by preset in menu order, "Intensity" last in each, then
    // the marker. The built-ins are at softness 0 without shadow-only, which
    // is what a missing value reads as, so seeding writes the thirteen values
    // it always wrote.
    store.m_writes.clear();
    ASSERT_TRUE(SeedBuiltInPresets(store));
    const std::vector<std::string> seedOrder = {"Blur",   "Transparency", "Angle X",     "Angle Y", "Angle Z",
                                                "Pos X",  "Pos Y",        "Perspective", "Zoom",    "Color",
                                                "Outside", "Shadow Position", "Intensity"};
    std::vector<std::string> expected;
    for (const ShadowPreset& preset : kBuiltInPresets)
        for (const std::string& w : Prefixed(preset.name, seedOrder))
            expected.push_back(w);
    expected.push_back("/First start");
    EXPECT_EQ(store.m_writes, expected);
}

TEST(PresetStore, MemoryStoreListsSectionsInCreationOrderAndReadsCreateThem)
{
    CMemorySettingsStore store;
    store.SetInt("b", "x", 1);
    store.GetInt("a", "x", 0);  // a read creates its section, as the registry store does
    store.GetString("C", "x", "");
    EXPECT_EQ(store.ListSections(), (std::vector<std::string>{"b", "a", "C"}));
    store.DeleteSection("B", {});
    EXPECT_EQ(store.ListSections(), (std::vector<std::string>{"a", "C"}));
    store.DeleteSection("", {});
    EXPECT_TRUE(store.HasSection(""));
}

}  // namespace
