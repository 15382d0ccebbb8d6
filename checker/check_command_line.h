// The menu checker's command line:
//   VXMCHECK.EXE CONFIG [/MENU:NAME] [/PREVIEW:FILE.BMP|FILE.PNG]
//   VXMCHECK.EXE FILE.MNU [/PREVIEW:FILE.BMP|FILE.PNG]
// A target whose name ends in ".INI" (any case) is a configuration file,
// any other a menu file. Switches are written "/MENU:" or "/menu:", as the
// floating menu takes them, and "/PREVIEW:" or "/preview:". Portable.
#pragma once

#include <string>
#include <vector>

enum class PreviewFormat { kNone, kBmp, kPng };

struct CheckRequest {
    std::string target;
    bool isConfig = false;
    std::string menuName = "VXMENU";
    std::string previewPath;
    PreviewFormat previewFormat = PreviewFormat::kNone;
};

// Fills request from the words after the program name; 0 with a Japanese
// reason in *problem for a usage error.
int ParseCheckArguments(const std::vector<std::string>& words, CheckRequest* request,
                        std::string* problem);

// The usage text, lines ending in "\n".
const char* CheckUsageText();
