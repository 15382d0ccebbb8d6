// Opening text files for the line reader, and file existence tests (Windows).
#pragma once

#include "menu/strutil/line_reader.h"

// Access styles of the callers: the external-program scan reads with others
// free to write; the menu loader keeps others from writing meanwhile.
enum TextFileStyle {
    kTextFileRead = 0,          // like OF_READ
    kTextFileShareDenyWrite = 1 // like OF_SHARE_DENY_WRITE
};

// Allocates a record and opens the file; nullptr when either fails.
TextFile* OpenTextFile(const char* path, TextFileStyle style);

// Closes the file and frees the record: 1, or 0 for nullptr.
int CloseTextFile(TextFile* file);

// 1 when path names an existing file (not a folder).
int FileExists(const char* path);
