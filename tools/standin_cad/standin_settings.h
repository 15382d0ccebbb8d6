// Settings of the stand-in CAD program: from the settings file beside it
// (its path cut at the first '.', plus ".ini", section [STANDIN]), then from
// "-key=value" words of its command line, which win.
#pragma once

#include <string>
#include <vector>

struct StandInSettings {
    std::string caption = "AutoCAD 2004 - [Drawing1.dwg]";
    std::string log;        // log file; empty: no log
    std::string ddeService; // empty: no DDE server
    std::string ddeTopic;
    int idleDelayMs = 0;    // sleep before the window and the message loop exist
    int windowDelayMs = 0;  // idle in the message loop this long before the windows exist
    int refuseCopyData = 0; // answer WM_COPYDATA with 0
    int startMinimized = 0;
    int stampReceipts = 0; // log a STAMP record (QueryPerformanceCounter) before each command
    int extraOnTop = 0;    // create the extra windows after the main window, in front of it
    std::vector<std::string> extraWindows; // captions of further top-level windows
    std::vector<std::string> arxModules;   // in-CAD modules loaded at start ("-arx=PATH")
    std::string support;                   // folders acedFindFile searches ("DIR;DIR...")
    std::string commandLine;               // as received
};

StandInSettings LoadStandInSettings(const char* modulePath, const char* commandLine);

// Splits a command line into words; double quotes group and are removed.
std::vector<std::string> SplitCommandLine(const char* commandLine);
