#include "launcher/profile_script.h"

#include <string>
#include <vector>

#include "launcher/script_values.h"
#include "menu/strutil/sjis_text.h"

namespace {

using KeyList = std::vector<std::unique_ptr<RegistryKey>>;

bool SameName(const std::string& a, const std::string& b) {
    return EqualsIgnoringCase(a.c_str(), a.size(), b.c_str());
}

bool IsAmong(const std::string& name, const std::vector<std::string>& names) {
    for (const std::string& other : names) {
        if (SameName(name, other)) {
            return true;
        }
    }
    return false;
}

// Copies every REG_SZ value, then every REG_DWORD value, of names; with a
// script section (level 1) each is changed by its script value, without one
// (level 2) copied as it is.
bool CopyValues(RegistryKey& from, RegistryKey& to, const std::vector<std::string>& names,
                SetupFile& setup, const char* section) {
    bool ok = true;
    for (const std::string& name : names) {
        std::string base;
        if (from.GetValueType(name.c_str()) != REG_SZ) {
            continue;
        }
        if (!from.ReadText(name.c_str(), &base)) {
            ok = false; // never write another value's text under this name
            continue;
        }
        std::string script;
        if (section != nullptr) {
            script = setup.ReadValue(section, name.c_str());
            setup.ExpandReferences(&script);
        }
        ok = to.WriteText(name.c_str(), ScriptedText(base, script)) && ok;
    }
    for (const std::string& name : names) {
        DWORD base = 0;
        if (from.GetValueType(name.c_str()) != REG_DWORD) {
            continue;
        }
        if (!from.ReadDword(name.c_str(), &base)) {
            ok = false;
            continue;
        }
        std::string script = section != nullptr ? setup.ReadValue(section, name.c_str()) : "";
        ok = to.WriteDword(name.c_str(), ScriptedDword(base, script)) && ok;
    }
    return ok;
}

// The script section's values for names the base subkey does not hold.
bool AddScriptValues(RegistryKey& to, const std::vector<std::string>& names, SetupFile& setup,
                     const char* section) {
    bool ok = true;
    std::vector<std::string> scriptKeys;
    setup.ReadSectionKeys(section, &scriptKeys);
    for (const std::string& key : scriptKeys) {
        if (IsAmong(key, names)) {
            continue;
        }
        std::string script = setup.ReadValue(section, key.c_str());
        uint32_t number = 0;
        switch (ClassifyNewScriptValue(script, &number)) {
        case NewScriptValue::kDword:
            ok = to.WriteDword(key.c_str(), number) && ok;
            break;
        case NewScriptValue::kText:
            setup.ExpandReferences(&script);
            ok = to.WriteText(key.c_str(), script) && ok;
            break;
        case NewScriptValue::kNone:
            break;
        }
    }
    return ok;
}

// Opens from (only read) and makes its copy below parent; the copy's value
// names are listed into names.
bool OpenPair(RegistryKey& from, RegistryKey& to, std::vector<std::string>* names) {
    from.SetAccess(KEY_READ);
    if (!from.Open() || !from.ListValueNames(names)) {
        return false;
    }
    to.Create();
    return to.IsOpen();
}

// Level 1 with the script, level 2 unchanged. False when anything could not
// be read or written.
bool FillProfile(RegistryKey& base, RegistryKey& profile, SetupFile& setup) {
    KeyList level1;
    if (!base.ListSubkeys(&level1)) {
        return false;
    }
    bool ok = true;
    for (const std::unique_ptr<RegistryKey>& from : level1) {
        RegistryKey to(&profile, from->Name(), KEY_ALL_ACCESS);
        std::vector<std::string> names;
        if (!OpenPair(*from, to, &names)) {
            return false;
        }
        const std::string section = "REG-" + from->Name();
        ok = CopyValues(*from, to, names, setup, section.c_str()) && ok;
        ok = AddScriptValues(to, names, setup, section.c_str()) && ok;
        KeyList level2;
        ok = from->ListSubkeys(&level2) && ok;
        for (const std::unique_ptr<RegistryKey>& from2 : level2) {
            RegistryKey to2(&to, from2->Name(), KEY_ALL_ACCESS);
            std::vector<std::string> names2;
            if (!OpenPair(*from2, to2, &names2)) {
                return false;
            }
            ok = CopyValues(*from2, to2, names2, setup, nullptr) && ok;
        }
        if (!ok) {
            return false;
        }
    }
    return true;
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
    bool filled = base->Open() && FillProfile(*base, *profile, setup);
    base->Close();
    profile->Close();
    if (!filled) {
        profiles->DeleteChildTree(name);
        return nullptr;
    }
    return profile;
}
