// Fuzz target: veydra-host's reading of registration (PIPL) and terminology
// (AETE) resources, and its report of them, on any bytes a module file can
// carry. The same bytes go to both readers.
//
// Besides the sanitizers' checks: an accepted PIPL holds as many properties
// as its count says, each with exactly as many data bytes as its length, and
// an accepted AETE never claims to have read past the resource's end.
#include <cstdint>
#include <string>
#include <vector>

#include "PluginResources.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    std::string error;

    PiplInfo pipl;
    if (ParsePipl(bytes, pipl, error)) {
        Check(pipl.properties.size() == size_t(pipl.count));
        for (const PiplProperty& p : pipl.properties) {
            Check(p.data.size() == size_t(p.length));
            DescribeProperty(p);
            HasTerminology hstm;
            ParseHasTerminology(p, hstm);
        }
        if (const PiplProperty* entry = pipl.Find(OwnEntryKey()))
            CStringOf(*entry);
    } else {
        Check(!error.empty());
    }

    AeteInfo aete;
    error.clear();
    if (ParseAete(bytes, aete, error)) {
        Check(aete.bytesRead <= size);
        DescribeAete(aete, size);
    } else {
        Check(!error.empty());
    }
    return 0;
}
