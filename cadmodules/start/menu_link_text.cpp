#include "cadmodules/start/menu_link_text.h"

#include "menu/strutil/sjis_text.h"

#include <cstdio>
#include <cstring>

namespace {

// One "%x" number at *text (after blanks, with an optional 0x); moves past it.
// 0 when there is none or it does not fit in 32 bits.
int ScanHex32(const char** text, uint32_t* value) {
    const char* p = *text;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') {
        ++p;
    }
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigitValue(p[2]) >= 0) {
        p += 2;
    }
    if (HexDigitValue(*p) < 0) {
        return 0;
    }
    uint64_t number = 0;
    for (; HexDigitValue(*p) >= 0; ++p) {
        number = number * 16 + static_cast<uint64_t>(HexDigitValue(*p));
        if (number > 0xFFFFFFFFu) {
            return 0;
        }
    }
    *value = static_cast<uint32_t>(number);
    *text = p;
    return 1;
}

} // namespace

uintptr_t WindowValueFromHex32(uint32_t value) {
    return static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}

uint32_t WindowValueToHex32(uintptr_t value) {
    return static_cast<uint32_t>(value);
}

int ScanWindowPair(const char* text, uintptr_t* first, uintptr_t* second) {
    uint32_t value = 0;
    if (!ScanHex32(&text, &value)) {
        return 0;
    }
    *first = WindowValueFromHex32(value);
    if (!ScanHex32(&text, &value)) {
        return 1;
    }
    *second = WindowValueFromHex32(value);
    return 2;
}

int IsMenuClosingCommand(const char* name) {
    const size_t length = strlen(name);
    return EqualsIgnoringCase(name, length, "PLOT") || EqualsIgnoringCase(name, length, "-PLOT") ||
           EqualsIgnoringCase(name, length, "ASSIST");
}

int FormatMenuStartCommand(char* dst, size_t size, const char* exePath, uintptr_t cadWindow) {
    char line[260];
    int needed = snprintf(line, sizeof line, "\"%s\" /HWND:%x", exePath,
                          static_cast<unsigned>(WindowValueToHex32(cadWindow)));
    if (needed < 0 || static_cast<size_t>(needed) >= sizeof line ||
        static_cast<size_t>(needed) >= size) {
        if (size > 0) {
            dst[0] = '\0';
        }
        return 0;
    }
    memcpy(dst, line, static_cast<size_t>(needed) + 1);
    return 1;
}

int BuildCopyPaths(const char* exePath, const char* source, const char* destination,
                   char* sourcePath, char* destinationPath) {
    const size_t kExeNameLength = 12; // "VXMENU32.EXE"
    const size_t limit = kCopyPathSize - 1;
    size_t exeLength = strlen(exePath);
    if (exeLength < kExeNameLength) {
        return 0;
    }
    size_t folder = exeLength - kExeNameLength;
    size_t sourceLength = strlen(source);
    size_t destinationLength = strlen(destination);
    if (folder > limit || folder + sourceLength > limit || folder + destinationLength > limit) {
        return 0;
    }
    memcpy(sourcePath, exePath, folder);
    memcpy(sourcePath + folder, source, sourceLength + 1);
    memcpy(destinationPath, exePath, folder);
    memcpy(destinationPath + folder, destination, destinationLength + 1);
    return 1;
}
