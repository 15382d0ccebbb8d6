// Paths derived from another path of the system by a new extension: the
// configuration file beside a program, the layout file beside the
// configuration file, the companion library beside a menu file.
#pragma once

#include <cstddef>

// dst = path cut at the first '.' of its file name (a '.' that begins the
// file name is skipped, so the cut falls at the next one), followed by
// extension, e.g. ".ini". Folder names keep their dots: C:\VX v1.5\VXMENU32.EXE
// gives C:\VX v1.5\VXMENU32.ini. Folder separators are '\', '/' and a drive's
// ':', found double-byte aware. Returns 0, leaving dst empty, when the file
// name yields no text before the '.' or the result would not fit in size bytes.
int DerivePath(char* dst, size_t size, const char* path, const char* extension);
