#include "launcher/cad_profile.h"

#include <string>
#include <vector>

#include "launcher/launcher_messages.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_ui.h"
#include "launcher/profile_script.h"
#include "launcher/registry_key.h"
#include "launcher/setup_file.h"
#include "menu/strutil/sjis_text.h"

namespace {

using KeyList = std::vector<std::unique_ptr<RegistryKey>>;

void Warn(const std::string& text, const std::string& caption) {
    ShowMessage(nullptr, text, caption, MB_ICONWARNING);
}

// Index of the first key named name (case-blind, double-byte characters as
// units), or -1.
int FindKey(const KeyList& keys, const std::string& name) {
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& other = keys[i]->Name();
        if (EqualsIgnoringCase(other.c_str(), other.size(), name.c_str())) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

int CheckCadInstallation(const char*) {
    const std::string series = g_settings.seriesText;
    RootKeys roots;
    std::unique_ptr<RegistryKey> software =
        roots.OpenSubkey(HKEY_LOCAL_MACHINE, "Software", KEY_READ);
    if (software == nullptr) {
        return 0;
    }
    KeyList chain;
    if (!OpenKeyPath(software.get(),
                     {"Autodesk", "AutoCAD", g_settings.acadVersion, g_settings.acadType}, KEY_READ,
                     &chain)) {
        Warn(series + kNotInstalled, series + kSetupNotDoneCaption); // (MB-1)
        return 0;
    }
    chain.back()->ReadText("ProductName", &g_settings.seriesText);
    return 1;
}

int PrepareCadProfile(const char* setupPath) {
    SetupFile setup(setupPath);
    const std::string name = setup.ReadValue("REGISTRY", "PFNAME");
    const std::string series = g_settings.seriesText;
    const std::string& base = g_settings.baseProfile;
    if (!CheckCadInstallation(setupPath)) {
        return 0;
    }
    const std::string caption = series + kSetupNotDoneCaption;
    const std::string hint = series + (g_settings.acadOnly == 1 ? kHintAcadOnly : kHintAlone);

    bool profileExists = false;
    {
        RootKeys roots;
        std::unique_ptr<RegistryKey> software =
            g_settings.acadType.empty()
                ? nullptr
                : roots.OpenSubkey(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS);
        KeyList chain;
        if (software == nullptr) {
            // no profile, nothing to tell
        } else if (!OpenKeyPath(software.get(),
                                {"Autodesk", "AutoCAD", g_settings.acadVersion, g_settings.acadType,
                                 "Profiles"},
                                KEY_ALL_ACCESS, &chain)) {
            Warn(hint, caption); // (MB-2)
        } else {
            RegistryKey* profiles = chain.back().get();
            KeyList subkeys;
            profiles->ListSubkeys(&subkeys);
            int own = FindKey(subkeys, name);
            if (own >= 0) {
                profileExists = true;
                subkeys.erase(subkeys.begin() + own);
            }
            int found = FindKey(subkeys, base);
            if (found < 0) {
                Warn(FormatMessageText(kBaseProfileMissing, base.c_str(), hint.c_str()),
                     caption); // (MB-3)
            } else if (!profileExists) {
                profileExists =
                    CopyProfileWithScript(profiles, subkeys[found].get(), setup) != nullptr;
                RegFlushKey(HKEY_CURRENT_USER);
                if (!profileExists) {
                    Warn(FormatMessageText(kProfileNotMade, name.c_str()), caption); // (MB-4)
                }
            }
        }
    }
    RegFlushKey(HKEY_CURRENT_USER);
    return profileExists ? 1 : 0;
}

int SwitchOffAssistance(const char* setupPath, int variant) {
    RootKeys roots;
    std::unique_ptr<RegistryKey> software =
        roots.OpenSubkey(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS);
    if (software == nullptr) {
        return 0;
    }
    std::vector<std::string> path = {"Autodesk", "Active Assistance"};
    if (variant == 2) {
        path = {"Autodesk",          "AutoCAD",      g_settings.acadVersion,
                g_settings.acadType, "Applications", "Active Assistance"};
    }
    KeyList chain;
    if (!OpenKeyPath(software.get(), path, KEY_ALL_ACCESS, &chain)) {
        return 0;
    }
    DWORD startup = 0;
    chain.back()->ReadDword("Startup", &startup);
    // The note first: a Startup switched off is never left unrecorded.
    SetupFile setup(setupPath);
    if (!setup.WriteValue("VX_SETVAR", "ActiveAssistance", startup == 1 ? "1" : "0")) {
        return 0;
    }
    if (startup == 1 && !chain.back()->WriteDword("Startup", 0)) {
        return 0;
    }
    return 1;
}
