// Control messages a test sends to the stand-in CAD program: WM_COPYDATA
// with dwData kStandInControl and one of the verbs below as text.
#pragma once

constexpr unsigned long kStandInControl = 0x56584354; // "VXCT"

// "minimize", "restore", "close", "dde-disconnect", "refuse=1", "refuse=0";
// for the module host: "command-start=NAME", "command-end=NAME",
// "command-cancel=NAME", "command-fail=NAME" (editor reactors), "dwg-open",
// "dwg-close", "arx-load=PATH", "arx-unload=PATH", "support=DIR;DIR...",
// "invoke=CODE,PATH" (a bare function code), "foreign-text" (acutRelRb
// given a text of the wrong allocator), "unbalanced-list" (acedRetList
// given a lone RTLE) and "alert-ok" (dismisses the open alert). Any other
// verb is only logged, so a test can mark a point in the log.
