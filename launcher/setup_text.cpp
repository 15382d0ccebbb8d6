#include "launcher/setup_text.h"

#include <cstring>

#include "menu/strutil/sjis_text.h"

namespace {

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

void TrimRightWhite(std::string* text) {
    size_t runStart = std::string::npos;
    for (size_t i = 0; i < text->size(); i += CharLengthMb(text->c_str() + i)) {
        if (IsWhite((*text)[i])) {
            if (runStart == std::string::npos) {
                runStart = i;
            }
        } else {
            runStart = std::string::npos;
        }
    }
    if (runStart != std::string::npos) {
        text->resize(runStart);
    }
}

void TrimLeftWhite(std::string* text) {
    size_t start = 0;
    while (start < text->size() && IsWhite((*text)[start])) {
        ++start;
    }
    text->erase(0, start);
}

int FindNameIgnoringCase(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoringCase(names[i].c_str(), names[i].size(), name.c_str())) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TrimWhite(std::string* text) {
    TrimRightWhite(text);
    TrimLeftWhite(text);
}

size_t FindCharFrom(const std::string& text, char c, size_t from) {
    for (size_t i = from; i < text.size(); i += CharLengthMb(text.c_str() + i)) {
        if (text[i] == c) {
            return i;
        }
    }
    return std::string::npos;
}

bool ParseHexDword(const char* text, uint32_t* value) {
    if (strlen(text) != 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    uint32_t result = 0;
    for (int i = 2; i < 10; ++i) {
        int digit = HexDigitValue(text[i]);
        if (digit < 0) {
            return false;
        }
        result = (result << 4) | static_cast<uint32_t>(digit);
    }
    *value = result;
    return true;
}

std::vector<std::string> SectionKeyNames(const char* entries, size_t length) {
    std::vector<std::string> keys;
    size_t i = 0;
    while (i < length && entries[i] != '\0') {
        size_t end = i;
        while (end < length && entries[end] != '\0') {
            ++end;
        }
        std::string entry(entries + i, end - i);
        size_t equals = FindCharFrom(entry, '=', 0);
        if (equals != std::string::npos) {
            entry.resize(equals);
        }
        keys.push_back(entry);
        i = end + 1;
    }
    return keys;
}

void ExpandReferenceText(std::string* text, const ReferenceLookup& lookup) {
    for (int done = 0; done < kMaxExpansions; ++done) {
        size_t open = FindCharFrom(*text, '<', 0);
        if (open == std::string::npos || open + 1 >= text->size()) {
            return;
        }
        size_t close = FindCharFrom(*text, '>', open + 1);
        std::string reference = text->substr(
            open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        std::string suffix = close == std::string::npos ? "" : text->substr(close + 1);
        size_t colon = FindCharFrom(reference, ':', 0);
        if (colon == std::string::npos || colon + 1 >= reference.size()) {
            return;
        }
        std::string value = lookup(reference.substr(0, colon), reference.substr(colon + 1));
        if (value.empty() || open + value.size() + suffix.size() > kMaxExpandedLength) {
            return;
        }
        *text = text->substr(0, open) + value + suffix;
    }
}
