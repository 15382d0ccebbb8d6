#include "launcher/launcher_driver.h"

#include <string>
#include <vector>

#include "launcher/cad_profile.h"
#include "launcher/launch_rules.h"
#include "launcher/launcher_messages.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_ui.h"
#include "launcher/menu_files.h"
#include "launcher/setup_file.h"
#include "launcher/setup_text.h"
#include "launcher/splash.h"
#include "menu/strutil/derived_path.h"
#include "menu/strutil/text_file.h"

LauncherSettings g_settings;
LaunchPlan g_plan;

namespace {

void ShowError(const std::string& text) {
    ShowMessage(nullptr, text, kLauncherCaption, MB_ICONERROR);
}

// The setup file beside the launcher: its own path cut at the first '.' of
// its file name, plus ".ini". False when the path cannot be had whole.
bool FindSetupPath(std::string* setupPath) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return false; // none, or cut short
    }
    std::vector<char> derived(length + 8);
    if (!DerivePath(derived.data(), derived.size(), path, ".ini")) {
        return false;
    }
    *setupPath = derived.data();
    return true;
}

// Keys 1 to 8: the menu switch, the package folder, the CAD profile and product.
void ReadRegistrySettings(SetupFile& setup) {
    LauncherSettings& s = g_settings;
    s.menuEnabled = setup.ReadText("VXMENU", "VXMENUFLG", "").compare(0, 1, "1") == 0;
    s.packageDir = setup.ReadText("REGISTRY", "PKGDIR", "");
    s.profileName = setup.ReadText("REGISTRY", "PFNAME", "");
    s.templateName = setup.ReadText("REGISTRY", "DEFTEMPNAME", "");
    s.acadVersion = setup.ReadText("REGISTRY", "ACADVER", "NULL");
    s.acadType = setup.ReadText("REGISTRY", "ACADTYPE", "NULL");
    s.baseProfile = setup.ReadText("REGISTRY", "BASEPROFILE", "NULL");
    s.acadOnly = setup.ReadInt("REGISTRY", "ACADONLY", 0);
    if (IsNullSetting(s.acadVersion)) {
        s.acadVersion = "R16.0";
    }
    if (IsNullSetting(s.acadType)) {
        s.acadType = "ACAD-201:411";
    }
    if (IsNullSetting(s.baseProfile)) {
        s.baseProfile = "<<名前のないプロファイル>>";
    }
}

// Key 9: the first CAD folder key set gives the folder and the series; an
// empty value counts as not set, as "NULL" does.
bool FindCadFolder(SetupFile& setup) {
    LauncherSettings& s = g_settings;
    for (const CadFolderKey& key : kCadFolderKeys) {
        s.seriesText = key.seriesText;
        std::string folder = setup.ReadText("DIRECTORY", key.key, "NULL");
        if (!folder.empty() && !IsNullSetting(folder)) {
            s.acadDir = folder;
            s.acadDirKey = key.key;
            s.menuValueSize = key.menuValueSize;
            return true;
        }
    }
    return false;
}

// Keys 10 to 16: the CAD options and what is passed on to the floating menu.
void ReadMenuSettings(SetupFile& setup) {
    LauncherSettings& s = g_settings;
    s.cadOptions = setup.ReadText("DIRECTORY", (s.acadDirKey + "_CMDLINE").c_str(), "NULL");
    s.packageNameLine = "PKGNAME=" + ProfileValueText(setup.ReadValue("VXMENU", "PKGNAME"));
    s.versionLine = "VERSION=" + ProfileValueText(setup.ReadValue("VXMENU", "VERSION"));
    s.packageTypeLine = "PKGTYPE=" + ProfileValueText(setup.ReadValue("VXMENU", "PKGTYPE"));
    s.assistanceVariant = setup.ReadInt("VX_SETVAR", "ACAD2000i", 0);
    s.ddeWaitLine = "DdeConnectWaitTime=" +
                    ProfileValueText(setup.ReadValue("VX_SETVAR", "DdeConnectWaitTime"));
    s.findWaitLine =
        "AcadFindWaitTime=" + ProfileValueText(setup.ReadValue("VX_SETVAR", "AcadFindWaitTime"));
}

