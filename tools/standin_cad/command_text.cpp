#include "tools/standin_cad/command_text.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

std::string CommandNameOf(const char* text) {
    const char* p = text;
    for (;;) {
        if (*p == '\x1b' || *p == '\x03') {
            ++p;
        } else if (p[0] == '^' && (p[1] == 'C' || p[1] == 'c')) {
            p += 2;
        } else {
            break;
        }
    }
    std::string name;
    for (; *p == '_' || *p == '.' || *p == '-'; ++p) {
        if (*p == '-' && name.empty()) {
            name = "-";
        }
    }
    if (*p == '(' || *p == '\0') {
        return "";
    }
    while (*p != '\0' && strchr(" \t\r\n;", *p) == nullptr) {
        const size_t length = CharLengthMb(p);
        if (length == 1 && *p >= 'a' && *p <= 'z') {
            name += static_cast<char>(*p - 'a' + 'A');
        } else {
            name.append(p, length);
        }
        p += length;
    }
    return name == "-" ? "" : name;
}
