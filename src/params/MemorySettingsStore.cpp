#include "params/MemorySettingsStore.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

CMemorySettingsStore::Section& CMemorySettingsStore::Open(const std::string& section)
{
    if (section.empty())
        return m_root;
    for (Section& s : m_sections)
        if (SameName(s.name, section))
            return s;
    m_sections.push_back(Section{section, {}});
    return m_sections.back();
}

const CMemorySettingsStore::Section* CMemorySettingsStore::Find(const std::string& section) const
{
    if (section.empty())
        return &m_root;
    for (const Section& s : m_sections)
        if (SameName(s.name, section))
            return &s;
    return nullptr;
}

CMemorySettingsStore::Value* CMemorySettingsStore::FindValue(Section& section, const std::string& name)
{
    for (Value& v : section.values)
        if (SameName(v.name, name))
            return &v;
    return nullptr;
}

CMemorySettingsStore::Value& CMemorySettingsStore::Put(const std::string& section, const std::string& name)
{
    Section& s = Open(section);
    if (Value* v = FindValue(s, name))
        return *v;
    s.values.push_back(Value{name, false, 0, std::string()});
    return s.values.back();
}

int32_t CMemorySettingsStore::GetInt(const std::string& section, const std::string& name, int32_t def)
{
    const Value* v = FindValue(Open(section), name);
    return v && !v->isString ? v->number : def;
}

std::string CMemorySettingsStore::GetString(const std::string& section, const std::string& name,
                                            const std::string& def)
{
    const Value* v = FindValue(Open(section), name);
    return v && v->isString ? v->text : def;
}

void CMemorySettingsStore::SetInt(const std::string& section, const std::string& name, int32_t value)
{
    Value& v = Put(section, name);
    v.isString = false;
    v.number = value;
    v.text.clear();
}

void CMemorySettingsStore::SetString(const std::string& section, const std::string& name, const std::string& value)
{
    Value& v = Put(section, name);
    v.isString = true;
    v.number = 0;
    v.text = value;
}

void CMemorySettingsStore::DeleteValue(const std::string& section, const std::string& name)
{
    Section& s = Open(section);
    s.values.erase(std::remove_if(s.values.begin(), s.values.end(),
                                  [&](const Value& v) { return SameName(v.name, name); }),
                   s.values.end());
}

std::vector<std::string> CMemorySettingsStore::ListSections()
{
    std::vector<std::string> names;
    for (const Section& s : m_sections)
        names.push_back(s.name);
    return names;
}

void CMemorySettingsStore::DeleteSection(const std::string& section, const std::vector<std::string>& valueNames)
{
    if (section.empty())
        return;
    // Like a registry key, the section goes with whatever values it still holds.
    (void)valueNames;
    m_sections.erase(std::remove_if(m_sections.begin(), m_sections.end(),
                                    [&](const Section& s) { return SameName(s.name, section); }),
                     m_sections.end());
}

bool CMemorySettingsStore::HasSection(const std::string& section) const
{
    return Find(section) != nullptr;
}

bool CMemorySettingsStore::HasValue(const std::string& section, const std::string& name) const
{
    const Section* s = Find(section);
    if (!s)
        return false;
    for (const Value& v : s->values)
        if (SameName(v.name, name))
            return true;
    return false;
}
