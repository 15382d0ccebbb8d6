// Runs the floating menu's own loader over a configuration file or one menu
// file, printing each finding as it comes. Windows.
#pragma once

#include "checker/check_command_line.h"
#include "checker/finding_text.h"

#include <string>

// Where the report's lines go (each without its line end).
struct CheckOutput {
    void* context;
    void (*line)(void* context, const std::string& text);
};

struct CheckOutcome {
    CheckCounts counts;
    bool loaded = false; // the model is loaded (free it with FreeMenus)
};

CheckOutcome RunMenuCheck(const CheckRequest& request, const CheckOutput& output);
