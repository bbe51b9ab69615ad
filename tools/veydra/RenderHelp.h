// `veydra render --help` and `veydra --version`.
//
// The help is one table, a row per option: a new option is one more row.
// A row that sets a shadow value names it, and the value's range and
// default then come from the parameter table itself; the tests hold every
// shadow value to having a row and every row to being understood by the
// parser, with its default meaning the default.
#pragma once

#include <cstddef>
#include <string>

struct OptionHelp {
    const char* section;    // starts a new group when it differs from the row above
    const char* option;     // "--blur N"
    const char* param;      // the ShadowParams value it sets (range and default from there), or null
    const char* range;      // for the others: what it takes ("" for a switch)
    const char* byDefault;  // for the others: what holds without it
    const char* text;
};

extern const OptionHelp kRenderOptionHelp[];
extern const size_t kRenderOptionHelpCount;

// The range and default shown for a row.
std::string HelpRange(const OptionHelp& row);
std::string HelpDefault(const OptionHelp& row);

std::string RenderHelpText();

// "veydra 1.0": the program and the release it belongs to.
std::string VersionText();
