// The CAD program's registry: the installation check, the package's CAD
// profile (found, or made from the base profile) and Active Assistance.
#pragma once

#include <string>

// 1 when the CAD product (release version, product key) is installed; its
// ProductName then replaces seriesText, which names the series in MB-1.
int CheckCadInstallation(const std::string& version, const std::string& product,
                         std::string* seriesText);

// Non-zero when the product is installed and the package's profile exists,
// found or made; tells the user what is missing.
int PrepareCadProfile(const char* setupPath);

// Switches Active Assistance's start-up off (variant 1: its own key; 2: the
// key below the CAD product) and notes in the setup file whether it was on.
// Non-zero unless its key is missing or a Startup that was on could not be
// switched off (or its note not written first).
int SwitchOffAssistance(const char* setupPath, int variant);
