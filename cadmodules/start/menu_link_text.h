// Texts the start module reads and writes: the window pair of the HWND key,
// the floating menu's command line, the watched command names, the paths of
// vxmcopy. Window handles are kept as pointer-sized values; in texts they
// are 32-bit hexadecimal numbers, on 64-bit Windows as well.
#pragma once

#include <cstddef>
#include <cstdint>

// The handle value of a 32-bit number as written by "%x" (sign-extended,
// as the system widens handles on 64-bit Windows).
uintptr_t WindowValueFromHex32(uint32_t value);

// The 32-bit number "%x" writes for a handle value.
uint32_t WindowValueToHex32(uintptr_t value);

// Scans text like "%x %x": each number found replaces its field, a number
// that is not there leaves its field and the ones after it unchanged.
// Returns how many numbers were taken (0 to 2).
int ScanWindowPair(const char* text, uintptr_t* first, uintptr_t* second);

// 1 when name is PLOT, -PLOT or ASSIST, ignoring case.
int IsMenuClosingCommand(const char* name);

// The floating menu's command line "\"path\" /HWND:cad" into dst (size
// bytes); 0, leaving dst empty, when it would not fit in 259 characters.
int FormatMenuStartCommand(char* dst, size_t size, const char* exePath, uintptr_t cadWindow);

// vxmcopy's paths: the folder is the menu program's found path less the 12
// characters of "VXMENU32.EXE"; source and destination are the folder
// followed by a name. Each is limited to 255 characters: 0 when any would
// not fit (nothing is cut), 1 with both paths (kCopyPathSize bytes each).
constexpr size_t kCopyPathSize = 256;
int BuildCopyPaths(const char* exePath, const char* source, const char* destination,
                   char* sourcePath, char* destinationPath);
