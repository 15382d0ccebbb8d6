// The files the launcher writes for the floating menu: the system list (the
// menu packages in use) and the menu configuration file VXMENU32.INI.
#pragma once

#include <string>
#include <vector>

#include "launcher/setup_file.h"

// Writes the keys of section SYSTEM whose entries are in use for the
// argument text, one a line, in the section's order. 0 when the file cannot
// be written.
int WriteSystemList(SetupFile& setup, const char* arguments);

// The packages' lines for the [VXMENU] section: of each system list entry
// in use, every line of its menu file that begins with "VXMENU". 0 when the
// system list cannot be read.
int CollectMenuLines(SetupFile& setup, const char* arguments, std::vector<std::string>* lines);

// Writes VXMENU32.INI from the settings and the collected menu lines. 0 when
// the file cannot be written.
int WriteMenuConfig(const std::vector<std::string>& menuLines);