// The command line and the [DIRECTORY] line.
void BuildCommandLine(const char* arguments) {
    LauncherSettings& s = g_settings;
    CadCommandParts parts{s.acadDir,     arguments,    s.packageDir,
                          s.profileName, s.cadOptions, s.templateName};
    g_plan.cadCommandLine = BuildCadCommandLine(parts);
    s.directoryLine = s.acadDirKey + "=" + ProfileValueText(g_plan.cadCommandLine);
}

// What refuses the start, checked before anything is written; false after
// telling the user.
bool StartCanGoOn() {
    const LauncherSettings& s = g_settings;
    const size_t limit = static_cast<size_t>(s.menuValueSize - 1);
    if (s.menuEnabled && ProfileReadLength(g_plan.cadCommandLine) > limit) {
        ShowError(FormatMessageText(kCommandTooLong, s.acadDirKey.c_str(),
                                    static_cast<unsigned>(limit), s.setupPath.c_str())); // (M-5)
        return false;
    }
    // The registry would take a '\' as a path: a profile made below another key.
    if (FindCharFrom(s.profileName, '\\', 0) != std::string::npos) {
        ShowError(FormatMessageText(kBadProfileName, s.profileName.c_str(),
                                    s.setupPath.c_str())); // (M-6)
        return false;
    }
    return true;
}

// The system list at path, written anew on request or when missing.
bool UpdateSystemList(SetupFile& setup, const char* arguments, const std::string& path) {
    if (!AsksForNewSystemList(arguments) && FileExists(path.c_str())) {
        return true;
    }
    if (!WriteSystemList(setup, arguments, path)) {
        ShowError(FormatMessageText(kCannotOpenFile, path.c_str()));
        return false;
    }
    return true;
}

// VXMENU32.INI, when the floating menu is on and the system list at
// systemListPath readable; gives the floating menu's path then (left empty
// otherwise).
bool UpdateMenuConfig(SetupFile& setup, const char* arguments, const std::string& systemListPath,
                      std::string* menuProgramPath) {
    LauncherSettings& s = g_settings;
    std::vector<std::string> menuLines;
    if (!s.menuEnabled || !CollectMenuLines(setup, arguments, systemListPath, &menuLines)) {
        return true;
    }
    s.menuConfigPath = s.packageDir + "\\VXMENU\\VXMENU32.INI";
    *menuProgramPath = s.packageDir + "\\VXMENU\\VXMENU32.EXE";
    if (!WriteMenuConfig(s.menuConfigPath, s, menuLines)) {
        ShowError(FormatMessageText(kCannotOpenFile, s.menuConfigPath.c_str()));
        return false;
    }
    return true;
}

} // namespace

int RunLauncher(HINSTANCE instance, const char* arguments) {
    LauncherSettings& s = g_settings;
    if (!FindSetupPath(&s.setupPath)) {
        ShowError(kNoProgramPath); // (M-1)
        return 0;
    }
    if (!FileExists(s.setupPath.c_str())) {
        ShowError(FormatMessageText(kCannotOpenFile, s.setupPath.c_str())); // (M-2)
        return 0;
    }
    SetupFile setup(s.setupPath.c_str());
    ReadRegistrySettings(setup);
    if (!FindCadFolder(setup)) {
        ShowError(FormatMessageText(kNoAcadDefinition, s.setupPath.c_str())); // (M-3)
        return 0;
    }
    ReadMenuSettings(setup);
    BuildCommandLine(arguments);
    if (!StartCanGoOn() || !PrepareCadProfile(s.setupPath.c_str())) {
        return 0;
    }
    if ((s.assistanceVariant == 1 || s.assistanceVariant == 2) &&
        !SwitchOffAssistance(s.setupPath.c_str(), s.assistanceVariant)) {
        ShowMessage(nullptr, kAssistanceNotOff, kLauncherCaption, MB_OK); // (M-4)
    }
    const std::string systemListPath = s.packageDir + "\\SYSTEM.DAT";
    if (!UpdateSystemList(setup, arguments, systemListPath) ||
        !UpdateMenuConfig(setup, arguments, systemListPath, &g_plan.menuProgramPath)) {
        return 0;
    }
    g_plan.startMenuProgram = s.menuEnabled;
    if (RegisterSplashClass(instance) == nullptr) {
        return 0;
    }
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
