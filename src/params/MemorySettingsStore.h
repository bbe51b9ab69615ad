// A settings store held in memory, with the registry's rules: value names
// match without regard to case, a value of the wrong type reads as the
// default, reads and writes create their section, and sections keep the
// order in which they were created. The preset rules are tested on it
// natively, and tools that must not touch the registry can use it.
#pragma once

#include <string>
#include <vector>

#include "params/SettingsStore.h"

class CMemorySettingsStore : public ISettingsStore {
public:
    int32_t GetInt(const std::string& section, const std::string& name, int32_t def) override;
    std::string GetString(const std::string& section, const std::string& name, const std::string& def) override;
    void SetInt(const std::string& section, const std::string& name, int32_t value) override;
    void SetString(const std::string& section, const std::string& name, const std::string& value) override;
    void DeleteValue(const std::string& section, const std::string& name) override;
    std::vector<std::string> ListSections() override;
    void DeleteSection(const std::string& section, const std::vector<std::string>& valueNames) override;

    bool HasSection(const std::string& section) const;
    bool HasValue(const std::string& section, const std::string& name) const;

private:
    struct Value {
        std::string name;
        bool isString;
        int32_t number;
        std::string text;
    };
    struct Section {
        std::string name;
        std::vector<Value> values;
    };

    Section& Open(const std::string& section);
    const Section* Find(const std::string& section) const;
    static Value* FindValue(Section& section, const std::string& name);
    Value& Put(const std::string& section, const std::string& name);

    Section m_root;
    std::vector<Section> m_sections;
};
