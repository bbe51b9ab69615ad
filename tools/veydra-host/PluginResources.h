// Reading a module's registration resource (PIPL) and terminology resource
// (AETE) the way a host does: a list of properties whose lengths say where
// the next one starts, and a terminology walked field by field. Portable:
// the Windows side only fetches the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PiplProperty {
    uint32_t vendor = 0;
    uint32_t key = 0;
    int32_t id = 0;
    int32_t length = 0;
    std::vector<uint8_t> data;  // `length` bytes
};

struct PiplInfo {
    int16_t reserved = 0;
    int32_t version = 0;
    int32_t count = 0;
    std::vector<PiplProperty> properties;

    const PiplProperty* Find(uint32_t key) const;
};

// False with a reason when the bytes end early or a length is impossible.
bool ParsePipl(const std::vector<uint8_t>& bytes, PiplInfo& pipl, std::string& error);

// The entry-point property a host of this build reads: 'wx86' for a 32-bit
// host, '8664' for a 64-bit one.
uint32_t OwnEntryKey();
const char* OwnArchitecture();

// A C string property's text (up to the first zero).
std::string CStringOf(const PiplProperty& property);

// The text after the colon of a property's line in the host's report.
std::string DescribeProperty(const PiplProperty& property);

struct HasTerminology {
    int32_t version = 0;
    uint32_t classId = 0;
    uint32_t eventId = 0;
    int16_t terminologyId = 0;
    std::string scope;
};
bool ParseHasTerminology(const PiplProperty& property, HasTerminology& hstm);

struct AeteParameter {
    std::string name;
    uint32_t key = 0;
    uint32_t type = 0;
    std::string description;
    uint16_t flags = 0;
};

struct AeteInfo {
    int16_t reserved = 0;
    uint8_t major = 0, minor = 0;
    int16_t language = 0, script = 0, suiteCount = 0;
    std::string suiteName, suiteDescription;
    uint32_t suiteId = 0;
    int16_t level = 0, version = 0, eventCount = 0;
    std::string eventName, eventDescription;
    uint32_t eventClass = 0, eventId = 0;
    uint32_t replyType = 0;
    std::string replyDescription;
    uint16_t replyFlags = 0;
    uint32_t directType = 0;
    std::string directDescription;
    uint16_t directFlags = 0;
    std::vector<AeteParameter> parameters;
    int16_t classCount = 0, comparisonCount = 0, enumerationCount = 0;
    size_t bytesRead = 0;
};

// Reads one suite with one event, as filter hosts accept.
bool ParseAete(const std::vector<uint8_t>& bytes, AeteInfo& aete, std::string& error);

// The report's lines for a terminology resource.
std::vector<std::string> DescribeAete(const AeteInfo& aete, size_t size);
