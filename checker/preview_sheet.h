// The preview sheet of a loaded model: every menu painted by the floating
// menu's own layout and painting, each under its title, on one picture
// written as BMP or PNG. Windows.
#pragma once

#include "checker/check_command_line.h"

#include <string>

// Writes the sheet of g_menuTable to path; 0 with a Japanese reason in
// *problem when it cannot be made or written.
int WritePreviewSheet(const std::string& path, PreviewFormat format, std::string* problem);
