#include "menu/strutil/text_file.h"

#include <windows.h>

#include <cstdlib>

namespace {

struct WinTextFile {
    TextFile file; // first, so that the record's address is the file's
    HANDLE handle;
};

int ReadHandle(void* context, char* buffer, int count) {
    DWORD got = 0;
    if (!ReadFile(static_cast<WinTextFile*>(context)->handle, buffer, count, &got, nullptr)) {
        return -1;
    }
    return static_cast<int>(got);
}

} // namespace

TextFile* OpenTextFile(const char* path, TextFileStyle style) {
    // CreateFileA instead of OpenFile: OpenFile fails on paths over 127 bytes.
    DWORD share =
        style == kTextFileShareDenyWrite ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE handle = CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    WinTextFile* record = static_cast<WinTextFile*>(calloc(1, sizeof(WinTextFile)));
    if (record == nullptr) {
        CloseHandle(handle);
        return nullptr;
    }
    InitTextFile(&record->file, TextSource{record, ReadHandle});
    record->handle = handle;
    return &record->file;
}

int CloseTextFile(TextFile* file) {
    if (file == nullptr) {
        return 0;
    }
    WinTextFile* record = reinterpret_cast<WinTextFile*>(file);
    CloseHandle(record->handle);
    free(record);
    return 1;
}

int FileExists(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
