// The files the launcher writes for the floating menu: the system list (the
// menu packages in use) and the menu configuration file VXMENU32.INI. Both
// are written beside as NAME.new and put in place only when complete, so a
// failed write leaves the old file as it was.
#pragma once

#include <string>
#include <vector>

#include "launcher/launcher_settings.h"
#include "launcher/setup_file.h"

// Writes to path the keys of section SYSTEM whose entries are in use for
// the argument text, one a line, in the section's order. 0 when the file
// cannot be written.
int WriteSystemList(SetupFile& setup, const char* arguments, const std::string& path);

// The packages' lines for the [VXMENU] section: of each entry in use that
// the system list at systemListPath names, every line of its menu file that
// begins with "VXMENU". Both files end their lines at LF or CR LF. 0 when
// the system list cannot be read.
int CollectMenuLines(SetupFile& setup, const char* arguments, const std::string& systemListPath,
                     std::vector<std::string>* lines);

// Writes VXMENU32.INI to path: the [DIRECTORY] line and the pass-on lines of
// settings, then the collected menu lines. 0 when the file cannot be written.
int WriteMenuConfig(const std::string& path, const LauncherSettings& settings,
                    const std::vector<std::string>& menuLines);
