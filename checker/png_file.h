// PNG files through GDI+ (gdiplus.dll, loaded when needed so that the checker
// also starts where the system has none). Windows.
#pragma once

#include <windows.h>

#include <string>

// Writes bitmap to path as PNG; 0 with a Japanese reason in *problem.
int WritePngFile(HBITMAP bitmap, const std::string& path, std::string* problem);
