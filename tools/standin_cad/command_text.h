// Command texts as the stand-in CAD program receives them at its command
// prompt (WM_COPYDATA or DDE execute, caret codes already turned into
// control bytes): which command a text runs.
#pragma once

#include <string>

// The global name of the command the text runs, upper-cased: leading
// cancels (ESC, which the menu's "^C" becomes, 0x03, or "^C" itself) and
// the prefixes "_" and "." are passed over, "-" stays ("^C^C_-plot x" runs
// "-PLOT"). The
// name ends at a blank, a tab, a line end or ";". Empty for a LISP call
// "(...)" or a text that names no command.
std::string CommandNameOf(const char* text);
