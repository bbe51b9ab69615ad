// The text rules of language files, apart from any file access: references,
// escapes, lists and numbers. Portable, so they are tested (and can be
// fuzzed) natively; CLanguage and CIniFile apply them to what the
// private-profile functions return.
#pragma once

#include <string>
#include <vector>

// Tells whether a byte starts a two-byte character in the system code page.
// Null for single-byte code pages.
using LeadBytePredicate = bool (*)(unsigned char byte);

// A value of the form "[Section]/Key" refers to another value of the same
// file. True (with the parts) when `value` starts with "[" and contains "]/".
// The second byte of a two-byte character is never taken for the "]".
bool ParseReference(const std::string& value, std::string& section, std::string& key,
                    LeadBytePredicate isLeadByte = nullptr);

// Replaces the escape "\n" by a carriage return (13) and "\t" by a tab (9);
// a backslash before any other character is kept together with that
// character, so "\\t" stays as it is. Two-byte characters are skipped whole.
std::string ReplaceEscapes(const std::string& value, LeadBytePredicate isLeadByte = nullptr);

// The comma-separated items of a list value: split at every comma, blanks
// kept, empty items kept; an empty value has no items.
std::vector<std::string> SplitList(const std::string& value);

// An integer as the language files write it: decimal, 0x... hexadecimal or
// 0... octal, after optional blanks and sign; a value that does not start
// with a number gives 0, and one beyond 32 bits is clamped.
int ParseIniInt(const std::string& text);
