// Control messages a test sends to the stand-in CAD program: WM_COPYDATA
// with dwData kStandInControl and one of the verbs below as text.
#pragma once

constexpr unsigned long kStandInControl = 0x56584354; // "VXCT"

// "minimize", "restore", "close", "dde-disconnect", "refuse=1", "refuse=0";
// any other verb is only logged, so a test can mark a point in the log.
