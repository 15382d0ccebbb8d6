// Buffer sizes of the floating menu's texts, in bytes with the NUL.
#pragma once

constexpr int kPathSize = 260;    // paths and most configuration values
constexpr int kNameSize = 80;     // DDE names, caption prefixes, external-program keys
constexpr int kCommandSize = 360; // CAD command lines and [DIRECTORY] values
constexpr int kMaxExternalPrograms = 20;
constexpr int kMaxHiddenWindows = 20;
