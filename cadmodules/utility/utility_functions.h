// The LISP functions of the utility module VXUTY.
#pragma once

int MakeCommandListFunction();    // %mkcmdlst
int TextReadFunction();           // %txtread
int WriteProfileStringFunction(); // %writeprivateprofilestring
int GetProfileStringFunction();   // %getprivateprofilestring
int DebugStringFunction();        // %OutputDebugString
int DebugOutputOnFunction();      // %OutputDebugStringOn
int DebugOutputOffFunction();     // %OutputDebugStringOff
