// What the package's deferred action gets to fill in the installed setup
// file: the package folder and the office's settings given as public
// properties, in one text "DIR|ACADDIR|ACAD14DIR|ACAD15DIR|ACAD16DIR|DEFTEMPNAME|PFNAME"
// (vx.wxs forms it).
#pragma once

#include "menu/app/app_limits.h"

// A value of the setup file: the floating menu reads paths into kPathSize bytes.
constexpr int kSetupValueSize = kPathSize;

// A public property of the package and the setup file's key it is written to.
struct OfficeSetting {
    const char* property;
    const char* section;
    const char* key;
};

constexpr int kOfficeSettingCount = 6;
extern const OfficeSetting kOfficeSettings[kOfficeSettingCount];

struct SetupActionData {
    char packageDir[kSetupValueSize]; // INSTALLDIR without its trailing '\'
    char values[kOfficeSettingCount]
               [kSetupValueSize]; // in the order of kOfficeSettings; "" = not given
};

// Splits text at '|' (found double-byte aware); the last field takes the rest,
// so a profile name may hold a '|'. Returns 0 when a field is missing, the
// folder is empty or a field does not fit its buffer.
int ParseSetupActionData(const char* text, SetupActionData* out);

// Whether the launcher can work from this package folder: it takes its setup
// file's path from its own path cut at the first '.', and its menu paths
// (dir\VXMENU\VXMENU32.INI) must fit 260-byte buffers.
int PackageDirUsable(const char* dir);
