#include "lang/LanguageText.h"

#include <climits>
#include <cstdlib>

namespace {

bool IsLead(LeadBytePredicate isLeadByte, char c)
{
    return isLeadByte && isLeadByte(static_cast<unsigned char>(c));
}

// The position of `pattern` (two single-byte characters) in `text`, starting
// from `from`, stepping over two-byte characters; npos when absent.
size_t FindPair(const std::string& text, const char* pattern, size_t from, LeadBytePredicate isLeadByte)
{
    for (size_t i = from; i + 1 < text.size(); ++i) {
        if (IsLead(isLeadByte, text[i])) {
            ++i;
            continue;
        }
        if (text[i] == pattern[0] && text[i + 1] == pattern[1])
            return i;
    }
    return std::string::npos;
}

}  // namespace

bool ParseReference(const std::string& value, std::string& section, std::string& key, LeadBytePredicate isLeadByte)
{
    if (value.empty() || value[0] != '[')
        return false;
    const size_t p = FindPair(value, "]/", 1, isLeadByte);
    if (p == std::string::npos)
        return false;
    section = value.substr(1, p - 1);
    key = value.substr(p + 2);
    return true;
}

std::string ReplaceEscapes(const std::string& value, LeadBytePredicate isLeadByte)
{
    std::string v = value;
    size_t i = 0;
    while (i + 1 < v.size()) {
        if (IsLead(isLeadByte, v[i])) {
            i += 2;
        } else if (v[i] != '\\') {
            ++i;
        } else if (v[i + 1] == 'n' || v[i + 1] == 't') {
            v.replace(i, 2, 1, v[i + 1] == 'n' ? '\r' : '\t');
            ++i;
        } else {
            i += 2;
        }
    }
    return v;
}

std::vector<std::string> SplitList(const std::string& value)
{
    std::vector<std::string> items;
    if (value.empty())
        return items;
    size_t start = 0;
    for (;;) {
        const size_t comma = value.find(',', start);
        items.push_back(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return items;
        start = comma + 1;
    }
}

int ParseIniInt(const std::string& text)
{
    const long long n = std::strtoll(text.c_str(), nullptr, 0);
    if (n < INT_MIN)
        return INT_MIN;
    if (n > INT_MAX)
        return INT_MAX;
    return static_cast<int>(n);
}
