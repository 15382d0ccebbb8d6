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

int ParseRegistrationValue(char* value, RegistrationFields* fields) {
    char* position = value + (SkipLeadingBlanks(value) - value);
    if (*position == '\0') {
        return 0;
    }
    char* tokens[4] = {nullptr, nullptr, nullptr, nullptr};
    for (char*& token : tokens) {
        token = TokenizeMbAt(&position, "\"");
        if (token == nullptr) {
            break;
        }
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
