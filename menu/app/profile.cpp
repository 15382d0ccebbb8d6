#include "menu/app/profile.h"

#include <windows.h>

int ReadProfileText(const char* path, const char* section, const char* key, char* dst, int size) {
    if (size <= 0) {
        return 0;
    }
    return static_cast<int>(GetPrivateProfileStringA(section, key, "", dst, size, path));
}

int WriteProfileText(const char* path, const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, path) ? 1 : 0;
}
