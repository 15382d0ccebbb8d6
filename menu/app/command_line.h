// The floating menu's command line: /MENU:name, /HWND:hex and the
// configuration file path.
#pragma once

#include "menu/app/app_limits.h"

// Classifies each word of commandLine by its first six characters:
// "/MENU:" or "/menu:" sets menuName, "/HWND:" or "/hwnd:" sets
// cadWindowText, any other word sets iniPath. The last word of a kind wins;
// fields no word names keep their values. With a double quote in the line,
// a quoted word may hold spaces.
void ParseCommandLine(const char* commandLine, char (&iniPath)[kPathSize],
                      char (&menuName)[kPathSize], char (&cadWindowText)[kNameSize]);
