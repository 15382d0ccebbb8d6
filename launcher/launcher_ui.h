// Message boxes of the launcher: texts formatted without a length limit,
// the values put in as data.
#pragma once

#include <windows.h>

#include <string>

// printf-style formatting into a string of any length.
std::string FormatMessageText(const char* format, ...) __attribute__((format(printf, 1, 2)));

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style);
