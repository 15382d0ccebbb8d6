// Portable rules of the launcher's setup files: white space, hexadecimal
// values, the key names of a section and <SECTION:KEY> references.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Removes trailing / leading white space: tab, line feed, vertical tab, form
// feed, carriage return and blank. Steps by whole characters, so the trail
// byte of a double-byte character is never taken for white space and a
// full-width blank stays.
void TrimRightWhite(std::string* text);
void TrimLeftWhite(std::string* text);
void TrimWhite(std::string* text);

// Position of the first character c at or after from (double-byte aware),
// or std::string::npos.
size_t FindCharFrom(const std::string& text, char c, size_t from);

// Index of the first of names that equals name without regard to case
// (double-byte characters as units), or -1: how the launcher matches
// registry value and key names against the setup file's.
int FindNameIgnoringCase(const std::vector<std::string>& names, const std::string& name);

// "0x" or "0X" and exactly eight hexadecimal digits: stores the value and
// returns true; otherwise false with value unchanged.
bool ParseHexDword(const char* text, uint32_t* value);

// Key names of a section read as a whole (NUL-ended entries up to an empty
// one or length bytes): each entry cut before its first '=', double-byte
// aware; an entry without '=' stays whole.
std::vector<std::string> SectionKeyNames(const char* entries, size_t length);

// Looks a reference up: the value of key in section, empty when missing.
using ReferenceLookup = std::function<std::string(const std::string&, const std::string&)>;

// Limits of reference expansion: a file whose values refer to themselves
// stops here instead of growing without end.
constexpr int kMaxExpansions = 64;
constexpr size_t kMaxExpandedLength = 4095;

// Replaces references <SECTION:KEY>, always the first '<' of the text, until
// one cannot be expanded (no ':', nothing after it, an empty value), after
// kMaxExpansions replacements, or when a replacement would make the text
// longer than kMaxExpandedLength; the rest stays as written.
void ExpandReferenceText(std::string* text, const ReferenceLookup& lookup);
