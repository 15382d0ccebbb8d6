// The CAD programs the floating menu can drive, by [DIRECTORY] key.
#pragma once

struct CadTarget {
    const char* key;        // [DIRECTORY] key holding the CAD command line
    int valueSize;          // read buffer of that value
    const char* ddeService; // empty: no DDE link
    const char* ddeTopic;
    const char* captionPrefix1; // the main window's caption begins with one of these
    const char* captionPrefix2;
    int canRestartFromCad; // 1: typing VXMENU in the CAD program restarts the menu
};

constexpr int kCadTargetCount = 6;

// In the order the keys are tried; the first key with a value wins.
extern const CadTarget kCadTargetTable[kCadTargetCount];

enum class CadTransport { DdeExecute, CopyData, None };

// How command texts reach the CAD program: DDE when a service or topic is
// set, WM_COPYDATA for AutoCAD 2000-2004 (by their caption prefixes), else none.
CadTransport CadTransportOf(const char* ddeService, const char* ddeTopic,
                            const char* captionPrefix1, const char* captionPrefix2);

// Whether WM_COPYDATA serves this target (prefix "AutoCAD " or "Autodesk").
bool UsesCopyData(const char* captionPrefix1, const char* captionPrefix2);
