#include "PluginResources.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "HostDescriptors.h"
#include "host/HostRecords.h"

namespace {

// Little-endian reads with a bounds check on every field.
class CByteReader {
public:
    explicit CByteReader(const std::vector<uint8_t>& bytes) : m_bytes(bytes) {}

    const uint8_t* Take(size_t count)
    {
        if (count > m_bytes.size() - m_pos)
            throw std::out_of_range("ends early at byte " + std::to_string(m_pos));
        const uint8_t* p = m_bytes.data() + m_pos;
        m_pos += count;
        return p;
    }
    uint8_t U8() { return *Take(1); }
    uint16_t U16()
    {
        const uint8_t* p = Take(2);
        return static_cast<uint16_t>(p[0] | p[1] << 8);
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    uint32_t U32()
    {
        const uint8_t* p = Take(4);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    std::string PascalString()
    {
        const size_t length = U8();
        const uint8_t* p = Take(length);
        return std::string(reinterpret_cast<const char*>(p), length);
    }
    size_t Position() const { return m_pos; }

private:
    const std::vector<uint8_t>& m_bytes;
    size_t m_pos = 0;
};

std::string Hex(const std::vector<uint8_t>& data)
{
    std::string text;
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof(byte), "%s%02X", i ? " " : "", data[i]);
        text += byte;
    }
    return text;
}

std::string Flags(uint16_t flags)
{
    char text[8];
    std::snprintf(text, sizeof(text), "0x%04X", flags);
    return text;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string PascalOf(const PiplProperty& p)
{
    if (p.data.empty() || p.data[0] + 1u > p.data.size())
        return "(bad string) " + Hex(p.data);
    return Quoted(std::string(reinterpret_cast<const char*>(p.data.data()) + 1, p.data[0]));
}

std::string DescribeModes(const std::vector<uint8_t>& data)
{
    static const char* const kModes[] = {"Bitmap", "Gray",   "Indexed", "RGB",    "CMYK",   "HSL",
                                         "HSB",    "Multichannel", "Duotone", "Lab", "Gray16", "RGB48",
                                         "Lab48",  "CMYK64", "DeepMultichannel", "Duotone16", "RGB96", "Gray32"};
    std::string names;
    for (size_t m = 0; m < sizeof(kModes) / sizeof(kModes[0]); ++m)
        if (m / 8 < data.size() && (data[m / 8] & (0x80 >> (m % 8))))
            names += (names.empty() ? "" : " ") + std::string(kModes[m]);
    return Hex(data) + " (" + (names.empty() ? "none" : names) + ")";
}

std::string DescribeCases(const std::vector<uint8_t>& data)
{
    std::string text;
    char entry[32];
    for (size_t i = 0; i + 4 <= data.size(); i += 4) {
        std::snprintf(entry, sizeof(entry), "%s%zu:%u/%u/%02X", i ? " " : "", i / 4 + 1, data[i], data[i + 1],
                      data[i + 2]);
        text += entry;
    }
    return text;
}

}  // namespace

const PiplProperty* PiplInfo::Find(uint32_t key) const
{
    for (const PiplProperty& p : properties)
        if (p.key == key)
            return &p;
    return nullptr;
}

bool ParsePipl(const std::vector<uint8_t>& bytes, PiplInfo& pipl, std::string& error)
{
    try {
        CByteReader reader(bytes);
        pipl.reserved = reader.I16();
        pipl.version = reader.I32();
        pipl.count = reader.I32();
        if (pipl.count < 0 || pipl.count > 1000)
            throw std::out_of_range("impossible property count " + std::to_string(pipl.count));
        for (int32_t i = 0; i < pipl.count; ++i) {
            PiplProperty p;
            p.vendor = reader.U32();
            p.key = reader.U32();
            p.id = reader.I32();
            p.length = reader.I32();
            if (p.length < 0)
                throw std::out_of_range("negative length of property " + FourCCText(p.key));
            const uint8_t* data = reader.Take(size_t(p.length));
            p.data.assign(data, data + p.length);
            // The next property starts at the length rounded up to 4; the
            // last one may end the resource without its padding.
            const size_t padding = size_t((4 - p.length % 4) % 4);
            if (i + 1 < pipl.count)
                reader.Take(padding);
            pipl.properties.push_back(p);
        }
        return true;
    } catch (const std::exception& e) {
        error = std::string("PIPL ") + e.what();
        return false;
    }
}

uint32_t OwnEntryKey() { return sizeof(void*) == 8 ? FourCC("8664") : FourCC("wx86"); }
const char* OwnArchitecture() { return sizeof(void*) == 8 ? "x64" : "x86"; }

std::string CStringOf(const PiplProperty& p)
{
    // An empty property has no bytes to point at, not even a zero.
    if (p.data.empty())
        return std::string();
    const char* text = reinterpret_cast<const char*>(p.data.data());
    return std::string(text, strnlen(text, p.data.size()));
}

bool ParseHasTerminology(const PiplProperty& p, HasTerminology& hstm)
{
    try {
        CByteReader reader(p.data);
        hstm.version = reader.I32();
        hstm.classId = reader.U32();
        hstm.eventId = reader.U32();
        hstm.terminologyId = reader.I16();
        const size_t rest = p.data.size() - reader.Position();
        const char* scope = reinterpret_cast<const char*>(reader.Take(rest));
        hstm.scope.assign(scope, strnlen(scope, rest));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string DescribeProperty(const PiplProperty& p)
{
    const uint32_t key = p.key;
    if (key == FourCC("kind"))
        return p.data.size() == 4 ? FourCCText(p.data[0] | p.data[1] << 8 | p.data[2] << 16 | uint32_t(p.data[3]) << 24)
                                  : Hex(p.data);
    if (key == FourCC("name") || key == FourCC("catg"))
        return PascalOf(p);
    if (key == FourCC("vers") && p.data.size() == 4) {
        const uint32_t v = p.data[0] | p.data[1] << 8 | p.data[2] << 16 | uint32_t(p.data[3]) << 24;
        return std::to_string(v >> 16) + "." + std::to_string(v & 0xFFFF);
    }
    if (key == FourCC("wx86") || key == FourCC("8664") || key == FourCC("wa64") || key == FourCC("enbl"))
        return Quoted(CStringOf(p));
    if (key == FourCC("hstm")) {
        HasTerminology h;
        if (!ParseHasTerminology(p, h))
            return "(too short) " + Hex(p.data);
        std::ostringstream text;
        text << "version " << h.version << ", class " << FourCCText(h.classId) << ", event " << FourCCText(h.eventId)
             << ", terminology " << h.terminologyId << ", scope " << Quoted(h.scope);
        return text.str();
    }
    if (key == FourCC("mode"))
        return DescribeModes(p.data);
    if (key == FourCC("fici"))
        return DescribeCases(p.data);
    return Hex(p.data);
}

bool ParseAete(const std::vector<uint8_t>& bytes, AeteInfo& a, std::string& error)
{
    try {
        CByteReader r(bytes);
        a.reserved = r.I16();
        a.major = r.U8();
        a.minor = r.U8();
        a.language = r.I16();
        a.script = r.I16();
        a.suiteCount = r.I16();
        if (a.suiteCount != 1)
            throw std::out_of_range("has " + std::to_string(a.suiteCount) + " suites, hosts accept 1");
        a.suiteName = r.PascalString();
        a.suiteDescription = r.PascalString();
        a.suiteId = r.U32();
        a.level = r.I16();
        a.version = r.I16();
        a.eventCount = r.I16();
        if (a.eventCount != 1)
            throw std::out_of_range("has " + std::to_string(a.eventCount) + " events, hosts accept 1");
        a.eventName = r.PascalString();
        a.eventDescription = r.PascalString();
        a.eventClass = r.U32();
        a.eventId = r.U32();
        a.replyType = r.U32();
        a.replyDescription = r.PascalString();
        a.replyFlags = r.U16();
        a.directType = r.U32();
        a.directDescription = r.PascalString();
        a.directFlags = r.U16();
        const int16_t count = r.I16();
        for (int16_t i = 0; i < count; ++i) {
            AeteParameter p;
            p.name = r.PascalString();
            p.key = r.U32();
            p.type = r.U32();
            p.description = r.PascalString();
            p.flags = r.U16();
            a.parameters.push_back(p);
        }
        a.classCount = r.I16();
        a.comparisonCount = r.I16();
        a.enumerationCount = r.I16();
        a.bytesRead = r.Position();
        return true;
    } catch (const std::exception& e) {
        error = std::string("AETE ") + e.what();
        return false;
    }
}

std::vector<std::string> DescribeAete(const AeteInfo& a, size_t size)
{
    std::vector<std::string> lines;
    std::ostringstream line;
    line << "  version " << int(a.major) << "." << int(a.minor) << ", language " << a.language << ", script "
         << a.script << ", " << a.suiteCount << " suite";
    lines.push_back(line.str());
    line.str("");
    line << "  suite " << Quoted(a.suiteName) << " " << Quoted(a.suiteDescription) << " " << FourCCText(a.suiteId)
         << " level " << a.level << " version " << a.version << ", " << a.eventCount << " event";
    lines.push_back(line.str());
    line.str("");
    line << "  event " << Quoted(a.eventName) << " " << Quoted(a.eventDescription) << " class "
         << FourCCText(a.eventClass) << " id " << FourCCText(a.eventId);
    lines.push_back(line.str());
    lines.push_back("  reply " + FourCCText(a.replyType) + " " + Quoted(a.replyDescription) + " flags " +
                    Flags(a.replyFlags));
    lines.push_back("  direct parameter " + FourCCText(a.directType) + " " + Quoted(a.directDescription) + " flags " +
                    Flags(a.directFlags));
    lines.push_back("  " + std::to_string(a.parameters.size()) + " parameters");
    for (size_t i = 0; i < a.parameters.size(); ++i) {
        const AeteParameter& p = a.parameters[i];
        lines.push_back("  parameter " + std::to_string(i + 1) + " " + Quoted(p.name) + " " + FourCCText(p.key) +
                        " " + FourCCText(p.type) + " " + Quoted(p.description) + " flags " + Flags(p.flags));
    }
    line.str("");
    line << "  classes " << a.classCount << ", comparison operators " << a.comparisonCount << ", enumerations "
         << a.enumerationCount << ", " << a.bytesRead << " of " << size << " bytes read";
    lines.push_back(line.str());
    return lines;
}
