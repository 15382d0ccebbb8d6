// Arbitrary bytes as a launcher setup file: its lines as the values that
// references look up ("SECTION:KEY=value"), the section read of the same
// bytes, every line expanded, and the rules that take setup values apart
// (system entries, hexadecimal values, the command line, values written for
// the menu). No crash, no read or write out of bounds, expansion bounded.
#include "launcher/launch_rules.h"
#include "launcher/script_values.h"
#include "launcher/setup_text.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    std::map<std::string, std::string> values;
    for (const std::string& line : lines) {
        size_t equals = line.find('=');
        if (equals != std::string::npos) {
            values[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    ReferenceLookup lookup = [&values](const std::string& section, const std::string& key) {
        auto found = values.find(section + ":" + key);
        return found == values.end() ? std::string() : found->second;
    };

    // The same bytes as a section read: entries ended by NUL.
    std::string entries = bytes;
    for (char& c : entries) {
        c = c == '\n' ? '\0' : c;
    }
    SectionKeyNames(entries.data(), entries.size());

    const std::string arguments = lines.back().c_str();
    for (const std::string& raw : lines) {
        std::string line = raw.c_str();
        std::string expanded = line;
        ExpandReferenceText(&expanded, lookup);
        if (expanded.size() > line.size() && expanded.size() > kMaxExpandedLength) {
            __builtin_trap(); // grew past the bound
        }
        uint32_t number = 0;
        ParseHexDword(line.c_str(), &number);
        ClassifyNewScriptValue(line, &number);
        ScriptedText(expanded, line);
        std::string trimmed = line;
        TrimWhite(&trimmed);
        std::string menuFile;
        size_t equals = line.find('=');
        std::string key = equals == std::string::npos ? line : line.substr(0, equals);
        std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        EvaluateSystemEntry(key.c_str(), value.c_str(), arguments.c_str(), &menuFile);
        CadCommandParts parts{key, arguments, value, trimmed, line, expanded};
        BuildCadCommandLine(parts);
        // A value written for the menu reads back whole: the profile reader
        // trims it and takes away one pair of quotes around all of it.
        if (trimmed == line) {
            std::string read = ProfileValueText(line);
            TrimWhite(&read);
            size_t n = read.size();
            if (n >= 2 && (read[0] == '"' || read[0] == '\'') && read[n - 1] == read[0]) {
                read = read.substr(1, n - 2);
            }
            if (read != line) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
