#include "launcher/cad_profile.h"

#include <string>
#include <vector>

#include "launcher/launcher_messages.h"
#include "launcher/launcher_settings.h"
#include "launcher/launcher_ui.h"
#include "launcher/profile_script.h"
#include "launcher/registry_key.h"
#include "launcher/setup_file.h"
#include "launcher/setup_text.h"

namespace {

using KeyList = std::vector<std::unique_ptr<RegistryKey>>;

void Warn(const std::string& text, const std::string& caption) {
    ShowMessage(nullptr, text, caption, MB_ICONWARNING);
}

// Whether the profile name exists below profiles as a finished copy. It is
// opened by name, so the registry's own rules find it (full-width letters
// in any case too); an unfinished copy is deleted, to be made again.
bool FindFinishedProfile(RegistryKey* profiles, const std::string& name) {
    RegistryKey own(profiles, name, KEY_READ);
    if (!own.Open()) {
        return false;
    }
    if (own.GetValueType(kUnfinishedProfileMark) == 0) {
        return true;
    }
    own.Close();
    profiles->DeleteChildTree(name);
    return false;
}

} // namespace

int CheckCadInstallation(const std::string& version, const std::string& product,
                         std::string* seriesText) {
    const std::string series = *seriesText;
    RootKeys roots;
    std::unique_ptr<RegistryKey> software =
        roots.OpenSubkey(HKEY_LOCAL_MACHINE, "Software", KEY_READ);
    if (software == nullptr) {
        return 0;
    }
    KeyList chain;
    if (!OpenKeyPath(software.get(), {"Autodesk", "AutoCAD", version, product}, KEY_READ, &chain)) {
        Warn(series + kNotInstalled, series + kSetupNotDoneCaption); // (MB-1)
        return 0;
    }
    chain.back()->ReadText("ProductName", seriesText);
    return 1;
}

int PrepareCadProfile(const char* setupPath) {
    SetupFile setup(setupPath);
    const std::string name = setup.ReadValue("REGISTRY", "PFNAME");
    const std::string series = g_settings.seriesText;
    const std::string& base = g_settings.baseProfile;
    if (!CheckCadInstallation(g_settings.acadVersion, g_settings.acadType,
                              &g_settings.seriesText)) {
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
            profileExists = FindFinishedProfile(profiles, name);
            std::vector<std::string> names;
            profiles->ListSubkeyNames(&names);
            int own = FindNameIgnoringCase(names, name);
            if (own >= 0) {
                names.erase(names.begin() + own); // never its own base
            }
            int found = FindNameIgnoringCase(names, base);
            if (found < 0) {
                Warn(FormatMessageText(kBaseProfileMissing, base.c_str(), hint.c_str()),
                     caption); // (MB-3)
            } else if (!profileExists) {
                RegistryKey baseKey(profiles, names[found], KEY_READ);
                profileExists = CopyProfileWithScript(profiles, &baseKey, setup) != nullptr;
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
    SetupFile setup(setupPath);
    if (startup != 1) {
        // Off already: nothing to switch, so a note that cannot be written fails nothing.
        setup.WriteValue("VX_SETVAR", "ActiveAssistance", "0");
        return 1;
    }
    // The note first: a Startup switched off is never left unrecorded.
    return setup.WriteValue("VX_SETVAR", "ActiveAssistance", "1") &&
                   chain.back()->WriteDword("Startup", 0)
               ? 1
               : 0;
}
