// The menu checker's report: one line per finding in the form compilers use,
// "FILE:LINE: error: TEXT" or "FILE:LINE: warning: TEXT", with Japanese
// texts that end in the finding's code, e.g. "(MC-06)". Portable.
#pragma once

#include "menu/model/menu_findings.h"

#include <string>

// The finding's text with its code. reason, when not empty, says why a
// library, bitmap or function could not be had (the checker's probes).
std::string FindingText(const MenuFinding& finding, const std::string& reason);

// "FILE:LINE: error: TEXT"; a line below 1 is given as 1.
std::string FindingLine(const std::string& file, int line, bool error, const std::string& text);

// Words for a placement's two letters ("BR" -> "下・右").
std::string PlacementWords(const char* placement);

// Counts of one check, and the exit status they give: 0 without errors
// (warnings allowed), 1 with errors; 2 is the usage error.
struct CheckCounts {
    int errors = 0;
    int warnings = 0;
};
int ExitStatusOf(const CheckCounts& counts);
constexpr int kUsageExitStatus = 2;
