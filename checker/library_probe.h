// Why a companion library, one of its bitmaps or one of its functions could
// not be had: Japanese reasons for the checker's report. Windows.
#pragma once

#include <windows.h>

#include <string>

// From the error LoadLibraryA left (GetLastError) and the file itself.
std::string LibraryLoadReason(const char* path, DWORD error);

// Empty when library is none or nothing more can be said.
std::string BitmapMissingReason(HMODULE library, const char* name);
std::string FunctionMissingReason(HMODULE library, const char* name);
