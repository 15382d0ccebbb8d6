// The CAD program's registry: the installation check, the package's CAD
// profile (found, or made from the base profile) and Active Assistance.
#pragma once

// 1 when the product named by the setup is installed; takes its ProductName
// as the series text.
int CheckCadInstallation(const char* setupPath);

// Non-zero when the product is installed and the package's profile exists,
// found or made; tells the user what is missing.
int PrepareCadProfile(const char* setupPath);

// Switches Active Assistance's start-up off (variant 1: its own key; 2: the
// key below the CAD product) and notes in the setup file whether it was on.
// Non-zero when the note and the switch were written.
int SwitchOffAssistance(const char* setupPath, int variant);
