// The launcher's process-wide records: the setup values with the paths
// derived from them, and what the splash window starts.
#pragma once

#include <string>

struct LauncherSettings {
    std::string setupPath; // the launcher's path cut at its file name's first '.', plus ".ini"
    bool menuEnabled = false;
    std::string packageDir;
    std::string profileName;
    std::string templateName;
    std::string acadVersion;
    std::string acadType;
    std::string baseProfile;
    int acadOnly = 0;
    std::string acadDir;
    std::string acadDirKey;
    int menuValueSize = 0; // the floating menu's read buffer of the [DIRECTORY] value
    std::string seriesText;
    std::string cadOptions;
    std::string packageNameLine; // "PKGNAME=..." and the other lines passed on to the menu
    std::string versionLine;
    std::string packageTypeLine;
    int assistanceVariant = 0;
    std::string ddeWaitLine;
    std::string findWaitLine;
    std::string directoryLine;
    std::string menuConfigPath;
};

struct LaunchPlan {
    bool startMenuProgram = false;
    std::string menuProgramPath; // empty when no configuration was written
    std::string cadCommandLine;
};

extern LauncherSettings g_settings;
extern LaunchPlan g_plan;
