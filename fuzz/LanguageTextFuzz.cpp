// Fuzz target: the text rules of language files — references, escapes,
// lists and numbers — on any value a file can hold, read as single-byte text
// and as text of a two-byte code page (the lead bytes of Shift-JIS, where a
// trailing byte can look like "]", "/", "\" or ",").
//
// Besides the sanitizers' checks it holds the rules' shapes: escapes never
// lengthen a value and leave one without a backslash alone; a list's items
// joined with commas give the value back; a reference's parts rebuild the
// value, and in single-byte text the section holds no "]/".
//
// Input: U8 code page (bit 0: two-byte), then the value.
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "lang/LanguageText.h"

namespace {

bool ShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    const LeadBytePredicate lead = in.Bit() ? ShiftJisLead : nullptr;
    const std::vector<uint8_t> bytes = in.Rest();
    const std::string value(bytes.begin(), bytes.end());

    std::string section, key;
    if (ParseReference(value, section, key, lead)) {
        Check("[" + section + "]/" + key == value);
        Check(lead != nullptr || section.find("]/") == std::string::npos);
        // The referenced value goes through the escapes in turn.
        ReplaceEscapes(key, lead);
    }

    const std::string replaced = ReplaceEscapes(value, lead);
    Check(replaced.size() <= value.size());
    Check(value.find('\\') != std::string::npos || replaced == value);

    const std::vector<std::string> items = SplitList(value);
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i)
        joined += (i ? "," : "") + items[i];
    Check(joined == value);

    ParseIniInt(value);
    return 0;
}
