#include "menu/model/registration_line.h"

#include "menu/model/command_text.h"
#include "menu/strutil/sjis_text.h"

#include <cstring>

int IsMenuSectionHeader(const char* line, const char* menuName) {
    size_t length = strlen(line);
    if (length < 2 || line[0] != '[' || line[length - 1] != ']') {
        return 0;
    }
    return EqualsIgnoringCase(line + 1, length - 2, menuName) ? 1 : 0;
}

char* RegistrationValueOf(char* line) {
    char* position = line;
    char* key = TokenizeMbAt(&position, " =");
    if (key == nullptr || strcmp(key, "VXMENU") != 0 || *position == '\0') {
        return nullptr;
    }
    return position;
}

namespace {

// Splits a value in place at double quotes into its four tokens (missing
// ones stay nullptr); 0 when it holds only blanks.
int SplitAtQuotes(char* value, char* tokens[4]) {
    char* position = value + (SkipLeadingBlanks(value) - value);
    if (*position == '\0') {
        return 0;
    }
    for (int i = 0; i < 4; ++i) {
        tokens[i] = TokenizeMbAt(&position, "\"");
        if (tokens[i] == nullptr) {
            break;
        }
    }
    return 1;
}

} // namespace

int ParseRegistrationValue(char* value, RegistrationFields* fields) {
    char* tokens[4] = {nullptr, nullptr, nullptr, nullptr};
    if (!SplitAtQuotes(value, tokens)) {
        return 0;
    }
    fields->menuFile = tokens[0] ? tokens[0] : "";
    fields->displayName = tokens[2] ? tokens[2] : "";
    fields->initCommand = "";
    if (tokens[3] != nullptr) {
        char* command = tokens[3] + (SkipLeadingBlanks(tokens[3]) - tokens[3]);
        TranslateCaretCodes(command);
        fields->initCommand = command;
    }
    return 1;
}

namespace {

bool IsBlankAt(const char* p) {
    return *p == ' ' || *p == '\t' || (static_cast<unsigned char>(p[0]) == 0x81 && p[1] == 0x40);
}

// text without its blanks (space, tab, full-width space), whole characters.
std::string WithoutBlanks(const char* text) {
    std::string out;
    while (*text != '\0') {
        size_t length = CharLengthMb(text);
        if (!IsBlankAt(text)) {
            out.append(text, length);
        }
        text += length;
    }
    return out;
}

} // namespace

int IsMenuSectionHeaderWithBlanks(const char* line, const char* menuName) {
    return !IsMenuSectionHeader(line, menuName) &&
           IsMenuSectionHeader(WithoutBlanks(line).c_str(), menuName);
}

const char* LookalikeRegistrationKey(char* line) {
    if (strchr(line, '=') == nullptr) { // '=' is never a trail byte
        return nullptr;
    }
    char* position = line;
    char* key = TokenizeMbAt(&position, " =");
    if (key == nullptr || strcmp(key, "VXMENU") == 0) {
        return nullptr;
    }
    std::string bare = WithoutBlanks(key);
    return EqualsIgnoringCase(bare.c_str(), bare.size(), "VXMENU") ? key : nullptr;
}

int WrittenDisplayName(const char* value, std::string* name) {
    const char* quotes[4] = {nullptr, nullptr, nullptr, nullptr};
    int count = 0;
    for (const char* p = value; *p != '\0' && count < 4; p += CharLengthMb(p)) {
        if (*p == '"') {
            quotes[count++] = p;
        }
    }
    if (count < 4) {
        return 0;
    }
    name->assign(quotes[2] + 1, quotes[3]);
    return 1;
}

int CutInitCommand(const char* value, std::string* sent) {
    std::string copy(value);
    char* tokens[4] = {nullptr, nullptr, nullptr, nullptr};
    if (!SplitAtQuotes(&copy[0], tokens) || tokens[3] == nullptr) {
        return 0;
    }
    const char* start = value + (tokens[3] - copy.data());
    const char* end = start + strlen(tokens[3]);
    if (*end != '"') {
        return 0;
    }
    sent->assign(SkipLeadingBlanks(start), end);
    return 1;
}
