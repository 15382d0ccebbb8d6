#include "menu/strutil/derived_path.h"

#include <cstring>

#include "menu/strutil/sjis_text.h"

int DerivePath(char* dst, size_t size, const char* path, const char* extension) {
    if (size > 0) {
        dst[0] = '\0';
    }
    // The file name starts after the last separator that is a character of its own.
    size_t nameStart = 0;
    size_t i = 0;
    while (path[i] != '\0') {
        char c = path[i];
        if (c == '\\' || c == '/' || c == ':') {
            nameStart = i + 1;
        }
        i += CharLengthMb(path + i);
    }
    size_t stemStart = nameStart;
    while (path[stemStart] == '.') {
        ++stemStart;
    }
    size_t stemEnd = stemStart;
    while (path[stemEnd] != '\0' && path[stemEnd] != '.') {
        stemEnd += CharLengthMb(path + stemEnd);
    }
    if (stemEnd == stemStart) {
        return 0;
    }
    // The folder and the leading dots of the name stay as written.
    size_t extensionLength = strlen(extension);
    if (stemEnd + extensionLength + 1 > size) {
        return 0;
    }
    memcpy(dst, path, stemEnd);
    memcpy(dst + stemEnd, extension, extensionLength + 1);
    return 1;
}
