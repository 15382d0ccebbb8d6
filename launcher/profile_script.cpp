#include "launcher/profile_script.h"

#include <string>
#include <vector>

#include "launcher/script_values.h"
#include "launcher/setup_text.h"

namespace {

using KeyList = std::vector<std::unique_ptr<RegistryKey>>;

// Copies every REG_SZ value, then every REG_DWORD value, of names; with a
// script section (level 1) each is changed by its script value, without one
// (level 2) copied as it is. A value that cannot be read whole (a number
// not 4 bytes long) is passed over.
void CopyValues(RegistryKey& from, RegistryKey& to, const std::vector<std::string>& names,
                SetupFile& setup, const char* section) {
    for (const std::string& name : names) {
        std::string base;
        if (!from.ReadText(name.c_str(), &base)) {
            continue; // not a REG_SZ, or unreadable
        }
        std::string script;
        if (section != nullptr) {
            script = setup.ReadValue(section, name.c_str());
            setup.ExpandReferences(&script);
        }
        to.WriteText(name.c_str(), ScriptedText(base, script));
    }
    for (const std::string& name : names) {
        DWORD base = 0;
        if (!from.ReadDword(name.c_str(), &base)) {
            continue;
        }
        std::string script = section != nullptr ? setup.ReadValue(section, name.c_str()) : "";
        to.WriteDword(name.c_str(), ScriptedDword(base, script));
    }
}

// The script section's values for names the base subkey does not hold.
void AddScriptValues(RegistryKey& to, const std::vector<std::string>& names, SetupFile& setup,
                     const char* section) {
    std::vector<std::string> scriptKeys;
    setup.ReadSectionKeys(section, &scriptKeys);
    for (const std::string& key : scriptKeys) {
        if (FindNameIgnoringCase(names, key) >= 0) {
            continue;
        }
        std::string script = setup.ReadValue(section, key.c_str());
        uint32_t number = 0;
        switch (ClassifyNewScriptValue(script, &number)) {
        case NewScriptValue::kDword:
            to.WriteDword(key.c_str(), number);
            break;
        case NewScriptValue::kText:
            setup.ExpandReferences(&script);
            to.WriteText(key.c_str(), script);
            break;
        case NewScriptValue::kNone:
            break;
        }
    }
}

// Opens from (only read) and makes its copy below its parent; the value
// names that could be listed go into names. False when either key cannot
// be had: the key is passed over.
bool OpenPair(RegistryKey& from, RegistryKey& to, std::vector<std::string>* names) {
    from.SetAccess(KEY_READ);
    if (!from.Open()) {
        return false;
    }
    from.ListValueNames(names);
    to.Create();
    return to.IsOpen();
}

// Level 1 with the script, level 2 unchanged.
void FillProfile(RegistryKey& base, RegistryKey& profile, SetupFile& setup) {
    KeyList level1;
    base.ListSubkeys(&level1);
    for (const std::unique_ptr<RegistryKey>& from : level1) {
        RegistryKey to(&profile, from->Name(), KEY_ALL_ACCESS);
        std::vector<std::string> names;
        if (!OpenPair(*from, to, &names)) {
            continue;
        }
        const std::string section = "REG-" + from->Name();
        CopyValues(*from, to, names, setup, section.c_str());
        AddScriptValues(to, names, setup, section.c_str());
        KeyList level2;
        from->ListSubkeys(&level2);
        for (const std::unique_ptr<RegistryKey>& from2 : level2) {
            RegistryKey to2(&to, from2->Name(), KEY_ALL_ACCESS);
            std::vector<std::string> names2;
            if (OpenPair(*from2, to2, &names2)) {
                CopyValues(*from2, to2, names2, setup, nullptr);
            }
        }
    }
}

} // namespace

std::unique_ptr<RegistryKey> CopyProfileWithScript(RegistryKey* profiles, RegistryKey* base,
                                                   SetupFile& setup) {
    std::string name = setup.ReadValue("REGISTRY", "PFNAME");
    auto profile = std::make_unique<RegistryKey>(profiles, name, KEY_ALL_ACCESS);
    if (!profile->Create()) {
        return nullptr; // empty name, an existing key, or no key made
    }
    base->SetAccess(KEY_READ);
    bool made = base->Open() && profile->WriteDword(kUnfinishedProfileMark, 1);
    if (made) {
        profile->Flush(); // the mark is on disk before any subkey
        FillProfile(*base, *profile, setup);
        made = profile->DeleteValue(kUnfinishedProfileMark);
    }
    base->Close();
    profile->Close();
    if (!made) {
        profiles->DeleteChildTree(name);
        return nullptr;
    }
    return profile;
}
