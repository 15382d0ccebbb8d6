#include "menu/app/menu_config.h"

#include "menu/app/app_state.h"
#include "menu/app/profile.h"
#include "menu/strutil/sjis_text.h"

void ReadMenuSettings() {
    const char* ini = g_app.iniPath;
    ReadProfileText(ini, "VXMENU", "PKGNAME", g_app.pkgName, sizeof g_app.pkgName);
    ReadProfileText(ini, "VXMENU", "VERSION", g_app.version, sizeof g_app.version);
    ReadProfileText(ini, "VXMENU", "PKGTYPE", g_app.pkgType, sizeof g_app.pkgType);
    char value[kPathSize];
    ReadProfileText(ini, "VX_SETVAR", "DdeConnectWaitTime", value, sizeof value);
    g_app.ddeConnectWaitMs = ParseDecimal(value);
    ReadProfileText(ini, "VX_SETVAR", "AcadFindWaitTime", value, sizeof value);
    g_app.acadFindWaitMs = ParseDecimal(value);
}

int ReadDirectoryValue(const char* key, char* dst, int size) {
    return ReadProfileText(g_app.iniPath, "DIRECTORY", key, dst, size);
}

void WriteHwndBusy() {
    WriteProfileText(g_app.iniPath, "VXMENU", "HWND", "BUSY");
}

void WriteHwndPair(HWND cadWindow, HWND topWindow) {
    // Window handles fit in 32 bits on 64-bit Windows as well.
    char value[32];
    FormatText(value, sizeof value, "%x %x",
               static_cast<unsigned>(reinterpret_cast<UINT_PTR>(cadWindow)),
               static_cast<unsigned>(reinterpret_cast<UINT_PTR>(topWindow)));
    WriteProfileText(g_app.iniPath, "VXMENU", "HWND", value);
}
