// What a chosen menu item does: the rules in order, without doing it.
#pragma once

#include <cstddef>

#include "menu/model/menu_model.h"

enum class ItemRoute {
    Dialog,    // dialog kind 1 or 2
    Function,  // the companion library's function
    Alternate, // Ctrl: the alternate command to the CAD program
    Nothing,   // Ctrl without alternate command, or no command
    Exec,      // "EXEC": start a program; text = what follows "EXEC" and its separator
    External,  // a linked external program's key; text = the command for it
    Cad,       // the whole command to the CAD program
};

// Decides the route of item. keys are the external programs' keys by slot
// (empty for a free slot); *slot gets the matching slot for External. The
// text to send or start is copied into text (size bytes; cut at its first
// line feed for Exec and External).
ItemRoute RouteMenuItem(const MenuItem& item, bool ctrl, const char* const* keys, int keyCount,
                        int* slot, char* text, size_t size);
